// What kind of desktop session the program runs in.
#pragma once

namespace quorvandel {

// True in a Wayland session: $XDG_SESSION_TYPE is "wayland", or
// $WAYLAND_DISPLAY names a compositor's display. The program then runs on
// XWayland, and its hotkeys see only the keys typed into X11 programs.
bool Wayland_session();

}  // namespace quorvandel
