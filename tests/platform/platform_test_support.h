// Shared helpers of the platform tests.
#pragma once

#include "support/scratch_files.h"
