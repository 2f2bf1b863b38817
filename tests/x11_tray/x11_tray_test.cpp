// The desktop program's tray icon on a real desktop: Xvfb, the openbox
// window manager and the trayer system tray, the mouse and keys through
// xdotool, the windows seen through Xlib as another program sees them.
#include <gtest/gtest.h>

// After GoogleTest: Xlib's macros (None, Bool, Status) would clash with it.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "support/scratch_files.h"
#include "support/xvfb.h"

extern char** environ;

namespace quorvandel::testing {
namespace {

namespace fs = std::filesystem;

// Every process started here, stopped when the test program ends however
// it ends, so that none outlives it.
std::vector<pid_t>& Started_processes() {
  static std::vector<pid_t> processes;
  return processes;
}

void Stop_started_processes() {
  for (auto pid = Started_processes().rbegin(); pid != Started_processes().rend(); ++pid) {
    ::kill(*pid, SIGTERM);
    ::waitpid(*pid, nullptr, 0);
  }
  Started_processes().clear();
}

// Starts a program with the given environment; returns its process id.
pid_t Spawn(const std::vector<std::string>& arguments, std::vector<std::string> environment) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (std::string& entry : environment) envp.push_back(entry.data());
  envp.push_back(nullptr);
  pid_t pid = 0;
  if (::posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) return -1;
  Started_processes().push_back(pid);
  return pid;
}

void Stop(pid_t pid) {
  if (pid <= 0) return;
  ::kill(pid, SIGTERM);
  ::waitpid(pid, nullptr, 0);
  std::erase(Started_processes(), pid);
}

// A window may go away between two questions about it (a menu closing):
// Xlib's default handler would end the test program.
int Ignore_x_error(Display*, XErrorEvent*) { return 0; }

std::vector<std::string> Inherited_environment() {
  std::vector<std::string> environment;
  for (char** entry = environ; *entry; ++entry) {
    const std::string text = *entry;
    if (text.rfind("DBUS_SESSION_BUS_ADDRESS=", 0) == 0) continue;  // the XEmbed tray, not a status notifier
    if (text.rfind("QT_QPA_PLATFORM=", 0) == 0) continue;
    environment.push_back(text);
  }
  return environment;
}

// Runs xdotool with the arguments and waits for it.
void Xdotool(const std::vector<std::string>& arguments) {
  std::vector<std::string> command{"xdotool"};
  command.insert(command.end(), arguments.begin(), arguments.end());
  const pid_t pid = Spawn(command, Inherited_environment());
  ASSERT_GT(pid, 0);
  int status = 0;
  ::waitpid(pid, &status, 0);
  std::erase(Started_processes(), pid);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

// Polls until the condition holds. The deadline only stops a broken run
// from hanging: a Qt program starting on a loaded machine has been seen to
// take several seconds before its window and icon show.
bool Eventually(const std::function<bool()>& condition) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (std::chrono::steady_clock::now() < end) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return condition();
}

// The X server as another client sees it.
class Display_view {
 public:
  Display_view() : display_(XOpenDisplay(nullptr)) {}
  ~Display_view() {
    if (display_) XCloseDisplay(display_);
  }
  Display_view(const Display_view&) = delete;
  Display_view& operator=(const Display_view&) = delete;

  bool Open() const { return display_ != nullptr; }

  bool Tray_owned() {
    const Atom selection = XInternAtom(display_, "_NET_SYSTEM_TRAY_S0", False);
    return XGetSelectionOwner(display_, selection) != None;
  }

