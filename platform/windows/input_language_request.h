// The input-language request to one window.
#pragma once

#include <cstdint>

namespace quorvandel::windows {

// Posts WM_INPUTLANGCHANGEREQUEST with wParam 5 and the layout identifier
// (0x04090409 US English, 0x040D040D Hebrew) to the window, an HWND; false
// when there is no window or the message could not be posted.
bool Post_input_language_request(void* window, std::uint32_t layout_id);

}  // namespace quorvandel::windows
