// A Hotkey_service that records what the program asks, refuses the
// combinations a test chooses, and lets the test press a registered one.
#pragma once

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "hotkeys/hotkey_service.h"

namespace quorvandel::testing {

class Recording_hotkeys : public Hotkey_service {
 public:
  using Combination = std::tuple<bool, bool, bool, int>;  // ctrl, shift, alt, fkey

  bool Register(int id, bool ctrl, bool shift, bool alt, int fkey) override {
    log.push_back("register " + std::to_string(id) + " F" + std::to_string(fkey));
    const Combination combination{ctrl, shift, alt, fkey};
    if (refused.count(combination) || taken.count(combination)) return false;
    taken.insert(combination);
    held[id] = combination;
    return true;
  }
  void Unregister(int id) override {
    log.push_back("unregister " + std::to_string(id));
    if (held.count(id)) taken.erase(held[id]);
    held.erase(id);
  }
  void Set_pressed_handler(Pressed_handler handler) override { pressed = std::move(handler); }
  std::string Trigger_note() const override { return trigger_note; }

  // Plays the user pressing the combination held under `id`; false (and
  // nothing happens) when none is held, as the system would not report it.
  bool Press(int id) {
    if (!held.count(id) || !pressed) return false;
    pressed(id);
    return true;
  }

  std::vector<std::string> log;
  std::set<Combination> refused;  // the combinations other programs hold
  std::set<Combination> taken;
  std::map<int, Combination> held;
  Pressed_handler pressed;
  std::string trigger_note;
};

}  // namespace quorvandel::testing
