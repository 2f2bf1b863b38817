// The character model: the six character sets, letter translation between
// them, and the character kinds that the line reversal works on.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>

#include "engine/text.h"
#include "settings/prefs.h"

namespace quorvandel {

// The kinds of Is_of_kind, numbered as the reversal steps ask for them.
enum Kind : int {
  kind_english_letter = 1,
  kind_english_phrase = 2,  // English letter or space
  kind_hebrew_letter = 3,
  kind_hebrew_phrase = 4,  // Hebrew letter or space
  kind_digit = 5,
  kind_expression = 6,  // digit or an enabled number separator
};

// Translates one character from the source set to the destination set.
// Units above 255 and every byte that is not a letter of the source set
// (after the Qwerty substitutions) pass through unchanged.
Unit Convert_letter(Unit ch, int source_set, int dest_set, const TOptQwerty& qwerty);

// Whether ch is of the kind, judged by the source set of the settings.
bool Is_of_kind(Unit ch, int kind, const TPrefs& settings);
bool Is_of_kind(Unit ch, int kind, int source_set, const TOptConversion& conversion);

// Short name of a set for the status line; "None" for any other value.
const char* Char_set_name(int set);

// Convert_letter for all 256 bytes of one pair of sets, with the line
// conversion's rule that a result of 0 becomes a space.
class Letter_table {
 public:
  Letter_table(int source_set, int dest_set, const TOptQwerty& qwerty);
  Unit operator()(Unit ch) const { return Is_byte(ch) ? map_[ch] : ch; }

 private:
  std::array<Unit, 256> map_{};
};

// The bytes of one kind as ranges of consecutive bytes, so that many bytes
// can be judged at a time; at most `most` ranges, else none (too_many).
// Each value is held sixteen times, as a vector loads it.
struct Byte_ranges {
  static constexpr int most = 6;
  int count = 0;
  bool too_many = false;
  struct Range {
    alignas(16) std::array<std::uint8_t, 16> first;
    alignas(16) std::array<std::uint8_t, 16> width;  // last - first
  };
  std::array<Range, most> ranges{};
};

// Is_of_kind for all 256 bytes and all six kinds.
class Kind_table {
 public:
  Kind_table(int source_set, const TOptConversion& conversion);
  bool Is(Unit ch, int kind) const {
    // Every unit above 255 shares the last entry, which is of no kind.
    return kind >= 1 && kind <= 6 && (Kinds_of(ch) >> kind & 1U) != 0;
  }

  // The kinds of a unit as bits: bit k set for kind k.
  std::uint8_t Kinds_of(Unit ch) const { return bits_[std::min<Unit>(ch, 256)]; }
  std::uint8_t Kinds_of(char byte) const { return bits_[static_cast<unsigned char>(byte)]; }

  // The bytes of kind 1..6 as ranges.
  const Byte_ranges& Ranges_of(int kind) const { return ranges_[static_cast<std::size_t>(kind)]; }

 private:
  std::array<std::uint8_t, 257> bits_{};
  std::array<Byte_ranges, 7> ranges_{};
};

}  // namespace quorvandel
