// Names that the program turns into file names inside a folder of its choice.
#pragma once

#include <string_view>

namespace quorvandel {

// A name that stays inside its folder: not empty, not "." or "..", and
// without a path separator or a NUL.
inline bool Is_plain_file_name(std::string_view name) {
  return !name.empty() && name != "." && name != ".." &&
         name.find_first_of(std::string_view("/\\\0", 3)) == std::string_view::npos;
}

}  // namespace quorvandel
