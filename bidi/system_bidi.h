// The bidirectional algorithm this system's build has, for the programs to
// install in the engine as they start; nothing where the build has none.
#pragma once

#include "engine/bidi_algorithm.h"

namespace quorvandel {

const Bidi_algorithm* System_bidi_algorithm();

}  // namespace quorvandel
