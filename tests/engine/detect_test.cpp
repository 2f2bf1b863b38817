// The detector's verdicts on documents, the repair of misread UTF-8, and
// the conversion with what was detected.
#include <gtest/gtest.h>

#include "engine/cp1255.h"
#include "engine/detection/auto_convert.h"
#include "engine/detection/detect.h"
#include "engine/detection/mojibake.h"
#include "tests/engine/test_settings.h"
#include "tests/corpus/hebrew_corpus.h"

namespace quorvandel {
namespace {

using detection::Mojibake;

const test::Garbling& Garbling_named(std::string_view name) {
  for (const test::Garbling& g : test::Garblings()) {
    if (g.name == name) return g;
  }
  throw std::logic_error("no garbling " + std::string(name));
}

Text Utf8(std::string_view utf8) {
  Text text;
  Append_text_from_utf8(text, utf8);
  return text;
}

// Six paragraphs, each followed by an empty line: logical order, then
// visual, and so on.
std::vector<Text> Alternating_paragraphs() {
  const auto paragraphs = test::Hebrew_paragraphs(40);
  const test::Garbling& visual = Garbling_named("visual 1255");
  std::vector<Text> lines;
  for (std::size_t i = 0; i < 6; ++i) {
    lines.push_back(i % 2 == 0 ? Text(paragraphs[i + 10]) : visual.garble(paragraphs[i + 10], i));
    lines.emplace_back();
  }
  return lines;
}

Document_detector Detected(const std::vector<Text>& lines) {
  Document_detector detector;
  for (const Text& line : lines) detector.Add_line(line);
  detector.Finish();
  return detector;
}

TEST(Detect, ParagraphsOfOneDocumentAreJudgedEachByItself) {
  const std::vector<Text> lines = Alternating_paragraphs();
  const Document_detector detector = Detected(lines);
  ASSERT_EQ(detector.paragraphs().size(), 6U);
  for (std::size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(detector.For_line(2 * i).visual, i % 2 == 1) << "paragraph " << i;
    EXPECT_EQ(detector.For_line(2 * i + 1).visual, i % 2 == 1) << "its empty line";
  }

  // Converted, every paragraph is logical again.
  const auto paragraphs = test::Hebrew_paragraphs(40);
  const auto settings = test::Default_settings();
  Auto_converter converter(detector, *settings);
  for (std::size_t i = 0; i < 6; ++i) {
    Text line = lines[2 * i];
    converter.Convert_raw_line(2 * i, line);
    EXPECT_EQ(line, paragraphs[i + 10]) << "paragraph " << i;
  }
}

// Each reader of one detector keeps its own place in it: a reader going
// forwards and one going backwards, taking turns, find every line's
// paragraph.
TEST(Detect, ReadersTakingTurnsFindEachLinesParagraph) {
  const std::vector<Text> lines = Alternating_paragraphs();
  const Document_detector detector = Detected(lines);
  ASSERT_EQ(detector.paragraphs().size(), 6U);
  Document_detector::Line_cursor forwards;
  Document_detector::Line_cursor backwards;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const std::size_t back = lines.size() - 1 - i;
    EXPECT_EQ(detector.For_line(i, forwards).visual, i / 2 % 2 == 1) << "line " << i << " forwards";
    EXPECT_EQ(detector.For_line(back, backwards).visual, back / 2 % 2 == 1) << "line " << back << " backwards";
  }
}

TEST(Detect, AParagraphTooShortToJudgeFollowsTheDocument) {
  const test::Garbling& dos = Garbling_named("logical 862");
  Document_detector detector;
  detector.Add_line(dos.garble(test::Hebrew_paragraphs(1)[0], 0));
  detector.Add_line(U"");
  detector.Add_line(dos.garble(T("\xf9\xec\xe5\xed"), 0));  // one word
  detector.Finish();
  ASSERT_EQ(detector.paragraphs().size(), 2U);
  EXPECT_FALSE(detector.paragraphs()[1].detection.judged);
  EXPECT_EQ(detector.For_line(2).source_char_set, cs_dos);
  EXPECT_EQ(detector.Document().source_char_set, cs_dos);
}

TEST(Detect, TextWithoutEnoughHebrewIsNotJudged) {
  for (const Text& text : {Text(U"Hello world, this is plain English text."), T("\xf9\xec\xe5\xed"), Text()}) {
    const Detection found = Detect_paragraph(text);
    EXPECT_FALSE(found.judged);
    EXPECT_FALSE(Is_repair(found));
    EXPECT_EQ(found.confidence, 0);
  }
  Document_detector empty;
  empty.Finish();
  EXPECT_FALSE(empty.Document().judged);
  EXPECT_FALSE(empty.For_line(0).judged);
}

TEST(Detect, DescribesWhatItFound) {
  const struct {
    std::string_view garbling;
    const char* description;
  } cases[] = {
      {"visual 862", "DOS, visual order"},
      {"logical 1255", "Windows, logical order"},
      {"Qwerty small letters", "Qwerty (L), logical order"},
      {"numeric references", "Windows, numeric references, logical order"},
      {"UTF-8 read as 1252", "UTF-8 read as code page 1252, logical order"},
  };
  const Text paragraph = test::Hebrew_paragraphs(3)[2];
  for (const auto& c : cases) {
    EXPECT_EQ(Describe(Detect_paragraph(Garbling_named(c.garbling).garble(paragraph, 0))), c.description);
  }
}

TEST(Mojibake, RepairReadsTheBytesAgainAsUtf8) {
  const struct {
    Mojibake kind;
    Text misread;
    Text repaired;
  } cases[] = {
      // "×©×œ×•×" as code page 1252 shows the UTF-8 of "שלום".
      {Mojibake::western_characters, Utf8("\u00d7\u00a9\u00d7\u0153\u00d7\u2022\u00d7\u009d!"),
       T("\xf9\xec\xe5\xed!")},
      {Mojibake::raw_bytes, T("\xd7\xa9\xd7\x9c ok"), T("\xf9\xec ok")},
      // A lead without its continuation, and an overlong form, stay as they are.
      {Mojibake::raw_bytes, T("\xd7 \xc0\x80"), T("\xd7 \xc0\x80")},
      // Characters outside code page 1255 come back as units above the bytes.
      {Mojibake::raw_bytes, T("\xe2\x82\xac\xc3\xa9"), Text{0x80, escaped_latin1_base + 0xE9}},
  };
  for (const auto& c : cases) EXPECT_EQ(detection::Repair_mojibake(c.misread, c.kind), c.repaired);
}

TEST(Mojibake, WesternBytesRoundTrip) {
  for (int b = 0; b < 256; ++b) {
    const auto byte = static_cast<std::uint8_t>(b);
    EXPECT_EQ(detection::Western_byte(detection::Western_character(byte)), byte) << b;
  }
  EXPECT_FALSE(detection::Western_byte(0x05D0));
}

TEST(Detect, AppliedSettingsLeaveWhatTheDetectionDoesNotDecide) {
  auto profile = test::Default_settings();
  profile->dest_props->destination_eoln_format = eoln_lf;
  profile->dest_props->destination_char_set = cs_qwerty_lower;
  profile->conversion->reverse_hebrew_phrases = true;
  Detection dos;
  dos.judged = true;
  dos.source_char_set = cs_dos;
  const auto settings = Detected_settings(dos, *profile);
  EXPECT_EQ(settings->source_props->source_char_set, cs_dos);
  EXPECT_EQ(settings->dest_props->destination_char_set, cs_windows);
  EXPECT_FALSE(settings->conversion->reverse_hebrew_phrases);
  EXPECT_EQ(settings->dest_props->destination_eoln_format, eoln_lf);
  EXPECT_EQ(Detected_settings(Detection{}, *profile)->dest_props->destination_char_set, cs_qwerty_lower);
}

}  // namespace
}  // namespace quorvandel
