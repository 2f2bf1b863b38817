// The program's name on the desktop: the reverse-DNS application ID that
// names its desktop entry, its icon in the icon theme and its AppStream
// file, and that its windows carry as their class. packaging/CMakeLists.txt
// reads it from this line, so that the installed files and the program
// agree.
#pragma once

namespace quorvandel {

inline constexpr const char* application_id = "org.quorvandel.Quorvandel";

}  // namespace quorvandel
