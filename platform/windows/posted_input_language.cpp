#include "platform/windows/posted_input_language.h"

#include <windows.h>

namespace quorvandel {

namespace windows {

bool Post_input_language_request(void* window, std::uint32_t layout_id) {
  // wParam 5: INPUTLANGCHANGE_SYSCHARSET | INPUTLANGCHANGE_FORWARD.
  return window != nullptr && ::PostMessageW(static_cast<HWND>(window), WM_INPUTLANGCHANGEREQUEST, 5,
                                              static_cast<LPARAM>(layout_id)) != 0;
}

}  // namespace windows

void Posted_input_language::Request(std::uint32_t layout_id) {
  HWND window = ::GetFocus();
  if (window == nullptr) window = ::GetActiveWindow();
  windows::Post_input_language_request(window, layout_id);
}

}  // namespace quorvandel
