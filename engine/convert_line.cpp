#include "engine/convert_line.h"

#include <algorithm>
#include <type_traits>

#include "engine/character_map.h"
#include "engine/decoding.h"
#include "engine/line_reversal.h"

namespace quorvandel {
namespace {

// The widest line that complementing pads to. The preferences dialog takes
// 1 to 255; a hand-edited settings file may hold any number, and padding
// every line to millions of columns would only exhaust the memory.
constexpr std::int32_t widest_padded_line = 4096;

// The reversal steps after the whole line, from the largest unit to the smallest.
template <typename Line>
void Reverse_runs(Line& line, const TOptConversion& c, const Kind_table& kinds, Run_reverser& runs) {
  const struct {
    bool enabled;
    int kind;
  } steps[] = {
      {c.reverse_hebrew_phrases, kind_hebrew_phrase},
      {c.reverse_hebrew_words, kind_hebrew_letter},
      {c.reverse_english_phrases, kind_english_phrase},
      {c.reverse_english_words, kind_english_letter},
      {c.reverse_digit_sequences, kind_digit},
      {c.reverse_numerical_expressions, kind_expression},
  };
  const auto last = std::find_if(std::rbegin(steps), std::rend(steps), [](const auto& step) { return step.enabled; });
  if (last == std::rend(steps)) return;
  runs.Start(line, kinds);
  for (const auto& step : steps) {
    if (step.enabled) runs.Reverse(line, step.kind, &step == &*last);
  }
}

}  // namespace

Line_converter::Line_converter(const TPrefs& settings)
    : settings_(&settings),
      characters_(settings),
      kinds_(settings.source_props->source_char_set, *settings.conversion),
      converts_bytes_(characters_.Keeps_bytes() && settings.conversion->reordering_method != reorder_bidi) {
  const TOptConversion& c = *settings.conversion;
  if (c.reordering_method == reorder_bidi) {
    const Bidi_algorithm* algorithm = Installed_bidi_algorithm();
    if (!algorithm) throw Conversion_error("the bidirectional algorithm is not available");
    bidi_.emplace(*algorithm, settings.dest_props->destination_char_set, *settings.qwerty,
                  static_cast<Paragraph_direction>(c.paragraph_direction));
  }
}

void Line_converter::Refresh(const TPrefs& settings) { *this = Line_converter(settings); }

void Line_converter::Convert_line(Text& line) const { Convert(line); }
void Line_converter::Convert_line(Byte_text& line) const { Convert(line); }

// Every step here has a version for units and one for bytes. A new step
// goes into this sequence; one that cannot work on bytes must clear
// converts_bytes_ in the constructor when it is enabled.
template <typename Line>
void Line_converter::Convert(Line& line) const {
  if (line.empty()) return;
  const TOptConversion& c = *settings_->conversion;
  const TSourceProps& source = *settings_->source_props;

  if (source.translate_hebrew_unicode) Translate_entities(line);
  if (source.translate_email_style) Translate_quoted_printable(line);
  characters_.Apply(line);  // translation, letter case, bracket flipping
  if (bidi_) {
    // The algorithm works on characters: with the bidirectional method no
    // line is converted as bytes (converts_bytes_ is false).
    if constexpr (std::is_same_v<Line, Text>) {
      // A failure of the algorithm throws. A visual line that no logical
      // line shows as exactly becomes the nearest reading found, which is
      // what a reader would make of it, and is no error.
      if (c.reordering_direction == logical_to_visual) {
        bidi_->To_visual(line);
      } else {
        bidi_->To_logical(line);
      }
    }
    // The algorithm has put the spaces where they show; complementing
    // still pads the line to the line length.
    if (c.complement_leading_spaces) {
      Adjust_spaces(line, true, c.truncate_trailing_spaces, std::min(c.line_length, widest_padded_line));
    }
    return;
  }
  if (c.reverse_whole_line) Reverse_string(line);
  Reverse_runs(line, c, kinds_, runs_);
  if (c.reverse_whole_line) {
    Adjust_spaces(line, c.complement_leading_spaces, c.truncate_trailing_spaces,
                  std::min(c.line_length, widest_padded_line));
  }
}

Text Convert_line(Text_view line, const TPrefs& settings) {
  Text result(line);
  Line_converter(settings).Convert_line(result);
  return result;
}

void Document_converter::Convert_raw_line(Text& line) { Convert_raw(line); }
void Document_converter::Convert_raw_line(Byte_text& line) { Convert_raw(line); }

template <typename Line>
void Document_converter::Convert_raw(Line& line) {
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  const TOptConversion& c = *lines_.settings().conversion;
  if ((c.reverse_html_tags || c.reverse_html_text) && c.reordering_method != reorder_bidi) {
    Reverse_HTML_Tags(line, c.reverse_html_tags, c.reverse_html_text, html_state_);
  }
  lines_.Convert_line(line);
}

std::u32string_view Eoln_sequence(int destination_eoln_format) {
  switch (destination_eoln_format) {
    case eoln_lf: return U"\n";
    case eoln_cr: return U"\r";
    default: return U"\r\n";
  }
}

}  // namespace quorvandel
