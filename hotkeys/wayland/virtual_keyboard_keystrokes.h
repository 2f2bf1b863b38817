// Keys on wlroots compositors (sway, Hyprland): one virtual keyboard for
// the program's lifetime, with a keymap of its own, so that Ctrl, C and V
// are the same keys whatever layout the user has chosen.
#pragma once

#include <cstdint>
#include <memory>

#include "hotkeys/keystroke_service.h"
#include "platform/wayland/active_toplevel.h"
#include "platform/wayland/wayland_connection.h"

struct zwp_virtual_keyboard_v1;

namespace quorvandel {

class Virtual_keyboard_keystrokes : public Keystroke_service {
 public:
  // Nothing where the compositor offers no virtual keyboard or no seat.
  // Takes the manager's global before the connection's reader starts.
  static std::unique_ptr<Virtual_keyboard_keystrokes> Create(Wayland_connection& connection);
  ~Virtual_keyboard_keystrokes() override;

  // Wayland tells a program the keyboard's state only while it has the
  // focus; the virtual keyboard's keys carry their own modifiers, so keys
  // the user still holds do not mix into them.
  bool Is_down(Key) override { return false; }
  void Send_key(Key key, bool release) override;
  // The focused window's program, where the compositor names it: a
  // terminal gets its own copy and paste keys instead of Ctrl+C.
  void Follow_focus(Active_toplevel* focus) { focus_ = focus; }
  Copy_paste_style Foreground_style() override;
  // The compositor hands the focused program the clipboard's change and
  // then these keys in the order this connection sent them, and the
  // program handles its events in that order: whatever was sent before
  // the keys is handled before them, with no wait.
  bool Ask_foreground_to_answer() override { return true; }
  bool Foreground_answered() override { return true; }

 private:
  Virtual_keyboard_keystrokes(Wayland_connection& connection, zwp_virtual_keyboard_v1* keyboard);

  Wayland_connection& connection_;
  zwp_virtual_keyboard_v1* keyboard_ = nullptr;
  std::uint32_t modifiers_ = 0;  // the modifiers this keyboard holds down
  Active_toplevel* focus_ = nullptr;
};

}  // namespace quorvandel
