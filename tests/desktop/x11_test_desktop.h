// What the X11 desktop tests share: a virtual display of the test's own
// (Xvfb with openbox and the us,il layouts) with the program under test on
// it, and a probe that sees the display as another client does.
#pragma once

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <X11/keysym.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
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
#include "hotkeys/x11/xcb_xkb.h"
#include "support/desktop_processes.h"
#include "support/scratch_files.h"

namespace quorvandel::testing {

inline void Run_command(const std::string& command) { ASSERT_EQ(std::system(command.c_str()), 0) << command; }

// Waits, up to a generous deadline that only stops a broken run from
// hanging, for the condition to hold.
inline bool Eventually(const std::function<bool()>& condition,
                       std::chrono::seconds limit = std::chrono::seconds(30)) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// The display as another client sees it: the window manager's readiness,
// the grabs other programs hold, and the keyboard's group and locks as a
// layout switcher sets them.
class Display_probe {
 public:
  Display_probe() : connection_(xcb_connect(nullptr, nullptr)) {
    free(xcb_xkb_use_extension_reply(connection_, xcb_xkb_use_extension(connection_, 1, 0), nullptr));
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    keyboard_.Load(connection_);
  }
  ~Display_probe() { xcb_disconnect(connection_); }
  Display_probe(const Display_probe&) = delete;
  Display_probe& operator=(const Display_probe&) = delete;

  bool Connected() { return xcb_connection_has_error(connection_) == 0; }

