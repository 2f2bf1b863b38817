// The hotkeys end to end on a virtual X display of the test's own (Xvfb
// with openbox): the real program converts the selection of a text field
// in another process, and of an xterm, driven by keys from xdotool, while
// xclip holds the user's clipboard.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QCoreApplication>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstring>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <X11/keysym.h>

#include "desktop/x11_test_desktop.h"
#include "hotkeys/x11/x11_hotkey_service.h"

namespace quorvandel::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* settings = hotkey_test_settings;
constexpr const char* typed = hotkey_test_typed;
constexpr const char* converted = hotkey_test_converted;

class Hotkey_desktop : public ::testing::Test {
 protected:
  // The desktop starts with the first test that needs it, so that a
  // desktop that does not come up fails that test (a failure in
  // SetUpTestSuite would only skip the tests), and lasts until the program
  // ends, for the tests of every suite. Each test then finds the keyboard
  // as a user starting work would: the US group, Num Lock off.
  void SetUp() override {
    if (!start_tried_) {
      start_tried_ = true;
      Start_desktop();
      desktop_started_ = !HasFatalFailure();
      if (!desktop_started_) return;
    }
    ASSERT_TRUE(desktop_started_) << "the desktop did not start";
    Display_probe display;
    display.Lock_group(0);
    display.Lock_modifiers(XCB_MOD_MASK_2, false);
    ASSERT_TRUE(Eventually([&] { return display.Group() == 0 && !(display.Locked_modifiers() & XCB_MOD_MASK_2); }));
  }

  static void Start_desktop() {
    desktop_.Start("quorvandel-desktop", settings);
    if (HasFatalFailure()) return;
    folder_ = desktop_.Folder();
    // The tests select a terminal's word with a double click; on a loaded
    // machine its two clicks may arrive farther apart than GTK's 400 ms,
    // and then they are two single clicks that select nothing.
    fs::create_directories(folder_ / "home" / ".config" / "gtk-3.0");
    std::ofstream(folder_ / "home" / ".config" / "gtk-3.0" / "settings.ini")
        << "[Settings]\ngtk-double-click-time=" << double_click_ms << "\n";
  }

 public:
  static void Stop_desktop() { desktop_.End(); }

 protected:
  void TearDown() override {
    std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
    for (char& c : name)
      if (c == '/') c = '-';
    Screenshot(name);
    Stop_field();
    Stop(terminal_);
  }

  // A shell that shows a word to select, takes the pasted bytes as they
  // come (no line editing) into `pasted`, and goes on running: a Ctrl+C
  // sent to it would end it. Once ready it sets the terminal's title to
  // terminal_ready_title: the terminal handles its output in order, so the
  // word is on its screen by then (a word selected before would be
  // unselected as the screen changes).
  static std::string Terminal_script(const fs::path& pasted) {
    return std::string("echo ") + typed + "; stty -icanon; printf '\\033]2;%s\\007' '" + terminal_ready_title +
           "'; head -c " + std::to_string(std::strlen(converted)) + " > '" + pasted.string() + ".part' && mv '" +
           pasted.string() + ".part' '" + pasted.string() + "'; exec cat > /dev/null";
  }
  static constexpr const char* terminal_ready_title = "Quorvandel test terminal ready";
  static constexpr int double_click_ms = 5000;

  // Waits until the terminal's shell has shown the word, then selects it
  // with a double click on it, at the top left, and waits until it is the
  // primary selection. The desktop's double-click time is long, for a
  // loaded machine.
  static void Select_terminal_word(xcb_window_t window) {
    Display_probe display;
    ASSERT_TRUE(Eventually([&] { return display.Title(window) == terminal_ready_title; })) << display.Title(window);
    Run_command("xdotool mousemove --window " + std::to_string(window) + " 12 8 click --repeat 2 1");
    ASSERT_TRUE(Eventually([] { return Output_of("xclip -selection primary -o 2>/dev/null") == typed; }));
  }

  // Where QUORVANDEL_SCREENSHOT_DIR names a folder, the screen goes there.
  static void Screenshot(const std::string& name) {
    if (const char* where = std::getenv("QUORVANDEL_SCREENSHOT_DIR")) {
      Output_of("import -window root '" + std::string(where) + "/" + name + ".png'");
    }
  }

  // A text field in another process, holding `text` all selected, with
  // the focus.
  void Start_field(const std::string& text) {
    field_file_ = folder_ / "field.txt";
    fs::remove(field_file_);
    field_ = Spawn({QUORVANDEL_TEXT_FIELD_EXE, field_file_.string(), text});
    ASSERT_TRUE(Eventually([&] { return Text_of(field_file_) == text; }));
    field_window_ = Activate("^Quorvandel test field$");
  }

