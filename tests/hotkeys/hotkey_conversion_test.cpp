// The hotkey conversion over the recording fakes: the window, the keys
// sent to the foreground application and the clipboard it shares with it.
#include "hotkeys/hotkey_conversion.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "support/fake_clipboard.h"
#include "support/recording_keystrokes.h"

namespace quorvandel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// The main window as the conversion sees it: conversion uppercases ASCII
// letters, or fails on the text "fail".
class Fake_window : public Hotkey_window {
 public:
  bool Hotkeys_enabled() const override { return enabled; }
  bool Hotkey_busy() const override { return busy; }
  void Set_hotkey_busy(bool value) override { busy = value; }
  int Active_profile() const override { return profile; }
  void Change_profile(int index) override {
    profile = index;
    profile_changes.push_back(index);
  }
  Pane_conversion Convert_through_panes(const std::string& text) override {
    converted_with_profile.push_back(profile);
    source = text;
    Pane_conversion conversion;
    if (text == "fail") {
      conversion.error = "'x' is not a valid integer value";
      destination.clear();
      return conversion;
    }
    conversion.converted = true;
    for (char c : text) conversion.text += (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    destination = conversion.text;
    return conversion;
  }
  void Wait_milliseconds(int n) override {
    ++waits;
    if (on_wait) on_wait();
    std::this_thread::sleep_for(std::chrono::milliseconds(n));
  }
  void Show_message(const std::string& text) override { messages.push_back(text); }
  void Show_notice(const std::string& text) override { notices.push_back(text); }

  bool enabled = true;
  bool busy = false;
  int profile = 0;
  std::vector<int> profile_changes;
  std::vector<int> converted_with_profile;
  std::string source = "(untouched)";
  std::string destination = "(untouched)";
  int waits = 0;
  std::function<void()> on_wait;
  std::vector<std::string> messages;
  std::vector<std::string> notices;
};

const Clipboard_contents users_picture = {{"image/png", std::string("\x89PNG\r\n\x1a\n\0\0raw", 13)},
                                          {"text/uri-list", "file:///home/user/picture.png\r\n"}};

class Hotkey_conversion_test : public ::testing::Test {
 public:
  Hotkey_conversion_test() {
    clipboard.Copy_from_other_program(users_picture);
    // The foreground application: a text field holding `selection`.
    keys.on_send = [this](Key key, bool release) {
      if (!release || !app_answers) return;
      if (key == Key::c) clipboard.Copy_text_from_other_program(selection);
      if (key == Key::v || key == Key::insert) {
        const bool primary = key == Key::insert;
        clipboard_when_pasting = clipboard.contents;
        auto pasted_text = primary ? clipboard.Fetch_primary_from_other_program()
                                   : clipboard.Fetch_from_other_program(Fake_clipboard::text_format);
        if (pasted_text) pasted = *pasted_text;
      }
    };
  }

  void Press(int id) { conversion.WMHotKey(id); }