  // The window manager lists what it supports on the root window once it
  // manages the screen.
  bool Window_manager_ready() {
    const Atom supported = XInternAtom(display_, "_NET_SUPPORTED", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    const bool listed = XGetWindowProperty(display_, DefaultRootWindow(display_), supported, 0, 1024, False, XA_ATOM,
                                           &type, &format, &count, &after, &data) == Success &&
                        count > 0;
    if (data) XFree(data);
    return listed;
  }

  std::optional<long> Pid_of(Window window) {
    const Atom pid_atom = XInternAtom(display_, "_NET_WM_PID", False);
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::optional<long> pid;
    if (XGetWindowProperty(display_, window, pid_atom, 0, 1, False, XA_CARDINAL, &type, &format, &count, &after,
                           &data) == Success &&
        data && count == 1) {
      pid = *reinterpret_cast<long*>(data);
    }
    if (data) XFree(data);
    return pid;
  }

  // The window's class hint: its name and its class, joined by a space.
  std::string Class_of(Window window) {
    XClassHint hint{};
    std::string name;
    if (XGetClassHint(display_, window, &hint)) {
      name = std::string(hint.res_name ? hint.res_name : "") + " " + (hint.res_class ? hint.res_class : "");
      XFree(hint.res_name);
      XFree(hint.res_class);
    }
    return name;
  }

  std::vector<Window> Children(Window window) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    std::vector<Window> list;
    if (XQueryTree(display_, window, &root, &parent, &children, &count)) {
      list.assign(children, children + count);
      if (children) XFree(children);
    }
    return list;
  }

  Window Parent(Window window) {
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(display_, window, &root, &parent, &children, &count)) return 0;
    if (children) XFree(children);
    return parent;
  }

  // Every window of the process, with whether it sits inside the tray.
  struct Found {
    Window window;
    bool in_tray;
  };
  std::vector<Found> Windows_of(long pid) {
    std::vector<Found> found;
    Walk(DefaultRootWindow(display_), false, pid, found);
    return found;
  }

  XWindowAttributes Attributes(Window window) {
    XWindowAttributes attributes{};
    XGetWindowAttributes(display_, window, &attributes);
    return attributes;
  }

  bool Viewable(Window window) { return Attributes(window).map_state == IsViewable; }

  // The centre of the window on the screen.
  std::pair<int, int> Centre(Window window) {
    const XWindowAttributes attributes = Attributes(window);
    int x = 0, y = 0;
    Window child = 0;
    XTranslateCoordinates(display_, window, DefaultRootWindow(display_), attributes.width / 2, attributes.height / 2,
                          &x, &y, &child);
    return {x, y};
  }

  // The window's pixels, as another program reads them.
  std::vector<unsigned long> Pixels(Window window) {
    const XWindowAttributes attributes = Attributes(window);
    std::vector<unsigned long> pixels;
    XImage* image = XGetImage(display_, window, 0, 0, attributes.width, attributes.height, AllPlanes, ZPixmap);
    if (!image) return pixels;
    for (int y = 0; y < attributes.height; ++y) {
      for (int x = 0; x < attributes.width; ++x) pixels.push_back(XGetPixel(image, x, y));
    }
    XDestroyImage(image);
    return pixels;
  }

 private:
  void Walk(Window window, bool in_tray, long pid, std::vector<Found>& found) {
    for (const Window child : Children(window)) {
      const bool child_in_tray = in_tray || Class_of(child) == "panel trayer";  // trayer's panel
      if (Pid_of(child) == pid) found.push_back({child, child_in_tray});
      Walk(child, child_in_tray, pid, found);
    }
  }

  Display* display_;
};

