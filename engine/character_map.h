// The steps of a line conversion that change each character on its own —
// translation between the character sets, the case of English letters and
// bracket flipping — composed into one table, so that a line goes through
// all of them in a single pass.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

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
    if (!identity_) Apply_to_bytes(line.data(), line.size());
  }
  Unit operator()(Unit ch) const { return Is_byte(ch) ? map_[ch] : ch; }

  // Whether every byte maps to a byte, so that a line of bytes stays one.
  bool Keeps_bytes() const { return keeps_bytes_; }

 private:
  void Apply_to_bytes(char* bytes, std::size_t count) const;

  // A stretch of bytes that the map moves by one amount (modulo 256): the
  // few of them that a usual map has change sixteen bytes at a time. Each
  // value is held sixteen times, as the vector loads it.
  struct Shift {
    alignas(16) std::array<std::uint8_t, 16> first;
    alignas(16) std::array<std::uint8_t, 16> width;  // last - first
    alignas(16) std::array<std::uint8_t, 16> amount;
  };
  static constexpr int most_shifts = 8;

  std::array<Unit, 256> map_{};
  std::array<char, 256> byte_map_{};  // map_ as bytes, where keeps_bytes_
  std::array<Shift, most_shifts> shifts_{};
  int shift_count_ = 0;  // most_shifts + 1 when there are more: the table serves
  bool identity_ = true;  // no step changes any character
  bool keeps_bytes_ = true;
};

}  // namespace quorvandel
