// Writing a whole buffer to a file descriptor.
#pragma once

#include <string_view>

namespace quorvandel {

// Writes all of `bytes` to `fd`, going on after partial writes and
// interrupted ones. Returns false, with errno telling why, when a write
// fails; what was written before stays written.
bool Write_all(int fd, std::string_view bytes);

}  // namespace quorvandel