class Tray_desktop : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(view_.Open());
    // The program in a folder of its own, beside its settings file.
    const fs::path program = folder_.path() / "quorvandel";
    fs::copy_file(QUORVANDEL_GUI_EXE, program);
    fs::create_directories(folder_.path() / "home");
    fs::permissions(folder_.path() / "home", fs::perms::owner_all, fs::perm_options::replace);
    std::ofstream(folder_.path() / "Quorvandel.ini") << "[Configuration]\nsave_size_and_pos=0\nmin_to_systray=1\n";
    std::vector<std::string> environment = Inherited_environment();
    const std::string home = (folder_.path() / "home").string();
    environment.push_back("HOME=" + home);
    environment.push_back("XDG_RUNTIME_DIR=" + home);
    environment.push_back("XDG_CONFIG_HOME=" + home + "/.config");
    environment.push_back("QT_QPA_PLATFORM=xcb");
    environment_ = environment;
    program_ = program.string();
    pid_ = Spawn({program.string()}, environment);
    ASSERT_GT(pid_, 0);
    ASSERT_TRUE(Eventually([&] { return Find_windows(); })) << "the window and the icon did not appear: " << Describe();
    ASSERT_TRUE(Eventually([&] { return Shows_a_picture(view_.Pixels(icon_)); })) << "the icon was not drawn";
    // The click timer runs for its first half second; a click meanwhile
    // would be decided early.
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
  }

  void TearDown() override { Stop(pid_); }

  // The main window and the icon embedded in the tray, both shown.
  bool Find_windows() {
    icon_ = main_ = 0;
    for (const auto& found : view_.Windows_of(pid_)) {
      const XWindowAttributes attributes = view_.Attributes(found.window);
      if (attributes.map_state != IsViewable) continue;
      if (found.in_tray) {
        icon_ = found.window;
      } else if (attributes.width >= 400 && !attributes.override_redirect) {
        main_ = found.window;
      }
    }
    return icon_ && main_;
  }

  std::string Describe() {
    std::string text;
    for (const auto& found : view_.Windows_of(pid_)) {
      const XWindowAttributes a = view_.Attributes(found.window);
      text += std::to_string(found.window) + (found.in_tray ? " tray " : " ") + std::to_string(a.width) + "x" +
              std::to_string(a.height) + " map " + std::to_string(a.map_state) + "; ";
    }
    return text;
  }

  static bool Shows_a_picture(const std::vector<unsigned long>& pixels) {
    return !pixels.empty() && std::count(pixels.begin(), pixels.end(), pixels.front()) != static_cast<long>(pixels.size());
  }

  // A menu of the program that is open now.
  bool Menu_open() {
    for (const auto& found : view_.Windows_of(pid_)) {
      const XWindowAttributes attributes = view_.Attributes(found.window);
      if (attributes.override_redirect && attributes.map_state == IsViewable && attributes.height > 100) return true;
    }
    return false;
  }

  // Clicks on the icon. Each click comes well after the one before, so that
  // the window system does not join them into a double click.
  void Click_icon(const std::string& button, int count = 1) {
    std::this_thread::sleep_for(std::chrono::milliseconds(600));
    const auto [x, y] = view_.Centre(icon_);
    Xdotool({"mousemove", std::to_string(x), std::to_string(y)});
    Xdotool({"click", "--repeat", std::to_string(count), "--delay", "80", button});
  }

  // Starts another copy of the program and waits for its end; its exit
  // status, -1 when it did not end by itself.
  int Run_second_copy(const std::vector<std::string>& arguments) {
    std::vector<std::string> command{program_};
    command.insert(command.end(), arguments.begin(), arguments.end());
    const pid_t pid = Spawn(command, environment_);
    int status = -1;
    const bool ended = Eventually([&] { return ::waitpid(pid, &status, WNOHANG) == pid; });
    if (!ended) {
      Stop(pid);
      return -1;
    }
    std::erase(Started_processes(), pid);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  Scratch_folder folder_;
  Display_view view_;
  std::vector<std::string> environment_;
  std::string program_;
  pid_t pid_ = -1;
  Window icon_ = 0;
  Window main_ = 0;
};

TEST_F(Tray_desktop, IconIsEmbeddedInTheTray) {
  const XWindowAttributes attributes = view_.Attributes(icon_);
  EXPECT_GT(attributes.width, 8);
  EXPECT_GT(attributes.height, 8);
  EXPECT_TRUE(Shows_a_picture(view_.Pixels(icon_)));
}

TEST_F(Tray_desktop, SingleClickSwitchesTheHotkeysOffAndOn) {
  const std::vector<unsigned long> enabled = view_.Pixels(icon_);
  Click_icon("1");
  ASSERT_TRUE(Eventually([&] { return view_.Pixels(icon_) != enabled; })) << "the icon kept its look";
  const std::vector<unsigned long> disabled = view_.Pixels(icon_);
  Click_icon("1");
  EXPECT_TRUE(Eventually([&] { return view_.Pixels(icon_) == enabled; })) << "the icon did not come back";
  EXPECT_NE(disabled, enabled);
  EXPECT_TRUE(view_.Viewable(main_));
}

TEST_F(Tray_desktop, DoubleClickHidesAndShowsTheWindowWithoutSwitching) {
  const std::vector<unsigned long> enabled = view_.Pixels(icon_);
  Click_icon("1", 2);
  ASSERT_TRUE(Eventually([&] { return !view_.Viewable(main_); })) << "the window stayed";
  Click_icon("1", 2);
  ASSERT_TRUE(Eventually([&] { return view_.Viewable(main_); })) << "the window did not come back";
  // Well past the click timer's half second: the hotkeys were not switched.
  std::this_thread::sleep_for(std::chrono::milliseconds(800));
  EXPECT_EQ(view_.Pixels(icon_), enabled);
}

