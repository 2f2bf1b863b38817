#include "engine/detection/detect.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <optional>
#include <span>

#include "engine/bidi_algorithm.h"
#include "engine/char_sets.h"
#include "engine/decoding.h"
#include "engine/detection/letter_tables.h"
#include "engine/detection/wrong_layout.h"

namespace quorvandel {
namespace {

using detection::english_trigrams;
using detection::english_boundary;
using detection::hebrew_trigrams;
using detection::hebrew_boundary;
using detection::letter_table_scale;
using detection::Mojibake;

// ---- Tuning -------------------------------------------------------------------
// A paragraph is judged by at most this many of its first units.
constexpr std::size_t judged_units = 1024;
// A paragraph is first judged by this many units of its start, and that
// verdict stands when it is at least this sure.
constexpr std::size_t first_look_units = 96;
constexpr int sure_confidence = 99;
// A paragraph without an empty line ends after the line that brings its
// letter-like units to this many.
constexpr std::size_t paragraph_letters = 240;
// The fewest escapes or misread letters that make a decoding layer.
constexpr std::size_t min_escapes = 3;
// The fewest references or escapes of Hebrew letters that make a text of
// them, however short: they are told by their form, not their length.
constexpr std::size_t min_escaped_letters = 2;
// Reading backwards must beat reading forwards by this many bits (summed
// over the paragraph) for visual order; a little above zero, so that
// correct logical text is left alone when in doubt.
constexpr double visual_margin_bits = 3.0;
// Text in English letters is Hebrew when its best Hebrew reading beats the
// English reading by this much.
constexpr double hebrew_min_bits = 8.0;
constexpr double hebrew_bits_per_letter = 0.3;
// A document of up to this many units is judged word by word as well, for
// words typed with the wrong keyboard layout: a selection of a few words.
constexpr std::size_t word_judged_units = 1024;
// A short document judged by fewer letters may be words typed on the wrong
// layout; a paragraph judged visual by fewer is confirmed by the dictionary.
constexpr std::size_t few_judged_letters = 60;

// ---- Readings of the units as Hebrew letters ------------------------------------

constexpr std::uint8_t no_letter = hebrew_boundary;
constexpr std::uint8_t no_english_letter = english_boundary;
constexpr Unit first_1255_letter = 224;
constexpr Unit last_1255_letter = 250;
constexpr Unit first_862_letter = 128;
constexpr Unit last_862_letter = 154;

bool Is_ascii_letter(Unit u) { return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z'); }
std::uint8_t Fold(Unit u) { return static_cast<std::uint8_t>(u >= 'a' ? u - 'a' : u - 'A'); }

// One character set's reading: the Hebrew letter of each byte (0..26, or
// no_letter), and the English letter of the bytes that are Hebrew letters
// in English letters, to weigh the English reading of the same text.
struct Reading {
  std::array<std::uint8_t, 256> hebrew{};
  std::array<std::uint8_t, 256> english{};
};

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
  // Tav has no English letter: those sets write it as '[' and '{'. The
  // conversion does not read them back, but they tell that a word is Hebrew.
  constexpr std::uint8_t tav = 26;
  if (set == cs_upper) r.hebrew['['] = tav;
  if (set == cs_lower) r.hebrew['{'] = tav;
  return r;
}

const std::array<Reading, 6>& Readings() {
  static const std::array<Reading, 6> readings = {Make_reading(0), Make_reading(1), Make_reading(2),
                                                  Make_reading(3), Make_reading(4), Make_reading(5)};
  return readings;
}

// Log-likelihoods in table units of a text's words read with one reading:
// forwards (logical order) and backwards (visual order).
struct Score {
  std::int64_t forwards = 0;
  std::int64_t backwards = 0;
  std::size_t letters = 0;
};

double Bits(std::int64_t units) { return static_cast<double>(units) / letter_table_scale; }

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
constexpr int symbols = hebrew_boundary + 1;

const std::array<Both_ways, symbols * symbols * symbols>& Both_ways_trigrams() {
  static const auto table = [] {
    std::array<Both_ways, symbols * symbols * symbols> t{};
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
  }();
  return table;
}

// One pass over the units, without a branch a unit: each window of three
// symbols counts forwards, and turned round, backwards. A word's first
// letter and its end are counted once for each direction, as if the word
// stood the other way. `each_unit` is called with every unit, for a count
// to be made in the same pass.
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

Score Score_reading(Text_view text, const Reading& reading) {
  return Score_reading(text, reading, [](Unit) {});
}

// How much better the words of a text in English letters read as Hebrew
// in one reading than as English, in bits. A word with letters of the
// other case is English and is left out (Hebrew typed on the English
// layout keeps the English words as they were typed), and no word counts
// against Hebrew by more than english_word_cap: a few English words
// among Hebrew ones must not outweigh them.
constexpr std::int64_t english_word_cap = 4 * letter_table_scale;

struct Latin_score {
  double lead = 0;
  std::size_t letters = 0;
};

// The lead is summed in table units, which are exact, and turned into bits
// once: the per-word work stays a few integer operations.
Latin_score Score_latin(Text_view text, const Reading& reading) {
  std::int64_t lead = 0;
  std::size_t counted_letters = 0;
  std::int64_t hebrew = 0;
  std::int64_t english = 0;
  std::size_t letters = 0;
  bool mixed = false;
  std::uint8_t before = no_letter;
  std::uint8_t previous = no_letter;
  std::uint8_t before_english = no_english_letter;
  std::uint8_t previous_english = no_english_letter;
  const auto end_word = [&] {
    if (previous != no_letter) hebrew += hebrew_trigrams[before][previous][no_letter];
    if (previous_english != no_english_letter) {
      english += english_trigrams[before_english][previous_english][no_english_letter];
    }
    const bool counts = !mixed && letters > 0;
    lead += counts ? std::max(hebrew - english, -english_word_cap) : 0;
    counted_letters += counts ? letters : 0;
    hebrew = english = 0;
    letters = 0;
    mixed = false;
    before = previous = no_letter;
    before_english = previous_english = no_english_letter;
  };
  for (const Unit u : text) {
    const std::uint8_t h = Is_byte(u) ? reading.hebrew[u] : no_letter;
    const bool other_case = h == no_letter && Is_ascii_letter(u);
    if (h == no_letter && !other_case) {
      end_word();
      continue;
    }
    mixed = mixed || other_case;
    if (h != no_letter) {
      hebrew += hebrew_trigrams[before][previous][h];
      before = previous;
      previous = h;
      ++letters;
    }
    const std::uint8_t e = Is_byte(u) ? reading.english[u] : no_english_letter;
    if (e != no_english_letter) {
      english += english_trigrams[before_english][previous_english][e];
      before_english = previous_english;
      previous_english = e;
    }
  }
  end_word();
  return {Bits(lead), counted_letters};
}

// 0..100 from a margin in bits: 4 bits give 50, 16 bits 94.
int Confidence_of(double margin_bits) {
  if (margin_bits <= 0) return 0;
  return static_cast<int>(100.0 - 100.0 * std::exp2(-margin_bits / 4.0) + 0.5);
}

// ---- The decoding layers --------------------------------------------------------

int Hex_digit(Unit c) {
  if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A') + 10;
  if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a') + 10;
  return -1;
}

// Whether a numeric reference to a Hebrew letter starts at `at`.
bool Hebrew_entity_at(Text_view text, std::size_t at) {
  if (at + 3 >= text.size() || text[at] != '&' || text[at + 1] != '#') return false;
  std::size_t i = at + 2;
  const bool hexadecimal = text[i] == 'x' || text[i] == 'X';
  if (hexadecimal) ++i;
  long value = 0;
  std::size_t digits = 0;
  for (; i < text.size() && digits < 8; ++i, ++digits) {
    const int d = hexadecimal ? Hex_digit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? static_cast<int>(text[i] - '0') : -1);
    if (d < 0) break;
    value = value * (hexadecimal ? 16 : 10) + d;
  }
  return digits > 0 && i < text.size() && text[i] == ';' && value >= 0x5D0 && value <= 0x5EA;
}

// The byte of a quoted-printable escape at `at`, or -1.
int Escape_at(Text_view text, std::size_t at) {
  if (at + 2 >= text.size() || text[at] != '=') return -1;
  const int high = Hex_digit(text[at + 1]);
  const int low = Hex_digit(text[at + 2]);
  return high < 0 || low < 0 ? -1 : high * 16 + low;
}

// What one pass over a paragraph counts for every layer.
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

// The byte classes the counting pass looks for, one table look-up a unit.
enum Unit_class : std::uint8_t {
  class_western_trail = 1,  // a misread UTF-8 Hebrew trail byte, as code page 1252 shows it
  class_raw_trail = 2,      // the same, kept as a raw byte
  class_capital = 4,
  class_small = 8,
  class_escape = 16,        // '&' or '='
  class_western_lead = 32,  // a misread UTF-8 Hebrew lead byte, as code page 1252 shows it
  class_raw_lead = 64,      // the same, kept as a raw byte
  class_misread_lead = class_western_lead | class_raw_lead,
};

bool Is_hebrew_trail(std::optional<std::uint8_t> b) { return b && *b >= 0x90 && *b <= 0xAA; }

// The last entry is that of every unit above 255, which is of no class.
const std::array<std::uint8_t, 257>& Unit_classes() {
  static const std::array<std::uint8_t, 257> classes = [] {
    std::array<std::uint8_t, 257> c{};
    for (Unit u = 0; u <= last_byte_unit; ++u) {
      std::uint8_t k = 0;
      if (u >= 'A' && u <= 'Z') k |= class_capital;
      if (u >= 'a' && u <= 'z') k |= class_small;
      if (u == '&' || u == '=') k |= class_escape;
      if (detection::Misread_byte(u, Mojibake::western_characters) == 0xD7) k |= class_western_lead;
      if (detection::Misread_byte(u, Mojibake::raw_bytes) == 0xD7) k |= class_raw_lead;
      if (Is_hebrew_trail(detection::Misread_byte(u, Mojibake::western_characters))) k |= class_western_trail;
      if (Is_hebrew_trail(detection::Misread_byte(u, Mojibake::raw_bytes))) k |= class_raw_trail;
      c[u] = k;
    }
    return c;
  }();
  return classes;
}

// The letter counts add up in one word of four 16-bit fields, the code
// page 1255 letters, the code page 862 letters, the capitals and the
// small letters: one table look-up and one addition a unit, no branch.
// A field holds the count of up to letter_block units.
constexpr std::size_t letter_block = 0xFFFF;

// The last entry is that of every unit above 255.
const std::array<std::uint64_t, 257>& Letter_increments() {
  static const std::array<std::uint64_t, 257> increments = [] {
    std::array<std::uint64_t, 257> t{};
    for (Unit u = 0; u <= last_byte_unit; ++u) {
      if (u >= first_1255_letter && u <= last_1255_letter) t[u] = 1;
      if (u >= first_862_letter && u <= last_862_letter) t[u] = 1ULL << 16;
      if (u >= 'A' && u <= 'Z') t[u] = 1ULL << 32;
      if (u >= 'a' && u <= 'z') t[u] = 1ULL << 48;
    }
    return t;
  }();
  return increments;
}

void Add_letter_fields(std::uint64_t fields, Layer_counts& c) {
  c.letters_1255 += fields & 0xFFFF;
  c.letters_862 += fields >> 16 & 0xFFFF;
  c.capitals += fields >> 32 & 0xFFFF;
  c.smalls += fields >> 48;
}

// What a paragraph's length is counted in: letters, escapes and units
// outside ASCII.
bool Is_letter_like(Unit u) {
  return u >= 128 || static_cast<Unit>((u | 0x20) - 'a') < 26 || u == '&' || u == '=';
}

// The class of the unit after a misread lead: that of its byte, or for a
// character without a byte, whether code page 1252 shows a trail byte so.
std::uint8_t Trail_class(Unit u, const std::array<std::uint8_t, 257>& classes) {
  if (Is_byte(u)) return classes[u];
  return Is_hebrew_trail(detection::Misread_byte(u, Mojibake::western_characters)) ? class_western_trail : 0;
}

Layer_counts Count_layers(Text_view text) {
  static_assert(judged_units <= letter_block, "a paragraph is judged by at most judged_units");
  const auto& classes = Unit_classes();
  const auto& increments = Letter_increments();
  std::uint64_t letter_fields = 0;
  Layer_counts c;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const Unit u = text[i];
    const Unit entry = std::min<Unit>(u, last_byte_unit + 1);
    letter_fields += increments[entry];
    const std::uint8_t k = classes[entry];
    if ((k & (class_escape | class_misread_lead)) == 0) continue;
    if ((k & class_escape) != 0) {
      if (u == '&') {
        c.entities += Hebrew_entity_at(text, i);
      } else {
        const int b = Escape_at(text, i);
        c.escapes += (b >= static_cast<int>(first_1255_letter) && b <= static_cast<int>(last_1255_letter)) || b == 0xD7;
      }
    }
    if ((k & class_misread_lead) != 0 && i + 1 < text.size()) {
      const std::uint8_t n = Trail_class(text[i + 1], classes);
      c.misread_western += (k & class_western_lead) != 0 && (n & class_western_trail) != 0;
      c.misread_raw += (k & class_raw_lead) != 0 && (n & class_raw_trail) != 0;
    }
  }
  Add_letter_fields(letter_fields, c);
  return c;
}

