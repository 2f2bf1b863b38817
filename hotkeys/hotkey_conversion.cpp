#include "hotkeys/hotkey_conversion.h"

#include <chrono>

#include <utility>

namespace quorvandel {
namespace {

// Joins the messages of one conversion into the one message shown.
void Append_message(std::string& message, const std::string& more) {
  if (more.empty()) return;
  if (!message.empty()) message += '\n';
  message += more;
}

}  // namespace

Hotkey_conversion::Hotkey_conversion(Hotkey_window& window, Keystroke_service& keys, Clipboard_service& clipboard)
    : window_(window), keys_(keys), clipboard_(clipboard) {}

void Hotkey_conversion::WMHotKey(int id) {
  const int remembered_profile = window_.Active_profile();
  if (!window_.Hotkeys_enabled() || window_.Hotkey_busy()) return;
  if (id == default_hotkey_id) window_.Change_profile(0);
  std::string message;
  if (id == default_hotkey_id || id == active_hotkey_id) {
    window_.Set_hotkey_busy(true);
    message = Hotkey_convert_by_keyboard_event();
  }
  window_.Change_profile(remembered_profile);
  if (!message.empty()) window_.Show_message(message);
}

std::string Hotkey_conversion::Hotkey_convert_by_keyboard_event() {
  Wait_for_modifiers_up();
  // Keys that cannot be sent would leave the clipboard emptied for nothing.
  if (std::string why = keys_.Prepare(); !why.empty()) {
    window_.Set_hotkey_busy(false);
    return why;
  }
  const Copy_paste_style style = keys_.Foreground_style();
  notice_.clear();
  std::string message = style == Copy_paste_style::primary_selection ? Convert_primary_selection()
                                                                      : Convert_through_clipboard(style);
  window_.Set_hotkey_busy(false);
  // A real error is shown as a message; the notices only tell, passively.
  if (message.empty() && !notice_.empty()) window_.Show_notice(notice_);
  return message;
}

void Hotkey_conversion::Wait_for_modifiers_up() {
  // Keys sent while the user still holds the hotkey's Shift or Ctrl would
  // reach the application with them; Alt is not waited for.
  while (keys_.Is_down(Key::shift) || keys_.Is_down(Key::control)) window_.Wait_milliseconds(poll_interval_ms);
}

std::string Hotkey_conversion::Convert_through_clipboard(Copy_paste_style style) {
  const std::optional<Clipboard_contents> saved = clipboard_.Read_all(saved_clipboard_limit);
  if (!saved) return clipboard_not_saved_message;
  Let_own_window_catch_up();
  if (!clipboard_.Write_all({})) return clipboard_not_emptied_message;  // it was not taken
  std::uint64_t expected_change = clipboard_.Change_count();

  Send_copy_keys(style);
  // The copy has arrived when the clipboard changed hands and holds text;
  // a change that leaves it empty is the echo of emptying it.
  std::uint64_t looked_at = expected_change;
  std::optional<std::string> selection;
  const bool copied = Wait_for(
      [&] {
        const std::uint64_t now = clipboard_.Change_count();
        if (now == looked_at) return false;
        looked_at = now;
        selection = clipboard_.Read_text();
        return selection.has_value();
      },
      copy_wait_limit_ms);
  if (copied) expected_change = looked_at;
  if (!copied || selection->empty()) notice_ = nothing_selected_notice;

  std::string message;
  // Nothing copied converts the empty text: both panes end empty.
  const Pane_conversion conversion = window_.Convert_through_panes(selection.value_or(std::string()));
  if (!conversion.converted) {
    message = conversion.error;
  } else if (!conversion.text.empty()) {
    Let_own_window_catch_up();  // the application copied since
    if (!clipboard_.Write_text(conversion.text, true)) {
      message = converted_not_placed_message;
    } else {
      expected_change = clipboard_.Change_count();
      // An application that still believes it owns the clipboard pastes
      // its own copy: the keys wait until it handled the loss.
      Let_foreground_catch_up();
      if (!Paste_and_wait_for_fetches(style)) notice_ = not_pasted_notice;
    }
  }
  if (!Restore(*saved, expected_change)) Append_message(message, clipboard_not_restored_message);
  return message;
}

std::string Hotkey_conversion::Convert_primary_selection() {
  // The terminal's selection is the primary selection already; the paste
  // takes the primary selection too, so the clipboard is never touched.
  const std::string selection = clipboard_.Read_primary_text().value_or(std::string());
  if (selection.empty()) notice_ = nothing_selected_notice;
  const Pane_conversion conversion = window_.Convert_through_panes(selection);
  if (!conversion.converted) return conversion.error;
  if (conversion.text.empty()) return {};
  Let_own_window_catch_up();  // the terminal selected since
  if (!clipboard_.Write_primary_text(conversion.text)) return primary_not_placed_message;
  if (!Paste_and_wait_for_fetches(Copy_paste_style::primary_selection)) notice_ = not_pasted_notice;
  return {};
}

void Hotkey_conversion::Let_foreground_catch_up() {
  if (keys_.Ask_foreground_to_answer()) {
    Wait_for([&] { return keys_.Foreground_answered(); }, answer_wait_limit_ms);
  } else {
    window_.Wait_milliseconds(unanswered_pause_ms);
  }
}

void Hotkey_conversion::Let_own_window_catch_up() {
  if (keys_.Ask_own_window_to_answer()) Wait_for([&] { return keys_.Foreground_answered(); }, answer_wait_limit_ms);
}

bool Hotkey_conversion::Paste_and_wait_for_fetches(Copy_paste_style style) {
  std::uint64_t fetches = clipboard_.Fetch_count();
  Send_paste_keys(style);
  if (!Wait_for([&] { return clipboard_.Fetch_count() != fetches; }, fetch_wait_limit_ms)) return false;
  // A paste may fetch several formats one after the other, and a browser
  // engine fetches once when the clipboard changes hands and only then
  // for the paste, which its page asks for later: the text stays until the
  // application answered and then fetched nothing for a while.
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(fetch_wait_limit_ms);
  do {
    fetches = clipboard_.Fetch_count();
    if (keys_.Ask_foreground_to_answer()) Wait_for([&] { return keys_.Foreground_answered(); }, answer_wait_limit_ms);
    Wait_for([&] { return clipboard_.Fetch_count() != fetches; }, fetch_quiet_ms);
  } while (clipboard_.Fetch_count() != fetches && std::chrono::steady_clock::now() < end);
  return true;
}

bool Hotkey_conversion::Restore(const Clipboard_contents& saved, std::uint64_t expected_change) {
  // Whoever took the clipboard since then holds what the user copied last.
  if (clipboard_.Change_count() != expected_change) return true;
  return clipboard_.Write_all(saved);
}

bool Hotkey_conversion::Wait_for(const std::function<bool()>& condition, int limit_ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limit_ms);
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= end) return false;
    window_.Wait_milliseconds(poll_interval_ms);
  }
  return true;
}

