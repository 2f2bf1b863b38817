// The hotkeys where the session has no backend for them: no display to
// grab keys on (offscreen rendering), or a Wayland session, the program
// not on XWayland, whose compositor and desktop portal offer no way to
// take them. Every registration succeeds without effect, and no press is
// ever reported.
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
