// Input-language requests as the WM_INPUTLANGCHANGEREQUEST message, posted
// to the window that has the keyboard focus in this program (else its
// active window). The system switches the layout when it grants it.
#pragma once

#include <cstdint>

#include "platform/input_language_service.h"

namespace quorvandel {

namespace windows {

// Posts WM_INPUTLANGCHANGEREQUEST with wParam 5 and the layout identifier
// (0x04090409 US English, 0x040D040D Hebrew) to the window, an HWND; false
// when there is no window or the message could not be posted.
bool Post_input_language_request(void* window, std::uint32_t layout_id);

}  // namespace windows

class Posted_input_language : public Input_language_service {
 public:
  void Request(std::uint32_t layout_id) override;
};

}  // namespace quorvandel
