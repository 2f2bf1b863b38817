// Reordering by the bidirectional algorithm: logical to visual exactly as
// the fribidi tool shows each line, visual back to logical for the
// sentences of the corpus, and both directions inside the line conversion.
#include "engine/bidi_reordering.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bidi/fribidi_algorithm.h"
#include "engine/convert_document.h"
#include "engine/convert_line.h"
#include "engine/cp1255.h"
#include "engine/decoding.h"
#include "engine/test_settings.h"
#include "support/fake_conversion_document.h"

namespace quorvandel {
namespace {

// Sentences of software translations and everyday text, with English
// words, numbers and punctuation; the second file was written after the
// reading rules were settled, and they were not changed for it.
const std::string data = QUORVANDEL_SOURCE_DIR "/tests/engine/data/";
const std::string corpus_paths[] = {data + "bidi_sentences.txt", data + "bidi_sentences_unseen.txt"};

std::vector<std::string> Lines_of(std::FILE* file) {
  std::vector<std::string> lines;
  std::string line;
  for (int c; (c = std::fgetc(file)) != EOF;) {
    if (c == '\n') {
      lines.push_back(line);
      line.clear();
    } else {
      line += static_cast<char>(c);
    }
  }
  return lines;
}

std::vector<std::string> Corpus(const std::string& corpus_path) {
  std::FILE* file = std::fopen(corpus_path.c_str(), "rb");
  EXPECT_NE(file, nullptr) << corpus_path;
  if (!file) return {};
  auto lines = Lines_of(file);
  std::fclose(file);
  return lines;
}

// What `fribidi --nopad --nobreak` shows for each line of the corpus.
std::vector<std::string> Fribidi_tool_lines(const std::string& corpus_path, const char* direction_option) {
  const std::string command = std::string("fribidi --nopad --nobreak ") + direction_option + " < '" + corpus_path + "'";
  std::FILE* pipe = popen(command.c_str(), "r");
  EXPECT_NE(pipe, nullptr) << command;
  if (!pipe) return {};
  auto lines = Lines_of(pipe);
  EXPECT_EQ(pclose(pipe), 0) << command;
  return lines;
}

std::string File_name(const std::string& path) { return path.substr(path.rfind('/') + 1); }

Text Units(const std::string& utf8) {
  Text text;
  EXPECT_FALSE(Append_text_from_utf8(text, utf8).has_value()) << utf8;
  return text;
}

// The share of sentences that must come back: Hebrew sentences are right
// to left, or of their first strong letter; shown in a left-to-right
// paragraph they are more often ambiguous.
struct Direction_case {
  Paragraph_direction direction;
  const char* option;
  int percent_restored;
};
const Direction_case directions[] = {
    {paragraph_rtl, "--rtl", 99},
    {paragraph_ltr, "--ltr", 90},
    {paragraph_auto, "", 99},
};

TEST(BidiReordering, LogicalToVisualIsWhatTheFribidiToolShows) {
  const auto corpus = Corpus(corpus_paths[0]);
  ASSERT_GT(corpus.size(), 150U);
  for (const auto& d : directions) {
    const auto expected = Fribidi_tool_lines(corpus_paths[0], d.option);
    ASSERT_EQ(expected.size(), corpus.size()) << d.option;
    Bidi_reordering reordering(Fribidi(), cs_windows, TOptQwerty{}, d.direction);
    for (std::size_t i = 0; i < corpus.size(); ++i) {
      Text line = Units(corpus[i]);
      reordering.To_visual(line);
      EXPECT_EQ(Utf8_from_text(line), expected[i]) << d.option << " line " << i + 1 << ": " << corpus[i];
    }
  }
}

// The sentences as the fribidi tool shows them come back exactly; the
// share is printed.
TEST(BidiReordering, VisualToLogicalRestoresTheSentences) {
  for (const auto& corpus_path : corpus_paths) {
    const auto corpus = Corpus(corpus_path);
    for (const auto& d : directions) {
      const auto visual = Fribidi_tool_lines(corpus_path, d.option);
      ASSERT_EQ(visual.size(), corpus.size());
      Bidi_reordering reordering(Fribidi(), cs_windows, TOptQwerty{}, d.direction);
      std::size_t restored = 0;
      std::string missed;
      for (std::size_t i = 0; i < corpus.size(); ++i) {
        Text line = Units(visual[i]);
        reordering.To_logical(line);
        if (Utf8_from_text(line) == corpus[i]) {
          ++restored;
        } else {
          missed += "\n  want " + corpus[i] + "\n  got  " + Utf8_from_text(line);
        }
      }
      std::printf("%s %-5s restored %zu of %zu sentences\n", File_name(corpus_path).c_str(), d.option, restored,
                  corpus.size());
      EXPECT_GE(restored * 100, corpus.size() * static_cast<std::size_t>(d.percent_restored))
          << corpus_path << " " << d.option << missed;
    }
  }
}

// Hebrew held as capitals writes Tav with '[', so a ']' that a right-to-left
// run mirrors has no bracket to become: it stays a ']' rather than turn
// into a Tav, and a reading taken back shows as the visual line.
TEST(BidiReordering, ABracketWhoseMirrorTheSetCannotWriteStays) {
  const Text lines[] = {T("AB ] CD"), T("AB ]12 CD"), T("(AB] x"),
                        T("(\xE0\xE1ld  <\xE1) [x]/2003 \xE3\xE4.\r")};
  const auto tavs = [](const Text& line) { return std::count(line.begin(), line.end(), Unit{'['}); };
  for (const auto& d : directions) {
    Bidi_reordering reordering(Fribidi(), cs_upper, TOptQwerty{}, d.direction);
    for (const Text& line : lines) {
      SCOPED_TRACE(std::string(d.option) + " " + Utf8_from_text(line));
      Text visual = line;
      reordering.To_visual(visual);
      EXPECT_EQ(tavs(visual), tavs(line));
      Text logical = visual;
      if (!reordering.To_logical(logical)) continue;
      EXPECT_EQ(tavs(logical), tavs(line));
      reordering.To_visual(logical);
      EXPECT_EQ(logical, visual);
    }
  }
}

// The same inside the line conversion: letters translated first (here into
// code page 862 and into Hebrew held as capitals), the reordering on the
// translated line, and the classic flips and reversals left out.
class BidiLineConversion : public ::testing::Test {
 protected:
  void SetUp() override { Set_bidi_algorithm(&Fribidi()); }
  void TearDown() override { Set_bidi_algorithm(&Fribidi()); }

