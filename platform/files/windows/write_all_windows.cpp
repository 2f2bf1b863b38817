#include <io.h>

#include <cerrno>
#include <climits>

#include "platform/files/write_all.h"

namespace quorvandel {

bool Write_all(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const unsigned chunk = bytes.size() > INT_MAX ? INT_MAX : static_cast<unsigned>(bytes.size());
    const int count = ::_write(fd, bytes.data(), chunk);
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
