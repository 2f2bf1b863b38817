// The hotkeys end to end on a Wayland compositor of the test's own
// (headless sway, run as an unprivileged user since sway refuses root):
// the real program, native Wayland text fields of Qt and GTK 3 in other
// processes, the trigger by the command a user binds in sway's config
// (quorvandel-hotkey, pressed through a virtual keyboard, or the program's
// own --hotkey), and the user's clipboard, held by wl-copy, given back byte
// for byte.
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "support/desktop_processes.h"
#include "support/scratch_files.h"

namespace quorvandel::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

// The user the compositor and every client run as.
constexpr const char* user = "nobody";
constexpr const char* group = "nogroup";

// The combination bound in sway's config to quorvandel-hotkey, as the
// preferences tell the user to, and its keys for wtype.
constexpr const char* bound_combination = "Ctrl+Shift+F12";
const std::vector<std::string> bound_keys = {"-M", "ctrl", "-M", "shift", "-k", "F12", "-m", "shift", "-m", "ctrl"};

// How the test presses the hotkey.
enum class Trigger {
  bound_key,       // the combination that sway's config binds to quorvandel-hotkey
  program_option,  // "quorvandel --hotkey default" run as a binding would run it
};

// Waits, up to a generous deadline that only stops a broken run from
// hanging, for the condition to hold.
bool Eventually(const std::function<bool()>& condition, std::chrono::seconds limit = 20s) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}

class Wayland_desktop : public ::testing::Test {
 protected:
  // The compositor starts with the suite's first test, so that one that
  // does not come up fails that test.
  void SetUp() override {
    if (started_) return;
    Start_compositor();
    started_ = !HasFatalFailure();
  }

  static void TearDownTestSuite() {
    Stop(quorvandel_);
    Stop(sway_);
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }

  void TearDown() override { Stop(field_); }

  // The command line that runs `command` as the test's user in its
  // session; `extra` adds variables.
  static std::vector<std::string> As_user(const std::vector<std::string>& command,
                                          const std::vector<std::string>& extra = {}) {
    std::vector<std::string> line = {"setpriv", std::string("--reuid=") + user, std::string("--regid=") + group,
                                     "--clear-groups", "env", "-i", "PATH=/usr/local/bin:/usr/bin:/bin",
                                     "HOME=" + (folder_ / "home").string(),
                                     "XDG_RUNTIME_DIR=" + (folder_ / "runtime").string(), "LC_ALL=C.UTF-8"};
    if (!wayland_display_.empty()) line.push_back("WAYLAND_DISPLAY=" + wayland_display_);
    line.insert(line.end(), extra.begin(), extra.end());
    line.insert(line.end(), command.begin(), command.end());
    return line;
  }
  static std::string Shell_line(const std::vector<std::string>& command) {
    std::string line;
    for (const std::string& word : command) line += Shell_quoted(word) + " ";
    return line;
  }

  static std::string Tree_query(const std::string& filter) {
    return Output_of("swaymsg -s " + Shell_quoted(swaysock_.string()) + " -t get_tree | jq -r " + Shell_quoted(filter));
  }
  // The title of the window that has the keyboard focus.
  static std::string Focused_title() {
    std::string title = Tree_query(".. | objects | select(.focused == true) | .name");
    while (!title.empty() && title.back() == '\n') title.pop_back();
    return title;
  }

