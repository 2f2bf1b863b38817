#include "platform/input_language.h"

namespace quorvandel {

// X11 and Wayland desktops leave the choice of layout to the user's input
// method; a request is ignored here.
void Request_input_language(std::uint32_t /*layout_id*/) {}

}  // namespace quorvandel
