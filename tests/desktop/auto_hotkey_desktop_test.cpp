// The hotkey end to end with an automatic profile, on a virtual X display
// of the test's own (Xvfb with openbox): the real program, whose default
// profile converts automatically and otherwise changes nothing, repairs
// words typed on the wrong keyboard layout in another program's field (the
// test field, and Debian's GTK editor mousepad) in place, and gives the
// user's clipboard back.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <algorithm>
#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "hotkeys/x11/x11_connection.h"

namespace quorvandel::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

constexpr const char* settings =
    "[Configuration]\nwindow_pos_x=520\nwindow_pos_y=300\nwindow_width=480\nwindow_height=400\n"
    "[Default_Settings]\nconvert_automatically=1\nreverse_hebrew_phrases=0\n";

std::string Read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

// Starts a program, its output thrown away (or kept in `error_file`).
pid_t Spawn(const std::vector<std::string>& command, int keep_fd = -1, const std::string& error_file = {}) {
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(null, 1);
    const int log = error_file.empty() ? -1 : open(error_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(log >= 0 ? log : null, 2);
    for (int fd = 3; fd < 256; ++fd)
      if (fd != keep_fd) close(fd);
    std::vector<char*> argv;
    for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

void Stop(pid_t& pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  pid = -1;
}

std::string Output_of(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    std::array<char, 4096> buffer;
    while (const std::size_t got = fread(buffer.data(), 1, buffer.size(), pipe)) output.append(buffer.data(), got);
    pclose(pipe);
  }
  return output;
}

void Run_command(const std::string& command) { ASSERT_EQ(std::system(command.c_str()), 0) << command; }

// Waits, up to a deadline that only stops a broken run from hanging.
bool Eventually(const std::function<bool()>& condition, std::chrono::seconds limit = 30s) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

// The display as another client sees it.
class Display_probe {
 public:
  Display_probe() : connection_(xcb_connect(nullptr, nullptr)) {
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    keyboard_.Load(connection_);
  }
  ~Display_probe() { xcb_disconnect(connection_); }
  Display_probe(const Display_probe&) = delete;
  Display_probe& operator=(const Display_probe&) = delete;

  bool Connected() { return xcb_connection_has_error(connection_) == 0; }

  // The window manager lists what it supports once it manages the screen.
  bool Window_manager_ready() { return !Root_list("_NET_SUPPORTED", XCB_ATOM_ATOM).empty(); }
  bool Managed(xcb_window_t window) {
    const std::vector<std::uint32_t> clients = Root_list("_NET_CLIENT_LIST", XCB_ATOM_WINDOW);
    return std::find(clients.begin(), clients.end(), window) != clients.end();
  }
  bool Has_focus(xcb_window_t window) {
    Reply<xcb_get_input_focus_reply_t> focus(
        xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr));
    for (xcb_window_t at = focus ? focus->focus : XCB_NONE; at != XCB_NONE && at != root_;) {
      if (at == window) return true;
      Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, at), nullptr));
      at = tree ? tree->parent : XCB_NONE;
    }
    return false;
  }
  std::string Title(xcb_window_t window) {
    Reply<xcb_get_property_reply_t> property(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, Atom("_NET_WM_NAME"), Atom("UTF8_STRING"), 0, 4096),
        nullptr));
    if (!property) return {};
    return std::string(static_cast<const char*>(xcb_get_property_value(property.get())),
                       static_cast<std::size_t>(xcb_get_property_value_length(property.get())));
  }
  // True when another client (the program, once it registered its
  // hotkeys) holds the combination: a grab of it is refused.
  bool Held_by_another_client(std::uint16_t modifiers, xcb_keysym_t keysym) {
    const std::vector<xcb_keycode_t> codes = keyboard_.Keycodes_of(keysym);
    if (codes.empty()) return false;
    xcb_generic_error_t* error = xcb_request_check(
        connection_, xcb_grab_key_checked(connection_, 1, root_, modifiers, codes.front(), XCB_GRAB_MODE_ASYNC,
                                          XCB_GRAB_MODE_ASYNC));
    if (error) {
      free(error);
      return true;
    }
    xcb_ungrab_key(connection_, codes.front(), root_, modifiers);
    xcb_flush(connection_);
    return false;
  }

 private:
  std::vector<std::uint32_t> Root_list(const char* name, xcb_atom_t type) {
    Reply<xcb_get_property_reply_t> property(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, root_, Atom(name), type, 0, 4096), nullptr));
    if (!property || property->format != 32) return {};
    const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(property.get()));
    return std::vector<std::uint32_t>(values, values + xcb_get_property_value_length(property.get()) / 4);
  }
  xcb_atom_t Atom(const char* name) {
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        connection_, xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  }

  xcb_connection_t* connection_;
  xcb_window_t root_ = XCB_NONE;
  X11_keyboard_map keyboard_;
};

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
    folder_ = fs::temp_directory_path() / ("quorvandel-auto-desktop-" + std::to_string(getpid()));
    fs::create_directories(folder_ / "home");
    fs::create_directories(folder_ / "runtime");
    fs::permissions(folder_ / "runtime", fs::perms::owner_all);
    fs::create_directories(folder_ / "program");
    int pipe_fds[2];
    ASSERT_EQ(pipe(pipe_fds), 0);
    xvfb_ = Spawn({"Xvfb", "-displayfd", std::to_string(pipe_fds[1]), "-screen", "0", "1024x768x24", "-nolisten",
                   "tcp", "-noreset"},
                  pipe_fds[1]);
    close(pipe_fds[1]);
    std::string number;
    char c;
    while (read(pipe_fds[0], &c, 1) == 1 && c != '\n') number += c;
    close(pipe_fds[0]);
    ASSERT_FALSE(number.empty()) << "Xvfb did not start";
    setenv("DISPLAY", (":" + number).c_str(), 1);
    setenv("HOME", (folder_ / "home").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", (folder_ / "runtime").c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    setenv("LC_ALL", "C.UTF-8", 1);
    Run_command("setxkbmap us,il");
    openbox_ = Spawn({"openbox"});
    {
      Display_probe display;
      ASSERT_TRUE(display.Connected());
      ASSERT_TRUE(Eventually([&] { return display.Window_manager_ready(); })) << "openbox did not start";
    }
    const fs::path program = folder_ / "program" / "quorvandel";
    fs::copy_file(QUORVANDEL_GUI_EXE, program);
    std::ofstream(folder_ / "program" / "Quorvandel.ini") << settings;
    const fs::path errors = folder_ / "program" / "errors.txt";
    quorvandel_ = Spawn({program.string()}, -1, errors.string());
    ASSERT_TRUE(Eventually([] { return !Output_of("xdotool search --name '^Quorvandel 1'").empty(); }, 60s))
        << "the program's window did not appear; it wrote:\n"
        << Read_file(errors);
    Display_probe display;
    ASSERT_TRUE(Eventually([&] {
      return display.Held_by_another_client(XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT, XK_F12);
    })) << "the program did not register its hotkeys";
  }

 public:
  static void Stop_desktop() {
    Stop(quorvandel_);
    Stop(openbox_);
    Stop(xvfb_);
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

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
        ASSERT_TRUE(Eventually([&] { return Read_file(file_) == text; }));
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
        return Eventually([&] { return Read_file(file_) == text; });
      case Program::mousepad: {
        // Saved as the user saves, once the editor marks the text changed.
        Display_probe display;
        if (!Eventually([&] { return display.Title(window_).starts_with("*"); })) return false;
        Run_command("xdotool key ctrl+s");
        return Eventually([&] { return Read_file(file_) == text; });
      }
    }
    return false;
  }

  static std::string Clipboard() { return Output_of("xclip -selection clipboard -t UTF8_STRING -o 2>/dev/null"); }

  static fs::path folder_;
  static pid_t xvfb_, openbox_, quorvandel_;
  static bool start_tried_, desktop_started_;
  static inline int started_ = 0;
  pid_t program_ = -1;
  xcb_window_t window_ = XCB_NONE;
  fs::path file_;
};

fs::path Automatic_profile::folder_;
pid_t Automatic_profile::xvfb_ = -1;
pid_t Automatic_profile::openbox_ = -1;
pid_t Automatic_profile::quorvandel_ = -1;
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
  ASSERT_TRUE(Eventually([&] { return Clipboard() == Read_file(users); }));
  Start_program(c.typed);
  if (HasFatalFailure()) return;
  Run_command("xdotool key ctrl+shift+F12");
  EXPECT_TRUE(Shows(c.repaired)) << Read_file(file_);
  EXPECT_TRUE(Eventually([&] { return Clipboard() == Read_file(users); })) << Clipboard();
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
