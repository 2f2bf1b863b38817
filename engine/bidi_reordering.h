// Reordering of lines by the Unicode bidirectional algorithm, in both
// directions: logical to visual as the algorithm shows a line, and visual
// to logical as the logical line that the algorithm would show as exactly
// the given visual one.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "engine/bidi_algorithm.h"
#include "engine/char_sets.h"
#include "engine/text.h"
#include "settings/prefs.h"

namespace quorvandel {

class Bidi_reordering {
 public:
  // Lines in `char_set` (the set that the line conversion has translated
  // them into, whose Hebrew letters `qwerty` tells for the Qwerty sets),
  // paragraphs of `direction`.
  Bidi_reordering(const Bidi_algorithm& algorithm, int char_set, const TOptQwerty& qwerty,
                  Paragraph_direction direction);

  // Both throw Conversion_error when the algorithm fails (no memory), and
  // leave the line as it was.
  void To_visual(Text& line);
  // Returns false when no logical line shows as exactly this one; the line
  // then holds the nearest reading found.
  bool To_logical(Text& line);

 private:
  char32_t Character(Unit unit) const { return Is_byte(unit) ? characters_[unit] : Unicode_from_unit_(unit); }
  static char32_t Unicode_from_unit_(Unit unit);
  Unit Unit_for(char32_t character) const;
  bool Writes(char32_t character) const;
  void Take_characters(const Text& line);
  char32_t Mirror(char32_t c) const;
  bool Only_right_to_left_and_neutral(const Text& line) const;
  void Reverse_mirrored(Text& line) const;
  bool Reorder_without_algorithm(Text& line) const;
  void Show(const std::u32string& logical);  // throws Conversion_error when the algorithm fails
  bool Try_reading(const Text& line, Paragraph_direction base, Text& reading);
  struct Stretch {
    std::size_t start;
    std::size_t end;
  };
  Stretch Right_to_left_stretch(std::size_t j, std::size_t previous_end) const;
  void Guess_left_to_right();
  void Guess_right_to_left(std::size_t from, std::size_t to, std::size_t& out);
  bool Settle_reading(int rounds);
  bool Write_reading(const Text& line, Text& reading) const;

  const Bidi_algorithm* algorithm_;
  Paragraph_direction direction_;
  std::array<char32_t, 256> characters_{};  // what each byte of the set is, for the algorithm
  std::array<std::uint8_t, 256> simple_{};  // 1: a byte that is a right-to-left
                                            // letter or a neutral of no mirror
  // Buffers reused from line to line.
  std::u32string logical_;
  std::u32string visual_;
  std::vector<std::int32_t> positions_;  // candidate reading: visual position of each logical one
  std::vector<std::uint8_t> mirrored_;
  std::vector<std::int32_t> next_positions_;
  std::vector<std::uint8_t> next_mirrored_;
  std::vector<std::size_t> closers_;
  Text shown_;
  Text reading_;
  Bidi_picture picture_;
};

}  // namespace quorvandel
