// File paths to and from the program's UTF-8 strings. A std::filesystem::path
// made from a plain std::string takes the bytes in the C runtime's own
// encoding, which on Windows is not UTF-8; these go through UTF-8 on every
// system (on POSIX systems they copy the bytes as they are).
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace quorvandel {

inline std::filesystem::path Path_from_utf8(std::string_view text) {
  return std::filesystem::path(std::u8string(text.begin(), text.end()));
}

inline std::string Utf8_from_path(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace quorvandel
