// What a hotkey conversion asks of the main window: its flags, the profile
// switches, the conversion through its two panes, its waits and its
// messages.
#pragma once

#include <string>

namespace quorvandel {

// The outcome of converting a text through the panes.
struct Pane_conversion {
  bool converted = false;  // false: the conversion stopped on an error
  std::string text;        // the destination pane's text, UTF-8
  std::string error;       // the error's message when it stopped
};

class Hotkey_window {
 public:
  virtual ~Hotkey_window() = default;

  virtual bool Hotkeys_enabled() const = 0;
  virtual bool Hotkey_busy() const = 0;
  virtual void Set_hotkey_busy(bool busy) = 0;

  virtual int Active_profile() const = 0;
  virtual void Change_profile(int index) = 0;

  // Empties the source pane, puts the UTF-8 text into it and converts it
  // with the active settings into the destination pane. An error is not
  // shown here: it comes back, to be shown once the clipboard is restored.
  virtual Pane_conversion Convert_through_panes(const std::string& text) = 0;

  // Lets the user interface run for n milliseconds (the timer `Waiting`).
  virtual void Wait_milliseconds(int n) = 0;

  virtual void Show_message(const std::string& text) = 0;
  // A short notice that takes no focus from the application the user
  // works in, shown only where the user has not switched notices off.
  virtual void Show_notice(const std::string& text) = 0;
};

}  // namespace quorvandel
