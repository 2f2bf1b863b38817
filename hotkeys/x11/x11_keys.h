// The X11 hotkeys and keystrokes over one connection of their own.
#pragma once

#include <memory>
#include <optional>

#include "hotkeys/x11/x11_connection.h"
#include "hotkeys/x11/x11_hotkey_service.h"
#include "hotkeys/x11/x11_keystroke_service.h"

namespace quorvandel {

struct X11_keys {
  std::shared_ptr<X11_connection> connection;
  std::shared_ptr<X11_hotkey_service> hotkeys;
  std::shared_ptr<X11_keystroke_service> keystrokes;
};

// Both services on the display of $DISPLAY; nothing when there is no X
// display to connect to (a Wayland session without XWayland).
std::optional<X11_keys> Open_x11_keys();

}  // namespace quorvandel
