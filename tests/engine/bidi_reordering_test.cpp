// Reordering by the bidirectional algorithm: logical to visual exactly as
// the fribidi tool shows each line, visual back to logical for the
// sentences of the corpus, and both directions inside the line conversion.
#include "engine/bidi_reordering.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bidi/fribidi_algorithm.h"
#include "engine/convert_line.h"
#include "engine/cp1255.h"
#include "engine/decoding.h"
#include "engine/test_settings.h"

namespace quorvandel {
namespace {

// Sentences of software translations and everyday text, with English
// words, numbers and punctuation; the second file was written after the
// reading rules were settled, and they were not changed for it.
const std::string data = QUORVANDEL_SOURCE_DIR "/tests/engine/data/";
const std::string corpus_paths[] = {data + "bidi_sentences.txt", data + "bidi_sentences_unseen.txt"};

std::vector<std::string> Lines_of(std::FILE *file) {
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

std::vector<std::string> Corpus(const std::string &corpus_path) {
  std::FILE *file = std::fopen(corpus_path.c_str(), "rb");
  EXPECT_NE(file, nullptr) << corpus_path;
  if (!file) return {};
  auto lines = Lines_of(file);
  std::fclose(file);
  return lines;
}

// What `fribidi --nopad --nobreak` shows for each line of the corpus.
std::vector<std::string> Fribidi_tool_lines(const std::string &corpus_path, const char *direction_option) {
  const std::string command = std::string("fribidi --nopad --nobreak ") + direction_option + " < '" + corpus_path + "'";
  std::FILE *pipe = popen(command.c_str(), "r");
  EXPECT_NE(pipe, nullptr) << command;
  if (!pipe) return {};
  auto lines = Lines_of(pipe);
  EXPECT_EQ(pclose(pipe), 0) << command;
  return lines;
}

std::string File_name(const std::string &path) { return path.substr(path.rfind('/') + 1); }

Text Units(const std::string &utf8) {
  Text text;
  EXPECT_FALSE(Append_text_from_utf8(text, utf8).has_value()) << utf8;
  return text;
}

// The share of sentences that must come back: Hebrew sentences are right
// to left, or of their first strong letter; shown in a left-to-right
// paragraph they are more often ambiguous.
struct Direction_case {
  Paragraph_direction direction;
  const char *option;
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
  for (const auto &d : directions) {
    const auto expected = Fribidi_tool_lines(corpus_paths[0], d.option);
    ASSERT_EQ(expected.size(), corpus.size()) << d.option;
    Bidi_reordering reordering(Fribidi(), cs_windows, d.direction);
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
  for (const auto &corpus_path : corpus_paths) {
    const auto corpus = Corpus(corpus_path);
    for (const auto &d : directions) {
      const auto visual = Fribidi_tool_lines(corpus_path, d.option);
      ASSERT_EQ(visual.size(), corpus.size());
      Bidi_reordering reordering(Fribidi(), cs_windows, d.direction);
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

}  // namespace
}  // namespace quorvandel
