// The hotkeys where the compositor lets no program take a key combination
// (sway and the other wlroots compositors, GNOME without the shortcuts
// portal): the user binds the combination in the compositor's own settings
// to the command "quorvandel-hotkey default" or "quorvandel-hotkey active"
// (or "quorvandel --hotkey default"), which hands the press to the running
// copy. Registering therefore always succeeds and takes nothing from other
// programs.
#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "hotkeys/hotkey_service.h"

namespace quorvandel {

// The combination in sway's notation: "Ctrl+Shift+F12".
std::string Sway_combination(bool ctrl, bool shift, bool alt, int fkey);

class Command_hotkeys : public Hotkey_service {
 public:
  // `command`: the words before "default" or "active" in the lines to
  // bind, {"/usr/bin/quorvandel-hotkey"} or {"/usr/bin/quorvandel", "--hotkey"}.
  explicit Command_hotkeys(std::vector<std::string> command) : command_(std::move(command)) {}

  bool Register(int id, bool ctrl, bool shift, bool alt, int fkey) override {
    registered_[id] = Sway_combination(ctrl, shift, alt, fkey);
    return true;
  }
  void Unregister(int id) override { registered_.erase(id); }
  void Set_pressed_handler(Pressed_handler handler) override { handler_ = std::move(handler); }
  // The lines to bind, for sway's config and GNOME's custom shortcuts.
  std::string Trigger_note() const override;

  // A press handed over by the command; ignored for a hotkey that is not
  // registered.
  void Press(int id) {
    if (handler_ && registered_.count(id) != 0) handler_(id);
  }

 private:
  std::vector<std::string> command_;
  std::map<int, std::string> registered_;  // id -> combination
  Pressed_handler handler_;
};

}  // namespace quorvandel
