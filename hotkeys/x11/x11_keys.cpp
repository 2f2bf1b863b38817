#include "hotkeys/x11/x11_keys.h"

namespace quorvandel {

std::optional<X11_keys> Open_x11_keys() {
  std::shared_ptr<X11_connection> connection = X11_connection::Open();
  if (!connection) return std::nullopt;
  X11_keys keys;
  keys.hotkeys = std::make_shared<X11_hotkey_service>(*connection);
  keys.keystrokes = std::make_shared<X11_keystroke_service>(*connection);
  keys.connection = std::move(connection);
  return keys;
}

}  // namespace quorvandel
