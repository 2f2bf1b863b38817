#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "platform/files/file_access.h"
#include "platform/files/file_descriptor.h"

namespace quorvandel {
namespace {

bool Is_missing(int error) { return error == ENOENT || error == ENOTDIR; }

}  // namespace

std::optional<std::string> Read_whole_file(const std::string& path) {
  File_descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (file.get() < 0) return Is_missing(errno) ? std::optional<std::string>(std::string()) : std::nullopt;
  std::string contents;
  char block[8192];
  for (;;) {
    const ssize_t count = ::read(file.get(), block, sizeof block);
    if (count == 0) return contents;
    if (count > 0) {
      contents.append(block, static_cast<std::size_t>(count));
    } else if (errno != EINTR) {
      return std::nullopt;
    }
  }
}

// O_NONBLOCK: a FIFO put where the file should be must not hang the program.
bool Existing_file_writable(const std::string& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return Is_missing(errno);
  ::close(fd);
  return true;
}

bool Folder_writable(const std::string& folder) {
  return ::faccessat(AT_FDCWD, folder.c_str(), W_OK, AT_EACCESS) == 0;
}

}  // namespace quorvandel
