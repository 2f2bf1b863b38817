// Keys as the foreground application sees them: which ones are held down,
// and keystrokes synthesized into it.
#pragma once

#include <cstdint>
#include <string>

namespace quorvandel {

// The keys that a hotkey conversion waits for or sends. Shift and Control
// stand for either key of the pair.
enum class Key { shift, control, c, v, insert };

// How the foreground application copies its selection and pastes over it.
enum class Copy_paste_style {
  control_keys,        // Ctrl+C and Ctrl+V: ordinary applications
  control_shift_keys,  // Ctrl+Shift+C and Ctrl+Shift+V: terminals that have them
  primary_selection,   // the selection is already the primary selection; Shift+Insert pastes (xterm)
};

class Keystroke_service {
 public:
  virtual ~Keystroke_service() = default;

  // True while the key (for Shift and Control: either of the pair) is held
  // down on the physical keyboard.
  virtual bool Is_down(Key key) = 0;

  // Sends one press or release of the key to the foreground application,
  // as the keyboard would. The letter keys are sent as the keys that type
  // Latin c and v, whichever keyboard layout is active.
  virtual void Send_key(Key key, bool release) = 0;

  // How the window that has the focus now copies and pastes; its
  // keystrokes must never interrupt a program (Ctrl+C in a terminal).
  virtual Copy_paste_style Foreground_style() = 0;

  // Makes the keys ready to be sent before a conversion touches the
  // clipboard (a desktop may first ask the user's consent); the message
  // why they cannot be, empty when they can.
  virtual std::string Prepare() { return {}; }

  // Asks the foreground application for an answer that it gives only once
  // it has handled everything sent to it before (that it lost the
  // clipboard, the keys). False when the window has no way to answer;
  // then Foreground_answered never holds.
  virtual bool Ask_foreground_to_answer() { return false; }
  // True once the window asked last answered.
  virtual bool Foreground_answered() { return false; }

  // The program's own top-level window, by its native id.
  virtual void Set_own_window(std::uint64_t native_id) { (void)native_id; }
  // Shows the program's own window the window system's time now and asks
  // it to answer once it has seen it (Foreground_answered then holds): the
  // toolkit takes the clipboard with the time of the last event it saw,
  // which the window system refuses when the application copied since.
  // False when there is nothing to wait for.
  virtual bool Ask_own_window_to_answer() { return false; }
};

}  // namespace quorvandel
