// The stand-in for the X11 synthesized keystrokes until the real backend
// exists: no key is ever down and keys sent go nowhere.
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
