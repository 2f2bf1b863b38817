#include <cstdlib>
#include <string_view>

#include "platform/desktop_session.h"

namespace quorvandel {

bool Wayland_session() {
  const char* type = std::getenv("XDG_SESSION_TYPE");
  const char* display = std::getenv("WAYLAND_DISPLAY");
  return (type && std::string_view(type) == "wayland") || (display && *display);
}

}  // namespace quorvandel
