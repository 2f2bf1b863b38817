// Letter statistics of Hebrew and English words, generated at build time by
// gen/make_letter_tables.cpp: entry [a][b][c] is log2 of the probability that
// symbol c follows the symbols a and b in a word, times letter_table_scale;
// a word starts after two boundaries and ends with one. Hebrew symbols
// are the letters 0..26 in code page 1255 order and 27, the word boundary;
// English symbols are a..z as 0..25 and 26, the boundary.
#pragma once

#include <cstdint>

namespace quorvandel::detection {

inline constexpr int hebrew_boundary = 27;
inline constexpr int english_boundary = 26;
inline constexpr int letter_table_scale = 16;  // table units per bit

extern const std::int16_t hebrew_trigrams[28][28][28];
extern const std::int16_t english_trigrams[27][27][27];

}  // namespace quorvandel::detection
