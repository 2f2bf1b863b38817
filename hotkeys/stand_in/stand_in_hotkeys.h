// The stand-in for the X11 hotkeys until the real backend exists: every
// registration succeeds without effect, and no press is ever reported.
#pragma once

#include "hotkeys/hotkey_service.h"

namespace quorvandel {

class Stand_in_hotkeys : public Hotkey_service {
 public:
  bool Register(int, bool, bool, bool, int) override { return true; }
  void Unregister(int) override {}
  void Set_pressed_handler(Pressed_handler) override {}
};

}  // namespace quorvandel
