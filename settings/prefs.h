// The in-memory model of every setting: one TPrefs per profile, owning its
// records; the settings holder (the default profile's TPrefs) also owns the
// global operation record and the profile list with the two hotkeys.
// Each field is named after the INI key that stores it.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace quorvandel {

class Ini_store;
class Message_sink;

// Bi-directional conversion options (per profile).
class TOptConversion {
 public:
  bool reverse_whole_line = false;
  bool reverse_hebrew_words = false;
  bool reverse_hebrew_phrases = false;
  bool reverse_english_words = false;
  bool reverse_english_phrases = false;
  bool reverse_numbers = false;
  bool reverse_html_tags = false;
  bool reverse_html_text = false;
  bool flip_parentheses = false;
  bool flip_brackets = false;
  bool flip_curly_parentheses = false;
  bool flip_angled_parentheses = false;
  bool complement_leading_spaces = false;
  bool truncate_trailing_spaces = false;
  std::int32_t line_length = 0;
  bool reverse_digit_sequences = false;
  bool reverse_numerical_expressions = false;
  bool number_separator_hyphen = false;
  bool number_separator_period = false;
  bool number_separator_slash = false;
  bool number_separator_comma = false;
  bool number_separator_plus_sign = false;
  bool number_separator_colon = false;
  bool number_separator_space = false;
  std::uint8_t reordering_method = 0;     // 0..1, see Reordering_method
  std::uint8_t reordering_direction = 0;  // 0..1, see Reordering_direction
  std::uint8_t paragraph_direction = 0;   // 0..2, see Paragraph_direction
};

// Source properties (per profile).
class TSourceProps {
 public:
  std::uint8_t source_char_set = 0;  // 0..5, see Char_set
  bool translate_hebrew_unicode = false;
  bool translate_email_style = false;
  // Detect how the text was garbled and convert with what was found instead
  // of the settings above (the other records still give the end of lines).
  bool convert_automatically = false;
};

// Destination properties (per profile).
class TDestProps {
 public:
  std::uint8_t destination_char_set = 0;     // 0..5, see Char_set
  std::uint8_t destination_eoln_format = 0;  // 0..2, see Eoln_format
  bool output_rtf_format = false;            // kept in the file; nothing reads it
  std::uint8_t english_letter_case = 0;      // 0..2, see Letter_case
};

// 'Qwerty' mapping options (per profile): the first eight act when reading a
// Qwerty source, the rest when writing a Qwerty destination.
class TOptQwerty {
 public:
  bool map_grave_to_semicolon = false;
  bool map_q_to_slash = false;
  bool map_w_to_apostrophe = false;
  bool map_semicolon_to_final_peh = false;
  bool map_apostrophe_to_comma = false;
  bool map_comma_to_tav = false;
  bool map_period_to_final_tsadi = false;
  bool map_slash_to_period = false;
  bool map_back_semicolon_to_grave = false;
  bool map_back_slash_to_q = false;
  bool map_back_apostrophe_to_w = false;
  bool map_back_final_peh = false;
  bool map_back_comma_to_apostrophe = false;
  bool map_back_tav_to_comma = false;
  bool map_back_final_tsadi_to_period = false;
  bool map_back_period_to_slash = false;
  bool final_peh_mapped_to_tilde = false;  // false: ';'  true: '~'
  bool map_tilde_to_final_peh = false;     // reading a Qwerty source: '~' is final Peh
};

// Global operation settings (the holder only).
class TOperation {
 public:
  bool launch_on_windows_startup = false;
  bool min_to_systray = false;  // false: taskbar and tray, true: tray only
  bool start_minimized = false;
  bool save_size_and_pos = false;
  std::int32_t window_pos_x = 0;
  std::int32_t window_pos_y = 0;
  std::int32_t window_width = 0;
  std::int32_t window_height = 0;
  bool confirm_overwrites = false;
  bool show_full_pathnames = false;
  std::string default_source_path;
  std::string default_dest_path;
  std::int32_t interface_language = 0;  // Interface_language; applies at the next start
};

class TMyHotkey {
 public:
  bool shift = false;
  bool ctrl = false;
  bool alt = false;
  std::uint8_t fkey = 0;  // 1..12 once loaded; virtual-key code 111 + fkey
};

