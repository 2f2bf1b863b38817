#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <string>
#include <system_error>

#include "platform/files/file_descriptor.h"
#include "platform/files/file_replace.h"
#include "platform/files/write_all.h"

namespace quorvandel {

namespace {

// The file to replace: the target of a symbolic link, else `path` itself
// (a link that leads nowhere is replaced by the new file).
std::string Replacement_target(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_symlink(path, error)) return path.string();
  const std::filesystem::path target = std::filesystem::canonical(path, error);
  return error ? path.string() : target.string();
}

// Creates a new file beside the target under a name of its own, with the
// permission bits 0666 less the umask.
int Create_temporary(const std::string& target, std::string& path) {
  static std::atomic<unsigned> counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    path = target + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(++counter);
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

// A new file beside the target that disappears unless it is renamed over it.
class Temporary_file {
 public:
  explicit Temporary_file(const std::string& target)
      : fd_(Create_temporary(target, path_)), created_(fd_.get() >= 0) {}
  ~Temporary_file() {
    if (created_ && !renamed_) ::unlink(path_.c_str());
  }
  Temporary_file(const Temporary_file&) = delete;
  Temporary_file& operator=(const Temporary_file&) = delete;

  bool Opened() const { return created_; }

  // Gives it `mode`, else the permission bits of the target; when the target
  // is missing it keeps the bits it was made with.
  bool Set_mode(std::optional<std::filesystem::perms> mode, const std::string& target) {
    if (mode) return ::fchmod(fd_.get(), static_cast<mode_t>(*mode)) == 0;
    struct stat status {};
    if (::stat(target.c_str(), &status) != 0) return errno == ENOENT;
    return ::fchmod(fd_.get(), status.st_mode & 07777) == 0;
  }

  bool Fill(std::string_view contents) { return Write_all(fd_.get(), contents) && ::fsync(fd_.get()) == 0; }

  bool Rename_over(const std::string& target) {
    if (!fd_.Close()) return false;
    renamed_ = ::rename(path_.c_str(), target.c_str()) == 0;
    return renamed_;
  }

 private:
  std::string path_;
  File_descriptor fd_;
  bool created_;
  bool renamed_ = false;
};

}  // namespace

bool Replace_file_contents(const std::filesystem::path& path, std::string_view contents,
                           std::optional<std::filesystem::perms> mode) {
  const std::string target = Replacement_target(path);
  Temporary_file temporary(target);
  return temporary.Opened() && temporary.Set_mode(mode, target) && temporary.Fill(contents) &&
         temporary.Rename_over(target);
}

}  // namespace quorvandel
