#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "platform/files/file_io.h"

namespace quorvandel {

namespace {

// The permission bits a new file gets: those of the file it replaces, or
// the usual ones for a new file under the process's umask.
mode_t Mode_for(const std::string& path) {
  struct stat existing {};
  if (::stat(path.c_str(), &existing) == 0) return existing.st_mode & 07777;
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return 0666 & ~mask;
}

}  // namespace

int Open_for_reading(const std::string& path) { return ::open(path.c_str(), O_RDONLY | O_CLOEXEC); }

int Create_unique_file(const std::string& pattern, const std::string& like, std::string& created) {
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  const mode_t mode = Mode_for(like);
  const int fd = ::mkostemp(buffer.data(), O_CLOEXEC);
  if (fd < 0) return fd;
  created = buffer.data();
  ::fchmod(fd, mode);
  return fd;
}

bool Sync_to_disk(int fd) { return ::fsync(fd) == 0; }

void Start_writing_to_disk(int fd, long long offset, long long count) {
#if defined(__linux__)
  // A failure here shows again at the fsync, which is what counts.
  (void)::sync_file_range(fd, static_cast<off_t>(offset), static_cast<off_t>(count), SYNC_FILE_RANGE_WRITE);
#else
  (void)fd;
  (void)offset;
  (void)count;
#endif
}

bool Rename_over(const std::string& from, const std::string& to) { return ::rename(from.c_str(), to.c_str()) == 0; }

bool Opened_for_appending(int fd) {
  const int flags = ::fcntl(fd, F_GETFL);
  return flags >= 0 && (flags & O_APPEND);
}

void Use_binary_standard_streams() {}

}  // namespace quorvandel
