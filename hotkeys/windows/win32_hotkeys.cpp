#include "hotkeys/windows/win32_hotkeys.h"

#include <windows.h>

namespace quorvandel {

Win32_hotkey_keys Win32_keys_of(bool ctrl, bool shift, bool alt, int fkey) {
  const unsigned modifiers = (alt ? MOD_ALT : 0u) | (ctrl ? MOD_CONTROL : 0u) | (shift ? MOD_SHIFT : 0u);
  return {modifiers, static_cast<unsigned>(111 + fkey)};
}

Win32_hotkeys::Win32_hotkeys()
    : window_([this](unsigned message, std::uintptr_t wparam, std::intptr_t, std::intptr_t& result) {
        if (message != WM_HOTKEY) return false;
        if (handler_) handler_(static_cast<int>(wparam));
        result = 0;
        return true;
      }) {}

Win32_hotkeys::~Win32_hotkeys() {
  for (const int id : registered_) ::UnregisterHotKey(static_cast<HWND>(window()), id);
}

bool Win32_hotkeys::Register(int id, bool ctrl, bool shift, bool alt, int fkey) {
  if (!window() || fkey < 1 || fkey > 12) return false;
  const Win32_hotkey_keys keys = Win32_keys_of(ctrl, shift, alt, fkey);
  if (!::RegisterHotKey(static_cast<HWND>(window()), id, keys.modifiers, keys.virtual_key)) return false;
  registered_.insert(id);
  return true;
}

void Win32_hotkeys::Unregister(int id) {
  if (!window()) return;
  ::UnregisterHotKey(static_cast<HWND>(window()), id);
  registered_.erase(id);
}

}  // namespace quorvandel