  Fake_window window;
  Recording_keystrokes keys;
  Fake_clipboard clipboard;
  Hotkey_conversion conversion{window, keys, clipboard};
  std::string selection = "shalom";
  bool app_answers = true;
  std::string pasted = "(nothing)";
  Clipboard_contents clipboard_when_pasting;
};

// ---- The order of the steps, for each way of copying and pasting ----

struct Style_case {
  Copy_paste_style style;
  std::vector<std::string> keys;
};

void PrintTo(const Style_case& test_case, std::ostream* out) { *out << static_cast<int>(test_case.style); }

class Key_order : public Hotkey_conversion_test, public ::testing::WithParamInterface<Style_case> {};

TEST_P(Key_order, CopiesConvertsPastesAndGivesTheClipboardBack) {
  keys.foreground_style = GetParam().style;
  clipboard.primary = selection;
  Press(active_hotkey_id);
  EXPECT_EQ(keys.Sent_names(), GetParam().keys);
  EXPECT_EQ(window.source, "shalom");
  EXPECT_EQ(pasted, "SHALOM");
  EXPECT_EQ(clipboard.contents, users_picture);
  EXPECT_FALSE(window.busy);
  EXPECT_THAT(window.messages, IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Styles, Key_order,
    ::testing::Values(
        Style_case{Copy_paste_style::control_keys,
                   {"+control", "+c", "-c", "-control", "+control", "+v", "-v", "-control"}},
        Style_case{Copy_paste_style::control_shift_keys,
                   {"+control", "+shift", "+c", "-c", "-shift", "-control", "+control", "+shift", "+v", "-v",
                    "-shift", "-control"}},
        // A terminal of the xterm family: no Ctrl+C ever reaches it.
        Style_case{Copy_paste_style::primary_selection, {"+shift", "+insert", "-insert", "-shift"}}));

TEST_F(Hotkey_conversion_test, KeysThatCannotBeSentLeaveTheClipboardAndSayWhy) {
  keys.prepare_message = "The desktop did not let this program send keys.";
  const int writes = clipboard.writes;
  Press(default_hotkey_id);
  EXPECT_THAT(keys.sent, IsEmpty());
  EXPECT_EQ(clipboard.contents, users_picture);
  EXPECT_EQ(clipboard.writes, writes);
  EXPECT_THAT(window.messages, ElementsAre(keys.prepare_message));
  EXPECT_FALSE(window.busy);
}

TEST_F(Hotkey_conversion_test, TerminalPasteLeavesTheClipboardUntouched) {
  keys.foreground_style = Copy_paste_style::primary_selection;
  clipboard.primary = "shalom";
  const int writes = clipboard.writes;
  Press(default_hotkey_id);
  EXPECT_EQ(pasted, "SHALOM");
  EXPECT_EQ(clipboard.writes, writes + 1);  // the primary selection only
  EXPECT_EQ(clipboard.contents, users_picture);
}

TEST_F(Hotkey_conversion_test, NothingIsSentWhileShiftOrCtrlIsHeld) {
  keys.held = {Key::shift, Key::control};
  std::size_t sent_while_held = 0;
  window.on_wait = [&] {
    if (window.waits == 3) keys.held.erase(Key::shift);
    if (window.waits == 6) keys.held.clear();
    if (!keys.held.empty()) sent_while_held += keys.sent.size();
  };
  Press(active_hotkey_id);
  EXPECT_EQ(sent_while_held, 0u);
  EXPECT_GE(window.waits, 6);
  EXPECT_EQ(pasted, "SHALOM");
}

TEST_F(Hotkey_conversion_test, ConvertedTextIsMarkedForClipboardManagers) {
  Press(active_hotkey_id);
  EXPECT_THAT(clipboard_when_pasting,
              ElementsAre(Clipboard_format{Fake_clipboard::text_format, "SHALOM"},
                          Clipboard_format{Fake_clipboard::transient_format, "secret"}));
}

TEST_F(Hotkey_conversion_test, EmptyClipboardEndsEmpty) {
  clipboard.Write_all({});
  Press(active_hotkey_id);
  EXPECT_EQ(pasted, "SHALOM");
  EXPECT_THAT(clipboard.contents, IsEmpty());
}

TEST_F(Hotkey_conversion_test, ClipboardTakenByAnotherProgramMeanwhileIsLeftToIt) {
  keys.on_send = [this, answer = keys.on_send](Key key, bool release) {
    answer(key, release);
    if (key == Key::v && release) clipboard.Copy_text_from_other_program("copied meanwhile");
  };
  Press(active_hotkey_id);
  EXPECT_EQ(clipboard.Text(), "copied meanwhile");
}

// ---- Profiles, a second press, disabled hotkeys ----

TEST_F(Hotkey_conversion_test, DefaultHotkeyConvertsWithTheDefaultProfileAndSwitchesBack) {
  window.profile = 3;
  Press(default_hotkey_id);
  EXPECT_THAT(window.converted_with_profile, ElementsAre(0));
  EXPECT_THAT(window.profile_changes, ElementsAre(0, 3));
  EXPECT_EQ(window.profile, 3);
}

TEST_F(Hotkey_conversion_test, ActiveHotkeyConvertsWithTheActiveProfileAndReselectsIt) {
  window.profile = 3;
  Press(active_hotkey_id);
  EXPECT_THAT(window.converted_with_profile, ElementsAre(3));
  EXPECT_THAT(window.profile_changes, ElementsAre(3));
}

TEST_F(Hotkey_conversion_test, SecondPressDuringAConversionIsIgnored) {
  window.profile = 2;
  keys.held = {Key::control};
  window.on_wait = [&] {
    if (window.waits == 1) Press(default_hotkey_id);  // still waiting for Ctrl
    keys.held.clear();
  };
  Press(active_hotkey_id);
  EXPECT_THAT(window.converted_with_profile, ElementsAre(2));
  EXPECT_THAT(window.profile_changes, ElementsAre(2));
  EXPECT_EQ(keys.sent.size(), 8u);
  EXPECT_FALSE(window.busy);
}

TEST_F(Hotkey_conversion_test, DisabledHotkeysChangeNothing) {
  window.enabled = false;
  window.profile = 2;
  const int writes = clipboard.writes;
  Press(default_hotkey_id);
  EXPECT_THAT(keys.sent, IsEmpty());
  EXPECT_THAT(window.profile_changes, IsEmpty());
  EXPECT_EQ(clipboard.writes, writes);
  EXPECT_EQ(window.source, "(untouched)");
}

TEST_F(Hotkey_conversion_test, UnknownIdentifierOnlyReselectsTheProfile) {
  window.profile = 1;
  Press(13);
  EXPECT_THAT(keys.sent, IsEmpty());
  EXPECT_THAT(window.profile_changes, ElementsAre(1));
}

// ---- Every failure: nothing pasted, the clipboard given back, the busy
// flag cleared, the profile switched back, one message ----

struct Failure_case {
  const char* name;
  std::function<void(Hotkey_conversion_test&)> arrange;
  std::vector<std::string> messages;
  bool copy_sent;
  bool restored = true;
};

void PrintTo(const Failure_case& test_case, std::ostream* out) { *out << test_case.name; }

class Failure : public Hotkey_conversion_test, public ::testing::WithParamInterface<Failure_case> {};

TEST_P(Failure, PastesNothingAndSetsEverythingRight) {
  window.profile = 4;
  GetParam().arrange(*this);
  Press(default_hotkey_id);
  EXPECT_EQ(pasted, "(nothing)");
  EXPECT_EQ(keys.sent.size(), GetParam().copy_sent ? 4u : 0u);  // the copy keys at most
  EXPECT_FALSE(window.busy);
  EXPECT_EQ(window.profile, 4);
  EXPECT_EQ(window.messages, GetParam().messages);
  if (GetParam().restored) {
    EXPECT_EQ(clipboard.contents, users_picture);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Paths, Failure,
    ::testing::Values(
        Failure_case{"ClipboardUnreadable", [](Hotkey_conversion_test& test) { test.clipboard.fail_reads = true; },
                     {clipboard_not_saved_message}, false},
        Failure_case{"ClipboardCannotBeEmptied", [](Hotkey_conversion_test& test) { test.clipboard.fail_writes = true; },
                     {clipboard_not_emptied_message}, false},
        Failure_case{"ConversionStopsOnAnError", [](Hotkey_conversion_test& test) { test.selection = "fail"; },
                     {"'x' is not a valid integer value"}, true},
        Failure_case{"ConvertedTextCannotBePlaced",
                     [](Hotkey_conversion_test& test) {
                       test.keys.on_send = [&test, answer = test.keys.on_send](Key key, bool release) {
                         answer(key, release);
                         if (key == Key::c && release) test.clipboard.fail_writes = true;
                       };
                     },
                     // the clipboard refuses every write now, the restore too: one message tells both
                     {std::string(converted_not_placed_message) + "\n" + clipboard_not_restored_message}, true,
                     false},
        Failure_case{"CopyNeverArrives", [](Hotkey_conversion_test& test) { test.app_answers = false; }, {}, true}),
    [](const auto& test_info) { return std::string(test_info.param.name); });

TEST_F(Hotkey_conversion_test, CopyThatNeverArrivesLeavesBothPanesEmpty) {
  app_answers = false;
  Press(active_hotkey_id);
  EXPECT_EQ(window.source, "");
  EXPECT_EQ(window.destination, "");
  EXPECT_EQ(keys.sent.size(), 4u);
}

TEST_F(Hotkey_conversion_test, SelectionConvertingToNothingPastesNothing) {
  selection = "";
  Press(active_hotkey_id);
  EXPECT_EQ(pasted, "(nothing)");
  EXPECT_EQ(clipboard.contents, users_picture);
}

// ---- The application's pace: the paste waits for its answer, the text
// stays while it fetches ----

TEST_F(Hotkey_conversion_test, PasteKeysWaitUntilTheApplicationAnswered) {
  keys.polls_before_answer = 3;
  bool caught_up_at_paste = false;
  keys.on_send = [this, answer = keys.on_send, &caught_up_at_paste](Key key, bool release) {
    if (key == Key::v && !release) caught_up_at_paste = keys.Caught_up();
    answer(key, release);
  };
  Press(default_hotkey_id);
  EXPECT_TRUE(caught_up_at_paste);
  EXPECT_EQ(pasted, "SHALOM");
  EXPECT_EQ(clipboard.contents, users_picture);
}

TEST_F(Hotkey_conversion_test, ApplicationThatCannotAnswerIsPastedIntoAfterAShortPause) {
  keys.answers = false;
  const auto start = std::chrono::steady_clock::now();
  Press(default_hotkey_id);
  EXPECT_EQ(pasted, "SHALOM");
  EXPECT_EQ(clipboard.contents, users_picture);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(fetch_wait_limit_ms));
}

TEST_F(Hotkey_conversion_test, TextStaysWhileTheApplicationFetchesOneFormatAfterAnother) {
  keys.polls_before_answer = 2;
  bool second_fetch_due = false;
  std::string second_fetch = "(nothing)";
  keys.on_send = [&, answer = keys.on_send](Key key, bool release) {
    answer(key, release);
    if (key == Key::v && release) second_fetch_due = true;
  };
  window.on_wait = [&] {
    if (!second_fetch_due) return;
    second_fetch_due = false;
    second_fetch = clipboard.Fetch_from_other_program(Fake_clipboard::text_format).value_or("(no text)");
  };
  Press(default_hotkey_id);
  EXPECT_EQ(second_fetch, "SHALOM");
  EXPECT_EQ(clipboard.contents, users_picture);
}

// ---- The notices of a hotkey that did nothing visible ----

struct Notice_case {
  const char* name;
  std::function<void(Hotkey_conversion_test&)> arrange;
  std::vector<std::string> notices;
};

void PrintTo(const Notice_case& test_case, std::ostream* out) { *out << test_case.name; }

class Notice : public Hotkey_conversion_test, public ::testing::WithParamInterface<Notice_case> {};

TEST_P(Notice, TellsWhatHappenedAndGivesTheClipboardBack) {
  GetParam().arrange(*this);
  Press(default_hotkey_id);
  EXPECT_EQ(window.notices, GetParam().notices);
  EXPECT_EQ(clipboard.contents, users_picture);
  EXPECT_FALSE(window.busy);
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, Notice,
    ::testing::Values(
        Notice_case{"Converted", [](Hotkey_conversion_test&) {}, {}},
        Notice_case{"NothingCopied", [](Hotkey_conversion_test& test) { test.app_answers = false; },
                    {nothing_selected_notice}},
        Notice_case{"NothingSelectedInATerminal",
                    [](Hotkey_conversion_test& test) {
                      test.keys.foreground_style = Copy_paste_style::primary_selection;
                      test.clipboard.primary.reset();
                    },
                    {nothing_selected_notice}},
        Notice_case{"PasteNeverFetched",
                    [](Hotkey_conversion_test& test) {
                      test.keys.on_send = [&test, answer = test.keys.on_send](Key key, bool release) {
                        if (key != Key::v) answer(key, release);
                      };
                    },
                    {not_pasted_notice}},
        // A real error is a message, and no notice besides.
        Notice_case{"ConversionError", [](Hotkey_conversion_test& test) { test.selection = "fail"; }, {}}),
    [](const auto& test_info) { return std::string(test_info.param.name); });

// ---- From Clipboard ----

TEST_F(Hotkey_conversion_test, QuickConvertPutsTheConversionOnTheClipboard) {
  clipboard.Copy_text_from_other_program("abc");
  EXPECT_EQ(conversion.Quick_convert(), "");
  EXPECT_EQ(clipboard.Text(), "ABC");
  EXPECT_EQ(clipboard.Find(Fake_clipboard::transient_format), nullptr);
}

TEST_F(Hotkey_conversion_test, QuickConvertWithoutTextLeavesTheClipboard) {
  EXPECT_EQ(conversion.Quick_convert(), "");
  EXPECT_EQ(window.destination, "");
  EXPECT_EQ(clipboard.contents, users_picture);
}

}  // namespace
}  // namespace quorvandel::testing