Mojibake Misread_kind(const Layer_counts& c, std::size_t fewest) {
  const std::size_t most = std::max(c.misread_western, c.misread_raw);
  if (most < fewest || most * 2 < c.letters_1255) return Mojibake::none;
  return c.misread_raw > c.misread_western ? Mojibake::raw_bytes : Mojibake::western_characters;
}

// ---- The character set and the order --------------------------------------------

// Judges text whose escapes and misreadings are already undone.
// `windows_score`, when given, is the text's score in code page 1255, already made.
void Judge_letters(Text_view text, const Layer_counts& counts, Detection& d, const Score* windows_score = nullptr) {
  const std::size_t in_1255 = counts.letters_1255;
  const std::size_t in_862 = counts.letters_862;
  const std::size_t capitals = counts.capitals;
  const std::size_t smalls = counts.smalls;
  const auto& readings = Readings();

  if (std::max(in_1255, in_862) >= min_judged_letters) {
    d.source_char_set = in_1255 >= in_862 ? cs_windows : cs_dos;
    const Score s = d.source_char_set == cs_windows && windows_score ? *windows_score
                                                                      : Score_reading(text, readings[d.source_char_set]);
    const double backwards_lead = Bits(s.backwards - s.forwards);
    d.visual = backwards_lead > visual_margin_bits;
    d.letters = s.letters;
    d.judged = true;
    const double share = static_cast<double>(std::max(in_1255, in_862)) / static_cast<double>(in_1255 + in_862);
    const int order_confidence = Confidence_of(std::abs(backwards_lead - visual_margin_bits));
    d.confidence = std::min(order_confidence, static_cast<int>(share * 100.0 + 0.5));
    return;
  }

  if (capitals + smalls < min_judged_letters) return;
  // Hebrew in English letters, or typed on the English layout. Typed text
  // is never in visual order, and text kept in English letters is judged
  // in logical order only as well.
  struct Candidate {
    std::uint8_t set;
    double lead;  // bits by which the Hebrew reading beats the English one
    std::size_t letters;
  };
  std::array<Candidate, 4> tried{};
  std::size_t tried_count = 0;
  const bool try_capitals = capitals * 3 >= smalls;
  const bool try_smalls = smalls * 3 >= capitals;
  for (const std::uint8_t set : {cs_upper, cs_qwerty_upper, cs_lower, cs_qwerty_lower}) {
    const bool capital_set = set == cs_upper || set == cs_qwerty_upper;
    if (capital_set ? !try_capitals : !try_smalls) continue;
    const Latin_score s = Score_latin(text, readings[set]);
    tried[tried_count++] = {set, s.lead, s.letters};
  }
  const std::span<const Candidate> candidates(tried.data(), tried_count);
  const auto best = std::max_element(candidates.begin(), candidates.end(),
                                     [](const Candidate& a, const Candidate& b) { return a.lead < b.lead; });
  if (best == candidates.end() || best->letters < min_judged_letters) return;
  const double needed = std::max(hebrew_min_bits, hebrew_bits_per_letter * static_cast<double>(best->letters));
  if (best->lead < needed) return;
  double runner_up = 0;
  for (const Candidate& c : candidates) {
    if (&c != &*best) runner_up = std::max(runner_up, c.lead);
  }
  d.judged = true;
  d.source_char_set = best->set;
  d.letters = best->letters;
  d.confidence = Confidence_of(std::min(best->lead - needed, best->lead - runner_up));
}

}  // namespace

