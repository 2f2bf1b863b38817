// A message-only window (parent HWND_MESSAGE): never shown, not enumerated,
// but it receives the messages that the system sends or posts to it, such
// as WM_HOTKEY and the clipboard's notifications, on the thread that made it.
#pragma once

#include <cstdint>
#include <functional>

namespace quorvandel::windows {

class Message_window {
 public:
  // Handles a message; returns true when it did, with `result` set. Other
  // messages go to DefWindowProc.
  using Handler = std::function<bool(unsigned message, std::uintptr_t wparam, std::intptr_t lparam,
                                     std::intptr_t& result)>;

  explicit Message_window(Handler handler);
  ~Message_window();
  Message_window(const Message_window&) = delete;
  Message_window& operator=(const Message_window&) = delete;

  void* handle() const { return window_; }  // an HWND; null when it could not be made

 private:
  static std::intptr_t __stdcall Procedure(void* window, unsigned message, std::uintptr_t wparam,
                                           std::intptr_t lparam);
  Handler handler_;
  void* window_ = nullptr;
};

// Dispatches the messages waiting for this thread's windows and returns.
void Dispatch_pending_messages();

}  // namespace quorvandel::windows