// The menu's first item minimizes while the window is shown and restores
// while it is hidden; the third switches the hotkeys.
TEST_F(Tray_desktop, RightClickOpensTheMenu) {
  Click_icon("3");
  ASSERT_TRUE(Eventually([&] { return Menu_open(); })) << "no menu opened";
  Xdotool({"key", "Down", "Return"});  // "Minimize"
  ASSERT_TRUE(Eventually([&] { return !view_.Viewable(main_); }));
  EXPECT_FALSE(Menu_open());

  Click_icon("3");
  ASSERT_TRUE(Eventually([&] { return Menu_open(); }));
  Xdotool({"key", "Down", "Return"});  // "Restore"
  ASSERT_TRUE(Eventually([&] { return view_.Viewable(main_); }));

  const std::vector<unsigned long> enabled = view_.Pixels(icon_);
  Click_icon("3");
  ASSERT_TRUE(Eventually([&] { return Menu_open(); }));
  Xdotool({"key", "Down", "Down", "Return"});  // "Disable hotkeys"
  EXPECT_TRUE(Eventually([&] { return view_.Pixels(icon_) != enabled; }));
}

// The windows' class names the program as people read it.
TEST_F(Tray_desktop, WindowsCarryTheProgramsName) { EXPECT_EQ(view_.Class_of(main_), "quorvandel Quorvandel"); }

// A copy started while the window is hidden in the tray hands over its file,
// brings the window back and ends without a word.
TEST_F(Tray_desktop, SecondCopyBringsTheWindowBackFromTheTrayWithItsFile) {
  Click_icon("1", 2);
  ASSERT_TRUE(Eventually([&] { return !view_.Viewable(main_); })) << "the window stayed";
  const fs::path file = folder_.path() / "handed.txt";
  std::ofstream(file) << "abc\n";
  EXPECT_EQ(Run_second_copy({file.string()}), 0);
  EXPECT_TRUE(Eventually([&] { return view_.Viewable(main_); })) << "the window stayed in the tray";
  const fs::path settings = folder_.path() / "Quorvandel.ini";
  EXPECT_TRUE(Eventually([&] {
    return Text_of(settings).value_or("").find("file1=" + file.string()) != std::string::npos;
  })) << "the running copy did not open the file";
  EXPECT_EQ(::waitpid(pid_, nullptr, WNOHANG), 0) << "the running copy ended";
}

// A helper program started for the whole run, stopped at its end.
struct Started {
  pid_t pid = -1;
  ~Started() { Stop(pid); }
};

}  // namespace
}  // namespace quorvandel::testing

int main(int argc, char** argv) {
  using namespace quorvandel::testing;
  testing::InitGoogleTest(&argc, argv);
  if (testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  std::atexit(Stop_started_processes);
  for (const int signal_number : {SIGINT, SIGTERM, SIGABRT, SIGSEGV}) {
    std::signal(signal_number, [](int number) {
      Stop_started_processes();
      std::signal(number, SIG_DFL);
      std::raise(number);
    });
  }
  XSetErrorHandler(Ignore_x_error);
  const Xvfb server("800x600x24");
  if (server.display().empty()) {
    std::fprintf(stderr, "Xvfb did not start\n");
    return 1;
  }
  ::setenv("DISPLAY", server.display().c_str(), 1);
  Started window_manager, tray;
  window_manager.pid = Spawn({"openbox"}, Inherited_environment());
  tray.pid = Spawn({"trayer", "--edge", "top", "--align", "right", "--widthtype", "request", "--height", "32",
                    "--SetDockType", "true", "--transparent", "false"},
                   Inherited_environment());
  {
    Display_view view;
    if (!view.Open() || !Eventually([&] { return view.Window_manager_ready(); })) {
      std::fprintf(stderr, "the window manager did not start\n");
      return 1;
    }
    if (!Eventually([&] { return view.Tray_owned(); })) {
      std::fprintf(stderr, "the tray did not start\n");
      return 1;
    }
  }
  return RUN_ALL_TESTS();
}
