// What a copy started while the program runs hands over, as the running
// window takes it: the file to open, the window to bring forward, a hotkey.
#include <QApplication>
#include <QClipboard>
#include <QDialog>

#include <gmock/gmock.h>

#include "tests/ui/program_fixture.h"

namespace quorvandel::testing {
namespace {

using Message = std::vector<std::string>;
using ::testing::IsEmpty;

class Second_copy : public Program_fixture {
 protected:
  void Start(const std::string& configuration = "") {
    Write_text(Ini_path(), "[Configuration]\nsave_size_and_pos=0\n" + configuration);
    Start_program();
    QApplication::processEvents();
    ASSERT_TRUE(instance_channel->listening);
  }
  std::string Source_title() { return Control_named<QLabel>("SourceTitle")->text().toStdString(); }
};

TEST_F(Second_copy, HandedFileIsOpenedIntoTheSourcePane) {
  Start();
  Write_text(Path("handed.txt"), "abc\n");
  ASSERT_TRUE(instance_channel->Deliver({"open", Path("handed.txt").string()}));
  EXPECT_EQ(Source_title(), "Loaded: handed.txt");
  EXPECT_EQ(RichEdit1()->toPlainText().toStdString(), "abc\n");
}

TEST_F(Second_copy, FileHandedWhileTheWindowIsBusyIsOpenedAfterwards) {
  Start();
  Write_text(Path("handed.txt"), "abc\n");
  Form().Begin_busy();  // a file being read
  ASSERT_TRUE(instance_channel->Deliver({"open", Path("handed.txt").string()}));
  EXPECT_EQ(Source_title(), "Blank");
  Form().End_busy();
  QApplication::processEvents();
  EXPECT_EQ(Source_title(), "Loaded: handed.txt");
}

// Where the window was when the other copy asked for it.
struct Raise_case {
  const char* name;
  const char* configuration;
  bool minimize;
};

class Raised : public Second_copy, public ::testing::WithParamInterface<Raise_case> {};

TEST_P(Raised, WindowComesForwardRestored) {
  Start(GetParam().configuration);
  if (GetParam().minimize) Form().MinimizeIt();
  ASSERT_TRUE(instance_channel->Deliver({"raise"}));
  EXPECT_TRUE(Form().isVisible());
  EXPECT_FALSE(Form().isMinimized());
  EXPECT_FALSE(Form().Minimized());
}

INSTANTIATE_TEST_SUITE_P(
    Second_copy, Raised,
    ::testing::Values(Raise_case{"Shown", "", false}, Raise_case{"MinimizedToTheTaskbar", "min_to_systray=0\n", true},
                      Raise_case{"HiddenInTheTray", "min_to_systray=1\n", true},
                      Raise_case{"StartedInTheTray", "start_minimized=1\nmin_to_systray=1\n", false}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(Second_copy, HotkeyMessageActsAsThePress) {
  Start();
  QApplication::clipboard()->setText("the user's text");
  std::string pasted;
  keystrokes->on_send = [&](Key key, bool release) {
    if (!release) return;
    if (key == Key::c) QApplication::clipboard()->setText("abc");
    if (key == Key::v) pasted = QApplication::clipboard()->text().toStdString();
  };
  ASSERT_TRUE(instance_channel->Deliver({"hotkey", "default"}));
  EXPECT_EQ(pasted, "abc");
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "the user's text");
  pasted.clear();
  ASSERT_TRUE(instance_channel->Deliver({"hotkey", "active"}));
  EXPECT_EQ(pasted, "abc");
}

TEST_F(Second_copy, MalformedMessagesChangeNothing) {
  Start("min_to_systray=1\n");
  Form().MinimizeIt();
  for (const Message& message : std::vector<Message>{
           {"open"}, {"open", ""}, {"raise", "now"}, {"hotkey"}, {"hotkey", "other"}, {"unknown"}}) {
    ASSERT_TRUE(instance_channel->Deliver(message));
  }
  EXPECT_EQ(Source_title(), "Blank");
  EXPECT_FALSE(Form().isVisible());
  EXPECT_THAT(keystrokes->sent, IsEmpty());
  EXPECT_THAT(messages, IsEmpty());
}

}  // namespace
}  // namespace quorvandel::testing
