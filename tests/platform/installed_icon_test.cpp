#include "platform/linux/installed_icon.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/application_id.h"
#include "platform/linux/autostart.h"
#include "platform/linux/desktop_entry.h"
#include "platform/linux/desktop_file_launcher.h"
#include "platform/run_entry.h"
#include "platform_test_support.h"

namespace quorvandel {
namespace {

using testing::Scratch_folder;
using testing::Text_of;
namespace fs = std::filesystem;

const std::string icon_name = "org.example.Test";

// <prefix>/bin/quorvandel, with the theme's scalable icon when `with_icon`.
std::string Install_under(const fs::path& prefix, bool with_icon) {
  fs::create_directories(prefix / "bin");
  testing::Write_text(prefix / "bin" / "quorvandel", "");
  if (with_icon) {
    const fs::path apps = prefix / "share" / "icons" / "hicolor" / "scalable" / "apps";
    fs::create_directories(apps);
    testing::Write_text(apps / (icon_name + ".svg"), "<svg/>");
  }
  return (prefix / "bin" / "quorvandel").string();
}

TEST(InstalledIcon, NamesTheThemeIconWhereDesktopsLookAndItsFileElsewhere) {
  struct Case {
    const char* what;
    std::string prefix;  // under the scratch folder
    bool with_icon;
    std::string data_dirs;  // "@" stands for the scratch folder
    enum { none, name, file } expected;
  };
  const std::vector<Case> cases = {
      {"prefix among the data folders", "usr", true, "/nonexistent:@/usr/share", Case::name},
      {"prefix among them with a trailing slash", "usr", true, "@/usr/share/", Case::name},
      {"the user's own data folder", "home/.local", true, "/usr/share", Case::name},
      {"prefix elsewhere, as an unpacked package", "tree/usr", true, "/usr/local/share:/usr/share", Case::file},
      {"the default data folders when none are set", "opt", true, "", Case::file},
      {"a relative data folder is ignored", "usr", true, "usr/share", Case::file},
      {"no icon installed: the build folder", "build", false, "@/build/share", Case::none},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Scratch_folder scratch;
    const std::string executable = Install_under(scratch.path() / c.prefix, c.with_icon);
    std::string data_dirs = c.data_dirs;
    if (const std::size_t at = data_dirs.find('@'); at != std::string::npos) {
      data_dirs.replace(at, 1, scratch.path().string());
    }
    const User_folders user{"", scratch.File("home")};
    const std::string icon = Installed_icon(executable, icon_name, data_dirs, user);
    const fs::path icon_file =
        fs::weakly_canonical(scratch.path() / c.prefix / "share/icons/hicolor/scalable/apps" / (icon_name + ".svg"));
    switch (c.expected) {
      case Case::none:
        EXPECT_EQ(icon, "");
        break;
      case Case::name:
        EXPECT_EQ(icon, icon_name);
        break;
      case Case::file:
        EXPECT_EQ(icon, icon_file.string());
        break;
    }
  }
}

TEST(InstalledIcon, WantsTheProgramInABinFolder) {
  Scratch_folder scratch;
  Install_under(scratch.path(), true);  // the icon at <scratch>/share/...
  fs::create_directories(scratch.path() / "libexec");
  testing::Write_text(scratch.path() / "libexec" / "quorvandel", "");
  const User_folders user{"", scratch.File("home")};
  EXPECT_EQ(Installed_icon(scratch.File("libexec/quorvandel"), icon_name, scratch.File("share"), user), "");
  EXPECT_EQ(Installed_icon("", icon_name, scratch.File("share"), user), "");
}

TEST(SetRunEntry, AnInstalledProgramsEntryShowsItsIcon) {
  Scratch_folder scratch;
  const fs::path apps = scratch.path() / "tree/usr/share/icons/hicolor/scalable/apps";
  fs::create_directories(apps);
  fs::create_directories(scratch.path() / "tree/usr/bin");
  testing::Write_text(apps / (std::string(application_id) + ".svg"), "<svg/>");
  const std::string executable = scratch.File("tree/usr/bin/quorvandel");
  testing::Write_text(executable, "");
  const User_folders user{scratch.File("config"), scratch.File("home")};

  ASSERT_TRUE(Set_run_entry("Quorvandel", executable, false, true, user));
  const std::string expected_icon = fs::weakly_canonical(apps / (std::string(application_id) + ".svg")).string();
  EXPECT_EQ(Text_of(scratch.path() / "config/autostart/Quorvandel.desktop"),
            Desktop_entry_text({"Quorvandel", {executable}, {}, expected_icon}));
}

TEST(DesktopFileLauncher, ShowsTheInstalledIconItIsNamed) {
  Scratch_folder scratch;
  const std::string installed = Install_under(scratch.path() / "tree/usr", true);
  const std::string uninstalled = Install_under(scratch.path() / "build", false);
  fs::create_directories(scratch.path() / "Desktop");
  Desktop_file_launcher launchers;
  const std::string icon_file =
      fs::weakly_canonical(scratch.path() / "tree/usr/share/icons/hicolor/scalable/apps" / (icon_name + ".svg")).string();

  ASSERT_TRUE(launchers.Create({installed, {}, "/w", "Installed.desktop", icon_name}, scratch.File("Desktop")));
  EXPECT_EQ(Text_of(scratch.path() / "Desktop/Installed.desktop"),
            Desktop_entry_text({"Installed", {installed}, "/w", icon_file}));
  ASSERT_TRUE(launchers.Create({uninstalled, {}, "/w", "Build.desktop", icon_name}, scratch.File("Desktop")));
  EXPECT_EQ(Text_of(scratch.path() / "Desktop/Build.desktop"), Desktop_entry_text({"Build", {uninstalled}, "/w", ""}))
      << "no Icon key for a program that runs from its build folder";
}

}  // namespace
}  // namespace quorvandel