  // Waits for a window of that title (an extended regular expression) to
  // be managed by the window manager, activates it and waits until it has
  // the keyboard focus. Its id; 0 when it did not come.
  static xcb_window_t Activate(const std::string& title) {
    const xcb_window_t window = Managed_window(title);
    if (window == XCB_NONE) return XCB_NONE;
    Display_probe display;
    Run_command("xdotool windowactivate --sync " + std::to_string(window));
    EXPECT_TRUE(Eventually([&] { return display.Has_focus(window); })) << title << " did not get the focus";
    return window;
  }

  // Waits for a window of that title to be managed by the window manager;
  // its id, 0 when it did not come.
  static xcb_window_t Managed_window(const std::string& title) {
    Display_probe display;
    xcb_window_t window = XCB_NONE;
    const bool managed = Eventually([&] {
      std::istringstream ids(Output_of("xdotool search --name '" + title + "' 2>/dev/null"));
      for (unsigned long id; ids >> id;) {
        if (display.Managed(static_cast<xcb_window_t>(id))) {
          window = static_cast<xcb_window_t>(id);
          return true;
        }
      }
      return false;
    });
    EXPECT_TRUE(managed) << "no window " << title;
    return window;
  }
  // Ends the field once the window manager has let its window go: until
  // then it may still move the focus away from the next window.
  void Stop_field() {
    Stop(field_);
    if (field_window_ == XCB_NONE) return;
    Display_probe display;
    EXPECT_TRUE(Eventually([&] { return !display.Managed(field_window_); }));
    field_window_ = XCB_NONE;
  }
  std::string Field_text() const { return Text_of(field_file_).value_or(""); }
  bool Field_reads(const std::string& text) const {
    return Eventually([&] { return Field_text() == text; });
  }

  // The user copies this text or picture with another program.
  void Copy_to_clipboard(const std::string& type, const fs::path& file) {
    Run_command("xclip -selection clipboard -t '" + type + "' -i '" + file.string() + "'");
    ASSERT_TRUE(Eventually([&] { return Clipboard(type) == Text_of(file); }));
  }
  static std::string Clipboard(const std::string& type) {
    return Output_of("xclip -selection clipboard -t '" + type + "' -o 2>/dev/null");
  }

  static void Press(const std::string& keys) { Run_command("xdotool key " + keys); }

  static inline X11_test_desktop desktop_;
  static fs::path folder_;
  static bool start_tried_, desktop_started_;
  pid_t field_ = -1;
  pid_t terminal_ = -1;
  fs::path field_file_;
  xcb_window_t field_window_ = XCB_NONE;
};

fs::path Hotkey_desktop::folder_;
bool Hotkey_desktop::start_tried_ = false;
bool Hotkey_desktop::desktop_started_ = false;

// The desktop ends with the program.
class Desktop_environment : public ::testing::Environment {
 public:
  void TearDown() override { Hotkey_desktop::Stop_desktop(); }
};
[[maybe_unused]] ::testing::Environment* const desktop_environment =
    ::testing::AddGlobalTestEnvironment(new Desktop_environment);

// ---- The lock combinations grabbed with every hotkey ----

TEST(Lock_combinations, EveryCombinationOnceWithoutDuplicates) {
  using List = std::vector<std::uint16_t>;
  EXPECT_EQ(Lock_combinations(0x02, 0x10, 0x80), (List{0x00, 0x02, 0x10, 0x12, 0x80, 0x82, 0x90, 0x92}));
  // Scroll Lock without a modifier bit adds nothing
  EXPECT_EQ(Lock_combinations(0x02, 0x10, 0x00), (List{0x00, 0x02, 0x10, 0x12}));
  // Num Lock and Scroll Lock on the same modifier
  EXPECT_EQ(Lock_combinations(0x02, 0x10, 0x10), (List{0x00, 0x02, 0x10, 0x12}));
}

// ---- A text field of another process ----

struct Hotkey_case {
  const char* name;
  const char* keys;
};
void PrintTo(const Hotkey_case& hotkey, std::ostream* out) { *out << hotkey.keys; }

class Each_hotkey : public Hotkey_desktop, public ::testing::WithParamInterface<Hotkey_case> {};

