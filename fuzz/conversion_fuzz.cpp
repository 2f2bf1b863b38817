// Random documents with random settings through the document conversion,
// and the properties that each step of the line conversion must keep, on
// every line of the document.
//
// Input: 13 bytes of settings and step arguments, then the document. With
// the wide flag set, the byte 1 followed by two bytes b1 b2 is one unit
// above the bytes: 256 + b1 * 256 + b2, or 0x110000 + b2 when b1 is 255.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bidi/fribidi_algorithm.h"
#include "engine/bidi_reordering.h"
#include "engine/char_sets.h"
#include "engine/convert_document.h"
#include "engine/convert_line.h"
#include "engine/cp1255.h"
#include "engine/decoding.h"
#include "engine/detection/auto_convert.h"
#include "engine/detection/detect.h"
#include "engine/detection/mojibake.h"
#include "engine/dictionary.h"
#include "engine/html_reversal.h"
#include "engine/line_reversal.h"
#include "settings/prefs.h"
#include "spelling/system_dictionary.h"
#include "tests/support/fake_conversion_document.h"

namespace quorvandel {
namespace {

constexpr std::size_t header_bytes = 13;
constexpr Unit wide_escape = 1;

// Reads bits and small numbers from the front of the input; zeros past its end.
class Bit_reader {
 public:
  Bit_reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Bit() {
    const std::size_t byte = position_ / 8;
    const bool bit = byte < size_ && (data_[byte] >> (position_ % 8) & 1U) != 0;
    ++position_;
    return bit;
  }