  // The window manager lists what it supports on the root window once it
  // manages the screen.
  bool Window_manager_ready() {
    const xcb_atom_t supported = Atom("_NET_SUPPORTED");
    Reply<xcb_get_property_reply_t> property(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, root_, supported, XCB_ATOM_ATOM, 0, 1024), nullptr));
    return property && xcb_get_property_value_length(property.get()) > 0;
  }

  // True once the window manager manages the window (it lists it).
  bool Managed(xcb_window_t window) {
    const std::vector<std::uint32_t> clients = Root_list("_NET_CLIENT_LIST", XCB_ATOM_WINDOW);
    return std::find(clients.begin(), clients.end(), window) != clients.end();
  }

  // True when the keyboard focus is on the window or inside it.
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

  // The window's title as UTF-8 (_NET_WM_NAME), without the marks of
  // direction a browser wraps a title with Hebrew in.
  std::string Title(xcb_window_t window) {
    Reply<xcb_get_property_reply_t> property(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, Atom("_NET_WM_NAME"), Atom("UTF8_STRING"), 0, 4096),
        nullptr));
    if (!property) return {};
    std::string title(static_cast<const char*>(xcb_get_property_value(property.get())),
                      static_cast<std::size_t>(xcb_get_property_value_length(property.get())));
    for (const char* mark : {"\xe2\x80\x8e", "\xe2\x80\x8f", "\xe2\x80\xaa", "\xe2\x80\xab", "\xe2\x80\xac",
                             "\xe2\x80\xad", "\xe2\x80\xae", "\xe2\x81\xa6", "\xe2\x81\xa7", "\xe2\x81\xa8",
                             "\xe2\x81\xa9"}) {
      for (std::size_t at; (at = title.find(mark)) != std::string::npos;) title.erase(at, 3);
    }
    return title;
  }

  // True when another client holds the combination (the program under
  // test, once it has registered its hotkeys): a grab of it is refused.
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

  void Lock_group(int group) {
    xcb_xkb_latch_lock_state(connection_, XCB_XKB_ID_USE_CORE_KBD, 0, 0, 1, static_cast<std::uint8_t>(group), 0, 0,
                             0);
    xcb_flush(connection_);
  }
  // Locks or unlocks the modifiers of `mask` (Num Lock sets Mod2).
  void Lock_modifiers(std::uint8_t mask, bool locked) {
    xcb_xkb_latch_lock_state(connection_, XCB_XKB_ID_USE_CORE_KBD, mask, locked ? mask : 0, 0, 0, 0, 0, 0);
    xcb_flush(connection_);
  }
  int Group() {
    Reply<xcb_xkb_get_state_reply_t> state(
        xcb_xkb_get_state_reply(connection_, xcb_xkb_get_state(connection_, XCB_XKB_ID_USE_CORE_KBD), nullptr));
    return state ? state->lockedGroup : -1;
  }
  unsigned Locked_modifiers() {
    Reply<xcb_xkb_get_state_reply_t> state(
        xcb_xkb_get_state_reply(connection_, xcb_xkb_get_state(connection_, XCB_XKB_ID_USE_CORE_KBD), nullptr));
    return state ? state->lockedMods : 0;
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

inline constexpr std::uint16_t hotkey_modifiers = XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT;

// The program names its main window as soon as it creates it, long
// before it registers its hotkeys and shows the window; the window is
// shown once the window manager manages it.
inline bool Program_window_managed() {
  Display_probe display;
  std::istringstream ids(Output_of("xdotool search --name '^Quorvandel 1' 2>/dev/null"));
  for (unsigned long id; ids >> id;) {
    if (display.Managed(static_cast<xcb_window_t>(id))) return true;
  }
  return false;
}

// Xvfb, openbox and the program under test, started with its settings file
// in a folder of their own; the environment (DISPLAY, HOME ...) then points
// the programs a test starts at them.
class X11_test_desktop {
 public:
  X11_test_desktop() = default;
  X11_test_desktop(const X11_test_desktop&) = delete;
  X11_test_desktop& operator=(const X11_test_desktop&) = delete;
  ~X11_test_desktop() { End(); }

  // Fails the calling test (ASSERT) when a part does not come up.
  void Start(const std::string& name, const std::string& settings);
  void End() {
    Stop(program_);
    Stop(openbox_);
    Stop(xvfb_);
    if (!folder_.empty()) {
      std::error_code ignored;
      std::filesystem::remove_all(folder_, ignored);
      folder_.clear();
    }
  }
  const std::filesystem::path& Folder() const { return folder_; }

 private:
  std::filesystem::path folder_;
  pid_t xvfb_ = -1, openbox_ = -1, program_ = -1;
};

inline void X11_test_desktop::Start(const std::string& name, const std::string& settings) {
  namespace fs = std::filesystem;
  folder_ = fs::temp_directory_path() / (name + "-" + std::to_string(getpid()));
  fs::create_directories(folder_ / "home");
  fs::create_directories(folder_ / "runtime");
  fs::permissions(folder_ / "runtime", fs::perms::owner_all);
  fs::create_directories(folder_ / "program");
  int pipe_fds[2];
  ASSERT_EQ(pipe(pipe_fds), 0);
  // Without -noreset the server starts afresh whenever its last client
  // leaves (setxkbmap does), forgetting the layouts and refusing the
  // clients that connect meanwhile.
  xvfb_ = Spawn({"Xvfb", "-displayfd", std::to_string(pipe_fds[1]), "-screen", "0", "1024x768x24", "-nolisten",
                 "tcp", "-noreset"},
                Spawn_options{-1, {}, pipe_fds[1]});
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
  // Both layouts from the start: the tests switch the group, as a layout
  // switcher does, and never change the keyboard's mapping under the
  // program's grabs.
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
  const fs::path program_errors = folder_ / "program" / "errors.txt";
  // A loaded machine may take long to start a Qt program. Under load the
  // new server has also been seen to refuse the program's first
  // connection ("could not connect to display") although setxkbmap and
  // openbox had connected; only that is tried again, twice at most.
  bool shown = false;
  bool ended = false;
  int status = 0;
  for (int attempt = 0; attempt < 3; ++attempt) {
    program_ = Spawn({program.string()}, Spawn_options{-1, program_errors.string(), -1});
    ended = false;
    shown = Eventually(
        [&] {
          ended = waitpid(program_, &status, WNOHANG) == program_;
          return ended || Program_window_managed();
        },
        std::chrono::seconds(60));
    if (!ended) break;
    shown = false;
    program_ = -1;
    if (Text_of(program_errors).value_or("").find("could not connect to display") == std::string::npos) break;
    std::this_thread::sleep_for(std::chrono::seconds(1));
  }
  ASSERT_TRUE(shown) << "the program's window did not appear on " << std::getenv("DISPLAY") << "; the program "
                     << (ended ? "ended with status " + std::to_string(status) : std::string("runs"))
                     << "; it wrote:\n"
                     << Text_of(program_errors).value_or("");
  // Its hotkeys work once it holds their grabs. It registers them before
  // it shows its window; a probe's grab meanwhile would make its own fail.
  Display_probe display;
  ASSERT_TRUE(Eventually([&] {
    return display.Held_by_another_client(hotkey_modifiers, XK_F12) &&
           display.Held_by_another_client(hotkey_modifiers, XK_F11);
  })) << "the program did not register its hotkeys; its windows: "
      << Output_of("for w in $(xdotool search --name Quorvandel); do xdotool getwindowname $w; done")
      << "; it wrote:\n"
      << Text_of(program_errors).value_or("");
}

}  // namespace quorvandel::testing
