// Text between the program's UTF-8 strings and the UTF-16 and ANSI code
// page strings of the Win32 functions.
#pragma once

#include <string>
#include <string_view>

namespace quorvandel::windows {

// Invalid UTF-8 becomes U+FFFD; an empty result for an empty input.
std::wstring Wide_from_utf8(std::string_view text);
std::string Utf8_from_wide(std::wstring_view text);

// The text in the process's ANSI code page, as the A functions take it;
// characters that page lacks become '?'.
std::string Ansi_from_utf8(std::string_view text);

// The text of a Win32 error code (GetLastError) in UTF-8, without the line
// break that the system puts at its end.
std::string Error_text(unsigned long code);

}  // namespace quorvandel::windows
