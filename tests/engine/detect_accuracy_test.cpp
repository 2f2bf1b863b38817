// The detector on paragraphs of the project's own sentences, each garbled
// every way it must recognize: at least 99% right for every kind on
// paragraphs of at least 20 Hebrew letters, and at most 0.5% false repairs
// of plain English and of correct logical Hebrew.
#include <gtest/gtest.h>

#include "engine/detection/detect.h"
#include "tests/corpus/hebrew_corpus.h"

namespace quorvandel {
namespace {

constexpr std::size_t paragraph_count = 600;
constexpr std::size_t min_hebrew_letters = 20;

class Detect_accuracy : public testing::TestWithParam<std::size_t> {};

TEST_P(Detect_accuracy, AtLeast99PercentRight) {
  const test::Garbling& garbling = test::Garblings()[GetParam()];
  std::size_t judged = 0;
  std::size_t right = 0;
  std::string first_wrong;
  std::size_t variant = 0;
  for (const Text& paragraph : test::Hebrew_paragraphs(paragraph_count)) {
    if (test::Hebrew_letter_count(paragraph) < min_hebrew_letters) continue;
    ++judged;
    const Detection found = Detect_paragraph(garbling.garble(paragraph, variant++));
    if (found.Same_settings(garbling.expected)) {
      ++right;
    } else if (first_wrong.empty()) {
      first_wrong = Describe(found);
    }
  }
  ASSERT_GT(judged, paragraph_count / 2);
  EXPECT_GE(right * 100, judged * 99) << garbling.name << ": " << right << " of " << judged
                                       << " right; one wrong verdict: " << first_wrong;
}

INSTANTIATE_TEST_SUITE_P(EveryKind, Detect_accuracy, testing::Range<std::size_t>(0, test::Garblings().size()),
                         [](const testing::TestParamInfo<std::size_t>& kind) {
                           std::string name(test::Garblings()[kind.param].name);
                           for (char& c : name) c = std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                           return name;
                         });

TEST(Detect_false_repairs, PlainEnglishIsLeftAlone) {
  std::size_t repairs = 0;
  const auto paragraphs = test::English_paragraphs(paragraph_count);
  for (const Text& paragraph : paragraphs) repairs += Is_repair(Detect_paragraph(paragraph));
  EXPECT_LE(repairs * 200, paragraphs.size()) << repairs << " of " << paragraphs.size();
}

TEST(Detect_false_repairs, LogicalHebrewIsLeftAlone) {
  std::size_t repairs = 0;
  const auto paragraphs = test::Hebrew_paragraphs(paragraph_count);
  for (const Text& paragraph : paragraphs) repairs += Is_repair(Detect_paragraph(paragraph));
  EXPECT_LE(repairs * 200, paragraphs.size()) << repairs << " of " << paragraphs.size();
}

}  // namespace
}  // namespace quorvandel
