// Settings objects for tests, filled with the loader's documented defaults,
// as a profile is after loading a settings file that lacks every key.
//
//   auto settings = quorvandel::test::Default_settings();
//   settings->conversion->reverse_whole_line = true;   // change what the test needs
//
// Header-only; the engine reads only the four per-profile records.
#pragma once

#include <memory>

#include "settings/prefs.h"

namespace quorvandel::test {

inline void Fill_default_conversion(TOptConversion& c) {
  c.reverse_whole_line = false;
  c.reverse_hebrew_words = false;
  c.reverse_hebrew_phrases = true;
  c.reverse_english_words = false;
  c.reverse_english_phrases = false;
  c.reverse_numbers = false;
  c.reverse_html_tags = false;
  c.reverse_html_text = false;
  c.flip_parentheses = false;
  c.flip_brackets = false;
  c.flip_curly_parentheses = false;
  c.flip_angled_parentheses = false;
  c.complement_leading_spaces = false;
  c.truncate_trailing_spaces = true;
  c.line_length = 80;
  c.reverse_digit_sequences = false;
  c.reverse_numerical_expressions = false;
  c.number_separator_hyphen = true;
  c.number_separator_period = true;
  c.number_separator_slash = true;
  c.number_separator_comma = false;
  c.number_separator_plus_sign = false;
  c.number_separator_colon = false;
  c.number_separator_space = false;
  c.reordering_method = reorder_classic;
  c.reordering_direction = visual_to_logical;
  c.paragraph_direction = paragraph_rtl;
}

inline void Fill_default_source(TSourceProps& s) {
  s.source_char_set = cs_windows;
  s.translate_hebrew_unicode = false;
  s.translate_email_style = false;
}

inline void Fill_default_dest(TDestProps& d) {
  d.destination_char_set = cs_windows;
  d.destination_eoln_format = eoln_crlf;
  d.output_rtf_format = false;
  d.english_letter_case = case_as_is;
}

// Every Qwerty flag is set except final_peh_mapped_to_tilde.
inline void Fill_default_qwerty(TOptQwerty& q) {
  q.map_grave_to_semicolon = true;
  q.map_q_to_slash = true;
  q.map_w_to_apostrophe = true;
  q.map_semicolon_to_final_peh = true;
  q.map_apostrophe_to_comma = true;
  q.map_comma_to_tav = true;
  q.map_period_to_final_tsadi = true;
  q.map_slash_to_period = true;
  q.map_back_semicolon_to_grave = true;
  q.map_back_slash_to_q = true;
  q.map_back_apostrophe_to_w = true;
  q.map_back_final_peh = true;
  q.map_back_comma_to_apostrophe = true;
  q.map_back_tav_to_comma = true;
  q.map_back_final_tsadi_to_period = true;
  q.map_back_period_to_slash = true;
  q.final_peh_mapped_to_tilde = false;
  q.map_tilde_to_final_peh = true;
}

// The default paths depend on the program's folder and are left empty.
inline void Fill_default_operation(TOperation& o) {
  o.launch_on_windows_startup = false;
  o.min_to_systray = false;
  o.start_minimized = false;
  o.save_size_and_pos = true;
  o.window_pos_x = -1;
  o.window_pos_y = -1;
  o.window_width = -1;
  o.window_height = -1;
  o.confirm_overwrites = true;
  o.show_full_pathnames = false;
}

// Fills every record the object owns; the holder's operation record and
// hotkeys (Ctrl + Shift + F12 and Ctrl + Shift + F11) too.
inline void Fill_default_settings(TPrefs& prefs) {
  Fill_default_conversion(*prefs.conversion);
  Fill_default_source(*prefs.source_props);
  Fill_default_dest(*prefs.dest_props);
  Fill_default_qwerty(*prefs.qwerty);
  if (prefs.operation) Fill_default_operation(*prefs.operation);
  if (prefs.profiles) {
    *prefs.profiles->hotkey_default = TMyHotkey{true, true, false, 12};
    *prefs.profiles->hotkey_active = TMyHotkey{true, true, false, 11};
  }
}

// A named profile's settings object (no operation record, no profile list)
// holding the defaults. Pass false for a holder.
inline std::unique_ptr<TPrefs> Default_settings(bool is_profile = true) {
  auto prefs = std::make_unique<TPrefs>(is_profile);
  Fill_default_settings(*prefs);
  return prefs;
}

}  // namespace quorvandel::test
