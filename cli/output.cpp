#include "cli/output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/files/file_io.h"
#include "platform/files/path_text.h"
#include "platform/files/write_all.h"

namespace quorvandel::cli {
namespace {

[[noreturn]] void Throw_errno() { throw std::system_error(errno, std::generic_category()); }

}  // namespace

void Write_all(int fd, std::string_view bytes) {
  if (!quorvandel::Write_all(fd, bytes)) Throw_errno();
}

Atomic_file_output::Atomic_file_output(std::string path) : path_(std::move(path)) {
  // The folder and name as the system splits them ('\\' and '/' on Windows).
  const std::filesystem::path target = Path_from_utf8(path_);
  std::string name = ".";  // appended piece by piece, past a false -Wrestrict of GCC 12
  name += Utf8_from_path(target.filename());
  name += ".XXXXXX";
  const std::string pattern = Utf8_from_path(target.parent_path() / Path_from_utf8(name));
  // The new file gets the permission bits of the file it replaces.
  fd_ = Create_unique_file(pattern, path_, temporary_path_);
  if (fd_ < 0) Throw_errno();
}

Atomic_file_output::~Atomic_file_output() { Abandon(); }

void Atomic_file_output::Write(std::string_view bytes) {
  Write_all(fd_, bytes);
  written_ += static_cast<long long>(bytes.size());
  // The disk takes each megabyte while the next one is converted, instead
  // of all of them during the fsync of Commit, which waits for them. Commit
  // syncs all the same: this changes when the bytes reach the disk, not
  // whether the new file is whole there before it replaces the old one.
  constexpr long long write_back_span = 1 << 20;
  if (written_ - sent_to_disk_ >= write_back_span) {
    Start_writing_to_disk(fd_, sent_to_disk_, written_ - sent_to_disk_);
    sent_to_disk_ = written_;
  }
}

void Atomic_file_output::Commit() {
  if (fd_ < 0) return;
  const int fd = fd_;
  fd_ = -1;
  // On the disk before the rename, so that a crash leaves the old file or the new one whole.
  int error = Sync_to_disk(fd) ? 0 : errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && !Rename_over(temporary_path_, path_)) error = errno;
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
    const off_t offset = Opened_for_appending(STDOUT_FILENO) ? target.st_size : ::lseek(STDOUT_FILENO, 0, SEEK_CUR);
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