  unsigned Bits(int count) {
    unsigned value = 0;
    for (int i = 0; i < count; ++i) value |= static_cast<unsigned>(Bit()) << i;
    return value;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t position_ = 0;
};

void Fill_settings(TPrefs& settings, Bit_reader& bits) {
  TOptConversion& c = *settings.conversion;
  for (bool* flag : {&c.reverse_whole_line, &c.reverse_hebrew_words, &c.reverse_hebrew_phrases,
                     &c.reverse_english_words, &c.reverse_english_phrases, &c.reverse_numbers, &c.reverse_html_tags,
                     &c.reverse_html_text, &c.flip_parentheses, &c.flip_brackets, &c.flip_curly_parentheses,
                     &c.flip_angled_parentheses, &c.complement_leading_spaces, &c.truncate_trailing_spaces,
                     &c.reverse_digit_sequences, &c.reverse_numerical_expressions, &c.number_separator_hyphen,
                     &c.number_separator_period, &c.number_separator_slash, &c.number_separator_comma,
                     &c.number_separator_plus_sign, &c.number_separator_colon, &c.number_separator_space}) {
    *flag = bits.Bit();
  }
  // Beyond the dialog's 1..255 both ways, but small enough that complementing
  // every line of a document stays within memory.
  c.line_length = static_cast<std::int32_t>(bits.Bits(10)) - 256;

  // Sets 6 and 7 and end-of-line format 3 are outside what the settings
  // file loads; the engine must still not fail on them.
  settings.source_props->source_char_set = static_cast<std::uint8_t>(bits.Bits(3));
  settings.source_props->translate_hebrew_unicode = bits.Bit();
  settings.source_props->translate_email_style = bits.Bit();
  settings.dest_props->destination_char_set = static_cast<std::uint8_t>(bits.Bits(3));
  settings.dest_props->destination_eoln_format = static_cast<std::uint8_t>(bits.Bits(2));
  settings.dest_props->english_letter_case = static_cast<std::uint8_t>(bits.Bits(2));

  TOptQwerty& q = *settings.qwerty;
  for (bool* flag : {&q.map_grave_to_semicolon, &q.map_q_to_slash, &q.map_w_to_apostrophe,
                     &q.map_semicolon_to_final_peh, &q.map_apostrophe_to_comma, &q.map_comma_to_tav,
                     &q.map_period_to_final_tsadi, &q.map_slash_to_period, &q.map_back_semicolon_to_grave,
                     &q.map_back_slash_to_q, &q.map_back_apostrophe_to_w, &q.map_back_final_peh,
                     &q.map_back_comma_to_apostrophe, &q.map_back_tav_to_comma, &q.map_back_final_tsadi_to_period,
                     &q.map_back_period_to_slash, &q.final_peh_mapped_to_tilde}) {
    *flag = bits.Bit();
  }

  c.reordering_method = static_cast<std::uint8_t>(bits.Bit());
  c.reordering_direction = static_cast<std::uint8_t>(bits.Bit());
  c.paragraph_direction = static_cast<std::uint8_t>(bits.Bits(2) % 3);
}

Text Document_text(const std::uint8_t* data, std::size_t size, bool wide) {
  Text text;
  text.reserve(size);
  for (std::size_t i = 0; i < size; ++i) {
    if (wide && data[i] == wide_escape && i + 2 < size) {
      const Unit high = data[i + 1];
      const Unit low = data[i + 2];
      text.push_back(high == 255 ? escaped_latin1_base + low : 256 + high * 256 + low);
      i += 2;
    } else {
      text.push_back(data[i]);
    }
  }
  return text;
}

std::vector<Text> Split_lines(const Text& text) {
  std::vector<Text> lines(1);
  for (const Unit u : text) {
    if (u == '\n') {
      lines.emplace_back();
    } else {
      lines.back().push_back(u);
    }
  }
  return lines;
}

void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "property broken: %s\n", property);
  std::abort();
}

Text Sorted(Text text) {
  std::sort(text.begin(), text.end());
  return text;
}

// A reversal keeps the length and the units, only their order changes.
void Require_permutation(const Text& before, const Text& after, const char* step) {
  Require(before.size() == after.size() && Sorted(before) == Sorted(after), step);
}

Text_view Without_outer_spaces(Text_view line) {
  const std::size_t first = line.find_first_not_of(U' ');
  if (first == Text_view::npos) return {};
  return line.substr(first, line.find_last_not_of(U' ') - first + 1);
}

// The steps as their rules read, one character at a time, to compare the
// engine's faster forms with.
namespace reference {

void Flip_parentheses(Text& line, const TOptConversion& c) {
  const struct {
    bool enabled;
    Unit opening, closing;
  } pairs[] = {{c.flip_parentheses, '(', ')'},
               {c.flip_brackets, '[', ']'},
               {c.flip_curly_parentheses, '{', '}'},
               {c.flip_angled_parentheses, '<', '>'}};
  for (Unit& ch : line) {
    for (const auto& pair : pairs) {
      if (!pair.enabled) continue;
      if (ch == pair.opening) {
        ch = pair.closing;
        break;
      }
      if (ch == pair.closing) {
        ch = pair.opening;
        break;
      }
    }
  }
}

void Reverse_elements(Text& line, int kind, const Kind_table& kinds) {
  std::size_t position = 0;
  while (true) {
    while (position < line.size() && !kinds.Is(line[position], kind)) ++position;
    if (position == line.size()) return;
    const std::size_t run_begin = position;
    while (position < line.size() && kinds.Is(line[position], kind)) ++position;
    std::reverse(line.begin() + static_cast<std::ptrdiff_t>(run_begin),
                 line.begin() + static_cast<std::ptrdiff_t>(position));
  }
}

bool Is_text(Html_state state) { return state == Html_state::text || state == Html_state::none; }

void Reverse_HTML_Tags(Text& line, bool tags, bool text, Html_state& state) {
  const auto n = static_cast<std::int64_t>(line.size());
  std::int64_t tag_start = 1;
  std::int64_t text_start = 0;
  for (std::int64_t p = 1; p <= n; ++p) {
    if (Is_text(state) && text_start == 0) text_start = p;
    const Unit c = line[static_cast<std::size_t>(p - 1)];
    const Scan_signals signals = Scan_HTML(state, c);
    if (signals.tag_closed && tags) Reverse_substring(line, tag_start, p - tag_start + 1);
    if (signals.text_ended) {
      if (text) Reverse_substring(line, text_start, p - text_start);
      text_start = 0;
      tag_start = p;
    }
  }
  if (tags && !Is_text(state) && state != Html_state::opened) Reverse_substring(line, tag_start, n - tag_start + 1);
  if (text && Is_text(state) && text_start != 0) Reverse_substring(line, text_start, n - text_start + 1);
}

}  // namespace reference

struct Step_arguments {
  std::int64_t start;
  std::int64_t count;
};

void Check_reversals(const Text& line, const TPrefs& settings, const Step_arguments& args) {
  const TOptConversion& c = *settings.conversion;

  Text flipped = line;
  Flip_parentheses(flipped, c.flip_parentheses, c.flip_brackets, c.flip_curly_parentheses, c.flip_angled_parentheses);
  Text flipped_by_rule = line;
  reference::Flip_parentheses(flipped_by_rule, c);
  Require(flipped == flipped_by_rule, "flipping follows its rule");
  Flip_parentheses(flipped, c.flip_parentheses, c.flip_brackets, c.flip_curly_parentheses, c.flip_angled_parentheses);
  Require(flipped == line, "flipping twice gives the line back");

  Text stretch = line;
  Reverse_substring(stretch, args.start, args.count);
  Require_permutation(line, stretch, "a stretch reversal permutes the line");
  Reverse_substring(stretch, args.start, args.count);
  Require(stretch == line, "reversing a stretch twice gives the line back");

  const Kind_table kinds(settings.source_props->source_char_set, c);
  for (int kind = 0; kind <= kind_expression + 1; ++kind) {
    Text runs = line;
    Reverse_elements(runs, kind, kinds);
    Text runs_by_rule = line;
    reference::Reverse_elements(runs_by_rule, kind, kinds);
    Require(runs == runs_by_rule, "the run reversal follows its rule");
    Require_permutation(line, runs, "a run reversal permutes the line");
    for (std::size_t i = 0; i < line.size(); ++i) {
      Require(kinds.Is(runs[i], kind) == kinds.Is(line[i], kind), "runs keep their places");
    }
    Reverse_elements(runs, kind, kinds);
    Require(runs == line, "reversing the runs twice gives the line back");
  }
}

void Check_spaces(const Text& line, const TOptConversion& c) {
  Text adjusted = line;
  Adjust_spaces(adjusted, c.complement_leading_spaces, c.truncate_trailing_spaces, c.line_length);
  Require(Without_outer_spaces(adjusted) == Without_outer_spaces(line), "adjusting spaces keeps the core");
  const std::size_t leading = std::min(line.find_first_not_of(U' '), line.size());
  if (leading == line.size()) {
    Require(adjusted == line, "a line of spaces stays");
  } else if (!c.complement_leading_spaces) {
    Require(adjusted.size() == line.size() - (c.truncate_trailing_spaces ? leading : 0),
            "without complementing only the leading spaces may go");
  } else {
    Require(adjusted.empty() || adjusted.back() != U' ', "complementing drops the trailing spaces");
  }

  Text truncated = line;
  Truncate_trailing_spaces(truncated);
  Require(Text_view(line).starts_with(truncated) && (truncated.empty() || truncated.back() != U' '),
          "truncating removes exactly the trailing spaces");
}

// Both directions keep every unit but the mirrored brackets, and a reading
// of a visual line that the algorithm shows as exactly that line does.
void Check_bidi(const Text& line, const TPrefs& settings) {
  const TOptConversion& c = *settings.conversion;
  const int set = std::min<int>(settings.dest_props->destination_char_set, cs_qwerty_lower);
  Bidi_reordering reordering(Fribidi(), set, *settings.qwerty, static_cast<Paragraph_direction>(c.paragraph_direction));
  Text visual = line;
  reordering.To_visual(visual);
  Require(visual.size() == line.size(), "logical to visual keeps the length");
  Text logical = visual;
  if (reordering.To_logical(logical)) {
    Require(logical.size() == line.size(), "visual to logical keeps the length");
    Text shown = logical;
    reordering.To_visual(shown);
    Require(shown == visual, "a reading taken shows as the visual line");
  }
}

void Check_decoding(const Text& line) {
  Text entities = line;
  try {
    Translate_entities(entities);
  } catch (const Conversion_error&) {
  }
  Require(entities.size() <= line.size(), "entity decoding never lengthens a line");

  Text escapes = line;
  Translate_quoted_printable(escapes);
  Require(escapes.size() <= line.size(), "quoted-printable decoding never lengthens a line");
  if (line.find(U'=') == Text::npos) Require(escapes == line, "a line without '=' has no escape");
}

// Both with the settings' flags and with both reversals on, each with the
// markup state it has carried so far.
void Check_markup(const Text& line, const TOptConversion& c, Html_state (&states)[2]) {
  const bool flags[2][2] = {{c.reverse_html_tags, c.reverse_html_text}, {true, true}};
  for (int i = 0; i < 2; ++i) {
    Html_state state_by_rule = states[i];
    Text markup = line;
    Reverse_HTML_Tags(markup, flags[i][0], flags[i][1], states[i]);
    Text markup_by_rule = line;
    reference::Reverse_HTML_Tags(markup_by_rule, flags[i][0], flags[i][1], state_by_rule);
    Require(markup == markup_by_rule && states[i] == state_by_rule, "the markup reversal follows its rules");
    Require_permutation(line, markup, "the markup reversal permutes the line");
  }
}

// The detector judges any text, covers every line with one paragraph, and
// the repair of misread UTF-8 undoes the misreading exactly.
void Check_detection(const std::vector<Text>& lines) {
  Document_detector detector;
  for (const Text& line : lines) detector.Add_line(line);
  detector.Finish();
  std::size_t next_line = 0;
  for (const Document_detector::Paragraph& p : detector.paragraphs()) {
    Require(p.first_line == next_line && p.line_count > 0, "the paragraphs cover the lines in order");
    next_line += p.line_count;
    const Detection& d = p.detection;
    Require(d.confidence >= 0 && d.confidence <= 100, "a confidence is 0 to 100");
    Require(d.judged || (d.confidence == 0 && !Is_repair(d)), "what is not judged is not repaired");
  }
  Require(next_line == lines.size(), "every line is in a paragraph");
  const Detection document = detector.Document();
  Require(document.confidence >= 0 && document.confidence <= 100, "the document's confidence is 0 to 100");

  using detection::Mojibake;
  for (const Text& line : lines) {
    for (const Mojibake kind : {Mojibake::western_characters, Mojibake::raw_bytes}) {
      Require(detection::Repair_mojibake(line, kind).size() <= line.size(), "a repair never lengthens a line");
    }
    bool scalar_values = true;
    for (const Unit u : line) {
      const char32_t c = Unicode_from_unit(u);
      // Units that the pane's mapping gives for the character, and only those.
      scalar_values = scalar_values && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF) && Unit_from_unicode(c) == u;
    }
    if (!scalar_values) continue;
    Text raw;
    Text western;
    for (const char byte : Utf8_from_text(line)) {
      const auto b = static_cast<std::uint8_t>(byte);
      raw.push_back(b);
      western.push_back(Unit_from_unicode(detection::Western_character(b)));
    }
    Require(detection::Repair_mojibake(raw, Mojibake::raw_bytes) == line, "UTF-8 kept as bytes repairs exactly");
    Require(detection::Repair_mojibake(western, Mojibake::western_characters) == line,
            "UTF-8 read as code page 1252 repairs exactly");
  }
}

