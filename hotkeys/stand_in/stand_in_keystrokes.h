// The keystrokes where the session has no backend for them: no display
// (offscreen rendering), or a Wayland session, the program not on
// XWayland, whose compositor and desktop portal offer no way to send them.
// No key is ever down and keys sent go nowhere.
#pragma once

#include "hotkeys/keystroke_service.h"

namespace quorvandel {

class Stand_in_keystrokes : public Keystroke_service {
 public:
  bool Is_down(Key) override { return false; }
  void Send_key(Key, bool) override {}
  Copy_paste_style Foreground_style() override { return Copy_paste_style::control_keys; }
};

}  // namespace quorvandel
