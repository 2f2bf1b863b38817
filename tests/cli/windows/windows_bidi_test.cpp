// The bidirectional method in the Windows converter, which has GNU FriBidi
// built in: a line in logical order becomes what the fribidi tool shows for
// it (right-to-left paragraph, code page 1255), and comes back.
#include <gtest/gtest.h>

#include <string>

#include "cli/run_process.h"
#include "support/scratch_files.h"

namespace quorvandel::testing {
namespace {

const std::string converter = QUORVANDEL_CONVERT_EXE;

Process_result Convert(const std::string& direction, const std::string& input) {
  return Run_process({converter, "--settings", Empty_file(), "--set", "reordering_method=1", "--set",
                      "reordering_direction=" + direction, "--set", "destination_eoln_format=1"},
                     input);
}

TEST(WindowsBidi, ReordersWithFribidiAndComesBack) {
  const std::string logical = "abc \xf9\xec\xe5\xed 123.\n";  // abc shalom 123.
  const std::string visual = ".123 \xed\xe5\xec\xf9 abc\n";   // as `fribidi --rtl --charset CP1255` shows it
  const Process_result to_visual = Convert("1", logical);
  ASSERT_EQ(to_visual.exit_status, 0) << to_visual.err;
  EXPECT_EQ(to_visual.out, visual);
  const Process_result to_logical = Convert("0", visual);
  ASSERT_EQ(to_logical.exit_status, 0) << to_logical.err;
  EXPECT_EQ(to_logical.out, logical);
}

}  // namespace
}  // namespace quorvandel::testing