// A document of bytes converted as bytes gives what its units give, the
// same error included, line by line with the markup state carried along.
void Check_bytes_as_units(const std::vector<Text>& lines, const TPrefs& settings) {
  Document_converter as_units(settings);
  Document_converter as_bytes(settings);
  if (!as_bytes.Converts_bytes()) return;
  for (const Text& line : lines) {
    if (First_non_byte(line)) return;
    Text units = line;
    Byte_text bytes = Bytes_from_text(line);
    std::string units_error = "none";
    std::string bytes_error = "none";
    try {
      as_units.Convert_raw_line(units);
    } catch (const Conversion_error& error) {
      units_error = error.what();
    }
    try {
      as_bytes.Convert_raw_line(bytes);
    } catch (const Conversion_error& error) {
      bytes_error = error.what();
    }
    Require(units_error == bytes_error, "bytes fail as their units fail");
    if (units_error != "none") return;
    Require(Bytes_from_text(units) == bytes && !First_non_byte(units), "bytes convert as their units convert");
    Require(as_units.html_state() == as_bytes.html_state(), "bytes carry the markup state as units do");
  }
}

}  // namespace
}  // namespace quorvandel

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace quorvandel;
  Set_bidi_algorithm(&Fribidi());
  Set_dictionary(System_dictionary());
  Bit_reader bits(data, size);
  TPrefs settings(false);
  Fill_settings(settings, bits);
  const bool wide = bits.Bit();
  const Step_arguments args = {static_cast<std::int16_t>(bits.Bits(16)), static_cast<std::int16_t>(bits.Bits(16))};

  const std::size_t header = std::min(size, header_bytes);
  const std::vector<Text> lines = Split_lines(Document_text(data + header, size - header, wide));

  Html_state states[2] = {Html_state::text, Html_state::text};
  for (const Text& line : lines) {
    Check_reversals(line, settings, args);
    Check_spaces(line, *settings.conversion);
    Check_decoding(line);
    Check_markup(line, *settings.conversion, states);
    Check_bidi(line, settings);
  }

  Check_detection(lines);
  Check_bytes_as_units(lines, settings);

  // With the settings, and converting automatically with what is detected.
  for (const bool automatically : {false, true}) {
    settings.source_props->convert_automatically = automatically;
    testing::Fake_conversion_document document(&settings, lines);
    document.source_status = ps_loaded;
    document.source_file_name = "folder/file.txt";
    const bool converted = Convert_document(document);
    for (const int position : document.progress_positions) Require(position >= 0 && position <= 1000, "progress");
    Require(converted == document.messages.empty(), "a conversion either succeeds or reports one error");
    Require(converted || document.destination.empty(), "a stopped conversion leaves no text");
  }
  return 0;
}
