// Judging a paragraph: its decoding layers, then its character set and its
// order, from what layer_counts.h counts and trigram_scores.h scores.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <span>

#include "engine/decoding.h"
#include "engine/detection/detect.h"
#include "engine/detection/layer_counts.h"
#include "engine/detection/trigram_scores.h"

namespace quorvandel {
namespace {

using detection::Bits;
using detection::Confidence_of;
using detection::Layer_counts;
using detection::Mojibake;
using detection::Readings;
using detection::Score;
using detection::Score_latin;
using detection::Score_reading;

static_assert(judged_units <= detection::letter_block, "a paragraph is counted in one block");

// A paragraph is first judged by this many units of its start, and that
// verdict stands when it is at least this sure.
constexpr std::size_t first_look_units = 96;
constexpr int sure_confidence = 99;
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

// Text of Hebrew letters in code page 1255 or 862: the set of more of
// them, and the order its letters read better in. `windows_score`, when
// given, is the text's score in code page 1255, already made.
void Judge_hebrew_bytes(Text_view text, const Layer_counts& counts, Detection& d, const Score* windows_score) {
  const std::size_t in_1255 = counts.letters_1255;
  const std::size_t in_862 = counts.letters_862;
  d.source_char_set = in_1255 >= in_862 ? cs_windows : cs_dos;
  const Score s = d.source_char_set == cs_windows && windows_score ? *windows_score
                                                                    : Score_reading(text, Readings()[d.source_char_set]);
  const double backwards_lead = Bits(s.backwards - s.forwards);
  d.visual = backwards_lead > visual_margin_bits;
  d.letters = s.letters;
  d.judged = true;
  const double share = static_cast<double>(std::max(in_1255, in_862)) / static_cast<double>(in_1255 + in_862);
  const int order_confidence = Confidence_of(std::abs(backwards_lead - visual_margin_bits));
  d.confidence = std::min(order_confidence, static_cast<int>(share * 100.0 + 0.5));
}

// Hebrew in English letters, or typed on the English layout: the reading
// that beats English by the most, when it beats it by enough. Typed text
// is never in visual order, and text kept in English letters is judged in
// logical order only as well.
void Judge_english_letters(Text_view text, const Layer_counts& counts, Detection& d) {
  struct Candidate {
    std::uint8_t set;
    double lead;  // bits by which the Hebrew reading beats the English one
    std::size_t letters;
  };
  std::array<Candidate, 4> tried{};
  std::size_t tried_count = 0;
  const bool try_capitals = counts.capitals * 3 >= counts.smalls;
  const bool try_smalls = counts.smalls * 3 >= counts.capitals;
  // The readings of either case in pairs, each pair scored in one pass.
  const auto& readings = Readings();
  const auto try_pair = [&](std::uint8_t first, std::uint8_t second) {
    const auto scores = Score_latin(text, readings[first], readings[second]);
    tried[tried_count++] = {first, scores[0].lead, scores[0].letters};
    tried[tried_count++] = {second, scores[1].lead, scores[1].letters};
  };
  if (try_capitals) try_pair(cs_upper, cs_qwerty_upper);
  if (try_smalls) try_pair(cs_lower, cs_qwerty_lower);
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

// Judges text whose escapes and misreadings are already undone.
void Judge_letters(Text_view text, const Layer_counts& counts, Detection& d, const Score* windows_score = nullptr) {
  if (std::max(counts.letters_1255, counts.letters_862) >= min_judged_letters) {
    Judge_hebrew_bytes(text, counts, d, windows_score);
  } else if (counts.capitals + counts.smalls >= min_judged_letters) {
    Judge_english_letters(text, counts, d);
  }
}

// The numeric references or quoted-printable escapes of Hebrew letters,
// when the paragraph is made of them: notes them in `d` and returns the
// text decoded into `undone`; otherwise returns the text as it is.
Text_view Undo_escapes(Text_view text, const Layer_counts& layers, Detection& d, Text& undone) {
  void (*translate)(Text&) = nullptr;
  if (layers.entities >= min_escaped_letters && layers.entities >= layers.letters_1255) {
    d.entities = true;
    translate = Translate_entities;
  } else if (layers.escapes >= min_escaped_letters && layers.escapes >= layers.letters_1255) {
    d.quoted_printable = true;
    translate = Translate_quoted_printable;
  }
  if (translate == nullptr) return text;
  undone = Text(text);
  try {
    translate(undone);
  } catch (const Conversion_error&) {
    // A reference that is no number: what was decoded before it is judged.
  }
  return undone;
}

// Judges text that d.mojibake says is misread UTF-8, once repaired.
void Judge_misread_letters(Text_view text, Detection& d) {
  // Repaired into a buffer kept from paragraph to paragraph.
  thread_local Text repaired;
  detection::Repair_mojibake(text, d.mojibake, repaired);
  // The repaired text is counted while it is scored as code page 1255,
  // which it is read in but for a text of more DOS letters.
  const auto& increments = detection::Letter_increments();
  std::uint64_t fields = 0;  // a judged text fits in the fields of one word
  const Score windows = Score_reading(repaired, Readings()[cs_windows],
                                      [&](Unit u) { fields += increments[std::min<Unit>(u, last_byte_unit + 1)]; });
  Layer_counts counts;
  detection::Add_letter_fields(fields, counts);
  Judge_letters(repaired, counts, d, &windows);
}

Detection Judge_paragraph(Text_view text) {
  Detection d;
  const Layer_counts layers = detection::Count_layers(text);
  Text undone;
  const Text_view letters = Undo_escapes(text, layers, d, undone);
  const bool decoded = d.entities || d.quoted_printable;
  const Layer_counts after = decoded ? detection::Count_layers(letters) : layers;
  d.mojibake = detection::Misread_kind(after, decoded ? min_escaped_letters : min_escapes);
  if (d.mojibake != Mojibake::none) {
    Judge_misread_letters(letters, d);
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

}  // namespace quorvandel
