// Document aggregation: a document's lines gathered into paragraphs, each
// judged on its own, and the verdict of the document from theirs.
#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "engine/detection/detect.h"
#include "engine/detection/trigram_scores.h"
#include "engine/detection/wrong_layout.h"

namespace quorvandel {
namespace {

using detection::Confidence_of;
using detection::Mojibake;

// A paragraph without an empty line ends after the line that brings its
// letter-like units to this many.
constexpr std::size_t paragraph_letters = 240;
// A document of up to this many units is judged word by word as well, for
// words typed with the wrong keyboard layout: a selection of a few words.
constexpr std::size_t word_judged_units = 1024;
// A short document judged by fewer letters may be words typed on the wrong
// layout; a paragraph judged visual by fewer is confirmed by the dictionary.
constexpr std::size_t few_judged_letters = 60;

// What a paragraph's length is counted in: letters, escapes and units
// outside ASCII.
bool Is_letter_like(Unit u) {
  return u >= 128 || static_cast<Unit>((u | 0x20) - 'a') < 26 || u == '&' || u == '=';
}

}  // namespace

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
  Line_cursor cursor;
  return For_line(index, cursor);
}

Detection Document_detector::For_line(std::size_t index, Line_cursor& cursor) const {
  if (paragraphs_.empty()) return Detection{};
  std::size_t at = cursor.paragraph < paragraphs_.size() ? cursor.paragraph : 0;
  const auto holds = [&](std::size_t p) {
    return index >= paragraphs_[p].first_line && index < paragraphs_[p].first_line + paragraphs_[p].line_count;
  };
  if (!holds(at)) {
    const auto after = std::upper_bound(paragraphs_.begin(), paragraphs_.end(), index,
                                        [](std::size_t i, const Paragraph& p) { return i < p.first_line; });
    at = static_cast<std::size_t>(std::max<std::ptrdiff_t>(after - paragraphs_.begin() - 1, 0));
  }
  cursor.paragraph = at;
  const Detection& own = paragraphs_[at].detection;
  return own.judged ? own : document_;
}

}  // namespace quorvandel
