#include "platform/shell_link.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform_test_support.h"

namespace quorvandel {
namespace {

using testing::Names_in;
using testing::Scratch_folder;
using testing::Text_of;
namespace fs = std::filesystem;

const std::string link_name = "Quorvandel 1.0.0.desktop";

TEST(CreateShortcut, PutsAnExecutableLauncherOnTheDesktop) {
  Scratch_folder scratch;
  struct {
    std::string desktop;
  } folders{scratch.File("Desktop")};
  fs::create_directory(folders.desktop);
  const fs::path launcher = fs::path(folders.desktop) / link_name;

  ASSERT_TRUE(Create_shortcut("/opt/Quorvandel/quorvandel", {}, "/opt/Quorvandel/", link_name, folders.desktop));
  EXPECT_EQ(Text_of(launcher),
            "[Desktop Entry]\nType=Application\nName=Quorvandel 1.0.0\nExec=\"/opt/Quorvandel/quorvandel\"\n"
            "Path=/opt/Quorvandel/\nTerminal=false\n");
  EXPECT_EQ(testing::Mode_of(launcher), 0755u);

  ASSERT_TRUE(Create_shortcut("/opt/My Apps/q", {"--tray", "a b"}, "/opt/My Apps/", link_name, folders.desktop,
                              "/opt/My Apps/q.png"));
  EXPECT_EQ(Text_of(launcher),
            "[Desktop Entry]\nType=Application\nName=Quorvandel 1.0.0\nExec=\"/opt/My Apps/q\" \"--tray\" \"a b\"\n"
            "Path=/opt/My Apps/\nIcon=/opt/My Apps/q.png\nTerminal=false\n");
  EXPECT_EQ(Names_in(folders.desktop), std::vector<std::string>{link_name}) << "replaced, no temporary file left";
}

TEST(CreateShortcut, MakesNothingWithoutAUsableFolderOrName) {
  struct Case {
    const char* what;
    const char* desktop;  // below the scratch folder; "" for unknown
    std::string name;
  };
  const std::vector<Case> cases = {
      {"desktop unknown", "", link_name},
      {"desktop missing", "missing", link_name},
      {"desktop is a file", "file", link_name},
      {"name with a separator", "Desktop", "../" + link_name},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Scratch_folder scratch;
    testing::Write_text(scratch.File("file"), "");
    fs::create_directory(scratch.File("Desktop"));
    const std::string desktop = *c.desktop != '\0' ? scratch.File(c.desktop) : "";
    EXPECT_FALSE(Create_shortcut("/q", {}, "/", c.name, desktop));
    EXPECT_EQ(Names_in(scratch.path()), std::vector<std::string>({"Desktop", "file"}));
    EXPECT_EQ(Names_in(scratch.path() / "Desktop"), std::vector<std::string>{});
  }
}

}  // namespace
}  // namespace quorvandel
