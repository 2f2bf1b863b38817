#include "platform/windows/message_window.h"

#include <windows.h>

namespace quorvandel::windows {

namespace {

constexpr const wchar_t* class_name = L"QuorvandelMessageWindow";

void Register_class(WNDPROC procedure) {
  static const bool registered = [procedure] {
    WNDCLASSEXW window_class{};
    window_class.cbSize = sizeof window_class;
    window_class.lpfnWndProc = procedure;
    window_class.hInstance = ::GetModuleHandleW(nullptr);
    window_class.lpszClassName = class_name;
    return ::RegisterClassExW(&window_class) != 0;
  }();
  (void)registered;
}

}  // namespace

Message_window::Message_window(Handler handler) : handler_(std::move(handler)) {
  Register_class(reinterpret_cast<WNDPROC>(&Message_window::Procedure));
  window_ = ::CreateWindowExW(0, class_name, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, ::GetModuleHandleW(nullptr),
                              this);
}

Message_window::~Message_window() {
  if (window_) ::DestroyWindow(static_cast<HWND>(window_));
}

std::intptr_t __stdcall Message_window::Procedure(void* window, unsigned message, std::uintptr_t wparam,
                                                  std::intptr_t lparam) {
  const HWND hwnd = static_cast<HWND>(window);
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<Message_window*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  std::intptr_t result = 0;
  if (self && self->handler_ && self->handler_(message, wparam, lparam, result)) return result;
  return ::DefWindowProcW(hwnd, message, wparam, lparam);
}

void Dispatch_pending_messages() {
  MSG message;
  while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    ::TranslateMessage(&message);
    ::DispatchMessageW(&message);
  }
}

}  // namespace quorvandel::windows