bool Detection::Same_settings(const Detection& other) const {
  return judged == other.judged && source_char_set == other.source_char_set && entities == other.entities &&
         quoted_printable == other.quoted_printable && mojibake == other.mojibake && visual == other.visual &&
         wrong_layout == other.wrong_layout;
}

namespace {

Detection Judge_paragraph(Text_view text) {
  Detection d;
  const Layer_counts layers = Count_layers(text);
  Text undone;
  Text_view letters = text;
  auto decode = [&](void (*translate)(Text&)) {
    undone = Text(text);
    try {
      translate(undone);
    } catch (const Conversion_error&) {
      // A reference that is no number: what was decoded before it is judged.
    }
    letters = undone;
  };
  if (layers.entities >= min_escaped_letters && layers.entities >= layers.letters_1255) {
    d.entities = true;
    decode(Translate_entities);
  } else if (layers.escapes >= min_escaped_letters && layers.escapes >= layers.letters_1255) {
    d.quoted_printable = true;
    decode(Translate_quoted_printable);
  }
  const bool decoded = d.entities || d.quoted_printable;
  Layer_counts after = decoded ? Count_layers(letters) : layers;
  d.mojibake = Misread_kind(after, decoded ? min_escaped_letters : min_escapes);
  if (d.mojibake != Mojibake::none) {
    // Repaired into a buffer kept from paragraph to paragraph.
    thread_local Text repaired;
    detection::Repair_mojibake(letters, d.mojibake, repaired);
    letters = repaired;
    // The repaired text is counted while it is scored as code page 1255,
    // which it is read in but for a text of more DOS letters.
    const auto& increments = Letter_increments();
    std::uint64_t fields = 0;  // a judged text fits in the fields of one word
    const Score windows = Score_reading(letters, Readings()[cs_windows],
                                        [&](Unit u) { fields += increments[std::min<Unit>(u, last_byte_unit + 1)]; });
    after = Layer_counts{};
    Add_letter_fields(fields, after);
    Judge_letters(letters, after, d, &windows);
  } else {
    Judge_letters(letters, after, d);
  }
  if (!d.judged && decoded) {
    // Too few letters to tell more: escaped Hebrew letters are Hebrew of
    // code page 1255 (or UTF-8) in logical order, as mail and web pages
    // keep it.
    d.judged = true;
    d.source_char_set = cs_windows;
    d.visual = false;
    d.letters = std::max(layers.entities, layers.escapes);
    d.confidence = Confidence_of(static_cast<double>(d.letters) * 4.0);
  }
  if (!d.judged) return Detection{};
  return d;
}

}  // namespace