  static void Start_compositor() {
    folder_ = fs::temp_directory_path() / ("quorvandel-wayland-" + std::to_string(getpid()));
    fs::create_directories(folder_ / "home");
    fs::create_directories(folder_ / "runtime");
    fs::permissions(folder_ / "runtime", fs::perms::owner_all);
    fs::create_directories(folder_ / "program");
    const fs::path program = folder_ / "program" / "quorvandel";
    fs::copy_file(QUORVANDEL_GUI_EXE, program);
    const fs::path hotkey_command = folder_ / "program" / "quorvandel-hotkey";
    fs::copy_file(QUORVANDEL_HOTKEY_EXE, hotkey_command);
    std::ofstream(folder_ / "sway.config") << "xwayland disable\nbindsym --release " << bound_combination << " exec "
                                           << hotkey_command.string() << " default\n";
    std::ofstream(folder_ / "program" / "Quorvandel.ini") << hotkey_test_settings;
    ASSERT_EQ(Status_of("chown -R " + std::string(user) + ":" + group + " " + Shell_quoted(folder_.string())), 0);

    sway_ = Spawn(As_user({"sway", "-c", (folder_ / "sway.config").string()},
                          {"WLR_BACKENDS=headless", "WLR_LIBINPUT_NO_DEVICES=1", "WLR_RENDERER=pixman"}),
                  Spawn_options{.error_file = (folder_ / "sway.log").string()});
    // Ready once both its Wayland socket and its IPC socket exist.
    ASSERT_TRUE(Eventually([] {
      for (const fs::directory_entry& entry : fs::directory_iterator(folder_ / "runtime")) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("wayland-", 0) == 0 && name.find('.') == std::string::npos) wayland_display_ = name;
        if (name.rfind("sway-ipc.", 0) == 0) swaysock_ = entry.path();
      }
      return !wayland_display_.empty() && !swaysock_.empty();
    })) << "sway did not start; it wrote:\n"
        << Text_of(folder_ / "sway.log").value_or("");

    quorvandel_ = Spawn(As_user({program.string()}, {"QT_QPA_PLATFORM=wayland"}),
                        Spawn_options{.error_file = (folder_ / "program" / "errors.txt").string()});
    ASSERT_TRUE(Eventually(
        [] { return !Tree_query(".. | objects | select((.name // \"\") | startswith(\"Quorvandel 1\")) | .id").empty(); },
        60s))
        << "the program's window did not appear; it wrote:\n"
        << Text_of(folder_ / "program" / "errors.txt").value_or("");
  }

  // A text field of another process holding `text` all selected, with the
  // focus.
  void Start_field(const std::vector<std::string>& command, const std::string& title, const std::string& text,
                   const std::vector<std::string>& extra) {
    field_file_ = folder_ / "home" / "field.txt";
    fs::remove(field_file_);
    std::vector<std::string> line = command;
    line.push_back(field_file_.string());
    line.push_back(text);
    field_ = Spawn(As_user(line, extra));
    ASSERT_TRUE(Eventually([&] { return Text_of(field_file_).value_or("") == text; })) << "the field did not start";
    ASSERT_TRUE(Eventually([&] { return Focused_title() == title; })) << "focused: " << Focused_title();
  }
  std::string Field_text() const { return Text_of(field_file_).value_or(""); }
  bool Field_reads(const std::string& text) const {
    return Eventually([&] { return Field_text() == text; });
  }

  // The user copies this file's bytes as `type` with another program.
  static void Copy_to_clipboard(const std::string& type, const fs::path& file) {
    ASSERT_EQ(Status_of(Shell_line(As_user({"sh", "-c", "wl-copy --type " + Shell_quoted(type) + " < " + Shell_quoted(file.string())}))),
              0);
    ASSERT_TRUE(Eventually([&] { return Clipboard(type) == Text_of(file).value_or(""); }));
  }
  static std::string Clipboard(const std::string& type) {
    return Output_of(Shell_line(As_user({"wl-paste", "--no-newline", "--type", type})) + " 2>/dev/null");
  }
  static std::string Clipboard_types() {
    return Output_of(Shell_line(As_user({"wl-paste", "--list-types"})) + " 2>/dev/null");
  }

  // The user presses the default hotkey: sway runs the command bound to
  // it, which hands the press to the running copy.
  static void Hotkey(Trigger trigger) {
    // A copy that cannot hand the press over must not hang the test.
    if (trigger == Trigger::program_option) {
      const fs::path program = folder_ / "program" / "quorvandel";
      ASSERT_EQ(Status_of("timeout 30 " + Shell_line(As_user({program.string(), "--hotkey", "default"},
                                                             {"QT_QPA_PLATFORM=wayland"}))),
                0)
          << "the command did not hand the press to the running copy";
      return;
    }
    std::vector<std::string> wtype = {"wtype"};
    wtype.insert(wtype.end(), bound_keys.begin(), bound_keys.end());
    ASSERT_EQ(Status_of("timeout 30 " + Shell_line(As_user(wtype))), 0) << "wtype could not press the keys";
  }

  static fs::path folder_;
  static fs::path swaysock_;
  static std::string wayland_display_;
  static pid_t sway_, quorvandel_;
  static bool started_;
  pid_t field_ = -1;
  fs::path field_file_;
};

fs::path Wayland_desktop::folder_;
fs::path Wayland_desktop::swaysock_;
std::string Wayland_desktop::wayland_display_;
pid_t Wayland_desktop::sway_ = -1;
pid_t Wayland_desktop::quorvandel_ = -1;
bool Wayland_desktop::started_ = false;

struct Field_case {
  const char* name;
  std::vector<std::string> command;
  const char* title;
  std::vector<std::string> environment;
  const char* clipboard_type;  // what the user had copied
  const char* clipboard_file;  // relative to the source folder
  Trigger trigger;
};
void PrintTo(const Field_case& field, std::ostream* out) { *out << field.name; }

