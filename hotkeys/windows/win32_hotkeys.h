// The system-wide hotkeys as Win32 hotkeys (RegisterHotKey) of a
// message-only window: the system posts WM_HOTKEY to it with the
// identifier, and the thread's message loop (Qt's, in the program) delivers
// it to the pressed handler.
#pragma once

#include <set>

#include "hotkeys/hotkey_service.h"
#include "platform/windows/message_window.h"

namespace quorvandel {

class Win32_hotkeys : public Hotkey_service {
 public:
  Win32_hotkeys();
  ~Win32_hotkeys() override;

  bool Register(int id, bool ctrl, bool shift, bool alt, int fkey) override;
  void Unregister(int id) override;
  void Set_pressed_handler(Pressed_handler handler) override { handler_ = std::move(handler); }

  void* window() const { return window_.handle(); }  // the HWND the hotkeys belong to

 private:
  Pressed_handler handler_;
  std::set<int> registered_;  // given back when the service goes away
  windows::Message_window window_;
};

// The arguments of RegisterHotKey for a combination: the sum of MOD_ALT (1),
// MOD_CONTROL (2) and MOD_SHIFT (4) of the modifiers that are set, and the
// virtual key 111 + fkey (VK_F1 112 to VK_F12 123).
struct Win32_hotkey_keys {
  unsigned modifiers;
  unsigned virtual_key;
};
Win32_hotkey_keys Win32_keys_of(bool ctrl, bool shift, bool alt, int fkey);

}  // namespace quorvandel
