#include "engine/detection/trigram_scores.h"

#include "engine/char_sets.h"
#include "settings/prefs.h"

namespace quorvandel::detection {
namespace {

std::uint8_t Fold(Unit u) { return static_cast<std::uint8_t>(u >= 'a' ? u - 'a' : u - 'A'); }

TOptQwerty Reading_qwerty() {
  TOptQwerty q;
  q.map_grave_to_semicolon = q.map_q_to_slash = q.map_w_to_apostrophe = true;
  q.map_semicolon_to_final_peh = q.map_apostrophe_to_comma = q.map_comma_to_tav = true;
  q.map_period_to_final_tsadi = q.map_slash_to_period = true;
  return q;
}

Reading Make_reading(int set) {
  Reading r;
  const TOptQwerty qwerty = Reading_qwerty();
  for (Unit b = 0; b <= last_byte_unit; ++b) {
    const Unit letter = Convert_letter(b, set, cs_windows, qwerty);
    const bool already_1255 = b >= first_1255_letter && b <= last_1255_letter && set != cs_windows;
    const bool is_letter = letter >= first_1255_letter && letter <= last_1255_letter && !already_1255;
    r.hebrew[b] = is_letter ? static_cast<std::uint8_t>(letter - first_1255_letter) : no_letter;
    r.english[b] = is_letter && Is_ascii_letter(b) ? Fold(b) : no_english_letter;
  }
  r.hebrew[last_byte_unit + 1] = no_letter;
  r.english[last_byte_unit + 1] = no_english_letter;
  // Tav has no English letter: those sets write it as '[' and '{'. The
  // conversion does not read them back, but they tell that a word is Hebrew.
  constexpr std::uint8_t tav = 26;
  if (set == cs_upper) r.hebrew['['] = tav;
  if (set == cs_lower) r.hebrew['{'] = tav;
  return r;
}

}  // namespace

std::array<Reading, 6> Make_readings() {
  return {Make_reading(0), Make_reading(1), Make_reading(2), Make_reading(3), Make_reading(4), Make_reading(5)};
}

Both_ways_table Make_both_ways_trigrams() {
  Both_ways_table t{};
  constexpr int b = hebrew_boundary;
  for (int x = 0; x < symbols; ++x) {
    for (int y = 0; y < symbols; ++y) {
      for (int z = 0; z < symbols; ++z) {
        int backwards = hebrew_trigrams[z][y][x];
        if (z == b) backwards = y == b ? 0 : hebrew_trigrams[b][y][x] + hebrew_trigrams[b][b][y];
        if (y == b && z != b) backwards = 0;
        const int forwards = x == b && y == b && z == b ? 0 : hebrew_trigrams[x][y][z];
        t[static_cast<std::size_t>((x * symbols + y) * symbols + z)] = {static_cast<std::int16_t>(forwards),
                                                                         static_cast<std::int16_t>(backwards)};
      }
    }
  }
  return t;
}

Score Score_reading(Text_view text, const Reading& reading) {
  return Score_reading(text, reading, [](Unit) {});
}

}  // namespace quorvandel::detection