// A long paragraph is judged by its start first, and as a whole only when
// the start leaves any doubt: most paragraphs are plain at a glance, and
// judging 25 MB must take a fraction of a second.
Detection Detect_paragraph(Text_view text) {
  if (text.size() > judged_units) text = text.substr(0, judged_units);
  if (text.size() >= first_look_units + first_look_units / 2) {
    Detection first = Judge_paragraph(text.substr(0, first_look_units));
    if (first.judged && first.confidence >= sure_confidence) {
      first.letters = first.letters * text.size() / first_look_units;  // what the whole would weigh
      return first;
    }
  }
  return Judge_paragraph(text);
}

bool Is_repair(const Detection& d) {
  return d.judged && (d.source_char_set != cs_windows || d.entities || d.quoted_printable ||
                      d.mojibake != Mojibake::none || d.visual || d.wrong_layout != layout_right);
}

void Apply_detection(const Detection& d, TPrefs& settings) {
  TSourceProps& source = *settings.source_props;
  source.source_char_set = d.source_char_set;
  source.translate_hebrew_unicode = d.entities;
  source.translate_email_style = d.quoted_printable;
  TDestProps& dest = *settings.dest_props;
  dest.destination_char_set = cs_windows;
  dest.english_letter_case = case_as_is;
  TOptConversion& c = *settings.conversion;
  // Visual order back to logical by the bidirectional algorithm, which
  // restores times, dates and mixed phrases as they read. Without one (the
  // Windows build), the classic way: the line turned round, then the
  // English phrases and the numbers turned back, and the brackets flipped
  // to face the way they read.
  const bool bidi = d.visual && Installed_bidi_algorithm() != nullptr;
  const bool classic = d.visual && !bidi;
  c.reordering_method = bidi ? reorder_bidi : reorder_classic;
  c.reordering_direction = visual_to_logical;
  c.reverse_whole_line = classic;
  c.reverse_english_phrases = classic;
  c.reverse_numerical_expressions = classic;
  c.flip_parentheses = c.flip_brackets = c.flip_curly_parentheses = classic;
  c.reverse_hebrew_words = c.reverse_hebrew_phrases = c.reverse_english_words = false;
  c.reverse_numbers = c.reverse_digit_sequences = false;
  c.reverse_html_tags = c.reverse_html_text = false;
  c.flip_angled_parentheses = false;
  c.complement_leading_spaces = false;
}