std::string Hotkey_conversion::Quick_convert() {
  const Pane_conversion conversion = window_.Convert_through_panes(Get_clipboard_text(false));
  if (!conversion.converted) return conversion.error;
  Put_clipboard_text(conversion.text);
  return {};
}

std::string Hotkey_conversion::Get_clipboard_text(bool empty_after) {
  std::string text = clipboard_.Read_text().value_or(std::string());
  if (empty_after) clipboard_.Write_all({});
  return text;
}

bool Hotkey_conversion::Put_clipboard_text(const std::string& text, bool transient) {
  if (text.empty()) return true;
  return clipboard_.Write_text(text, transient);
}

void Hotkey_conversion::Send_copy_keys(Copy_paste_style style) {
  switch (style) {
    case Copy_paste_style::control_keys:
      Send_key(Key::control, false);
      Send_key(Key::c, false);
      Send_key(Key::c, true);
      Send_key(Key::control, true);
      break;
    case Copy_paste_style::control_shift_keys:
      Send_key(Key::control, false);
      Send_key(Key::shift, false);
      Send_key(Key::c, false);
      Send_key(Key::c, true);
      Send_key(Key::shift, true);
      Send_key(Key::control, true);
      break;
    case Copy_paste_style::primary_selection:
      break;  // selecting is copying there
  }
}

void Hotkey_conversion::Send_paste_keys(Copy_paste_style style) {
  switch (style) {
    case Copy_paste_style::control_keys:
      Send_key(Key::control, false);
      Send_key(Key::v, false);
      Send_key(Key::v, true);
      Send_key(Key::control, true);
      break;
    case Copy_paste_style::control_shift_keys:
      Send_key(Key::control, false);
      Send_key(Key::shift, false);
      Send_key(Key::v, false);
      Send_key(Key::v, true);
      Send_key(Key::shift, true);
      Send_key(Key::control, true);
      break;
    case Copy_paste_style::primary_selection:
      Send_key(Key::shift, false);
      Send_key(Key::insert, false);
      Send_key(Key::insert, true);
      Send_key(Key::shift, true);
      break;
  }
}

}  // namespace quorvandel
