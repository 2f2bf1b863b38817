#include "platform/linux/xdg_shell_folders.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform_test_support.h"

namespace quorvandel {
namespace {

using testing::Scratch_folder;
namespace fs = std::filesystem;

// The eleven folders in the order of their location numbers.
std::vector<std::string> Folders_by_location(const Xdg_shell_folders& info) {
  std::vector<std::string> folders;
  for (int location = 1; location <= 11; ++location) folders.push_back(info.Folder_at(location));
  return folders;
}

TEST(XdgShellFolders, FindsTheFoldersOfTheUsersDesktop) {
  struct Case {
    const char* what;
    bool xdg_config_home_set;
    bool user_dirs_written;
    bool recent_list;
    bool home_known;
    std::vector<std::string> expected;  // "~" stands for the home folder, "@" for XDG_CONFIG_HOME
  };
  const std::vector<std::string> nothing(11, "");
  const std::vector<Case> cases = {
      {"everything",
       false,
       true,
       true,
       true,
       {"~/Desktop", "", "~/.local/share/fonts", "", "~/Documents", "~/.local/share/applications", "~/.local/share", "",
        "~/.local/share/applications", "~/.config/autostart", "/srv/Templates"}},
      {"no user-dirs file and no recent list",
       false,
       false,
       false,
       true,
       {"", "", "~/.local/share/fonts", "", "", "~/.local/share/applications", "", "", "~/.local/share/applications",
        "~/.config/autostart", ""}},
      {"XDG_CONFIG_HOME",
       true,
       true,
       false,
       true,
       {"~/Desktop", "", "~/.local/share/fonts", "", "~/Documents", "~/.local/share/applications", "", "",
        "~/.local/share/applications", "@/autostart", "/srv/Templates"}},
      {"no home folder", false, true, true, false, nothing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Scratch_folder scratch;
    const fs::path home = scratch.path() / "home";
    const fs::path config = c.xdg_config_home_set ? scratch.path() / "xdg" : home / ".config";
    fs::create_directories(config);
    fs::create_directories(home / ".local/share");
    if (c.user_dirs_written)
      testing::Write_text(config / "user-dirs.dirs",
                          "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\nXDG_MUSIC_DIR=\"$HOME/Music\"\n"
                          "XDG_DOCUMENTS_DIR=\"$HOME/Documents\"\nXDG_TEMPLATES_DIR=\"/srv/Templates\"\n");
    if (c.recent_list) testing::Write_text(home / ".local/share/recently-used.xbel", "");
    const User_folders user{c.xdg_config_home_set ? config.string() : "", c.home_known ? home.string() : ""};

    std::vector<std::string> expected = c.expected;
    for (std::string& folder : expected) {
      if (folder.starts_with('~')) folder = home.string() + folder.substr(1);
      if (folder.starts_with('@')) folder = config.string() + folder.substr(1);
    }
    const Xdg_shell_folders info(user);
    EXPECT_EQ(Folders_by_location(info), expected);
    EXPECT_EQ(info.Folder_at(0) + info.Folder_at(12), "");
  }
}

}  // namespace
}  // namespace quorvandel