std::string Describe(const Detection& d) {
  if (!d.judged) return "nothing to judge";
  if (d.wrong_layout != layout_right) {
    std::string text = "wrong layout: ";
    if ((d.wrong_layout & layout_hebrew_on_english) != 0) text += "Hebrew typed on English keys";
    if (d.wrong_layout == (layout_hebrew_on_english | layout_english_on_hebrew)) text += ", ";
    if ((d.wrong_layout & layout_english_on_hebrew) != 0) text += "English typed on Hebrew keys";
    return text;
  }
  std::string text;
  switch (d.mojibake) {
    case Mojibake::western_characters: text = "UTF-8 read as code page 1252"; break;
    case Mojibake::raw_bytes: text = "UTF-8 read as bytes"; break;
    default: text = Char_set_name(d.source_char_set); break;
  }
  if (d.entities) text += ", numeric references";
  if (d.quoted_printable) text += ", quoted-printable";
  text += d.visual ? ", visual order" : ", logical order";
  return text;
}

// ---- Documents ---------------------------------------------------------------

void Document_detector::Add_line(Text_view line) {
  // The letter-like units are counted a block at a time, without a branch
  // a unit, until the paragraph is long enough: the rest of a long line
  // changes nothing, and a count past the end is never looked at.
  std::size_t at = 0;
  while (at < line.size() && (line[at] == ' ' || line[at] == '\t')) ++at;
  const bool blank = at == line.size();
  std::size_t letters = pending_letters_;
  constexpr std::size_t block = 64;
  while (at < line.size() && letters < paragraph_letters) {
    const std::size_t end = std::min(line.size(), at + block);
    std::uint32_t in_block = 0;  // counted in lanes as wide as the units
    for (; at < end; ++at) in_block += Is_letter_like(line[at]);
    letters += in_block;
  }
  pending_letters_ = letters;
  const bool first_line = line_count_ == pending_first_;
  ++line_count_;
  if (short_) {
    if (short_text_.size() + line.size() + 1 > word_judged_units) {
      short_ = false;
      Text().swap(short_text_);
    } else {
      if (line_count_ > 1) short_text_.push_back('\n');
      short_text_.append(line);
    }
  }
  const bool ends = blank || pending_letters_ >= paragraph_letters;
  // A paragraph of one line, the most common kind, is judged where it
  // stands, without a copy.
  if (ends && first_line) {
    End_paragraph(line);
    return;
  }
  if (!first_line) pending_.push_back('\n');
  const std::size_t room = judged_units > pending_.size() ? judged_units - pending_.size() : 0;
  pending_.append(line.substr(0, room));
  if (ends) End_paragraph(pending_);
}

