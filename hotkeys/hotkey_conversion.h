// The two hotkeys' work: a press dispatched to the conversion with the
// right profile, and the selection of the foreground application converted
// in place through the clipboard and synthesized keystrokes, with the
// user's clipboard given back whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "hotkeys/hotkey_service.h"
#include "hotkeys/hotkey_window.h"
#include "hotkeys/keystroke_service.h"
#include "platform/clipboard_service.h"

namespace quorvandel {

// The identifiers the two hotkeys are registered under.
inline constexpr int default_hotkey_id = 11;
inline constexpr int active_hotkey_id = 12;

// How long the conversion waits for the application to copy its selection,
// and then to fetch the converted text after the paste keys.
inline constexpr int copy_wait_limit_ms = 1000;
inline constexpr int fetch_wait_limit_ms = 1000;
// How long the foreground application may take to answer that it handled
// what was sent to it, and the pause instead for windows that cannot answer.
inline constexpr int answer_wait_limit_ms = 1000;
inline constexpr int unanswered_pause_ms = 100;
// How long the application must fetch nothing more before the user's
// clipboard is given back.
inline constexpr int fetch_quiet_ms = 150;
// How often those waits and the wait for the modifiers look again.
inline constexpr int poll_interval_ms = 5;
// The most that is set aside of the user's clipboard; a larger clipboard is
// not borrowed at all.
inline constexpr std::size_t saved_clipboard_limit = std::size_t{256} << 20;

// The messages of the conversions that could not run through.
inline constexpr const char* clipboard_not_saved_message =
    "The clipboard could not be set aside, so the selection was not converted.";
inline constexpr const char* clipboard_not_emptied_message =
    "The clipboard could not be emptied, so the selection was not converted.";
inline constexpr const char* converted_not_placed_message =
    "The converted text could not be put on the clipboard, so nothing was pasted.";
inline constexpr const char* primary_not_placed_message =
    "The converted text could not be put into the selection, so nothing was pasted.";
inline constexpr const char* clipboard_not_restored_message =
    "The clipboard's former contents could not be put back.";

// The passive notices of conversions that did nothing visible.
inline constexpr const char* nothing_selected_notice = "Nothing was selected in the active window.";
inline constexpr const char* not_pasted_notice =
    "The converted text was not pasted; it is in the Quorvandel window.";

class Hotkey_conversion {
 public:
  Hotkey_conversion(Hotkey_window& window, Keystroke_service& keys, Clipboard_service& clipboard);

  // A press of the hotkey registered under `id`.
  void WMHotKey(int id);

  // The whole conversion of the foreground application's selection with
  // the active settings; clears the busy flag at its end. Returns the
  // message to show once everything is set right, empty when none.
  std::string Hotkey_convert_by_keyboard_event();

  // The clipboard's text converted through the panes and put back on the
  // clipboard ("From Clipboard"). Returns the conversion's error message,
  // empty when none.
  std::string Quick_convert();

  std::string Get_clipboard_text(bool empty_after);
  // Puts the text on the clipboard, marked as transient when asked; an
  // empty text leaves the clipboard as it is. False when it could not.
  bool Put_clipboard_text(const std::string& text, bool transient = false);

  void Send_key(Key key, bool release) { keys_.Send_key(key, release); }
  void Send_copy_keys(Copy_paste_style style);
  void Send_paste_keys(Copy_paste_style style);

 private:
  // Lets the user interface run until the condition holds or the limit
  // passes; true when it held.
  bool Wait_for(const std::function<bool()>& condition, int limit_ms);
  void Wait_for_modifiers_up();
  std::string Convert_through_clipboard(Copy_paste_style style);
  std::string Convert_primary_selection();
  // Returns once the foreground application has handled what was sent to
  // it so far, or it cannot tell and a short pause has passed.
  void Let_foreground_catch_up();
  // Returns once this program's window has seen the window system's time
  // now, so that the clipboard it takes next is not refused as older than
  // the application's copy.
  void Let_own_window_catch_up();
  // Sends the paste keys and waits until the application has fetched the
  // pasted text and asks for no more. False when it fetched nothing.
  bool Paste_and_wait_for_fetches(Copy_paste_style style);
  // Gives the saved contents back unless another program took the
  // clipboard after `expected_change`.
  bool Restore(const Clipboard_contents& saved, std::uint64_t expected_change);

  Hotkey_window& window_;
  Keystroke_service& keys_;
  Clipboard_service& clipboard_;
  std::string notice_;  // shown once the conversion ends, when no message is
};

}  // namespace quorvandel
