#include "hotkeys/windows/win32_keystrokes.h"

#include <windows.h>

#include <string>

namespace quorvandel {

unsigned Virtual_key_of(Key key) {
  switch (key) {
    case Key::shift:
      return VK_SHIFT;
    case Key::control:
      return VK_CONTROL;
    case Key::c:
      return 'C';
    case Key::v:
      return 'V';
    case Key::insert:
      return VK_INSERT;
  }
  return 0;
}

bool Win32_keystrokes::Is_down(Key key) {
  // The most significant bit of the 16-bit state: held down now.
  return (static_cast<unsigned short>(::GetAsyncKeyState(static_cast<int>(Virtual_key_of(key)))) & 0x8000u) != 0;
}

void Win32_keystrokes::Send_key(Key key, bool release) {
  const unsigned virtual_key = Virtual_key_of(key);
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(virtual_key);
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(virtual_key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (release ? KEYEVENTF_KEYUP : 0u) | (key == Key::insert ? KEYEVENTF_EXTENDEDKEY : 0u);
  ::SendInput(1, &input, sizeof input);
}

// The console host and Windows Terminal take Ctrl+C as an interrupt; both
// copy and paste with Ctrl+Shift+C and Ctrl+Shift+V.
Copy_paste_style Win32_keystrokes::Foreground_style() {
  const HWND foreground = ::GetForegroundWindow();
  wchar_t class_name[256] = {};
  if (foreground && ::GetClassNameW(foreground, class_name, 256) > 0) {
    const std::wstring name = class_name;
    if (name == L"ConsoleWindowClass" || name == L"CASCADIA_HOSTING_WINDOW_CLASS") {
      return Copy_paste_style::control_shift_keys;
    }
  }
  return Copy_paste_style::control_keys;
}

}  // namespace quorvandel
