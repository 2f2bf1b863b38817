// Where the running program's executable is.
#pragma once

#include <string>

namespace quorvandel {

// The executable's full path; empty when the system does not tell.
std::string Executable_path();

}  // namespace quorvandel