void Document_detector::Finish() {
  if (line_count_ > pending_first_) End_paragraph(pending_);
  document_ = Judge_document();
  if (short_) Judge_words();
}

// A few words are too few for the letter statistics to tell visual order
// surely: a short paragraph judged visual keeps logical order when the
// dictionary knows more of its words as they stand than turned round.
void Document_detector::Confirm_visual_order() {
  std::vector<std::size_t> line_starts{0};
  for (std::size_t i = 0; i < short_text_.size(); ++i) {
    if (short_text_[i] == '\n') line_starts.push_back(i + 1);
  }
  line_starts.push_back(short_text_.size() + 1);
  bool changed = false;
  for (Paragraph& p : paragraphs_) {
    if (!p.detection.visual || p.detection.letters >= few_judged_letters) continue;
    const std::size_t end_line = std::min(p.first_line + p.line_count, line_starts.size() - 1);
    const std::size_t start = line_starts[std::min(p.first_line, end_line)];
    const std::size_t end = std::max(start, line_starts[end_line] - 1);
    const detection::Known_hebrew_words known =
        detection::Count_known_hebrew_words(Text_view(short_text_).substr(start, end - start));
    if (known.forwards <= known.backwards) continue;
    p.detection.visual = false;
    changed = true;
  }
  if (changed) document_ = Judge_document();
}

