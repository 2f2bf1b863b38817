// Layer counting: one pass over a paragraph counts what every layer of the
// judgement looks for, the numeric references and quoted-printable escapes
// of Hebrew letters, UTF-8 misread as a Western code page, and the letters
// of each character set.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "engine/detection/mojibake.h"
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
// above 255.
const std::array<std::uint64_t, 257>& Letter_increments();

// Adds the letter counts of the fields to `counts`.
void Add_letter_fields(std::uint64_t fields, Layer_counts& counts);

// Counts every layer of a text of at most letter_block units.
Layer_counts Count_layers(Text_view text);

// The misreading of UTF-8 the counts show, when it has at least `fewest`
// misread letters and they are not outnumbered by the letters of code page
// 1255; Mojibake::none otherwise.
Mojibake Misread_kind(const Layer_counts& counts, std::size_t fewest);

}  // namespace quorvandel::detection
