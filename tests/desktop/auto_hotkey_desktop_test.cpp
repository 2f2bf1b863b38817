// The hotkey end to end with an automatic profile, on a virtual X display
// of the test's own (Xvfb with openbox): the real program, whose default
// profile converts automatically and otherwise changes nothing, repairs
// words typed on the wrong keyboard layout in another program's field (the
// test field, and Debian's GTK editor mousepad) in place, and gives the
// user's clipboard back.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "desktop/x11_test_desktop.h"

namespace quorvandel::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* settings =
    "[Configuration]\nwindow_pos_x=520\nwindow_pos_y=300\nwindow_width=480\nwindow_height=400\n"
    "[Default_Settings]\nconvert_automatically=1\nreverse_hebrew_phrases=0\n";

enum class Program { test_field, mousepad };

struct Auto_case {
  const char* name;
  Program program;
  const char* typed;
  const char* repaired;
};
void PrintTo(const Auto_case& c, std::ostream* out) { *out << c.name; }

class Automatic_profile : public ::testing::TestWithParam<Auto_case> {
 protected:
  // One desktop for every case, started by the first (so that a desktop
  // that does not come up fails a test) and ended with the program.
  void SetUp() override {
    if (!start_tried_) {
      start_tried_ = true;
      Start_desktop();
      desktop_started_ = !HasFatalFailure();
    }
    ASSERT_TRUE(desktop_started_) << "the desktop did not start";
  }

  void TearDown() override {
    if (const char* where = std::getenv("QUORVANDEL_SCREENSHOT_DIR")) {
      Output_of("import -window root '" + std::string(where) + "/Automatic_profile-" + GetParam().name + ".png'");
    }
    Stop(program_);
    if (window_ != XCB_NONE) {
      Display_probe display;
      EXPECT_TRUE(Eventually([&] { return !display.Managed(window_); }));
      window_ = XCB_NONE;
    }
  }

  static void Start_desktop() {
    desktop_.Start("quorvandel-auto-desktop", settings);
    folder_ = desktop_.Folder();
  }

 public:
  static void Stop_desktop() { desktop_.End(); }

 protected:
  // Waits for a managed window of that title, activates it and waits for
  // the keyboard focus.
  xcb_window_t Activate(const std::string& title) {
    Display_probe display;
    xcb_window_t window = XCB_NONE;
    EXPECT_TRUE(Eventually([&] {
      std::istringstream ids(Output_of("xdotool search --name '" + title + "' 2>/dev/null"));
      for (unsigned long id; ids >> id;) {
        if (display.Managed(static_cast<xcb_window_t>(id))) window = static_cast<xcb_window_t>(id);
      }
      return window != XCB_NONE;
    })) << "no window " << title;
    if (window == XCB_NONE) return window;
    Run_command("xdotool windowactivate --sync " + std::to_string(window));
    EXPECT_TRUE(Eventually([&] { return display.Has_focus(window); })) << title << " did not get the focus";
    return window;
  }

  // The program holds the text all selected, with the focus; `shows`
  // then tells whether it holds that text.
  void Start_program(const std::string& text) {
    file_ = folder_ / ("document-" + std::to_string(++started_) + ".txt");
    switch (GetParam().program) {
      case Program::test_field:
        program_ = Spawn({QUORVANDEL_TEXT_FIELD_EXE, file_.string(), text});
        ASSERT_TRUE(Eventually([&] { return Text_of(file_).value_or("") == text; }));
        window_ = Activate("^Quorvandel test field$");
        break;
      case Program::mousepad:
        std::ofstream(file_) << text;
        program_ = Spawn({"mousepad", file_.string()});
        window_ = Activate("document-[0-9]+\\.txt - Mousepad$");
        ASSERT_NE(window_, XCB_NONE);
        Run_command("xdotool key ctrl+a");
        ASSERT_TRUE(Eventually([&] { return Output_of("xclip -selection primary -o 2>/dev/null") == text; }));
        break;
    }
    ASSERT_NE(window_, XCB_NONE);
  }

  bool Shows(const std::string& text) {
    switch (GetParam().program) {
      case Program::test_field:
        return Eventually([&] { return Text_of(file_).value_or("") == text; });
      case Program::mousepad: {
        // Saved as the user saves, once the editor marks the text changed.
        Display_probe display;
        if (!Eventually([&] { return display.Title(window_).starts_with("*"); })) return false;
        Run_command("xdotool key ctrl+s");
        return Eventually([&] { return Text_of(file_).value_or("") == text; });
      }
    }
    return false;
  }

  static std::string Clipboard() { return Output_of("xclip -selection clipboard -t UTF8_STRING -o 2>/dev/null"); }

  static inline X11_test_desktop desktop_;
  static fs::path folder_;
  static bool start_tried_, desktop_started_;
  static inline int started_ = 0;
  pid_t program_ = -1;
  xcb_window_t window_ = XCB_NONE;
  fs::path file_;
};

fs::path Automatic_profile::folder_;
bool Automatic_profile::start_tried_ = false;
bool Automatic_profile::desktop_started_ = false;

class Desktop_environment : public ::testing::Environment {
 public:
  void TearDown() override { Automatic_profile::Stop_desktop(); }
};
[[maybe_unused]] ::testing::Environment* const desktop_environment =
    ::testing::AddGlobalTestEnvironment(new Desktop_environment);

TEST_P(Automatic_profile, RepairsTheWrongLayoutInPlaceAndGivesTheClipboardBack) {
  const Auto_case& c = GetParam();
  const fs::path users = folder_ / "clipboard.txt";
  std::ofstream(users, std::ios::binary) << "the user's own \xe2\x9c\x93 text";
  Run_command("xclip -selection clipboard -t UTF8_STRING -i '" + users.string() + "'");
  ASSERT_TRUE(Eventually([&] { return Clipboard() == Text_of(users).value_or(""); }));
  Start_program(c.typed);
  if (HasFatalFailure()) return;
  Run_command("xdotool key ctrl+shift+F12");
  EXPECT_TRUE(Shows(c.repaired)) << Text_of(file_).value_or("");
  EXPECT_TRUE(Eventually([&] { return Clipboard() == Text_of(users).value_or(""); })) << Clipboard();
}

// Words typed on the wrong layout, both ways, alone and among right ones.
INSTANTIATE_TEST_SUITE_P(
    Words, Automatic_profile,
    ::testing::Values(
        Auto_case{"Field_HebrewOnEnglishKeys", Program::test_field, "akuo", "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d"},
        Auto_case{"Field_AmongEnglishWords", Program::test_field, "please send akuo",
                  "please send \xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d"},
        Auto_case{"Field_EnglishOnHebrewKeys", Program::test_field,
                  "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d \xd7\x99\xd7\xa7\xd7\x9a\xd7\x9a\xd7\x9d",
                  "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d hello"},
        Auto_case{"Mousepad_HebrewOnEnglishKeys", Program::mousepad, "akuo", "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d"}),
    [](const auto& test_info) { return std::string(test_info.param.name); });

}  // namespace
}  // namespace quorvandel::testing
