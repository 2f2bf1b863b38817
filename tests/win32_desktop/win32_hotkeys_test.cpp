// The Win32 hotkeys and keystrokes against the real Win32 functions (under
// Wine in CI): registration, refusal of a taken combination, WM_HOTKEY
// through the message loop, and synthesized keys seen by the system.
#include "hotkeys/windows/win32_hotkeys.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <vector>

#include "hotkeys/windows/win32_keystrokes.h"
#include "platform/windows/message_window.h"

namespace quorvandel {
namespace {

void Send_virtual_key(unsigned virtual_key, bool release) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(virtual_key);
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = release ? KEYEVENTF_KEYUP : 0;
  ASSERT_EQ(::SendInput(1, &input, sizeof input), 1u);
}

// Dispatches messages until `done` or a number of rounds have passed.
template <typename Done>
void Dispatch_until(Done done) {
  for (int round = 0; round < 200 && !done(); ++round) {
    windows::Dispatch_pending_messages();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
}

TEST(Win32Hotkeys, ModifierFlagsAndVirtualKeys) {
  struct Case {
    bool ctrl, shift, alt;
    int fkey;
    unsigned modifiers, virtual_key;
  };
  for (const Case& c : std::vector<Case>{{true, true, false, 12, 6, 123},
                                         {true, true, false, 11, 6, 122},
                                         {false, false, false, 7, 0, 118},
                                         {true, false, true, 1, 3, 112},
                                         {true, true, true, 12, 7, 123}}) {
    const Win32_hotkey_keys keys = Win32_keys_of(c.ctrl, c.shift, c.alt, c.fkey);
    EXPECT_EQ(keys.modifiers, c.modifiers) << c.fkey;
    EXPECT_EQ(keys.virtual_key, c.virtual_key) << c.fkey;
  }
}

TEST(Win32Hotkeys, ATakenCombinationIsRefusedUntilItIsGivenBack) {
  Win32_hotkeys program;
  Win32_hotkeys other_program;
  ASSERT_NE(program.window(), nullptr);
  EXPECT_TRUE(program.Register(11, true, true, false, 12));
  EXPECT_FALSE(program.Register(12, true, true, false, 12)) << "the program's other hotkey holds it";
  EXPECT_FALSE(other_program.Register(11, true, true, false, 12)) << "another window holds it";
  EXPECT_TRUE(other_program.Register(11, true, true, false, 11));
  program.Unregister(11);
  EXPECT_TRUE(other_program.Register(12, true, true, false, 12));
  EXPECT_FALSE(program.Register(11, true, false, false, 13)) << "F1..F12 only";
}

TEST(Win32Hotkeys, GivesBackItsCombinationsWhenItGoesAway) {
  {
    Win32_hotkeys program;
    ASSERT_TRUE(program.Register(11, true, true, false, 10));
  }
  Win32_hotkeys next;
  EXPECT_TRUE(next.Register(11, true, true, false, 10));
}

TEST(Win32Hotkeys, WmHotkeyReachesThePressedHandlerThroughTheMessageLoop) {
  Win32_hotkeys program;
  std::vector<int> pressed;
  program.Set_pressed_handler([&pressed](int id) { pressed.push_back(id); });
  ASSERT_TRUE(program.Register(12, true, true, false, 11));
  ASSERT_TRUE(::PostMessageW(static_cast<HWND>(program.window()), WM_HOTKEY, 12, MAKELPARAM(MOD_CONTROL | MOD_SHIFT, VK_F11)));
  EXPECT_TRUE(pressed.empty()) << "delivered by the loop, not at once";
  Dispatch_until([&] { return !pressed.empty(); });
  EXPECT_EQ(pressed, std::vector<int>{12});
}

TEST(Win32Hotkeys, TheKeyboardCombinationArrivesAsAPress) {
  Win32_hotkeys program;
  std::vector<int> pressed;
  program.Set_pressed_handler([&pressed](int id) { pressed.push_back(id); });
  ASSERT_TRUE(program.Register(11, true, true, false, 12));
  Send_virtual_key(VK_CONTROL, false);
  Send_virtual_key(VK_SHIFT, false);
  Send_virtual_key(VK_F12, false);
  Send_virtual_key(VK_F12, true);
  Send_virtual_key(VK_SHIFT, true);
  Send_virtual_key(VK_CONTROL, true);
  Dispatch_until([&] { return !pressed.empty(); });
  EXPECT_EQ(pressed, std::vector<int>{11});
}

TEST(Win32Keystrokes, VirtualKeysOfTheKeys) {
  EXPECT_EQ(Virtual_key_of(Key::shift), 16u);
  EXPECT_EQ(Virtual_key_of(Key::control), 17u);
  EXPECT_EQ(Virtual_key_of(Key::c), 67u);
  EXPECT_EQ(Virtual_key_of(Key::v), 86u);
  EXPECT_EQ(Virtual_key_of(Key::insert), 45u);
}

TEST(Win32Keystrokes, ASentKeyIsHeldDownUntilReleased) {
  Win32_keystrokes keys;
  for (const Key key : {Key::shift, Key::control}) {
    keys.Send_key(key, false);
    Dispatch_until([&] { return keys.Is_down(key); });
    EXPECT_TRUE(keys.Is_down(key));
    keys.Send_key(key, true);
    Dispatch_until([&] { return !keys.Is_down(key); });
    EXPECT_FALSE(keys.Is_down(key));
  }
}

TEST(Win32Keystrokes, AnOrdinaryWindowCopiesWithControlKeys) {
  Win32_keystrokes keys;
  EXPECT_EQ(keys.Foreground_style(), Copy_paste_style::control_keys);
}

}  // namespace
}  // namespace quorvandel
