#include <unistd.h>

#include <cerrno>

#include "platform/files/write_all.h"

namespace quorvandel {

bool Write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t count = ::write(fd, bytes.data(), bytes.size());
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return false;
    if (count == 0) {  // nothing taken and no reason given: retrying could go on for ever
      errno = EIO;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

}  // namespace quorvandel
