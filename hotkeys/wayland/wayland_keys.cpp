#include "hotkeys/wayland/wayland_keys.h"

namespace quorvandel {

std::optional<Wayland_keys> Open_wayland_keys(const std::vector<std::string>& hotkey_command) {
  Wayland_keys keys;
  keys.connection = Wayland_connection::Open();
  if (!keys.connection) return std::nullopt;
  keys.keystrokes = Virtual_keyboard_keystrokes::Create(*keys.connection);
  keys.clipboard = Data_control_clipboard::Create(*keys.connection);
  // The data control alone still gives native programs' clipboard back
  // whole; the keys then go through the desktop portal (KDE Plasma offers
  // ordinary programs the one but not the virtual keyboard).
  if (!keys.clipboard) return std::nullopt;
  if (keys.keystrokes) {
    keys.focus = Active_toplevel::Create(*keys.connection);
    keys.keystrokes->Follow_focus(keys.focus.get());
  }
  keys.hotkeys = std::make_unique<Command_hotkeys>(hotkey_command);
  keys.connection->Start();
  return keys;
}

}  // namespace quorvandel