  static std::unique_ptr<TPrefs> Bidi_settings(Reordering_direction direction, int dest_set) {
    auto settings = test::Default_settings();
    TOptConversion& c = *settings->conversion;
    c.reordering_method = reorder_bidi;
    c.reordering_direction = direction;
    c.paragraph_direction = paragraph_rtl;
    c.flip_parentheses = c.flip_brackets = c.reverse_whole_line = c.reverse_english_phrases = true;
    c.reverse_html_tags = true;
    settings->dest_props->destination_char_set = static_cast<std::uint8_t>(dest_set);
    return settings;
  }
  // Translation alone, from code page 1255 into the set.
  static Text Translated(Text line, int dest_set) {
    auto settings = test::Default_settings();
    settings->conversion->reverse_hebrew_phrases = false;
    settings->dest_props->destination_char_set = static_cast<std::uint8_t>(dest_set);
    return Convert_line(line, *settings);
  }
};

TEST_F(BidiLineConversion, ReordersTheTranslatedLineInEitherDirection) {
  const auto corpus = Corpus(corpus_paths[0]);
  const auto visual = Fribidi_tool_lines(corpus_paths[0], "--rtl");
  ASSERT_EQ(corpus.size(), visual.size());
  for (const int dest_set : {int{cs_dos}, int{cs_upper}}) {
    const auto to_visual = Bidi_settings(logical_to_visual, dest_set);
    const auto to_logical = Bidi_settings(visual_to_logical, dest_set);
    for (std::size_t i = 0; i < corpus.size(); ++i) {
      const Text logical = Units(corpus[i]);
      if (First_non_byte(logical)) continue;
      // Hebrew held as capitals cannot be told from English capitals, nor
      // Tav ('[') from a bracket; code page 862 has no vowel points.
      const auto any = [&logical](auto predicate) { return std::any_of(logical.begin(), logical.end(), predicate); };
      if (dest_set == cs_upper &&
          any([](Unit u) { return u < 128 && (std::isalpha(static_cast<int>(u)) || u == '['); }))
        continue;
      if (dest_set == cs_dos && any([](Unit u) { return u >= 0xC0 && u <= 0xD7; })) continue;
      SCOPED_TRACE("set " + std::to_string(dest_set) + ": " + corpus[i]);
      EXPECT_EQ(Convert_line(logical, *to_visual), Translated(Units(visual[i]), dest_set));
      EXPECT_EQ(Convert_line(Units(visual[i]), *to_logical), Translated(logical, dest_set));
    }
  }
}

// The algorithm puts the spaces at the ends of a line where they show;
// complementing pads the reordered line to the line length.
TEST_F(BidiLineConversion, SpacesStayWhereTheAlgorithmPutsThemUnlessComplemented) {
  auto settings = Bidi_settings(visual_to_logical, cs_windows);
  EXPECT_EQ(Convert_line(T("     \xED\xE5\xEC\xF9 abc  "), *settings), T("  abc \xF9\xEC\xE5\xED     "));
  settings->conversion->reordering_direction = logical_to_visual;
  settings->conversion->complement_leading_spaces = true;
  settings->conversion->line_length = 10;
  EXPECT_EQ(Convert_line(T(" \xF9\xEC\xE5\xED (1)"), *settings), T("  (1) \xED\xE5\xEC\xF9"));
}

TEST_F(BidiLineConversion, WithoutAnAlgorithmTheConversionStops) {
  Set_bidi_algorithm(nullptr);
  const auto settings = Bidi_settings(logical_to_visual, cs_windows);
  EXPECT_THROW(Line_converter{*settings}, Conversion_error);
}

// An algorithm that fails on every line, as FriBidi does without memory.
class Failing_algorithm : public Bidi_algorithm {
 public:
  bool Show(std::u32string_view, Paragraph_direction, Bidi_picture&) const override { return false; }
  char32_t Mirror(char32_t character) const override { return Fribidi().Mirror(character); }
};

// A line the algorithm fails on stops the conversion with an error in
// either direction, rather than pass through unconverted; the window is
// told, and gets no half-converted text. Lines that need no algorithm
// (all Hebrew, in a right-to-left paragraph) still convert.
TEST_F(BidiLineConversion, AFailingAlgorithmStopsTheConversionWithAnError) {
  static const Failing_algorithm failing;
  Set_bidi_algorithm(&failing);
  const std::string hebrew_only = "\xF9\xEC\xE5\xED";
  const struct {
    Reordering_direction direction;
    Paragraph_direction paragraph;
    std::string mixed;  // a line the algorithm must reorder
  } cases[] = {
      {logical_to_visual, paragraph_rtl, hebrew_only + " abc"},
      {visual_to_logical, paragraph_rtl, "abc " + hebrew_only},
      {logical_to_visual, paragraph_auto, hebrew_only + " (1)"},
      {visual_to_logical, paragraph_auto, "abc " + hebrew_only},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.direction == logical_to_visual ? "to visual, " : "to logical, ") +
                 (c.paragraph == paragraph_rtl ? "right to left" : "automatic"));
    auto settings = Bidi_settings(c.direction, cs_windows);
    settings->conversion->paragraph_direction = c.paragraph;
    EXPECT_EQ(Convert_line(T(hebrew_only), *settings), T("\xED\xE5\xEC\xF9"));
    EXPECT_THROW(Convert_line(T(c.mixed), *settings), Conversion_error);
    testing::Fake_conversion_document document(settings.get(), {T(hebrew_only), T(c.mixed)});
    EXPECT_FALSE(Convert_document(document));
    EXPECT_EQ(document.messages, std::vector<std::string>{"the bidirectional algorithm could not reorder the line"});
    EXPECT_TRUE(document.destination.empty());
  }
}

}  // namespace
}  // namespace quorvandel
