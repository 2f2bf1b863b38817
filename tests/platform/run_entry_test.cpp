#include "platform/linux/autostart.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/files/executable_path.h"
#include "platform/linux/desktop_entry.h"
#include "platform_test_support.h"

namespace quorvandel {
namespace {

using testing::Names_in;
using testing::Scratch_folder;
using testing::Text_of;
namespace fs = std::filesystem;

std::string Entry_text(const std::string& name, const std::string& exec) {
  return "[Desktop Entry]\nType=Application\nName=" + name + "\nExec=" + exec + "\nTerminal=false\n";
}

TEST(SetRunEntry, WritesReplacesAndDeletesTheAutostartEntry) {
  Scratch_folder scratch;
  const User_folders user{scratch.File("config"), scratch.File("home")};
  const fs::path autostart = scratch.path() / "config" / "autostart";

  ASSERT_TRUE(Set_run_entry("Quorvandel", "/opt/Quorvandel/quorvandel", false, true, user));
  EXPECT_EQ(Text_of(autostart / "Quorvandel.desktop"), Entry_text("Quorvandel", R"("/opt/Quorvandel/quorvandel")"));
  EXPECT_EQ(testing::Mode_of(autostart / "Quorvandel.desktop"), 0644u);

  ASSERT_TRUE(Set_run_entry("Quorvandel", "/home/u/My \"Apps\"/quorvandel", true, true, user));
  EXPECT_EQ(Text_of(autostart / "Quorvandel.desktop"),
            Entry_text("Quorvandel", R"("/home/u/My \\"Apps\\"/quorvandel")"));
  EXPECT_EQ(Names_in(autostart), std::vector<std::string>{"Quorvandel.desktop"}) << "no temporary file is left";

  EXPECT_TRUE(Set_run_entry("Quorvandel", "", false, false, user));
  EXPECT_EQ(Names_in(autostart), std::vector<std::string>{});
  EXPECT_TRUE(Set_run_entry("Quorvandel", "", false, false, user)) << "a missing entry is already deleted";
}

TEST(SetRunEntry, ReportsAnEntryItCannotWriteOrDelete) {
  struct Case {
    const char* what;
    std::string value_name;
    bool under_a_file;
    bool no_folders;
  };
  const std::vector<Case> cases = {
      {"configuration folder below a file", "Quorvandel", true, false},
      {"no configuration folder known", "Quorvandel", false, true},
      {"name with a separator", "../Quorvandel", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Scratch_folder scratch;
    testing::Write_text(scratch.File("file"), "");
    const std::string config = c.under_a_file ? scratch.File("file/config") : scratch.File("config");
    const User_folders user = c.no_folders ? User_folders{} : User_folders{config, scratch.File("home")};
    EXPECT_FALSE(Set_run_entry(c.value_name, "/q", false, true, user));
    EXPECT_FALSE(Set_run_entry(c.value_name, "/q", false, false, user));
    EXPECT_EQ(Names_in(scratch.path()), std::vector<std::string>{"file"});
  }
}

TEST(LaunchOnWindowsStartup, StartsThisExecutableUnderTheProgramsName) {
  Scratch_folder scratch;
  const User_folders user{scratch.File("config"), ""};
  const fs::path entry = scratch.path() / "config" / "autostart" / "Quorvandel.desktop";

  ASSERT_TRUE(Launch_on_windows_startup(true, user));
  ASSERT_FALSE(Executable_path().empty());
  EXPECT_EQ(Text_of(entry), Entry_text("Quorvandel", Exec_value({Executable_path()})));
  ASSERT_TRUE(Launch_on_windows_startup(false, user));
  EXPECT_FALSE(fs::exists(entry));
}

}  // namespace
}  // namespace quorvandel