TEST_P(Each_hotkey, ConvertsTheSelectionInPlaceAndGivesTheClipboardTextBack) {
  const fs::path clipboard_text = folder_ / "clipboard.txt";
  std::ofstream(clipboard_text, std::ios::binary) << "the user's own \xe2\x9c\x93 text\n\twith a tab";
  Copy_to_clipboard("UTF8_STRING", clipboard_text);
  Start_field(typed);
  Press(GetParam().keys);
  EXPECT_TRUE(Field_reads(converted)) << Field_text();
  EXPECT_TRUE(Eventually([&] { return Clipboard("UTF8_STRING") == Text_of(clipboard_text); }))
      << Clipboard("UTF8_STRING");
}

INSTANTIATE_TEST_SUITE_P(Hotkeys, Each_hotkey,
                         ::testing::Values(Hotkey_case{"DefaultProfile", "ctrl+shift+F12"},
                                           Hotkey_case{"ActiveProfile", "ctrl+shift+F11"}),
                         [](const auto& test_info) { return std::string(test_info.param.name); });

TEST_F(Hotkey_desktop, WindowMinimizedOrHidden) {
  Display_probe display;
  const xcb_window_t main_window = Managed_window("^Quorvandel 1");
  ASSERT_NE(main_window, XCB_NONE);
  const std::string id = std::to_string(main_window);
  // The clipboard given back is the conversion's last step: a hotkey
  // pressed before that, while the program is busy, does nothing.
  const fs::path clipboard_text = folder_ / "clipboard.txt";
  std::ofstream(clipboard_text, std::ios::binary) << "the user's own text";
  Copy_to_clipboard("UTF8_STRING", clipboard_text);
  Run_command("xdotool windowminimize --sync " + id);
  Start_field(typed);
  Press("ctrl+shift+F12");
  EXPECT_TRUE(Field_reads(converted)) << "minimized: " << Field_text();
  ASSERT_TRUE(Eventually([&] { return Clipboard("UTF8_STRING") == Text_of(clipboard_text); }));
  Stop_field();
  Run_command("xdotool windowunmap --sync " + id);  // as hidden in the tray
  Start_field(typed);
  Press("ctrl+shift+F11");
  EXPECT_TRUE(Field_reads(converted)) << "hidden: " << Field_text();
  Run_command("xdotool windowmap --sync " + id);
  EXPECT_TRUE(Eventually([&] { return display.Managed(main_window); }));
}

TEST_F(Hotkey_desktop, PictureOnTheClipboardComesBackByteForByte) {
  const fs::path picture = fs::path(QUORVANDEL_SOURCE_DIR) / "docs" / "about.png";
  Copy_to_clipboard("image/png", picture);
  Start_field(typed);
  Press("ctrl+shift+F12");
  EXPECT_TRUE(Field_reads(converted)) << Field_text();
  EXPECT_TRUE(Eventually([&] { return Clipboard("image/png") == Text_of(picture); }));
}

TEST_F(Hotkey_desktop, HebrewLayoutActive) {
  Display_probe keyboard;
  keyboard.Lock_group(1);
  ASSERT_TRUE(Eventually([&] { return keyboard.Group() == 1; }));
  Start_field(typed);  // the field takes Ctrl+C only as the keysym c
  Press("ctrl+shift+F12");
  EXPECT_TRUE(Field_reads(converted)) << Field_text();
  EXPECT_EQ(keyboard.Group(), 1);  // the user's group is given back
}

TEST_F(Hotkey_desktop, NumLockOn) {
  Display_probe keyboard;
  keyboard.Lock_modifiers(XCB_MOD_MASK_2, true);  // Num Lock's bit
  ASSERT_TRUE(Eventually([&] { return keyboard.Locked_modifiers() & XCB_MOD_MASK_2; }));
  Start_field(typed);
  Press("ctrl+shift+F12");
  EXPECT_TRUE(Field_reads(converted)) << Field_text();
}

// ---- Grabs that the server refuses ----

TEST_F(Hotkey_desktop, CombinationHeldByAnotherProgramIsRefused) {
  int argc = 1;
  char name[] = "desktop_tests";
  char* argv[] = {name, nullptr};
  QCoreApplication application(argc, argv);  // the backend reads its events in Qt's loop
  // Another program holds Ctrl+Alt+F9 (F9 is keycode 75 in Xvfb's map).
  xcb_connection_t* other = xcb_connect(nullptr, nullptr);
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(other)).data->root;
  const xcb_keycode_t f9 = 75;
  ASSERT_EQ(xcb_request_check(other, xcb_grab_key_checked(other, 1, root, XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1, f9,
                                                          XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)),
            nullptr);

  std::unique_ptr<X11_connection> connection = X11_connection::Open();
  ASSERT_TRUE(connection);
  X11_hotkey_service hotkeys(*connection);
  EXPECT_FALSE(hotkeys.Register(12, true, false, true, 9));
  EXPECT_TRUE(hotkeys.Register(12, true, true, false, 9));
  EXPECT_FALSE(hotkeys.Register(11, true, true, false, 9));  // held by this program's other hotkey
  hotkeys.Unregister(12);
  EXPECT_TRUE(hotkeys.Register(11, true, true, false, 9));
  xcb_disconnect(other);
}

