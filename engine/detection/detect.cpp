// What a verdict means: whether it repairs, the settings that repair it,
// and its description. The judging is in judge_paragraph.cpp (from
// layer_counts.cpp and trigram_scores.cpp), the documents in
// document_detector.cpp.
#include "engine/detection/detect.h"

#include "engine/bidi_algorithm.h"
#include "engine/char_sets.h"

namespace quorvandel {

using detection::Mojibake;

bool Detection::Same_settings(const Detection& other) const {
  return judged == other.judged && source_char_set == other.source_char_set && entities == other.entities &&
         quoted_printable == other.quoted_printable && mojibake == other.mojibake && visual == other.visual &&
         wrong_layout == other.wrong_layout;
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

}  // namespace quorvandel
