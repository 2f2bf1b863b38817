#include "settings/profile_keys.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <type_traits>

namespace quorvandel {
namespace {

template <typename Field>
Field Narrow(std::int32_t value) {
  if constexpr (std::is_same_v<Field, bool>) {
    return value != 0;
  } else {
    return static_cast<Field>(value);
  }
}

// One row per key: its record, its field (named as the key) and its default.
#define PROFILE_KEY(kind, record, field, default_value)                                          \
  Profile_key {                                                                                \
    #field, kind, default_value, [](const TPrefs& p) { return static_cast<std::int32_t>(p.record->field); }, \
        [](TPrefs& p, std::int32_t v) { p.record->field = Narrow<decltype(p.record->field)>(v); }         \
  }
#define BOOLEAN_KEY(record, field, d) PROFILE_KEY(Key_kind::boolean, record, field, d)
#define INTEGER_KEY(record, field, d) PROFILE_KEY(Key_kind::integer, record, field, d)
#define CHAR_SET_KEY(record, field, d) PROFILE_KEY(Key_kind::char_set, record, field, d)
#define EOLN_KEY(record, field, d) PROFILE_KEY(Key_kind::eoln_format, record, field, d)
#define CASE_KEY(record, field, d) PROFILE_KEY(Key_kind::letter_case, record, field, d)
#define CHOICE_KEY(record, field, d) PROFILE_KEY(Key_kind::field, record, field, d)

const std::array profile_keys = {
    BOOLEAN_KEY(conversion, reverse_whole_line, 0),
    BOOLEAN_KEY(conversion, reverse_hebrew_words, 0),
    BOOLEAN_KEY(conversion, reverse_hebrew_phrases, 1),
    BOOLEAN_KEY(conversion, reverse_english_words, 0),
    BOOLEAN_KEY(conversion, reverse_english_phrases, 0),
    BOOLEAN_KEY(conversion, reverse_numbers, 0),
    BOOLEAN_KEY(conversion, reverse_html_tags, 0),
    BOOLEAN_KEY(conversion, reverse_html_text, 0),
    BOOLEAN_KEY(conversion, flip_parentheses, 0),
    BOOLEAN_KEY(conversion, flip_brackets, 0),
    BOOLEAN_KEY(conversion, flip_curly_parentheses, 0),
    BOOLEAN_KEY(conversion, flip_angled_parentheses, 0),
    BOOLEAN_KEY(conversion, complement_leading_spaces, 0),
    BOOLEAN_KEY(conversion, truncate_trailing_spaces, 1),
    INTEGER_KEY(conversion, line_length, 80),
    BOOLEAN_KEY(conversion, reverse_digit_sequences, 0),
    BOOLEAN_KEY(conversion, reverse_numerical_expressions, 0),
    BOOLEAN_KEY(conversion, number_separator_hyphen, 1),
    BOOLEAN_KEY(conversion, number_separator_period, 1),
    BOOLEAN_KEY(conversion, number_separator_slash, 1),
    BOOLEAN_KEY(conversion, number_separator_comma, 0),
    BOOLEAN_KEY(conversion, number_separator_plus_sign, 0),
    BOOLEAN_KEY(conversion, number_separator_colon, 0),
    BOOLEAN_KEY(conversion, number_separator_space, 0),
    CHAR_SET_KEY(source_props, source_char_set, 0),
    BOOLEAN_KEY(source_props, translate_hebrew_unicode, 0),
    BOOLEAN_KEY(source_props, translate_email_style, 0),
    CHAR_SET_KEY(dest_props, destination_char_set, 0),
    EOLN_KEY(dest_props, destination_eoln_format, 0),
    BOOLEAN_KEY(dest_props, output_rtf_format, 0),
    CASE_KEY(dest_props, english_letter_case, 0),
    BOOLEAN_KEY(qwerty, map_grave_to_semicolon, 1),
    BOOLEAN_KEY(qwerty, map_q_to_slash, 1),
    BOOLEAN_KEY(qwerty, map_w_to_apostrophe, 1),
    BOOLEAN_KEY(qwerty, map_semicolon_to_final_peh, 1),
    BOOLEAN_KEY(qwerty, map_apostrophe_to_comma, 1),
    BOOLEAN_KEY(qwerty, map_comma_to_tav, 1),
    BOOLEAN_KEY(qwerty, map_period_to_final_tsadi, 1),
    BOOLEAN_KEY(qwerty, map_slash_to_period, 1),
    BOOLEAN_KEY(qwerty, map_back_semicolon_to_grave, 1),
    BOOLEAN_KEY(qwerty, map_back_slash_to_q, 1),
    BOOLEAN_KEY(qwerty, map_back_apostrophe_to_w, 1),
    BOOLEAN_KEY(qwerty, map_back_final_peh, 1),
    BOOLEAN_KEY(qwerty, map_back_comma_to_apostrophe, 1),
    BOOLEAN_KEY(qwerty, map_back_tav_to_comma, 1),
    BOOLEAN_KEY(qwerty, map_back_final_tsadi_to_period, 1),
    BOOLEAN_KEY(qwerty, map_back_period_to_slash, 1),
    BOOLEAN_KEY(qwerty, final_peh_mapped_to_tilde, 0),
    BOOLEAN_KEY(qwerty, map_tilde_to_final_peh, 1),
    BOOLEAN_KEY(source_props, convert_automatically, 0),
    CHOICE_KEY(conversion, reordering_method, 0),
    CHOICE_KEY(conversion, reordering_direction, 0),
    CHOICE_KEY(conversion, paragraph_direction, 0),
};

#undef CHOICE_KEY
#undef CASE_KEY
#undef EOLN_KEY
#undef CHAR_SET_KEY
#undef INTEGER_KEY
#undef BOOLEAN_KEY
#undef PROFILE_KEY

bool Equal_ignoring_case(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto fold = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

}  // namespace

std::span<const Profile_key> Profile_keys() { return profile_keys; }

const Profile_key* Find_profile_key(std::string_view name) {
  for (const Profile_key& key : profile_keys) {
    if (Equal_ignoring_case(key.name, name)) return &key;
  }
  return nullptr;
}

bool Accepts_value(const Profile_key& key, std::int32_t value) {
  switch (key.kind) {
    case Key_kind::char_set: return value >= 0 && value <= 5;
    case Key_kind::reordering_method:
    case Key_kind::reordering_direction: return value >= 0 && value <= 1;
    case Key_kind::eoln_format:
    case Key_kind::letter_case:
    case Key_kind::paragraph_direction: return value >= 0 && value <= 2;
    default: return true;
  }
}

std::optional<std::int32_t> Parse_setting_value(std::string_view text) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
    if (text.front() == '-' || text.front() == '+') return std::nullopt;
  }
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (error != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
  if (value < INT32_MIN || value > INT32_MAX) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace quorvandel
