// Keys on X11: the keyboard's state read with QueryKeymap, keystrokes
// synthesized with XTest, and the class of the active window for the
// terminals' copy and paste keys.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <optional>

#include "hotkeys/keystroke_service.h"
#include "hotkeys/x11/x11_connection.h"

namespace quorvandel {

class X11_keystroke_service : public Keystroke_service {
 public:
  explicit X11_keystroke_service(X11_connection& connection);

  bool Is_down(Key key) override;
  void Send_key(Key key, bool release) override;
  Copy_paste_style Foreground_style() override;

 private:
  // The keycode that types the Latin letter in the current group, or in
  // the group `group` is set to (the one to lock while it is sent).
  xcb_keycode_t Letter_keycode(xcb_keysym_t letter, std::optional<int>& group);
  std::optional<int> Current_group();
  void Lock_group(int group);
  xcb_window_t Active_window();

  X11_connection& connection_;
  std::optional<int> users_group_;  // given back when the letter key is released
};

}  // namespace quorvandel
