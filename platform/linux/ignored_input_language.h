// The input-language request on X11 and Wayland desktops, which leave the
// choice of layout to the user's input method: a request is ignored.
#pragma once

#include <cstdint>

#include "platform/input_language_service.h"

namespace quorvandel {

class Ignored_input_language : public Input_language_service {
 public:
  void Request(std::uint32_t) override {}
};

}  // namespace quorvandel
