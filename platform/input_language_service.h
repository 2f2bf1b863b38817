// Asking the system for a keyboard input language: boxes meant for Latin
// input ask for US English when they are activated or focused, and the main
// window's text panes ask for Hebrew when the window is activated.
#pragma once

#include <cstdint>

namespace quorvandel {

// Keyboard layout identifiers as Windows numbers them.
inline constexpr std::uint32_t us_english_layout = 0x04090409;
inline constexpr std::uint32_t hebrew_layout = 0x040D040D;

class Input_language_service {
 public:
  virtual ~Input_language_service() = default;

  // Posts the request and returns at once; the system may grant or ignore
  // it.
  virtual void Request(std::uint32_t layout_id) = 0;
};

}  // namespace quorvandel
