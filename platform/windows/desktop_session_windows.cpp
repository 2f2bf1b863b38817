#include "platform/desktop_session.h"

namespace quorvandel {

// Windows has one kind of desktop session, whose hotkeys see every program.
bool Wayland_session() { return false; }

}  // namespace quorvandel
