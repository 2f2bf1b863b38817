// Words typed with the wrong keyboard layout active, judged one by one: a
// Hebrew word typed on the English layout ("akuo" for the keys of a Hebrew
// word) and an English word typed on the Hebrew layout. Each word is read
// as typed and as the other layout's keys read it; it is wrong when the
// other reading is clearly the better word, by the installed dictionary
// (engine/dictionary.h) and by the letter statistics. A word that reads as
// a word either way follows the words of its line that were judged surely.
#pragma once

#include <cstddef>

#include "engine/text.h"

namespace quorvandel::detection {

struct Wrong_layout_words {
  std::size_t hebrew_on_english = 0;  // Hebrew words typed on the English layout
  std::size_t english_on_hebrew = 0;  // English words typed on the Hebrew layout
  std::size_t words = 0;              // the words judged, right or wrong
  std::size_t letters = 0;            // the letters of the wrong words
  double lead_bits = 0;               // how much better the wrong words read retyped, summed

  bool Any() const { return hebrew_on_english + english_on_hebrew > 0; }
};

// Judges the words of one line. With `repaired`, also writes the line with
// its wrong words retyped on the right layout, every other unit as it was.
Wrong_layout_words Judge_line_layout(Text_view line, Text* repaired = nullptr);

// Judges the lines of a text, '\n' between them.
Wrong_layout_words Judge_text_layout(Text_view text);

// How many Hebrew words of a text the dictionary knows as they stand, and
// turned round (as visual order stores them); none without a dictionary.
struct Known_hebrew_words {
  std::size_t forwards = 0;
  std::size_t backwards = 0;
};
Known_hebrew_words Count_known_hebrew_words(Text_view text);

// Retypes the wrong words of a line in place.
void Repair_wrong_layout(Text& line);

}  // namespace quorvandel::detection
