#include "engine/char_sets.h"


namespace quorvandel {
namespace {

constexpr int letter_count = 27;
constexpr int final_peh = 19;
constexpr int final_tsadi = 21;
constexpr int tav = 26;
constexpr int alef = 0;
constexpr int vav = 5;

// The Latin key that types each letter on the Hebrew keyboard layout, in
// letter order; 0 where the letter sits on a punctuation key.
constexpr char keyboard_keys[letter_count + 1] = "TCDSVUZJYHLFKONIBXG\0P\0MERA\0";

constexpr char Keyboard_key(int letter) {
  return letter == final_peh || letter == final_tsadi || letter == tav ? 0 : keyboard_keys[letter];
}

// The letter typed by a capital key, or -1 for Q, W and the non-keys.
constexpr int Letter_of_key(Unit capital) {
  for (int letter = 0; letter < letter_count; ++letter) {
    if (Keyboard_key(letter) != 0 && static_cast<Unit>(Keyboard_key(letter)) == capital) return letter;
  }
  return -1;
}

constexpr Unit To_capital(Unit c) { return c - ('a' - 'A'); }
constexpr Unit To_small(Unit c) { return c + ('a' - 'A'); }
constexpr bool Between(Unit c, Unit low, Unit high) { return c >= low && c <= high; }

// What reading a character in the source set gives: a letter, or a
// non-letter character (possibly substituted).
struct Read_result {
  int letter = -1;  // 0..26, or -1 for a non-letter
  Unit character = 0;
};

Read_result Letter(int index) { return {index, 0}; }
Read_result Non_letter(Unit c) { return {-1, c}; }

Read_result Read_qwerty(Unit ch, bool capitals, const TOptQwerty& q) {
  const Unit key_low = capitals ? 'A' : 'a';
  if (Between(ch, key_low, key_low + 25)) {
    const Unit capital = capitals ? ch : To_capital(ch);
    if (capital == 'Q') return Non_letter(q.map_q_to_slash ? '/' : ch);
    if (capital == 'W') return Non_letter(q.map_w_to_apostrophe ? '\'' : ch);
    return Letter(Letter_of_key(capital));
  }
  switch (ch) {
    case '/': return Non_letter(q.map_slash_to_period ? '.' : ch);
    case '\'': return Non_letter(q.map_apostrophe_to_comma ? ',' : ch);
    case '`': return Non_letter(q.map_grave_to_semicolon ? ';' : ch);
    case ',': return q.map_comma_to_tav ? Letter(tav) : Non_letter(ch);
    case '.': return q.map_period_to_final_tsadi ? Letter(final_tsadi) : Non_letter(ch);
    case ';': return q.map_semicolon_to_final_peh ? Letter(final_peh) : Non_letter(ch);
    case '~': return q.map_tilde_to_final_peh ? Letter(final_peh) : Non_letter(ch);
    default: return Non_letter(ch);
  }
}

Read_result Read_letter(Unit ch, int source_set, const TOptQwerty& q) {
  switch (source_set) {
    case cs_windows:
      if (Between(ch, 224, 250)) return Letter(static_cast<int>(ch - 224));
      if (ch == 251) return Letter(vav);
      break;
    case cs_dos:
      if (Between(ch, 128, 154)) return Letter(static_cast<int>(ch - 128));
      break;
    case cs_upper:
      if (Between(ch, 'A', 'Z')) return Letter(static_cast<int>(ch - 'A'));
      break;
    case cs_lower:
      if (Between(ch, 'a', 'z')) return Letter(static_cast<int>(ch - 'a'));
      if (ch == '&') return Letter(alef);
      break;
    case cs_qwerty_upper:
      return Read_qwerty(ch, true, q);
    case cs_qwerty_lower:
      return Read_qwerty(ch, false, q);
    default:
      break;
  }
  return Non_letter(ch);
}

Unit Write_qwerty_letter(int letter, Unit source, bool capitals, const TOptQwerty& q) {
  switch (letter) {
    case final_peh:
      if (!q.map_back_final_peh) return source;
      return q.final_peh_mapped_to_tilde ? '~' : ';';
    case final_tsadi: return q.map_back_final_tsadi_to_period ? '.' : source;
    case tav: return q.map_back_tav_to_comma ? ',' : source;
    default: {
      const auto key = static_cast<Unit>(Keyboard_key(letter));
      return capitals ? key : To_small(key);
    }
  }
}

Unit Write_letter(int letter, Unit source, int dest_set, const TOptQwerty& q) {
  const auto index = static_cast<Unit>(letter);
  switch (dest_set) {
    case cs_windows: return 224 + index;
    case cs_dos: return 128 + index;
    case cs_upper: return 'A' + index;
    case cs_lower: return letter == alef ? '&' : 'a' + index;
    case cs_qwerty_upper: return Write_qwerty_letter(letter, source, true, q);
    case cs_qwerty_lower: return Write_qwerty_letter(letter, source, false, q);
    default: return source;
  }
}

Unit Write_non_letter(Unit c, int dest_set, const TOptQwerty& q) {
  if (dest_set != cs_qwerty_upper && dest_set != cs_qwerty_lower) return c;
  const bool capitals = dest_set == cs_qwerty_upper;
  switch (c) {
    case ';': return q.map_back_semicolon_to_grave ? '`' : c;
    case '/': return q.map_back_slash_to_q ? (capitals ? 'Q' : 'q') : c;
    case '\'': return q.map_back_apostrophe_to_w ? (capitals ? 'W' : 'w') : c;
    case ',': return q.map_back_comma_to_apostrophe ? '\'' : c;
    case '.': return q.map_back_period_to_slash ? '/' : c;
    default: return c;
  }
}

bool Is_english_letter(Unit ch, int source_set) {
  const bool capital = Between(ch, 'A', 'Z');
  const bool small = Between(ch, 'a', 'z');
  switch (source_set) {
    case cs_upper:
    case cs_qwerty_upper: return small;
    case cs_lower:
    case cs_qwerty_lower: return capital;
    case cs_windows:
    case cs_dos: return capital || small;
    default: return false;
  }
}

bool Is_hebrew_letter(Unit ch, int source_set) {
  switch (source_set) {
    case cs_windows: return Between(ch, 224, 251);
    case cs_dos: return Between(ch, 128, 154);
    case cs_upper:
    case cs_qwerty_upper: return Between(ch, 'A', 'Z');
    case cs_lower:
    case cs_qwerty_lower: return Between(ch, 'a', 'z');
    default: return false;
  }
}

bool Is_number_separator(Unit ch, const TOptConversion& c) {
  switch (ch) {
    case '-': return c.number_separator_hyphen;
    case '.': return c.number_separator_period;
    case ',': return c.number_separator_comma;
    case '/': return c.number_separator_slash;
    case ':': return c.number_separator_colon;
    case '+': return c.number_separator_plus_sign;
    case ' ': return c.number_separator_space;
    default: return false;
  }
}

}  // namespace

Unit Convert_letter(Unit ch, int source_set, int dest_set, const TOptQwerty& qwerty) {
  if (!Is_byte(ch)) return ch;
  const Read_result read = Read_letter(ch, source_set, qwerty);
  if (read.letter >= 0) return Write_letter(read.letter, ch, dest_set, qwerty);
  return Write_non_letter(read.character, dest_set, qwerty);
}

bool Is_of_kind(Unit ch, int kind, int source_set, const TOptConversion& conversion) {
  if (!Is_byte(ch)) return false;
  const bool digit = Between(ch, '0', '9');
  switch (kind) {
    case kind_english_letter: return Is_english_letter(ch, source_set);
    case kind_english_phrase: return ch == ' ' || Is_english_letter(ch, source_set);
    case kind_hebrew_letter: return Is_hebrew_letter(ch, source_set);
    case kind_hebrew_phrase: return ch == ' ' || Is_hebrew_letter(ch, source_set);
    case kind_digit: return digit;
    case kind_expression: return digit || Is_number_separator(ch, conversion);
    default: return false;
  }
}

bool Is_of_kind(Unit ch, int kind, const TPrefs& settings) {
  return Is_of_kind(ch, kind, settings.source_props->source_char_set, *settings.conversion);
}

const char* Char_set_name(int set) {
  static constexpr const char* names[] = {"Windows", "DOS", "Upper", "Lower", "Qwerty (U)", "Qwerty (L)"};
  return set >= 0 && set <= 5 ? names[set] : "None";
}

Letter_table::Letter_table(int source_set, int dest_set, const TOptQwerty& qwerty) {
  for (Unit b = 0; b <= last_byte_unit; ++b) {
    const Unit converted = Convert_letter(b, source_set, dest_set, qwerty);
    map_[b] = converted == 0 ? ' ' : converted;
  }
}

Kind_table::Kind_table(int source_set, const TOptConversion& conversion) {
  for (Unit b = 0; b <= last_byte_unit; ++b) {
    for (int kind = kind_english_letter; kind <= kind_expression; ++kind) {
      if (Is_of_kind(b, kind, source_set, conversion)) bits_[b] = static_cast<std::uint8_t>(bits_[b] | 1U << kind);
    }
  }
  for (int kind = kind_english_letter; kind <= kind_expression; ++kind) {
    Byte_ranges& ranges = ranges_[static_cast<std::size_t>(kind)];
    for (unsigned b = 0; b <= last_byte_unit; ++b) {
      if ((bits_[b] >> kind & 1U) == 0) continue;
      Byte_ranges::Range* const last = ranges.count > 0 ? &ranges.ranges[static_cast<std::size_t>(ranges.count - 1)] : nullptr;
      if (last && last->first[0] + last->width[0] + 1U == b) {
        last->width.fill(static_cast<std::uint8_t>(last->width[0] + 1));
      } else if (ranges.count == Byte_ranges::most) {
        ranges = Byte_ranges{};
        ranges.too_many = true;
        break;
      } else {
        Byte_ranges::Range& range = ranges.ranges[static_cast<std::size_t>(ranges.count++)];
        range.first.fill(static_cast<std::uint8_t>(b));
        range.width.fill(0);
      }
    }
  }
}

}  // namespace quorvandel
