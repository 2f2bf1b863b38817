#include "cli/output.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>
#include <vector>

#include "platform/write_all.h"

namespace quorvandel::cli {
namespace {

[[noreturn]] void Throw_errno() { throw std::system_error(errno, std::generic_category()); }

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

void Write_all(int fd, std::string_view bytes) {
  if (!quorvandel::Write_all(fd, bytes)) Throw_errno();
}

Atomic_file_output::Atomic_file_output(std::string path) : path_(std::move(path)) {
  const std::size_t slash = path_.find_last_of('/');
  const std::string folder = slash == std::string::npos ? std::string() : path_.substr(0, slash + 1);
  const std::string name = slash == std::string::npos ? path_ : path_.substr(slash + 1);
  std::string pattern = folder + "." + name + ".XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  const mode_t mode = Mode_for(path_);
  fd_ = ::mkstemp(buffer.data());
  if (fd_ < 0) Throw_errno();
  temporary_path_ = buffer.data();
  ::fchmod(fd_, mode);
}

Atomic_file_output::~Atomic_file_output() { Abandon(); }

void Atomic_file_output::Write(std::string_view bytes) { Write_all(fd_, bytes); }

void Atomic_file_output::Commit() {
  if (fd_ < 0) return;
  const int fd = fd_;
  fd_ = -1;
  // On the disk before the rename, so that a crash leaves the old file or the new one whole.
  int error = ::fsync(fd) == 0 ? 0 : errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && ::rename(temporary_path_.c_str(), path_.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(temporary_path_.c_str());
    throw std::system_error(error, std::generic_category());
  }
}

void Atomic_file_output::Abandon() {
  if (fd_ < 0) return;
  ::close(fd_);
  fd_ = -1;
  ::unlink(temporary_path_.c_str());
}

Stdout_output::Stdout_output() {
  struct stat target {};
  if (::fstat(STDOUT_FILENO, &target) == 0 && S_ISREG(target.st_mode)) {
    // Appended output begins at the end of the file, whatever the offset says.
    const int flags = ::fcntl(STDOUT_FILENO, F_GETFL);
    const off_t offset = flags >= 0 && (flags & O_APPEND) ? target.st_size : ::lseek(STDOUT_FILENO, 0, SEEK_CUR);
    if (offset >= 0) {
      regular_file_ = true;
      start_offset_ = offset;
    }
  }
  terminal_ = !regular_file_ && ::isatty(STDOUT_FILENO) == 1;
}

Stdout_output::~Stdout_output() { Abandon(); }

void Stdout_output::Write(std::string_view bytes) { Write_all(STDOUT_FILENO, bytes); }

void Stdout_output::Commit() { open_ = false; }

void Stdout_output::Abandon() {
  if (!open_) return;
  open_ = false;
  if (regular_file_ && ::ftruncate(STDOUT_FILENO, static_cast<off_t>(start_offset_)) == 0) {
    ::lseek(STDOUT_FILENO, static_cast<off_t>(start_offset_), SEEK_SET);
  }
}

Deferred_output::Deferred_output() : file_(std::tmpfile()) {
  if (!file_) Throw_errno();
}

Deferred_output::~Deferred_output() {
  if (file_) std::fclose(file_);
}

void Deferred_output::Write(std::string_view bytes) {
  if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) Throw_errno();
}

void Deferred_output::Replay(Output& target) {
  if (std::fflush(file_) != 0) Throw_errno();
  std::rewind(file_);
  std::vector<char> block(1 << 20);
  for (std::size_t count; (count = std::fread(block.data(), 1, block.size(), file_)) > 0;) {
    target.Write(std::string_view(block.data(), count));
  }
  if (std::ferror(file_)) Throw_errno();
  if (committed_) {
    target.Commit();
  } else {
    target.Abandon();
  }
}

}  // namespace quorvandel::cli