// The words of a short document typed with the wrong layout outweigh what
// its few letters seemed to be, but not a decoding, a misreading of UTF-8
// or another character set, which the letters tell surely even when few.
void Document_detector::Judge_words() {
  const detection::Wrong_layout_words words = detection::Judge_text_layout(short_text_);
  if (!words.Any()) {
    Confirm_visual_order();
    return;
  }
  const Detection& now = document_;
  const bool plain = now.source_char_set == cs_windows || now.source_char_set == cs_qwerty_lower ||
                     now.source_char_set == cs_qwerty_upper;
  if (now.judged && (!plain || now.entities || now.quoted_printable || now.mojibake != Mojibake::none)) return;
  // A verdict of many letters stands, and so does visual order against a
  // few wrongly typed words among many.
  const std::size_t wrong = words.hebrew_on_english + words.english_on_hebrew;
  if (now.judged && (now.letters >= few_judged_letters || (now.visual && wrong * 2 < words.words))) return;
  Detection d;
  d.judged = true;
  d.source_char_set = cs_windows;
  d.wrong_layout = static_cast<std::uint8_t>((words.hebrew_on_english > 0 ? layout_hebrew_on_english : 0) |
                                             (words.english_on_hebrew > 0 ? layout_english_on_hebrew : 0));
  d.letters = words.letters;
  d.confidence = Confidence_of(words.lead_bits);
  document_ = d;
  for (Paragraph& p : paragraphs_) p.detection = d;
}

void Document_detector::End_paragraph(Text_view text) {
  paragraphs_.push_back({pending_first_, line_count_ - pending_first_, Detect_paragraph(text)});
  pending_.clear();
  pending_letters_ = 0;
  pending_first_ = line_count_;
}

Detection Document_detector::Judge_document() const {
  // Letters per verdict, and their letter-weighted confidence.
  std::vector<std::pair<Detection, std::size_t>> verdicts;
  std::vector<double> weighted_confidence;
  for (const Paragraph& p : paragraphs_) {
    if (!p.detection.judged) continue;
    auto same = std::find_if(verdicts.begin(), verdicts.end(),
                             [&](const auto& v) { return v.first.Same_settings(p.detection); });
    if (same == verdicts.end()) {
      verdicts.emplace_back(p.detection, 0);
      weighted_confidence.push_back(0);
      same = verdicts.end() - 1;
    }
    same->second += p.detection.letters;
    weighted_confidence[static_cast<std::size_t>(same - verdicts.begin())] +=
        static_cast<double>(p.detection.confidence) * static_cast<double>(p.detection.letters);
  }
  if (verdicts.empty()) return Detection{};
  const auto most = std::max_element(verdicts.begin(), verdicts.end(),
                                     [](const auto& a, const auto& b) { return a.second < b.second; });
  Detection result = most->first;
  result.letters = most->second;
  const double weighted = weighted_confidence[static_cast<std::size_t>(most - verdicts.begin())];
  result.confidence = most->second == 0 ? 0 : static_cast<int>(weighted / static_cast<double>(most->second) + 0.5);
  return result;
}

Detection Document_detector::For_line(std::size_t index) const {
  if (paragraphs_.empty()) return Detection{};
  std::size_t at = last_found_ < paragraphs_.size() ? last_found_ : 0;
  const auto holds = [&](std::size_t p) {
    return index >= paragraphs_[p].first_line && index < paragraphs_[p].first_line + paragraphs_[p].line_count;
  };
  if (!holds(at)) {
    const auto after = std::upper_bound(paragraphs_.begin(), paragraphs_.end(), index,
                                        [](std::size_t i, const Paragraph& p) { return i < p.first_line; });
    at = static_cast<std::size_t>(std::max<std::ptrdiff_t>(after - paragraphs_.begin() - 1, 0));
  }
  last_found_ = at;
  const Detection& own = paragraphs_[at].detection;
  return own.judged ? own : document_;
}

}  // namespace quorvandel
