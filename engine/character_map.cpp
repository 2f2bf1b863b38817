#include "engine/character_map.h"

#include "engine/char_sets.h"
#include "engine/line_reversal.h"

namespace quorvandel {

void Force_letter_case(Text& line, int english_letter_case) {
  if (english_letter_case == case_upper) {
    for (Unit& c : line) {
      if (c >= 'a' && c <= 'z') c -= 'a' - 'A';
    }
  } else if (english_letter_case == case_lower) {
    for (Unit& c : line) {
      if (c >= 'A' && c <= 'Z') c += 'a' - 'A';
    }
  }
}

Character_map::Character_map(const TPrefs& settings) {
  // Run every byte through the steps themselves, as one line of 256 units.
  Text bytes(256, 0);
  for (Unit b = 0; b <= last_byte_unit; ++b) bytes[b] = b;

  const int source_set = settings.source_props->source_char_set;
  const int dest_set = settings.dest_props->destination_char_set;
  if (source_set != dest_set) {
    const Letter_table letters(source_set, dest_set, *settings.qwerty);
    for (Unit& ch : bytes) ch = letters(ch);
  }
  Force_letter_case(bytes, settings.dest_props->english_letter_case);
  const TOptConversion& c = *settings.conversion;
  // The bidirectional algorithm mirrors brackets itself.
  if (c.reordering_method != reorder_bidi) {
    Flip_parentheses(bytes, c.flip_parentheses, c.flip_brackets, c.flip_curly_parentheses, c.flip_angled_parentheses);
  }
  for (Unit b = 0; b <= last_byte_unit; ++b) {
    map_[b] = bytes[b];
    byte_map_[b] = static_cast<char>(static_cast<unsigned char>(bytes[b]));
    identity_ = identity_ && bytes[b] == b;
    keeps_bytes_ = keeps_bytes_ && Is_byte(bytes[b]);
  }
}

}  // namespace quorvandel
