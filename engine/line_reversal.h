// Reversal of one line between visual and logical order: bracket flipping,
// whole-line reversal, reversal of runs of one kind, and the space
// adjustment after a whole-line reversal. Positions count from 1.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/char_sets.h"
#include "engine/text.h"

namespace quorvandel {

// Swaps the opening and closing character of each enabled pair:
// ( ) [ ] { } < >. Each character changes at most once.
void Flip_parentheses(Text& line, bool parentheses, bool brackets, bool curly_braces, bool angle_brackets);

void Reverse_string(Text& line);
void Reverse_string(Byte_text& line);

// Reverses `count` characters from position `start` (1-based). A count of 0
// or less does nothing; the stretch is clipped to the line.
void Reverse_substring(Text& line, std::int64_t start, std::int64_t count);
void Reverse_substring(Byte_text& line, std::int64_t start, std::int64_t count);

// Reverses in place every maximal run of characters of the kind.
void Reverse_elements(Text& line, int kind, const Kind_table& kinds);

// Reverses the runs of several kinds in one line, one kind after another,
// judging each unit's kinds once per line: the kinds travel with their
// units. A line of bytes is judged anew by each kind, many bytes at a time,
// which costs less than carrying the kinds along. Reverse(line, kind) after
// Start(line, kinds) does what Reverse_elements does, as long as nothing
// else changes the line in between; `kinds` must outlive the Reverse calls.
class Run_reverser {
 public:
  void Start(const Text& line, const Kind_table& kinds);
  void Start(const Byte_text& line, const Kind_table& kinds);
  // `last` tells that no Reverse follows on this line, so the units' kinds
  // need not follow them any more.
  void Reverse(Text& line, int kind, bool last = false);
  void Reverse(Byte_text& line, int kind, bool last = false);

 private:
  template <typename Line>
  void Start_units(const Line& line, const Kind_table& kinds);
  template <typename Line>
  void Reverse_units(Line& line, int kind, bool last);

  std::vector<std::uint8_t> kinds_of_;  // the kinds of each unit of the line, as bits
  std::uint8_t kinds_present_ = 0;      // the kinds of any unit of the line
  const Kind_table* byte_kinds_ = nullptr;  // for a line of bytes, judged as it goes
};

// The space adjustment after a whole-line reversal; the length may change.
void Adjust_spaces(Text& line, bool complement_leading_spaces, bool truncate_trailing_spaces,
                   std::int32_t line_length);
void Adjust_spaces(Byte_text& line, bool complement_leading_spaces, bool truncate_trailing_spaces,
                   std::int32_t line_length);

void Truncate_trailing_spaces(Text& line);

}  // namespace quorvandel
