#include "cli/line_reader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "platform/files/write_all.h"
#include "support/scratch_files.h"

namespace quorvandel::cli {
namespace {

struct Split_case {
  std::string input;
  std::vector<std::string> lines;
};

std::vector<std::string> Split(const std::string& input, std::size_t block_size) {
  int fds[2];
  testing::Open_pipe(fds);
  EXPECT_TRUE(Write_all(fds[1], input));
  ::close(fds[1]);
  Line_reader reader(fds[0], block_size);
  std::vector<std::string> lines;
  for (std::string_view line; reader.Next(line);) lines.emplace_back(line);
  ::close(fds[0]);
  return lines;
}

class Splitting : public ::testing::TestWithParam<Split_case> {};

TEST_P(Splitting, SameLinesForEveryBlockSize) {
  for (const std::size_t block_size : {1u, 2u, 3u, 7u, 4096u}) {
    EXPECT_EQ(Split(GetParam().input, block_size), GetParam().lines) << "block size " << block_size;
  }
}

INSTANTIATE_TEST_SUITE_P(LineReader, Splitting,
                         ::testing::Values(Split_case{"", {""}}, Split_case{"abc", {"abc"}},
                                           Split_case{"a\n", {"a", ""}}, Split_case{"a\r\nb", {"a", "b"}},
                                           Split_case{"a\rb\nc", {"a", "b", "c"}},
                                           Split_case{"a\n\rb", {"a", "", "b"}},
                                           Split_case{"a\r\rb", {"a", "", "b"}},
                                           Split_case{"\r\n\r\n", {"", "", ""}},
                                           Split_case{std::string("a\0b\0", 4), {"aAbA"}},
                                           Split_case{"0123456789abcdefg\r\n0123456789abcdef\n0123456789abcde\r"
                                                      "0123456789abcdef0123456789abcdef0",
                                                      {"0123456789abcdefg", "0123456789abcdef", "0123456789abcde",
                                                       "0123456789abcdef0123456789abcdef0"}},
                                           Split_case{"long line here\r\nx", {"long line here", "x"}},
                                           Split_case{"a\rb\rc\rd\ne\nf\r", {"a", "b", "c", "d", "e", "f", ""}}));

TEST(LineReader, OffsetsOfLines) {
  int fds[2];
  testing::Open_pipe(fds);
  const std::string input = "ab\r\ncd\ne";
  ASSERT_TRUE(Write_all(fds[1], input));
  ::close(fds[1]);
  Line_reader reader(fds[0], 3);
  std::vector<std::size_t> offsets;
  for (std::string_view line; reader.Next(line);) offsets.push_back(reader.line_offset());
  ::close(fds[0]);
  EXPECT_EQ(offsets, (std::vector<std::size_t>{0, 4, 7}));
}

}  // namespace
}  // namespace quorvandel::cli
