// How decoding, translation, bracket flipping, the reversals, the space
// adjustment and the markup reversal combine in the line and document
// conversion.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "engine/convert_document.h"
#include "engine/convert_line.h"
#include "engine/decoding.h"
#include "support/fake_conversion_document.h"

namespace quorvandel {
namespace {

// The steps a case enables on top of the documented defaults.
enum Option : unsigned {
  whole = 1U << 0,
  hebrew_words = 1U << 1,
  hebrew_phrases = 1U << 2,
  english_words = 1U << 3,
  english_phrases = 1U << 4,
  digits = 1U << 5,
  expressions = 1U << 6,
  flip = 1U << 7,
  entities = 1U << 8,
  quoted_printable = 1U << 9,
  complement_to_10 = 1U << 10,
  keep_trailing = 1U << 11,
  html_tags = 1U << 12,
  html_text = 1U << 13,
};

// The documented defaults of what the conversion reads (no Qwerty set is
// used here), with every reversal, flip and decoder set from `options`.
std::unique_ptr<TPrefs> Settings(int source_set, int dest_set, unsigned options) {
  auto settings = std::make_unique<TPrefs>(false);
  TOptConversion& c = *settings->conversion;
  c.reverse_whole_line = (options & whole) != 0;
  c.reverse_hebrew_words = (options & hebrew_words) != 0;
  c.reverse_hebrew_phrases = (options & hebrew_phrases) != 0;
  c.reverse_english_words = (options & english_words) != 0;
  c.reverse_english_phrases = (options & english_phrases) != 0;
  c.reverse_digit_sequences = (options & digits) != 0;
  c.reverse_numerical_expressions = (options & expressions) != 0;
  c.reverse_html_tags = (options & html_tags) != 0;
  c.reverse_html_text = (options & html_text) != 0;
  c.flip_parentheses = (options & flip) != 0;
  c.complement_leading_spaces = (options & complement_to_10) != 0;
  c.line_length = (options & complement_to_10) != 0 ? 10 : 80;
  c.truncate_trailing_spaces = (options & keep_trailing) == 0;
  c.number_separator_hyphen = c.number_separator_period = c.number_separator_slash = true;
  settings->source_props->source_char_set = static_cast<std::uint8_t>(source_set);
  settings->source_props->translate_hebrew_unicode = (options & entities) != 0;
  settings->source_props->translate_email_style = (options & quoted_printable) != 0;
  settings->dest_props->destination_char_set = static_cast<std::uint8_t>(dest_set);
  return settings;
}

struct Line_case {
  const char* line;
  unsigned options;
  const char* expected;
};

void Expect_lines(int source_set, int dest_set, const std::vector<Line_case>& cases) {
  for (const auto& c : cases) {
    const auto settings = Settings(source_set, dest_set, c.options);
    EXPECT_EQ(Bytes_from_text(Convert_line(T(c.line), *settings)), c.expected) << c.line;
  }
}

// Set 2 holds Hebrew as capitals: "FED CBA" is Hebrew in visual order that
// reads ABC DEF.
TEST(Convert_line, TypicalSettingsTurnVisualIntoLogicalOrder) {
  Expect_lines(cs_upper, cs_upper,
               {
                   {"FED CBA hello 123", whole, "321 olleh ABC DEF"},
                   {"FED CBA hello 123", whole | english_words | digits, "123 hello ABC DEF"},
                   {"FED CBA hello world 123", whole | english_phrases | digits, "123 hello world ABC DEF"},
                   {"FED 12/05/2003 CBA", whole | expressions, "ABC 12/05/2003 DEF"},
                   {"FED 12/05/2003 CBA", whole | digits, "ABC 2003/05/12 DEF"},
                   {"ABC DEF ghi", hebrew_words, "CBA FED ghi"},
                   {"ABC DEF, ghi", hebrew_phrases, "FED CBA, ghi"},
                   {"tel 03-123", digits, "tel 30-321"},
                   {"tel 03-123", expressions, "tel 321-30"},
                   // Larger units turn first: phrases before words, digits before expressions.
                   {"ABC DEF", hebrew_phrases | hebrew_words, "DEF ABC"},
                   {"on 12/05/2003.", digits | expressions, "on .2003/05/12"},
                   // Brackets flip before the line turns.
                   {"(AB) cd", whole | flip, "dc (BA)"},
                   {"(AB) cd", whole, "dc )BA("},
               });
}

// The line is in the destination set when its runs turn, but the kinds are
// those of the source set.
TEST(Convert_line, JudgesKindsBySourceSetAfterTranslation) {
  Expect_lines(cs_windows, cs_upper, {{"\xE0\xE1 hi", hebrew_words, "AB hi"}, {"\xE0\xE1 hi", english_words, "BA ih"}});
  Expect_lines(cs_upper, cs_windows, {{"AB hi", hebrew_words, "\xE0\xE1 hi"}, {"AB hi", english_words, "\xE0\xE1 ih"}});
}

TEST(Convert_line, DecodesBeforeReversing) {
  Expect_lines(cs_windows, cs_windows,
               {
                   {"&#1488;&#1489; x", entities | hebrew_words, "\xE1\xE0 x"},
                   {"=E0=E1 x", quoted_printable | hebrew_words, "\xE1\xE0 x"},
                   // The entity &#1325; is the byte '=', which then starts an escape.
                   {"&#1325;E0", entities | quoted_printable, "\xE0"},
                   {"&#1488;", 0, "&#1488;"},
               });
}

TEST(Convert_line, AdjustsSpacesOnlyAfterWholeLineReversal) {
  Expect_lines(cs_upper, cs_upper,
               {
                   {"  abc  ", complement_to_10, "  abc  "},
                   {"  abc  ", english_words, "  cba  "},
                   {"  abc  ", whole, "  cba"},
                   {"  abc  ", whole | keep_trailing, "  cba  "},
                   {"  abc  ", whole | complement_to_10, "     cba"},
                   // The phrase reversal moves the spaces before they are counted.
                   {"ABC  ", whole | hebrew_phrases | complement_to_10, "       ABC"},
                   {"   ", whole | complement_to_10, "   "},
                   {"", whole | complement_to_10, ""},
               });
}

TEST(Convert_line, StopsOnADecimalEntityThatIsNoInteger) {
  const auto settings = Settings(cs_windows, cs_windows, entities);
  EXPECT_THROW(Convert_line(T("ab &#14x88; cd"), *settings), Conversion_error);
}

std::vector<std::string> Convert_raw_lines(Document_converter& converter, const std::vector<std::string>& lines) {
  std::vector<std::string> converted;
  for (const std::string& raw : lines) {
    Text line = T(raw);
    converter.Convert_raw_line(line);
    converted.push_back(Bytes_from_text(line));
  }
  return converted;
}

using Lines = std::vector<std::string>;

TEST(Document_converter, CarriesTheMarkupStateFromLineToLine) {
  const auto settings = Settings(cs_windows, cs_windows, html_tags | html_text);
  Document_converter converter(*settings);
  EXPECT_EQ(Convert_raw_lines(converter, {"abc <a"}), Lines{" cba<a"});
  EXPECT_EQ(converter.html_state(), Html_state::opened);
  EXPECT_EQ(Convert_raw_lines(converter, {">", "def"}), (Lines{">", "fed"}));
  EXPECT_EQ(converter.html_state(), Html_state::text);
  // The line end goes before the markup step, where a CR would be white space.
  EXPECT_EQ(Convert_raw_lines(converter, {"x <i\r\n"}), Lines{" x<i"});
  EXPECT_EQ(converter.html_state(), Html_state::opened);
}

TEST(Document_converter, ReversesMarkupBeforeTheLineConversion) {
  // Reversed by the markup step and again with the whole line, each tag
  // reads as before while the order along the line turns.
  const auto settings = Settings(cs_windows, cs_windows, html_tags | whole);
  Document_converter converter(*settings);
  EXPECT_EQ(Convert_raw_lines(converter, {"<p>Hello</p>"}), Lines{"</p>olleH<p>"});
}

// A document of the lines, converted with the settings: its converted text
// as bytes, and its messages.
struct Converted {
  std::string destination;
  Lines messages;
  bool converted;
};

Converted Convert_document_of(const TPrefs& settings, const Lines& lines) {
  std::vector<Text> texts;
  for (const std::string& line : lines) texts.push_back(T(line));
  testing::Fake_conversion_document document(&settings, std::move(texts));
  const bool converted = Convert_document(document);
  return {Bytes_from_text(document.destination), document.messages, converted};
}

TEST(Convert_document, CarriesMarkupAcrossLinesOfOneDocumentOnly) {
  const auto settings = Settings(cs_windows, cs_windows, html_tags);
  settings->dest_props->destination_eoln_format = eoln_lf;
  const Converted open_tag = Convert_document_of(*settings, {"<b>x</b> text <a href", "=x>more"});
  ASSERT_TRUE(open_tag.converted);
  EXPECT_EQ(open_tag.destination, ">b<x>b/< text ferh a<\n>x=more");

  const Converted left_open = Convert_document_of(*settings, {"x <a href"});
  ASSERT_TRUE(left_open.converted);
  const Converted next = Convert_document_of(*settings, {"=x>more"});
  ASSERT_TRUE(next.converted);
  EXPECT_EQ(next.destination, "=x>more");
}

TEST(Convert_document, ReportsAnEntityThatIsNoInteger) {
  const auto settings = Settings(cs_windows, cs_windows, entities);
  const Converted document = Convert_document_of(*settings, {"&#1488;", "x &#1488 y; z"});
  EXPECT_FALSE(document.converted);
  EXPECT_EQ(document.messages, Lines{"'1488 y' is not a valid integer value"});
  EXPECT_EQ(document.destination, "");
}

}  // namespace
}  // namespace quorvandel
