// The hotkeys through the main window: the presses reported by the hotkey
// service, the real profiles, the panes and Qt's clipboard, with the
// foreground application played by the keystroke fake.
#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>
#include <QTest>

#include <gmock/gmock.h>

#include "settings/dialogs/u_preferences.h"
#include "tests/ui/program_fixture.h"

namespace quorvandel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

constexpr const char* converted = "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d";  // shalom in Hebrew letters

class Hotkeys : public Program_fixture {
 protected:
  void SetUp() override {
    recording_hotkeys = std::make_shared<Recording_hotkeys>();
    hotkeys = recording_hotkeys;
    Write_text(Ini_path(),
               "[Configuration]\nwindow_pos_x=10\nwindow_pos_y=10\nwindow_width=600\nwindow_height=400\n"
               "[Default_Settings]\nsource_char_set=5\ntranslate_hebrew_unicode=1\n"
               "[Profile_Plain]\nsource_char_set=0\n");
    Start_program();
    QGuiApplication::clipboard()->setText("the user's text");
    // The foreground application: copies its selection on Ctrl+C, and
    // takes the clipboard's text on Ctrl+V.
    keystrokes->on_send = [this](Key key, bool release) {
      if (!release) return;
      if (key == Key::c) QGuiApplication::clipboard()->setText(selection);
      if (key == Key::v) pasted = QGuiApplication::clipboard()->text().toStdString();
    };
  }

  int Active_profile() { return Holder().profiles->active_profile; }
  void Select_profile(int index) { Form().dialogs().pref_form->Change_profile(index); }
  std::string Clipboard_text() { return QGuiApplication::clipboard()->text().toStdString(); }

  std::shared_ptr<Recording_hotkeys> recording_hotkeys;
  QString selection = "akuo";
  std::string pasted = "(nothing)";
};

TEST_F(Hotkeys, DefaultHotkeyConvertsWithTheDefaultProfileAndSwitchesBack) {
  Select_profile(1);
  ASSERT_TRUE(recording_hotkeys->Press(11));
  EXPECT_EQ(pasted, converted);
  EXPECT_EQ(Active_profile(), 1);
  EXPECT_EQ(Clipboard_text(), "the user's text");
  EXPECT_EQ(Form().Destination_text(), Text_from_qstring(QString::fromUtf8(converted)));
  EXPECT_FALSE(Form().Hotkey_busy());
  EXPECT_THAT(messages, IsEmpty());
}

TEST_F(Hotkeys, ActiveHotkeyConvertsWithTheActiveProfile) {
  Select_profile(1);
  ASSERT_TRUE(recording_hotkeys->Press(12));
  EXPECT_EQ(pasted, "akuo");  // the plain profile leaves Latin letters alone
  EXPECT_EQ(Active_profile(), 1);
}

TEST_F(Hotkeys, TrayToggleStopsAndRestartsThePresses) {
  Form().EnableHotkeysClick();
  ASSERT_TRUE(recording_hotkeys->Press(11));
  EXPECT_THAT(keystrokes->sent, IsEmpty());
  Form().Toggle_hotkeys();
  ASSERT_TRUE(recording_hotkeys->Press(11));
  EXPECT_EQ(pasted, converted);
  EXPECT_THAT(tray->log, ElementsAre("add enabled Quorvandel", "modify disabled Quorvandel (disabled)",
                                     "modify enabled Quorvandel"));
}

TEST_F(Hotkeys, ConversionErrorIsShownOnceAfterEverythingIsSetRight) {
  selection = "&#99999999999999999999;";
  Select_profile(1);
  ASSERT_TRUE(recording_hotkeys->Press(11));
  EXPECT_EQ(pasted, "(nothing)");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_THAT(messages[0], HasSubstr("is not a valid integer value"));
  EXPECT_EQ(Clipboard_text(), "the user's text");
  EXPECT_FALSE(Form().Hotkey_busy());
  EXPECT_EQ(Active_profile(), 1);
  // Nothing is left stuck: the next press converts.
  selection = "akuo";
  ASSERT_TRUE(recording_hotkeys->Press(11));
  EXPECT_EQ(pasted, converted);
}

TEST_F(Hotkeys, FromClipboardConvertsWithoutTheTransientMark) {
  QGuiApplication::clipboard()->setText("akuo");
  Form().FromClipboardClick();
  EXPECT_EQ(Clipboard_text(), converted);
  EXPECT_FALSE(QGuiApplication::clipboard()->mimeData()->hasFormat("x-kde-passwordManagerHint"));
}

// After a file was opened, edited and converted, a text from elsewhere
// takes the panes: their titles say so and Save As offers no file name.
TEST_F(Hotkeys, TextFromElsewhereLeavesNoFileBehind) {
  const std::pair<const char*, std::function<void()>> triggers[] = {
      {"hotkey", [this] { ASSERT_TRUE(recording_hotkeys->Press(11)); }},
      {"From Clipboard", [this] {
         QGuiApplication::clipboard()->setText("akuo");
         Form().FromClipboardClick();
       }},
  };
  Write_text(Path("cp1255.txt"), "abc\n");
  for (const auto& [name, trigger] : triggers) {
    SCOPED_TRACE(name);
    file_to_open = QString::fromStdString(Path("cp1255.txt").string());
    Form().Open1Click();
    QTest::keyClick(RichEdit1(), Qt::Key_End);  // a key was typed
    Form().Convert1Click();
    ASSERT_EQ(Control_named<QLabel>("DestTitle")->text().toStdString(), "Converted: cp1255.txt");
    trigger();
    EXPECT_EQ(Control_named<QLabel>("SourceTitle")->text().toStdString(), "From Clipboard");
    EXPECT_EQ(Control_named<QLabel>("DestTitle")->text().toStdString(), "Converted");
    save_requests.clear();
    Form().SaveAs1Click();  // cancelled
    ASSERT_EQ(save_requests.size(), 1u);
    EXPECT_EQ(save_requests[0].proposed_name.toStdString(), "");
  }
}

// The profiles page tells a Wayland session's user where the hotkeys work.
class Session_note : public Program_fixture, public ::testing::WithParamInterface<std::pair<const char*, bool>> {};

TEST_P(Session_note, ShownInWaylandSessionsOnly) {
  qunsetenv("WAYLAND_DISPLAY");
  qputenv("XDG_SESSION_TYPE", GetParam().first);
  Start_program();
  EXPECT_EQ(!Form().dialogs().pref_form->WaylandNote->isHidden(), GetParam().second);
  qunsetenv("XDG_SESSION_TYPE");
}

INSTANTIATE_TEST_SUITE_P(Sessions, Session_note,
                         ::testing::Values(std::pair{"wayland", true}, std::pair{"x11", false}, std::pair{"", false}));

class Clipboard_note : public Program_fixture {};

TEST_F(Clipboard_note, SaysWhenTheDesktopKeepsOtherProgramsClipboardsAway) {
  auto bound_by_command = std::make_shared<Recording_hotkeys>();
  bound_by_command->trigger_note = "Bind the command.";
  hotkeys = bound_by_command;
  clipboard_reaches_other_programs = false;
  Start_program();
  Form().dialogs().pref_form->Update_hotkey_info();
  const QLabel& note = *Form().dialogs().pref_form->WaylandNote;
  EXPECT_FALSE(note.isHidden());
  EXPECT_TRUE(note.text().startsWith("Bind the command.\n")) << note.text().toStdString();
  EXPECT_TRUE(note.text().contains("QT_QPA_PLATFORM=xcb")) << note.text().toStdString();
}

}  // namespace
}  // namespace quorvandel::testing