// ---- A terminal: its selection is converted, its shell goes on ----

TEST_F(Hotkey_desktop, XtermShellKeepsRunning) {
  const fs::path pasted = folder_ / "terminal-pasted";
  fs::remove(pasted);
  terminal_ = Spawn({"xterm", "-u8", "-xrm", "XTerm*multiClickTime: " + std::to_string(double_click_ms), "-geometry",
                     "60x8+10+10", "-title", "Quorvandel test terminal", "-e", "sh", "-c", Terminal_script(pasted)});
  const xcb_window_t window = Activate("^Quorvandel test terminal");
  ASSERT_NE(window, XCB_NONE);
  Select_terminal_word(window);
  if (HasFatalFailure()) return;
  Press("ctrl+shift+F12");
  EXPECT_TRUE(Eventually([&] { return Text_of(pasted) == converted; })) << Text_of(pasted).value_or("");
  EXPECT_EQ(waitpid(terminal_, nullptr, WNOHANG), 0) << "the terminal's shell ended";
}

// ---- Nothing selected: a notice that leaves the focus where it was ----

TEST_F(Hotkey_desktop, NothingSelectedShowsANoticeAndKeepsTheFocus) {
  const fs::path clipboard_text = folder_ / "clipboard.txt";
  std::ofstream(clipboard_text, std::ios::binary) << "the user's own text";
  Copy_to_clipboard("UTF8_STRING", clipboard_text);
  Start_field("");
  Press("ctrl+shift+F12");
  EXPECT_TRUE(Eventually([] {
    return !Output_of("xdotool search --onlyvisible --name '^Quorvandel notice$' 2>/dev/null").empty();
  })) << "no notice";
  Display_probe display;
  EXPECT_TRUE(display.Has_focus(field_window_));
  EXPECT_TRUE(Eventually([&] { return Clipboard("UTF8_STRING") == Text_of(clipboard_text); }))
      << Clipboard("UTF8_STRING");
  EXPECT_EQ(Field_text(), "");
  // It fades by itself.
  EXPECT_TRUE(Eventually([] {
    return Output_of("xdotool search --onlyvisible --name '^Quorvandel notice$' 2>/dev/null").empty();
  })) << "the notice stayed";
}

// ---- The programs people type in, from Debian: a browser engine (the
// one inside every Electron program), a GTK 3 editor and a terminal with
// its own copy keys, with text or a picture on the clipboard, in the US
// and the Hebrew group ----

enum class Program { chromium, mousepad, xfce4_terminal };

struct Program_case {
  const char* name;
  Program program;
  bool picture;  // a picture on the user's clipboard, else text
  bool hebrew;   // the Hebrew group active
};
void PrintTo(const Program_case& test_case, std::ostream* out) { *out << test_case.name; }

class Program_matrix : public Hotkey_desktop, public ::testing::WithParamInterface<Program_case> {
 protected:
  void TearDown() override {
    Hotkey_desktop::TearDown();
    Stop(program_);
  }

  // A page whose text area holds the text all selected; the page's title
  // (the window's) shows the area's text.
  void Start_chromium() {
    const fs::path page = folder_ / "field.html";
    std::ofstream(page) << "<!DOCTYPE html><html><head><meta charset='utf-8'><title>-</title></head><body>"
                           "<textarea id='t' autofocus>" << typed << "</textarea><script>"
                           "const t = document.getElementById('t');"
                           "const show = () => { document.title = 'field:' + t.value; };"
                           "t.addEventListener('input', show); t.focus(); t.select(); show();"
                           "</script></body></html>";
    const fs::path profile = folder_ / ("chromium-" + std::to_string(++programs_started_));
    program_ = Spawn({"chromium", "--no-sandbox", "--disable-gpu", "--no-first-run", "--disable-background-networking",
                      "--disable-component-update", "--disable-sync", "--password-store=basic",
                      "--user-data-dir=" + profile.string(), "--app=file://" + page.string()});
    window_ = Activate("^field:");
    ASSERT_NE(window_, XCB_NONE);
    Display_probe display;
    ASSERT_TRUE(Eventually([&] { return display.Title(window_) == std::string("field:") + typed; }));
  }

