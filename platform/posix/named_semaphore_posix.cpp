// Named semaphores as lock files: an exclusive flock on a per-user file.
// The kernel drops a flock when the last descriptor of its open file goes
// away, so a lock never outlives the process that holds it. The descriptor
// is closed on exec, so programs started from here do not inherit the lock.
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <utility>

#include "platform/posix/lock_file.h"

namespace quorvandel {

namespace {

std::filesystem::path Temporary_folder() {
  std::error_code error;
  std::filesystem::path folder = std::filesystem::temp_directory_path(error);
  return error ? std::filesystem::path("/tmp") : folder;
}

int Open_lock_file(const std::string& lock_path) {
  return ::open(lock_path.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, S_IRUSR | S_IWUSR);
}

bool Owned_by_this_user(int fd) {
  struct stat status {};
  return ::fstat(fd, &status) == 0 && status.st_uid == ::geteuid();
}

int Try_lock(int fd) {
  int result = 0;
  do {
    result = ::flock(fd, LOCK_EX | LOCK_NB);
  } while (result != 0 && errno == EINTR);
  return result == 0 ? 0 : errno;
}

}  // namespace

Semaphore_handle::Semaphore_handle(Semaphore_handle&& other) noexcept : native_(std::exchange(other.native_, none)) {}

Semaphore_handle& Semaphore_handle::operator=(Semaphore_handle&& other) noexcept {
  if (this != &other) {
    Close();
    native_ = std::exchange(other.native_, none);
  }
  return *this;
}

void Semaphore_handle::Close() {
  if (native_ != none) ::close(static_cast<int>(std::exchange(native_, none)));
}

std::string Lock_file_path(std::string_view name, std::string_view runtime_folder) {
  const std::filesystem::path runtime(runtime_folder);
  if (runtime.is_absolute()) return (runtime / (std::string(name) + ".lock")).string();
  const std::string file_name = std::string(name) + "-" + std::to_string(::geteuid()) + ".lock";
  return (Temporary_folder() / file_name).string();
}

bool Semaphore_exists_at(const std::string& lock_path, Semaphore_handle& handle) {
  handle.Close();
  const int fd = Open_lock_file(lock_path);
  if (fd < 0) return false;
  Semaphore_handle opened(fd);
  // Another user's file in a shared folder could be held to lock us out.
  if (!Owned_by_this_user(fd)) return false;
  const int error = Try_lock(fd);
  if (error == EWOULDBLOCK) return true;
  if (error == 0) handle = std::move(opened);
  return false;
}

bool Semaphore_exists(std::string_view name, Semaphore_handle& handle) {
  const char* runtime_folder = std::getenv("XDG_RUNTIME_DIR");
  return Semaphore_exists_at(Lock_file_path(name, runtime_folder ? runtime_folder : ""), handle);
}

void Close_semaphore(Semaphore_handle& handle) { handle.Close(); }

}  // namespace quorvandel