// "Ctrl - Alt - Shift - F10": the modifiers that are set, always in that order.
std::string Hotkey_to_str(const TMyHotkey& hotkey);

// The character sets, end-of-line formats and letter cases as stored.
enum Char_set : std::uint8_t { cs_windows = 0, cs_dos = 1, cs_upper = 2, cs_lower = 3, cs_qwerty_upper = 4, cs_qwerty_lower = 5 };
enum Eoln_format : std::uint8_t { eoln_crlf = 0, eoln_lf = 1, eoln_cr = 2 };
enum Letter_case : std::uint8_t { case_as_is = 0, case_upper = 1, case_lower = 2 };

// How lines are reordered: by the classic reversals of runs of character
// kinds, or by the Unicode bidirectional algorithm, in either direction,
// for paragraphs of a given direction or of the direction of their first
// strong letter.
enum Reordering_method : std::uint8_t { reorder_classic = 0, reorder_bidi = 1 };
enum Reordering_direction : std::uint8_t { visual_to_logical = 0, logical_to_visual = 1 };
enum Paragraph_direction : std::uint8_t { paragraph_rtl = 0, paragraph_ltr = 1, paragraph_auto = 2 };

// The language of the desktop program's interface.
enum Interface_language : std::uint8_t { language_system = 0, language_english = 1, language_hebrew = 2 };
inline constexpr const char* interface_language_key = "interface_language";

inline constexpr int max_profiles = 10;

class TPrefs;

// Hotkeys and named profiles (the holder only).
class TOptProfiles {
 public:
  TOptProfiles();
  ~TOptProfiles();
  TOptProfiles(const TOptProfiles&) = delete;
  TOptProfiles& operator=(const TOptProfiles&) = delete;

  std::unique_ptr<TMyHotkey> hotkey_default;
  std::unique_ptr<TMyHotkey> hotkey_active;
  std::array<std::unique_ptr<TPrefs>, max_profiles> profiles;  // slot i: profile_names[i]
  std::vector<std::string> profile_names;                      // kept sorted
  std::int32_t profile_count = 0;
  std::int32_t active_profile = 0;  // 0: default profile; k: profile_names[k - 1]
  // A hotkey that copied nothing, or whose text was not pasted, says so in
  // a notice that takes no focus.
  bool show_hotkey_notices = true;
};

// Where the settings file lives and where its failures are reported.
struct TSettings_file {
  std::string ini_path;
  std::string program_folder;  // ends with its path separator
  Message_sink* sink = nullptr;
};

// One profile's settings object. The holder (is_profile false) also owns the
// operation record and the profile list.
class TPrefs {
 public:
  explicit TPrefs(bool is_profile, const TSettings_file* file = nullptr);
  ~TPrefs();
  TPrefs(const TPrefs&) = delete;
  TPrefs& operator=(const TPrefs&) = delete;

  bool is_profile;
  std::unique_ptr<TOptConversion> conversion;
  std::unique_ptr<TSourceProps> source_props;
  std::unique_ptr<TDestProps> dest_props;
  std::unique_ptr<TOperation> operation;  // holder only
  std::unique_ptr<TOptProfiles> profiles;  // holder only
  std::unique_ptr<TOptQwerty> qwerty;

  // The settings file's operations (prefs_file.cpp). Each guards its own
  // file access: a failure is reported to the file's message sink and the
  // operation returns normally.
  void Load_operation_settings(const std::string& section);
  void Save_operation_settings(const std::string& section);
  void Save_window_position(const std::string& section);
  void Load_settings(const std::string& section);
  void Save_settings(const std::string& section);

  const TSettings_file* file() const { return file_; }

  // The holder whose operation record this object's saves write; a named
  // profile's object reaches it through this link.
  TPrefs* holder = nullptr;

 private:
  const TSettings_file* file_;
};

// The settings of the active profile: the holder when active_profile is 0.
TPrefs& Active_settings(TPrefs& holder);

// Section names used by the settings file.
inline constexpr const char* configuration_section = "Configuration";
inline constexpr const char* default_settings_section = "Default_Settings";
inline constexpr const char* profile_section_prefix = "Profile_";
inline constexpr const char* default_profile_name = "Default profile";

}  // namespace quorvandel