  void Start_mousepad() {
    document_ = folder_ / ("document-" + std::to_string(++programs_started_) + ".txt");
    std::ofstream(document_) << typed;
    program_ = Spawn({"mousepad", document_.string()});
    window_ = Activate("document-[0-9]+\\.txt - Mousepad$");
    ASSERT_NE(window_, XCB_NONE);
    Press("ctrl+a");
    ASSERT_TRUE(Eventually([] { return Output_of("xclip -selection primary -o 2>/dev/null") == typed; }));
  }

  void Start_xfce4_terminal() {
    pasted_ = folder_ / "terminal-pasted";
    fs::remove(pasted_);
    // The shell's title replaces the first one.
    program_ = Spawn({"xfce4-terminal", "--disable-server", "--hide-menubar", "--hide-toolbar", "--hide-scrollbar",
                      "--geometry", "60x8+10+10", "--initial-title", "Quorvandel test terminal",
                      "--dynamic-title-mode=replace", "-x", "sh", "-c", Terminal_script(pasted_)});
    window_ = Activate("^Quorvandel test terminal");
    ASSERT_NE(window_, XCB_NONE);
    Select_terminal_word(window_);
  }

  // Whether the program shows the converted text in place of its selection.
  bool Shows_converted() {
    Display_probe display;
    switch (GetParam().program) {
      case Program::chromium:
        return Eventually([&] { return display.Title(window_) == std::string("field:") + converted; });
      case Program::mousepad:
        // Saved as the user saves, once the editor marks the text changed.
        if (!Eventually([&] { return display.Title(window_).starts_with("*"); })) return false;
        display.Lock_group(0);
        Press("ctrl+s");
        return Eventually([&] { return Text_of(document_) == converted; });
      case Program::xfce4_terminal:
        return Eventually([&] { return Text_of(pasted_) == converted; });
    }
    return false;
  }

  pid_t program_ = -1;
  xcb_window_t window_ = XCB_NONE;
  fs::path document_, pasted_;
  static inline int programs_started_ = 0;
};

TEST_P(Program_matrix, ConvertsInPlaceAndGivesTheClipboardBack) {
  const Program_case& test_case = GetParam();
  const fs::path users = test_case.picture ? fs::path(QUORVANDEL_SOURCE_DIR) / "docs" / "about.png"
                                           : folder_ / "clipboard.txt";
  const std::string type = test_case.picture ? "image/png" : "UTF8_STRING";
  if (!test_case.picture) std::ofstream(users, std::ios::binary) << "the user's own \xe2\x9c\x93 text";
  Copy_to_clipboard(type, users);
  switch (test_case.program) {
    case Program::chromium: Start_chromium(); break;
    case Program::mousepad: Start_mousepad(); break;
    case Program::xfce4_terminal: Start_xfce4_terminal(); break;
  }
  if (HasFatalFailure()) return;
  Display_probe keyboard;
  if (test_case.hebrew) {
    keyboard.Lock_group(1);
    ASSERT_TRUE(Eventually([&] { return keyboard.Group() == 1; }));
  }
  Press("ctrl+shift+F12");
  EXPECT_TRUE(Shows_converted());
  EXPECT_TRUE(Eventually([&] { return Clipboard(type) == Text_of(users); })) << "the clipboard was not given back";
}

INSTANTIATE_TEST_SUITE_P(
    Programs, Program_matrix,
    ::testing::Values(Program_case{"Chromium_text_US", Program::chromium, false, false},
                      Program_case{"Chromium_picture_US", Program::chromium, true, false},
                      Program_case{"Chromium_text_Hebrew", Program::chromium, false, true},
                      Program_case{"Chromium_picture_Hebrew", Program::chromium, true, true},
                      Program_case{"Mousepad_text_US", Program::mousepad, false, false},
                      Program_case{"Mousepad_picture_US", Program::mousepad, true, false},
                      Program_case{"Mousepad_text_Hebrew", Program::mousepad, false, true},
                      Program_case{"Mousepad_picture_Hebrew", Program::mousepad, true, true},
                      Program_case{"Xfce4_terminal_text_US", Program::xfce4_terminal, false, false},
                      Program_case{"Xfce4_terminal_picture_US", Program::xfce4_terminal, true, false},
                      Program_case{"Xfce4_terminal_text_Hebrew", Program::xfce4_terminal, false, true},
                      Program_case{"Xfce4_terminal_picture_Hebrew", Program::xfce4_terminal, true, true}),
    [](const auto& test_info) { return std::string(test_info.param.name); });

}  // namespace
}  // namespace quorvandel::testing
