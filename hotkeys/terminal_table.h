// Which windows are terminal emulators, by the class names their windows
// carry, and how each copies and pastes without Ctrl+C, which would
// interrupt the program running in it.
#pragma once

#include <string_view>

#include "hotkeys/keystroke_service.h"

namespace quorvandel {

// The style for a window whose class names (the instance and the class,
// either may be empty) are these: a terminal's own, or Ctrl+C and Ctrl+V
// for every other window. Case does not matter.
Copy_paste_style Copy_paste_style_for_class(std::string_view instance_name, std::string_view class_name);

}  // namespace quorvandel
