// The hotkeys where the compositor lets no program take a key combination
// (sway and the other wlroots compositors, GNOME without the shortcuts
// portal): the user binds the combination in the compositor's own settings
// to the command "quorvandel --hotkey default" or "--hotkey active", which
// hands the press to the running copy. Registering therefore always
// succeeds and takes nothing from other programs.
#pragma once

#include <set>
#include <utility>

#include "hotkeys/hotkey_service.h"

namespace quorvandel {

class Command_hotkeys : public Hotkey_service {
 public:
  bool Register(int id, bool, bool, bool, int) override {
    registered_.insert(id);
    return true;
  }
  void Unregister(int id) override { registered_.erase(id); }
  void Set_pressed_handler(Pressed_handler handler) override { handler_ = std::move(handler); }

  // A press handed over by the command; ignored for a hotkey that is not
  // registered.
  void Press(int id) {
    if (handler_ && registered_.count(id) != 0) handler_(id);
  }

 private:
  std::set<int> registered_;
  Pressed_handler handler_;
};

}  // namespace quorvandel
