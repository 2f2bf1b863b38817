// One line through the pipeline: the empty line, translation and letter case.
#include "engine/convert_line.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/character_map.h"
#include "engine/cp1255.h"
#include "engine/test_settings.h"

namespace quorvandel {
namespace {

// The defaults without the Hebrew phrase reversal, so that only the steps
// under test change a line.
std::unique_ptr<TPrefs> Settings_without_reversal() {
  auto settings = test::Default_settings();
  settings->conversion->reverse_hebrew_phrases = false;
  return settings;
}

struct Line_case {
  const char* what;
  int source;
  int dest;
  int letter_case;
  Text in;
  Text out;
};

TEST(ConvertLine, TranslationThenLetterCase) {
  const Line_case cases[] = {
      {"empty line", cs_windows, cs_upper, case_upper, T(""), T("")},
      {"set 0 to set 1", cs_windows, cs_dos, case_as_is, T("\xE0\xFA\xFB A9"), T("\x80\x9A\x85 A9")},
      {"set 1 to set 0", cs_dos, cs_windows, case_as_is, T("\x80\x9B"), T("\xE0\x9B")},
      {"a zero byte becomes a space", cs_windows, cs_dos, case_as_is, T(std::string("\xE0\0\xE1", 3)), T("\x80 \x81")},
      {"a zero byte without translation stays", cs_dos, cs_dos, case_as_is, T(std::string("a\0b", 3)),
       T(std::string("a\0b", 3))},
      {"Hebrew as capitals, forced to lower case", cs_windows, cs_upper, case_lower, T("\xE0"), T("a")},
      {"Hebrew and English, forced to upper case", cs_windows, cs_upper, case_upper, T("abc \xE0\xFA"), T("ABC A[")},
      {"English held in small letters, forced up", cs_upper, cs_windows, case_upper, T("Ab"), T("\xE0" "B")},
      {"the ampersand is no letter", cs_windows, cs_lower, case_upper, T("\xE0\xE1"), T("&B")},
      {"Qwerty capitals forced down", cs_windows, cs_qwerty_upper, case_lower, T("\xF9\xEC\xE5\xED"), T("akuo")},
      {"Qwerty small letters forced up", cs_windows, cs_qwerty_lower, case_upper, T("\xF9\xEC\xE5\xED"), T("AKUO")},
      {"Qwerty source", cs_qwerty_upper, cs_windows, case_as_is, T("TQW,.;~/`t"), T("\xE0/'\xFA\xF5\xF3\xF3.;t")},
      {"equal sets: case only", cs_windows, cs_windows, case_upper, T("abc"), T("ABC")},
      {"equal sets: lower case", cs_windows, cs_windows, case_lower, T("AbC\xE0"), T("abc\xE0")},
      {"case leaves bytes above 127 alone", cs_dos, cs_windows, case_lower, T("\xC0\xD7Z"), T("\xC0\xD7z")},
      {"case leaves brackets alone", cs_windows, cs_windows, case_upper, T("[`{@"), T("[`{@")},
      {"equal Qwerty sets are not translated", cs_qwerty_upper, cs_qwerty_upper, case_as_is, T("~/;.,`'QW"),
       T("~/;.,`'QW")},
      {"equal Qwerty sets, small letters", cs_qwerty_lower, cs_qwerty_lower, case_as_is, T("q~t"), T("q~t")},
  };
  for (const auto& c : cases) {
    auto settings = Settings_without_reversal();
    settings->source_props->source_char_set = static_cast<std::uint8_t>(c.source);
    settings->dest_props->destination_char_set = static_cast<std::uint8_t>(c.dest);
    settings->dest_props->english_letter_case = static_cast<std::uint8_t>(c.letter_case);
    settings->qwerty->final_peh_mapped_to_tilde = true;  // would turn ';' into '~' if applied
    EXPECT_EQ(Convert_line(c.in, *settings), c.out) << c.what;

    Text in_place = c.in;
    Line_converter(*settings).Convert_line(in_place);
    EXPECT_EQ(in_place, c.out) << c.what << " (Line_converter)";
  }
}

TEST(ConvertLine, UnitsAboveTheBytesPassThroughEveryStep) {
  auto settings = Settings_without_reversal();
  settings->dest_props->destination_char_set = cs_upper;
  settings->dest_props->english_letter_case = case_lower;
  const Text in{0x05D0, 224, escaped_latin1_base + 'A', 'B', 0x1F600};
  EXPECT_EQ(Convert_line(in, *settings), (Text{0x05D0, 'a', escaped_latin1_base + 'A', 'b', 0x1F600}));
}

TEST(ConvertLine, RefreshTakesTheChangedSettings) {
  auto settings = Settings_without_reversal();
  settings->dest_props->destination_char_set = cs_dos;
  Line_converter converter(*settings);
  Text line = T("\xE0");
  converter.Convert_line(line);
  EXPECT_EQ(line, T("\x80"));

  settings->dest_props->destination_char_set = cs_qwerty_lower;
  converter.Refresh(*settings);
  line = T("\xE0");
  converter.Convert_line(line);
  EXPECT_EQ(line, T("t"));

  auto other = Settings_without_reversal();
  other->source_props->source_char_set = cs_lower;
  converter.Refresh(*other);
  line = T("&b");
  converter.Convert_line(line);
  EXPECT_EQ(line, T("\xE0\xE1"));
  EXPECT_EQ(&converter.settings(), other.get());
}

TEST(ConvertLine, ComplementingPadsNoFurtherThanAWideLine) {
  auto settings = test::Default_settings();
  settings->conversion->reverse_whole_line = true;
  settings->conversion->complement_leading_spaces = true;
  settings->conversion->reverse_hebrew_phrases = false;
  settings->conversion->line_length = 2'000'000'000;  // a hand-edited settings file
  const Text converted = Convert_line(T("abc"), *settings);
  EXPECT_EQ(converted.size(), 4096u);
  EXPECT_EQ(converted.substr(4093), T("cba"));
}

// A map that keeps bytes moves lines of bytes sixteen at a time by a few
// stretches, or by its table when it has many: for every pair of sets,
// letter case and bracket flipping, random lines of lengths around sixteen
// change as their units do.
TEST(CharacterMap, BytesChangeAsTheirUnits) {
  std::uint32_t random = 54321;
  const auto next_byte = [&random] {
    random = random * 1103515245U + 12345U;
    return static_cast<char>(random >> 16);
  };
  int maps = 0;
  for (int source = cs_windows; source <= cs_qwerty_lower; ++source) {
    for (int dest = cs_windows; dest <= cs_qwerty_lower; ++dest) {
      for (const int letter_case : {case_as_is, case_upper, case_lower}) {
        for (const bool flips : {false, true}) {
          auto settings = test::Default_settings();
          settings->source_props->source_char_set = static_cast<std::uint8_t>(source);
          settings->dest_props->destination_char_set = static_cast<std::uint8_t>(dest);
          settings->dest_props->english_letter_case = static_cast<std::uint8_t>(letter_case);
          TOptConversion& c = *settings->conversion;
          c.flip_parentheses = c.flip_brackets = c.flip_curly_parentheses = c.flip_angled_parentheses = flips;
          const Character_map map(*settings);
          if (!map.Keeps_bytes()) continue;
          ++maps;
          for (const std::size_t length : {1U, 15U, 16U, 17U, 31U, 33U, 100U}) {
            Byte_text bytes;
            for (std::size_t i = 0; i < length; ++i) bytes += next_byte();
            Text units = Text_from_bytes(bytes);
            map.Apply(bytes);
            map.Apply(units);
            EXPECT_EQ(bytes, Bytes_from_text(units))
                << "sets " << source << " to " << dest << ", case " << letter_case << ", flips " << flips
                << ", length " << length;
          }
        }
      }
    }
  }
  EXPECT_GT(maps, 0);
}

TEST(EolnSequence, OneForEachFormat) {
  EXPECT_EQ(Eoln_sequence(eoln_crlf), U"\r\n");
  EXPECT_EQ(Eoln_sequence(eoln_lf), U"\n");
  EXPECT_EQ(Eoln_sequence(eoln_cr), U"\r");
}

TEST(DocumentConverter, RawLinesLoseOnlyTheirTrailingLineBreaks) {
  const struct {
    Text in;
    Text out;
  } cases[] = {
      {T("a\r\n"), T("a")},        {T("a\n\r\r\n"), T("a")}, {T("\r\n"), T("")},
      {T("a\rb\nc"), T("a\rb\nc")}, {T("\ra\r"), T("\ra")},   {T("a \r"), T("a ")},
      {T(""), T("")},
  };
  auto settings = Settings_without_reversal();
  Document_converter converter(*settings);
  for (const auto& c : cases) {
    Text line = c.in;
    converter.Convert_raw_line(line);
    EXPECT_EQ(line, c.out) << Bytes_from_text(c.in);
  }
}

}  // namespace
}  // namespace quorvandel
