#include "settings/settings_location.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings_test_support.h"

namespace quorvandel {
namespace {

using testing::Scratch_folder;
namespace fs = std::filesystem;

TEST(ProgramFolder, ChoosesTheExecutablesFolderOrThePerUserFolder) {
  enum class Expect { executable_folder, xdg_folder, home_folder };
  struct Case {
    const char* what;
    bool folder_writable;
    bool settings_file_present;
    bool xdg_set;
    bool xdg_relative;
    Expect expected;
  };
  const std::vector<Case> cases = {
      {"writable folder", true, false, true, false, Expect::executable_folder},
      {"read-only folder with its settings file", false, true, true, false, Expect::executable_folder},
      {"system-wide install", false, false, true, false, Expect::xdg_folder},
      {"system-wide install without XDG_CONFIG_HOME", false, false, false, false, Expect::home_folder},
      {"system-wide install with a relative XDG_CONFIG_HOME", false, false, true, true, Expect::home_folder},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Scratch_folder scratch;
    const fs::path install = scratch.path() / "bin";
    fs::create_directory(install);
    testing::Set_mode(install, fs::perms::all);
    if (c.settings_file_present) testing::Write_text((install / settings_file_name).string(), "");
    if (!c.folder_writable) testing::Set_mode(install, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec);
    const std::string xdg = c.xdg_relative ? "relative/config" : scratch.File("xdg");
    const User_folders user{c.xdg_set ? xdg : "", scratch.File("home")};

    testing::Without_root_rights user_rights;
    if (!user_rights.ok()) GTEST_SKIP() << "cannot give up root's file rights";
    const std::string chosen = Program_folder(install.string(), user);
    const std::string expected = c.expected == Expect::executable_folder ? install.string() + "/"
                                 : c.expected == Expect::xdg_folder    ? scratch.File("xdg") + "/Quorvandel/"
                                                                       : scratch.File("home") + "/.config/Quorvandel/";
    EXPECT_EQ(chosen, expected);
    EXPECT_TRUE(fs::is_directory(chosen)) << "the per-user folder is made when missing";
  }
}

TEST(ProgramFolder, StaysWithTheExecutablesFolderWhenNoUserFolderIsKnown) {
  Scratch_folder scratch;
  testing::Set_mode(scratch.path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec);
  testing::Without_root_rights user_rights;
  if (!user_rights.ok()) GTEST_SKIP() << "cannot give up root's file rights";
  EXPECT_EQ(Program_folder(scratch.path().string() + "/", User_folders{}), scratch.path().string() + "/");
}

TEST(ExecutableFolder, IsTheFolderOfThisTestProgram) {
  const std::string folder = Executable_folder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '/');
  EXPECT_TRUE(fs::exists(folder + "settings_tests"));
}

}  // namespace
}  // namespace quorvandel