class Each_field : public Wayland_desktop, public ::testing::WithParamInterface<Field_case> {};

TEST_P(Each_field, ConvertsTheSelectionInPlaceAndGivesTheClipboardBackWhole) {
  const Field_case& field = GetParam();
  const fs::path kept = fs::path(QUORVANDEL_SOURCE_DIR) / field.clipboard_file;
  Copy_to_clipboard(field.clipboard_type, kept);
  const std::string types_before = Clipboard_types();
  Start_field(field.command, field.title, hotkey_test_typed, field.environment);
  Hotkey(field.trigger);
  EXPECT_TRUE(Field_reads(hotkey_test_converted)) << Field_text();
  EXPECT_TRUE(Eventually([&] { return Clipboard(field.clipboard_type) == Text_of(kept).value_or(""); }))
      << Clipboard(field.clipboard_type).size() << " bytes";
  EXPECT_EQ(Clipboard_types(), types_before);
}

const std::vector<std::string> qt_field = {QUORVANDEL_TEXT_FIELD_EXE};
const std::vector<std::string> gtk_field = {"/usr/bin/python3", QUORVANDEL_SOURCE_DIR "/tests/wayland_desktop/gtk_field.py"};

INSTANTIATE_TEST_SUITE_P(
    Fields, Each_field,
    ::testing::Values(
        Field_case{"QtText", qt_field, "Quorvandel test field", {"QT_QPA_PLATFORM=wayland"}, "text/plain;charset=utf-8",
                   "tests/wayland_desktop/clipboard-text.txt", Trigger::bound_key},
        Field_case{"QtPicture", qt_field, "Quorvandel test field", {"QT_QPA_PLATFORM=wayland"}, "image/png",
                   "docs/about.png", Trigger::program_option},
        Field_case{"GtkText", gtk_field, "Quorvandel GTK field", {"GDK_BACKEND=wayland"}, "text/plain;charset=utf-8",
                   "tests/wayland_desktop/clipboard-text.txt", Trigger::bound_key},
        Field_case{"GtkPicture", gtk_field, "Quorvandel GTK field", {"GDK_BACKEND=wayland"}, "image/png",
                   "docs/about.png", Trigger::bound_key}),
    [](const auto& test_info) { return std::string(test_info.param.name); });

// In a terminal Ctrl+C would interrupt the command running there: the
// hotkey with nothing selected in foot leaves that command alone, and
// gives the clipboard back.
TEST_F(Wayland_desktop, TerminalGetsItsOwnCopyKeysNotAnInterrupt) {
  const fs::path kept = fs::path(QUORVANDEL_SOURCE_DIR) / "tests/wayland_desktop/clipboard-text.txt";
  Copy_to_clipboard("text/plain;charset=utf-8", kept);
  const fs::path ready = folder_ / "home" / "terminal-ready";
  const fs::path interrupted = folder_ / "home" / "terminal-interrupted";
  const fs::path changes = folder_ / "home" / "clipboard-changes";
  for (const fs::path& file : {ready, interrupted, changes}) fs::remove(file);
  const std::string script = "trap 'echo interrupted > " + interrupted.string() + "' INT; echo ready > " +
                             ready.string() + "; while :; do sleep 1; done";
  field_ = Spawn(As_user({"foot", "--title", "Quorvandel terminal", "sh", "-c", script}));
  ASSERT_TRUE(Eventually([&] { return fs::exists(ready) && Focused_title() == "Quorvandel terminal"; }))
      << "focused: " << Focused_title();
  // Each change of the clipboard adds a line; the conversion empties it
  // before the copy keys and gives it back after them, so a change and the
  // user's text back on it mean the conversion has ended.
  pid_t watch = Spawn(As_user({"sh", "-c", "wl-paste --watch sh -c 'echo changed >> " + changes.string() + "'"}));
  const auto change_count = [&] {
    const std::string text = Text_of(changes).value_or("");
    return std::count(text.begin(), text.end(), '\n');
  };
  ASSERT_TRUE(Eventually([&] { return change_count() >= 1; })) << "the watch did not start";
  const auto before = change_count();
  Hotkey(Trigger::bound_key);
  EXPECT_TRUE(Eventually([&] {
    return change_count() > before && Clipboard("text/plain;charset=utf-8") == Text_of(kept).value_or("");
  })) << "the clipboard was not given back";
  Stop(watch);
  EXPECT_FALSE(fs::exists(interrupted)) << "the terminal's command got Ctrl+C";
}

}  // namespace
}  // namespace quorvandel::testing
