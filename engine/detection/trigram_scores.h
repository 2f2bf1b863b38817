// Trigram scoring: how much a text's letters, read as Hebrew letters of one
// character set, look like Hebrew words forwards (logical order) and
// backwards (visual order), and how much better text in English letters
// reads as Hebrew than as English. The statistics are letter_tables.h's.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>

#include "engine/detection/letter_tables.h"
#include "engine/text.h"

namespace quorvandel::detection {

inline constexpr std::uint8_t no_letter = hebrew_boundary;
inline constexpr std::uint8_t no_english_letter = english_boundary;

// The bytes that hold the Hebrew letters, in code pages 1255 and 862.
inline constexpr Unit first_1255_letter = 224;
inline constexpr Unit last_1255_letter = 250;
inline constexpr Unit first_862_letter = 128;
inline constexpr Unit last_862_letter = 154;

inline bool Is_ascii_letter(Unit u) { return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z'); }

// One character set's reading: the Hebrew letter of each byte (0..26, or
// no_letter), and the English letter of the bytes that are Hebrew letters
// in English letters, to weigh the English reading of the same text.
// The last entry is that of every unit above 255, which is no letter.
struct Reading {
  std::array<std::uint8_t, 257> hebrew{};
  std::array<std::uint8_t, 257> english{};
};

// The reading of each character set, by its number (cs_windows ...). Made
// once, the first time; the look-up is inline, as the judge asks for it
// with every paragraph.
std::array<Reading, 6> Make_readings();
inline const std::array<Reading, 6>& Readings() {
  static const std::array<Reading, 6> readings = Make_readings();
  return readings;
}

// Log-likelihoods in table units of a text's words read with one reading:
// forwards (logical order) and backwards (visual order).
struct Score {
  std::int64_t forwards = 0;
  std::int64_t backwards = 0;
  std::size_t letters = 0;
};

inline double Bits(std::int64_t units) { return static_cast<double>(units) / letter_table_scale; }

// The trigram scores of both directions side by side, so that one look-up
// a unit gives both: entry [a][b][c] of a window a b c read forwards holds
// the forwards score of c after a b, and the backwards score of the same
// three letters turned round, a after b after c. The entries where the
// scoring would branch hold what the branch would add instead:
//  - [a][b][boundary], the end of a word: the backwards score of its last
//    window and of its last letter as the first letter of the turned word;
//  - [boundary][boundary][c], the first letter of a word: nothing
//    backwards, where that letter is counted at the word's end;
//  - [boundary][boundary][boundary], between two non-letters: nothing.
struct Both_ways {
  std::int16_t forwards;
  std::int16_t backwards;
};
inline constexpr int symbols = hebrew_boundary + 1;

using Both_ways_table = std::array<Both_ways, symbols * symbols * symbols>;
Both_ways_table Make_both_ways_trigrams();
inline const Both_ways_table& Both_ways_trigrams() {
  static const Both_ways_table table = Make_both_ways_trigrams();
  return table;
}

// One pass over the units, without a branch a unit: each window of three
// symbols counts forwards, and turned round, backwards. A word's first
// letter and its end are counted once for each direction, as if the word
// stood the other way. `each_unit` is called with every unit, for a count
// to be made in the same pass; the pass is a template, so that the count
// stays inside the loop.
template <typename Each_unit>
Score Score_reading(Text_view text, const Reading& reading, Each_unit&& each_unit) {
  const auto& trigrams = Both_ways_trigrams();
  Score s;
  int before = no_letter;
  int previous = no_letter;
  const auto step = [&](int h) {
    const Both_ways& w = trigrams[static_cast<std::size_t>((before * symbols + previous) * symbols + h)];
    s.forwards += w.forwards;
    s.backwards += w.backwards;
    s.letters += h != no_letter;
    before = h == no_letter ? no_letter : previous;
    previous = h;
  };
  for (const Unit u : text) {
    each_unit(u);
    step(Is_byte(u) ? reading.hebrew[u] : no_letter);
  }
  step(no_letter);  // the end of the last word
  return s;
}

Score Score_reading(Text_view text, const Reading& reading);

// How much better the words of a text in English letters read as Hebrew
// in one reading than as English, in bits, and how many letters the words
// that count hold.
struct Latin_score {
  double lead = 0;
  std::size_t letters = 0;
};

// How much better a word reads as Hebrew than as English counts against
// Hebrew by no more than this: a few English words among Hebrew ones must
// not outweigh them.
inline constexpr std::int64_t english_word_cap = 4 * letter_table_scale;

// The words of one reading so far, a unit at a time. A word with letters
// of the other case is English and is left out (Hebrew typed on the
// English layout keeps the English words as they were typed), and no word
// counts against Hebrew by more than english_word_cap. The lead is summed
// in table units, which are exact, and turned into bits once: the per-word
// work stays a few integer operations.
class Latin_pass {
 public:
  explicit Latin_pass(const Reading& reading) : reading_(reading) {}

  // `at` is the unit's entry in the reading: the unit, or 256 above 255.
  void Add(Unit u, Unit at) {
    const std::uint8_t h = reading_.hebrew[at];
    if (h != no_letter) [[likely]] {
      hebrew_ += hebrew_trigrams[before_][previous_][h];
      before_ = previous_;
      previous_ = h;
      ++letters_;
      // Without a branch: in typed text, a Hebrew letter is on a key of
      // punctuation often enough that a branch would be mispredicted.
      const std::uint8_t e = reading_.english[at];
      const bool english_letter = e != no_english_letter;
      const std::int64_t english = english_trigrams[before_english_][previous_english_][e];
      english_ += english_letter ? english : 0;
      before_english_ = english_letter ? previous_english_ : before_english_;
      previous_english_ = english_letter ? e : previous_english_;
    } else if (Is_ascii_letter(u)) {
      mixed_ = true;  // a letter of the other case: an English word
    } else {
      End_word();
    }
  }

  Latin_score Finish() {
    End_word();
    return {Bits(lead_), counted_letters_};
  }

 private:
  void End_word() {
    if (previous_ != no_letter) hebrew_ += hebrew_trigrams[before_][previous_][no_letter];
    if (previous_english_ != no_english_letter) {
      english_ += english_trigrams[before_english_][previous_english_][no_english_letter];
    }
    const bool counts = !mixed_ && letters_ > 0;
    lead_ += counts ? std::max(hebrew_ - english_, -english_word_cap) : 0;
    counted_letters_ += counts ? letters_ : 0;
    hebrew_ = english_ = 0;
    letters_ = 0;
    mixed_ = false;
    before_ = previous_ = no_letter;
    before_english_ = previous_english_ = no_english_letter;
  }

  const Reading& reading_;
  std::int64_t lead_ = 0;
  std::size_t counted_letters_ = 0;
  std::int64_t hebrew_ = 0;  // the open word's
  std::int64_t english_ = 0;
  std::size_t letters_ = 0;
  bool mixed_ = false;
  std::uint8_t before_ = no_letter;
  std::uint8_t previous_ = no_letter;
  std::uint8_t before_english_ = no_english_letter;
  std::uint8_t previous_english_ = no_english_letter;
};

// The Latin scores of a text in two readings, made in one pass: the two
// readings end their words at the same units but for a few, so the second
// one's branches follow the first one's, and the text is read once. It is
// inline, so that the judge's loop holds it whole.
inline std::array<Latin_score, 2> Score_latin(Text_view text, const Reading& first, const Reading& second) {
  Latin_pass a(first);
  Latin_pass b(second);
  for (const Unit u : text) {
    const Unit at = std::min<Unit>(u, last_byte_unit + 1);
    a.Add(u, at);
    b.Add(u, at);
  }
  return {a.Finish(), b.Finish()};
}

// 0..100 from a margin in bits: 4 bits give 50, 16 bits 94.
inline int Confidence_of(double margin_bits) {
  if (margin_bits <= 0) return 0;
  return static_cast<int>(100.0 - 100.0 * std::exp2(-margin_bits / 4.0) + 0.5);
}

}  // namespace quorvandel::detection
