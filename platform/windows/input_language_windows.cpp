// Input-language requests as the WM_INPUTLANGCHANGEREQUEST message, posted
// to the window that has the keyboard focus in this program (else its
// active window). The system switches the layout when it grants the request.
#include <windows.h>

#include "platform/input_language.h"
#include "platform/windows/input_language_request.h"

namespace quorvandel {

namespace windows {

bool Post_input_language_request(void* window, std::uint32_t layout_id) {
  // wParam 5: INPUTLANGCHANGE_SYSCHARSET | INPUTLANGCHANGE_FORWARD.
  return window != nullptr && ::PostMessageW(static_cast<HWND>(window), WM_INPUTLANGCHANGEREQUEST, 5,
                                              static_cast<LPARAM>(layout_id)) != 0;
}

}  // namespace windows

void Request_input_language(std::uint32_t layout_id) {
  HWND window = ::GetFocus();
  if (window == nullptr) window = ::GetActiveWindow();
  windows::Post_input_language_request(window, layout_id);
}

}  // namespace quorvandel
