#include "platform/files/file_replace.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "platform_test_support.h"

namespace quorvandel {
namespace {

using testing::Names_in;
using testing::Scratch_folder;
using testing::Text_of;
namespace fs = std::filesystem;

// Sets the process's umask for the life of the object.
class Umask {
 public:
  explicit Umask(mode_t mask) : old_(::umask(mask)) {}
  ~Umask() { ::umask(old_); }
  Umask(const Umask&) = delete;
  Umask& operator=(const Umask&) = delete;

 private:
  mode_t old_;
};

TEST(ReplaceFileContents, GivesTheGivenModeElseKeepsTheOldFilesModeElseTheUmasks) {
  struct Case {
    const char* what;
    std::optional<unsigned> old_mode;  // no old file when missing
    std::optional<unsigned> mode;      // the mode asked for
    unsigned expected;
  };
  const std::vector<Case> cases = {
      {"new file", std::nullopt, std::nullopt, 0640},
      {"new file with a mode", std::nullopt, 0755, 0755},
      {"old file", 0604, std::nullopt, 0604},
      {"old file with a mode", 0600, 0644, 0644},
  };
  const Umask umask(027);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Scratch_folder scratch;
    const fs::path file = scratch.path() / "a.txt";
    if (c.old_mode) {
      testing::Write_text(file, "old text");
      fs::permissions(file, static_cast<fs::perms>(*c.old_mode));
    }
    const std::optional<fs::perms> mode =
        c.mode ? std::optional<fs::perms>(static_cast<fs::perms>(*c.mode)) : std::nullopt;
    ASSERT_TRUE(Replace_file_contents(file, "new text", mode));
    EXPECT_EQ(Text_of(file), "new text");
    EXPECT_EQ(testing::Mode_of(file), c.expected);
    EXPECT_EQ(Names_in(scratch.path()), std::vector<std::string>{"a.txt"}) << "no temporary file is left";
  }
}

TEST(ReplaceFileContents, ReplacesTheTargetOfASymbolicLink) {
  Scratch_folder scratch;
  testing::Write_text(scratch.path() / "real.txt", "old text");
  fs::permissions(scratch.path() / "real.txt", fs::perms::owner_read | fs::perms::owner_write);
  fs::create_symlink(scratch.path() / "real.txt", scratch.path() / "link.txt");

  ASSERT_TRUE(Replace_file_contents(scratch.path() / "link.txt", "new text"));
  EXPECT_TRUE(fs::is_symlink(scratch.path() / "link.txt"));
  EXPECT_EQ(Text_of(scratch.path() / "real.txt"), "new text");
  EXPECT_EQ(testing::Mode_of(scratch.path() / "real.txt"), 0600u);
  EXPECT_EQ(Names_in(scratch.path()), std::vector<std::string>({"link.txt", "real.txt"}));
}

TEST(ReplaceFileContents, FailsWithoutLeavingAnythingWhenTheFolderIsMissing) {
  Scratch_folder scratch;
  EXPECT_FALSE(Replace_file_contents(scratch.path() / "missing" / "a.txt", "text"));
  EXPECT_EQ(Names_in(scratch.path()), std::vector<std::string>{});
}

}  // namespace
}  // namespace quorvandel
