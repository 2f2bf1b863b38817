// The steps of a line conversion that change each character on its own —
// translation between the character sets, the case of English letters and
// bracket flipping — composed into one table, so that a line goes through
// all of them in a single pass.
#pragma once

#include <array>

#include "engine/text.h"
#include "settings/prefs.h"

namespace quorvandel {

// Forces the case of the English letters a..z / A..Z (english_letter_case 1
// upper, 2 lower, anything else leaves them).
void Force_letter_case(Text& line, int english_letter_case);

class Character_map {
 public:
  // Translation when the two sets differ, then letter case, then the
  // enabled bracket flips: exactly those steps, in that order.
  explicit Character_map(const TPrefs& settings);

  void Apply(Text& line) const {
    if (identity_) return;
    for (Unit& ch : line) ch = Is_byte(ch) ? map_[ch] : ch;
  }
  // The same for a line of bytes; only when Keeps_bytes().
  void Apply(Byte_text& line) const {
    if (identity_) return;
    for (char& ch : line) ch = byte_map_[static_cast<unsigned char>(ch)];
  }
  Unit operator()(Unit ch) const { return Is_byte(ch) ? map_[ch] : ch; }

  // Whether every byte maps to a byte, so that a line of bytes stays one.
  bool Keeps_bytes() const { return keeps_bytes_; }

 private:
  std::array<Unit, 256> map_{};
  std::array<char, 256> byte_map_{};  // map_ as bytes, where keeps_bytes_
  bool identity_ = true;  // no step changes any character
  bool keeps_bytes_ = true;
};

}  // namespace quorvandel
