// Keys as the foreground application sees them, through the Win32 input
// functions: GetAsyncKeyState for the keys held down, SendInput for the
// synthesized ones.
#pragma once

#include "hotkeys/keystroke_service.h"

namespace quorvandel {

class Win32_keystrokes : public Keystroke_service {
 public:
  bool Is_down(Key key) override;
  void Send_key(Key key, bool release) override;
  Copy_paste_style Foreground_style() override;
};

// The virtual-key code of a key: VK_SHIFT 16, VK_CONTROL 17 (either key of
// the pair), 'C' 67, 'V' 86 (the same keys whichever layout is active),
// VK_INSERT 45.
unsigned Virtual_key_of(Key key);

}  // namespace quorvandel
