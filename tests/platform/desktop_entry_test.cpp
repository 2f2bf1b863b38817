#include "platform/linux/desktop_entry.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace quorvandel {
namespace {

TEST(ExecValue, QuotesEachArgumentSoItReachesTheProgramUnchanged) {
  struct Case {
    const char* what;
    std::vector<std::string> command;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {"plain path", {"/usr/bin/quorvandel"}, R"("/usr/bin/quorvandel")"},
      {"spaces", {"/opt/My Apps/quorvandel"}, R"("/opt/My Apps/quorvandel")"},
      {"double quotes", {R"(/opt/say "hi"/q)"}, R"("/opt/say \\"hi\\"/q")"},
      {"backslash", {R"(/opt/a\b)"}, R"("/opt/a\\\\b")"},
      {"dollar and backtick", {"/opt/$HOME`id`"}, R"("/opt/\\$HOME\\`id\\`")"},
      {"single quote and shell characters", {"/opt/it's;&|<>*?#~()"}, R"x("/opt/it's;&|<>*?#~()")x"},
      {"percent, not a field code", {"/opt/100%/q%f"}, R"("/opt/100%%/q%%f")"},
      {"newline, tab and carriage return", {"/opt/a\nb\tc\rd"}, R"("/opt/a\nb\tc\rd")"},
      {"arguments", {"/opt/q", "--flag", "two words", ""}, R"("/opt/q" "--flag" "two words" "")"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    EXPECT_EQ(Exec_value(c.command), c.expected);
  }
}

}  // namespace
}  // namespace quorvandel
