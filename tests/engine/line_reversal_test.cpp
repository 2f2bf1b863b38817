// Bracket flipping, reversal of stretches and of runs of one kind, and the
// space adjustment after a whole-line reversal.
#include "engine/line_reversal.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace quorvandel {
namespace {

constexpr std::int64_t int64_max = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t int64_min = std::numeric_limits<std::int64_t>::min();

TEST(Flip_parentheses, FlipsEachEnabledPairOnce) {
  const struct {
    const char* line;
    bool parentheses, brackets, curly_braces, angle_brackets;
    const char* expected;
  } cases[] = {
      {"a (b) [c] {d} <e>", true, true, true, true, "a )b( ]c[ }d{ >e<"},
      {"a (b) [c] {d} <e>", false, true, false, false, "a (b) ]c[ {d} <e>"},
      {"a (b) [c] {d} <e>", false, false, false, true, "a (b) [c] {d} >e<"},
      {"(()))", true, false, false, false, "))((("},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    Text line = T(c.line);
    Flip_parentheses(line, c.parentheses, c.brackets, c.curly_braces, c.angle_brackets);
    EXPECT_EQ(Bytes_from_text(line), c.expected);
  }
  // 256 + '(' is a character of its own, not a parenthesis.
  Text line = {U'(', 256 + U'(', U'>'};
  Flip_parentheses(line, true, true, true, true);
  EXPECT_EQ(line, (Text{U')', 256 + U'(', U'<'}));
}

TEST(Reverse_substring, ReversesTheStretchClippedToTheLine) {
  const struct {
    std::int64_t start, count;
    const char* expected;
  } cases[] = {
      {1, 6, "fedcba"},         {2, 3, "adcbef"},        {2, 0, "abcdef"},         {2, -3, "abcdef"},
      {5, 10, "abcdfe"},        {-1, 4, "bacdef"},       {0, 1, "abcdef"},         {7, 2, "abcdef"},
      {4, int64_max, "abcfed"}, {-2, int64_max, "fedcba"}, {int64_min, int64_max, "abcdef"},
      {int64_max, int64_max, "abcdef"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "start " << c.start << ", count " << c.count);
    Text line = T("abcdef");
    Reverse_substring(line, c.start, c.count);
    EXPECT_EQ(Bytes_from_text(line), c.expected);
  }
}

// Set 2 holds Hebrew as capitals: capitals are Hebrew letters, small
// letters English ones.
TEST(Reverse_elements, ReversesEveryRunOfTheKind) {
  TOptConversion defaults;  // hyphen, period and slash separate numbers
  defaults.number_separator_hyphen = defaults.number_separator_period = defaults.number_separator_slash = true;
  TOptConversion plus_and_space = defaults;
  plus_and_space.number_separator_plus_sign = plus_and_space.number_separator_space = true;
  const struct {
    const char* line;
    int kind;
    const TOptConversion& separators;
    const char* expected;
  } cases[] = {
      {"ghi ABC DEF jkl", kind_hebrew_phrase, defaults, "ghi FED CBA jkl"},
      {"ghi ABC DEF. jkl", kind_hebrew_phrase, defaults, "ghiFED CBA . jkl"},
      {"ABC 123 DEF", kind_hebrew_phrase, defaults, " CBA123FED "},
      {"ABC DEF ghi", kind_hebrew_letter, defaults, "CBA FED ghi"},
      {"ABC hello world, DEF", kind_english_phrase, defaults, "ABCdlrow olleh , DEF"},
      {"ABC hello world DEF", kind_english_letter, defaults, "ABC olleh dlrow DEF"},
      {"tel 03-123", kind_digit, defaults, "tel 30-321"},
      {"tel 03-123", kind_expression, defaults, "tel 321-30"},
      {"on 12/05/2003.", kind_expression, defaults, "on .3002/50/21"},
      {"3+4=7 1 000", kind_expression, defaults, "3+4=7 1 000"},
      {"3+4=7", kind_expression, plus_and_space, "4+3=7"},
      {"1 000 000", kind_expression, plus_and_space, "000 000 1"},
      {"12 ab", 0, defaults, "12 ab"},
      {"12 ab", 7, defaults, "12 ab"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.line << ", kind " << c.kind);
    Text line = T(c.line);
    Reverse_elements(line, c.kind, Kind_table(cs_upper, c.separators));
    EXPECT_EQ(Bytes_from_text(line), c.expected);
  }
  // A unit above the bytes ends a run, whatever its low byte.
  Text line = {U'A', U'B', 256 + U'B', U'E', U'F'};
  Reverse_elements(line, kind_hebrew_letter, Kind_table(cs_upper, defaults));
  EXPECT_EQ(line, (Text{U'B', U'A', 256 + U'B', U'F', U'E'}));
}

// Runs that start, end or lie alone on either side of multiples of 64
// units; the line ends on one.
TEST(Reverse_elements, FindsRunsThroughoutLongLines) {
  TOptConversion separators;
  const Kind_table upper(cs_upper, separators);
  const std::size_t run_lengths[] = {62, 2, 1, 64, 130, 1, 65, 3, 62, 50};
  const std::size_t gap_lengths[] = {1, 1, 2, 1, 63, 1, 2, 1, 64, 0};
  Text line;
  Text expected;
  Unit letter = 0;
  for (std::size_t i = 0; i < std::size(run_lengths); ++i) {
    Text run;
    for (std::size_t k = 0; k < run_lengths[i]; ++k) run.push_back(U'A' + letter++ % 26);
    line += run;
    expected.append(run.rbegin(), run.rend());
    line.append(gap_lengths[i], U'1');
    expected.append(gap_lengths[i], U'1');
  }
  Reverse_elements(line, kind_hebrew_letter, upper);
  EXPECT_EQ(line, expected);
}

// Lines of bytes are judged by ranges of bytes, sixteen at a time, and lines
// of units by the table: every set, kind and separator choice turns the
// runs of random lines of every length around a block alike, the kinds of
// several passes in a row included.
TEST(Run_reverser, BytesTurnAsTheirUnits) {
  std::uint32_t random = 12345;
  const auto next_byte = [&random] {
    random = random * 1103515245U + 12345U;
    const auto bits = random >> 16;
    // Mostly letters, digits, separators and spaces, so that runs are long.
    const char common[] = " -./,:+09azAZ\xE0\xFA\xFB\x80\x9A";
    return bits % 4 == 0 ? static_cast<char>(bits >> 4) : common[(bits >> 4) % (sizeof common - 1)];
  };
  for (int source_set = cs_windows; source_set <= cs_qwerty_lower; ++source_set) {
    for (const bool all_separators : {false, true}) {
      TOptConversion c;
      c.number_separator_hyphen = c.number_separator_period = c.number_separator_slash = true;
      c.number_separator_comma = c.number_separator_plus_sign = c.number_separator_colon = all_separators;
      c.number_separator_space = all_separators;
      const Kind_table kinds(source_set, c);
      for (const std::size_t length : {1U, 15U, 16U, 17U, 63U, 64U, 65U, 200U}) {
        Byte_text bytes;
        for (std::size_t i = 0; i < length; ++i) bytes += next_byte();
        Text units = Text_from_bytes(bytes);
        Run_reverser by_bytes;
        Run_reverser by_units;
        by_bytes.Start(bytes, kinds);
        by_units.Start(units, kinds);
        for (int kind = kind_english_letter; kind <= kind_expression; ++kind) {
          by_bytes.Reverse(bytes, kind, kind == kind_expression);
          by_units.Reverse(units, kind, kind == kind_expression);
        }
        EXPECT_EQ(bytes, Bytes_from_text(units)) << "set " << source_set << ", length " << length;
      }
    }
  }
}

// Each line is written as it stood before the whole-line reversal, which the
// test performs first, as the line conversion does.
TEST(Adjust_spaces, AlignsTheReversedLine) {
  const struct {
    const char* line;
    bool complement, truncate;
    std::int32_t line_length;
    const char* expected;
  } cases[] = {
      {"  abc", false, true, 10, "  cba"},
      {"abc  ", false, true, 10, "cba"},
      {"abc  ", false, false, 10, "cba  "},
      {" a  b   ", false, false, 10, " b  a   "},
      {"abc", true, false, 10, "       cba"},
      {"abc  ", true, true, 10, "     cba"},
      {"  abc", true, false, 10, "       cba"},
      {"a b", true, true, 2, "b a"},
      {"  abc", true, true, std::numeric_limits<std::int32_t>::min(), "cba"},
      {"\tabc ", false, true, 10, "cba\t"},
      {"   ", true, true, 10, "   "},
      {"   ", false, true, 10, "   "},
      {"", true, true, 10, ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << '"' << c.line << "\" complement " << c.complement << " truncate "
                                    << c.truncate << " length " << c.line_length);
    Text line = T(c.line);
    Reverse_string(line);
    Adjust_spaces(line, c.complement, c.truncate, c.line_length);
    EXPECT_EQ(Bytes_from_text(line), c.expected);
  }
}

TEST(Truncate_trailing_spaces, RemovesOnlyTrailingSpaces) {
  for (const auto& [line, expected] : {std::pair{"  a b  ", "  a b"}, {"abc\t", "abc\t"}, {"   ", ""}}) {
    Text text = T(line);
    Truncate_trailing_spaces(text);
    EXPECT_EQ(Bytes_from_text(text), expected) << line;
  }
}

}  // namespace
}  // namespace quorvandel
