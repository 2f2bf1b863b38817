// The program's name on the desktop: the reverse-DNS application ID that
// names its desktop entry, its icon in the icon theme and its AppStream
// file, and that its windows carry as their class. packaging/CMakeLists.txt
// reads it from this line, so that the installed files and the program
// agree.
#pragma once

namespace quorvandel {

inline constexpr const char* application_id = "org.quorvandel.Quorvandel";

// The program's name as people read it: the application's name, which
// screen readers announce, and so the class of its X11 windows, which the
// desktop entry's StartupWMClass names (packaging/CMakeLists.txt reads this
// line too).
inline constexpr const char* application_name = "Quorvandel";

}  // namespace quorvandel
