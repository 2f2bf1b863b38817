#include <unistd.h>

#include <utility>

#include "platform/files/file_descriptor.h"

namespace quorvandel {

File_descriptor::~File_descriptor() {
  if (fd_ >= 0) ::close(fd_);
}

bool File_descriptor::Close() { return ::close(std::exchange(fd_, -1)) == 0; }

}  // namespace quorvandel
