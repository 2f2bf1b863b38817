// Layer counting: one pass over a paragraph counts what every layer of the
// judgement looks for, the numeric references and quoted-printable escapes
// of Hebrew letters, UTF-8 misread as a Western code page, and the letters
// of each character set.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/detection/mojibake.h"
#include "engine/detection/trigram_scores.h"
#include "engine/text.h"

namespace quorvandel::detection {

struct Layer_counts {
  std::size_t entities = 0;    // references to Hebrew letters
  std::size_t escapes = 0;     // escapes of letters of code page 1255, or of UTF-8 Hebrew lead bytes
  std::size_t misread_western = 0;
  std::size_t misread_raw = 0;
  std::size_t letters_1255 = 0;
  std::size_t letters_862 = 0;
  std::size_t capitals = 0;
  std::size_t smalls = 0;
};

// The letter counts add up in one word of four 16-bit fields, the code
// page 1255 letters, the code page 862 letters, the capitals and the
// small letters: one table look-up and one addition a unit, no branch.
// A field holds the count of up to letter_block units.
inline constexpr std::size_t letter_block = 0xFFFF;

// Each unit's addition to the fields; the last entry is that of every unit
// above 255. The small functions here are inline, as they are called for
// every paragraph, and paragraphs may be a line of a few words each.
inline constexpr std::array<std::uint64_t, 257> letter_increments = [] {
  std::array<std::uint64_t, 257> t{};
  for (Unit u = 0; u <= last_byte_unit; ++u) {
    if (u >= first_1255_letter && u <= last_1255_letter) t[u] = 1;
    if (u >= first_862_letter && u <= last_862_letter) t[u] = 1ULL << 16;
    if (u >= 'A' && u <= 'Z') t[u] = 1ULL << 32;
    if (u >= 'a' && u <= 'z') t[u] = 1ULL << 48;
  }
  return t;
}();
inline const std::array<std::uint64_t, 257>& Letter_increments() { return letter_increments; }

// Adds the letter counts of the fields to `counts`.
inline void Add_letter_fields(std::uint64_t fields, Layer_counts& c) {
  c.letters_1255 += fields & 0xFFFF;
  c.letters_862 += fields >> 16 & 0xFFFF;
  c.capitals += fields >> 32 & 0xFFFF;
  c.smalls += fields >> 48;
}

// Counts every layer of a text of at most letter_block units.
Layer_counts Count_layers(Text_view text);

// The misreading of UTF-8 the counts show, when it has at least `fewest`
// misread letters and they are not outnumbered by the letters of code page
// 1255; Mojibake::none otherwise.
inline Mojibake Misread_kind(const Layer_counts& c, std::size_t fewest) {
  const std::size_t most = std::max(c.misread_western, c.misread_raw);
  if (most < fewest || most * 2 < c.letters_1255) return Mojibake::none;
  return c.misread_raw > c.misread_western ? Mojibake::raw_bytes : Mojibake::western_characters;
}

}  // namespace quorvandel::detection
