#include "cli/output.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/file_io.h"
#include "platform/path_text.h"
#include "platform/write_all.h"

namespace quorvandel::cli {
namespace {

constexpr std::size_t held_limit = 16 << 20;  // bytes kept in memory before spilling

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

void Atomic_file_output::Write(std::string_view bytes) { Write_all(fd_, bytes); }

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
      direct_ = true;
      start_offset_ = offset;
    }
  }
}

Stdout_output::~Stdout_output() { Abandon(); }

void Stdout_output::Spill() {
  if (!spill_) {
    spill_ = std::tmpfile();
    if (!spill_) Throw_errno();
  }
  if (std::fwrite(held_.data(), 1, held_.size(), spill_) != held_.size()) Throw_errno();
  held_.clear();
}

void Stdout_output::Write(std::string_view bytes) {
  if (direct_) {
    Write_all(STDOUT_FILENO, bytes);
    return;
  }
  held_.append(bytes);
  if (held_.size() >= held_limit) Spill();
}

void Stdout_output::Commit() {
  if (!open_) return;
  open_ = false;
  if (direct_) return;
  if (spill_) {
    Spill();
    if (std::fflush(spill_) != 0) Throw_errno();
    std::rewind(spill_);
    std::vector<char> block(1 << 20);
    for (std::size_t count; (count = std::fread(block.data(), 1, block.size(), spill_)) > 0;) {
      Write_all(STDOUT_FILENO, std::string_view(block.data(), count));
    }
    std::fclose(spill_);
    spill_ = nullptr;
  }
  Write_all(STDOUT_FILENO, held_);
  held_.clear();
}

void Stdout_output::Abandon() {
  if (!open_) return;
  open_ = false;
  if (direct_) {
    if (::ftruncate(STDOUT_FILENO, static_cast<off_t>(start_offset_)) == 0) {
      ::lseek(STDOUT_FILENO, static_cast<off_t>(start_offset_), SEEK_SET);
    }
    return;
  }
  held_.clear();
  if (spill_) {
    std::fclose(spill_);
    spill_ = nullptr;
  }
}

}  // namespace quorvandel::cli
