#include "platform/linux/user_dirs.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace quorvandel {
namespace {

TEST(ParseUserDirs, ReadsTheDesktopFolderLikeTheShellWould) {
  struct Case {
    const char* what;
    std::string text;
    std::string home;
    std::optional<std::string> desktop;
  };
  const std::vector<Case> cases = {
      {"below home", "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", "/home/u", "/home/u/Desktop"},
      {"absolute", "XDG_DESKTOP_DIR=\"/data/Desk\"\n", "/home/u", "/data/Desk"},
      {"home itself", "XDG_DESKTOP_DIR=\"$HOME\"\n", "/home/u", "/home/u"},
      {"trailing slashes", "XDG_DESKTOP_DIR=\"$HOME/Desktop//\"\n", "/home/u/", "/home/u/Desktop"},
      {"blanks around", "  XDG_DESKTOP_DIR = \"$HOME/Desktop\"  \r\n", "/home/u", "/home/u/Desktop"},
      {"escaped quotes", R"(XDG_DESKTOP_DIR="$HOME/My \"Desk\"")", "/home/u", "/home/u/My \"Desk\""},
      {"escaped backslash and dollar", R"(XDG_DESKTOP_DIR="$HOME/a\\b\$c\d")", "/home/u", R"(/home/u/a\b$c\d)"},
      {"comment after the value", "XDG_DESKTOP_DIR=\"$HOME/Desktop\" # mine\n", "/home/u", "/home/u/Desktop"},
      {"later line wins", "XDG_DESKTOP_DIR=\"$HOME/a\"\nXDG_DESKTOP_DIR=\"$HOME/b\"\n", "/home/u", "/home/u/b"},
      {"commented out", "# XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", "/home/u", std::nullopt},
      {"not quoted", "XDG_DESKTOP_DIR=$HOME/Desktop\n", "/home/u", std::nullopt},
      {"quote never closed", "XDG_DESKTOP_DIR=\"$HOME/Desktop\n", "/home/u", std::nullopt},
      {"relative", "XDG_DESKTOP_DIR=\"Desktop\"\n", "/home/u", std::nullopt},
      {"another variable", "XDG_DESKTOP_DIR=\"$HOMEDIR/Desktop\"\n", "/home/u", std::nullopt},
      {"home unknown", "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n", "", std::nullopt},
      {"blank in the name", "XDG DESKTOP_DIR=\"$HOME/Desktop\"\n", "/home/u", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    const std::map<std::string, std::string> folders = Parse_user_dirs(c.text, c.home);
    const auto found = folders.find("XDG_DESKTOP_DIR");
    EXPECT_EQ(found == folders.end() ? std::nullopt : std::optional<std::string>(found->second), c.desktop);
  }
}

}  // namespace
}  // namespace quorvandel
