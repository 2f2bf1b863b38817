// The two system-wide hotkeys: combinations of Ctrl, Shift and Alt with one
// of F1..F12 that reach the program whichever application has the focus.
#pragma once

#include <functional>
#include <string>

namespace quorvandel {

class Hotkey_service {
 public:
  using Pressed_handler = std::function<void(int id)>;

  virtual ~Hotkey_service() = default;

  // Takes the combination (`fkey` 1..12 with the modifiers that are true)
  // system-wide under `id`, so that pressing it anywhere calls the pressed
  // handler with `id`. False when the system refuses it: another program,
  // or this program under another identifier, holds the combination.
  virtual bool Register(int id, bool ctrl, bool shift, bool alt, int fkey) = 0;

  // Gives back the combination registered under `id`; does nothing when
  // none is.
  virtual void Unregister(int id) = 0;

  // Called on the user-interface thread for each press of a registered
  // combination, with its identifier.
  virtual void Set_pressed_handler(Pressed_handler handler) = 0;

  // Where the system does not simply take the combinations (a Wayland
  // desktop): which trigger is in use and what the user does once, for
  // the preferences to show. Empty where registering is all.
  virtual std::string Trigger_note() const { return {}; }
};

}  // namespace quorvandel
