// The two named semaphores that let only one copy of the program run.
//
// Only their existence counts: a semaphore "exists" while some other
// process holds it. Holding one costs nothing and it is released when its
// handle is closed or destroyed, or when the holding process ends in any
// way, a crash included.
#pragma once

#include <string>
#include <string_view>

namespace quorvandel {

inline constexpr std::string_view exe_semaphore_name = "QuorvandelExeSemaphore";
inline constexpr std::string_view msg_semaphore_name = "QuorvandelMsgSemaphore";

// What this process holds of one named semaphore; empty when it holds
// nothing. Move-only; closing or destroying it releases what it holds.
class Semaphore_handle {
 public:
#ifdef _WIN32
  using Native = void*;
  static constexpr Native none = nullptr;
#else
  using Native = int;  // a file descriptor with an exclusive flock
  static constexpr Native none = -1;
#endif

  Semaphore_handle() = default;
  explicit Semaphore_handle(Native native) : native_(native) {}
  ~Semaphore_handle() { Close(); }
  Semaphore_handle(Semaphore_handle&& other) noexcept;
  Semaphore_handle& operator=(Semaphore_handle&& other) noexcept;
  Semaphore_handle(const Semaphore_handle&) = delete;
  Semaphore_handle& operator=(const Semaphore_handle&) = delete;

  bool Holds() const { return native_ != none; }
  void Close();

 private:
  Native native_ = none;
};

// Takes the named semaphore for this process. True only when another
// process holds it already; then `handle` is left empty. Otherwise `handle`
// holds it from now on, or stays empty when the system refuses to make it
// (the result is false then too, so the copy runs as the only one).
bool Semaphore_exists(std::string_view name, Semaphore_handle& handle);

// Closes the handle when it holds anything.
void Close_semaphore(Semaphore_handle& handle);

#ifndef _WIN32
// The lock file that stands for a named semaphore: "<name>.lock" in
// `runtime_folder` ($XDG_RUNTIME_DIR, private to the user) when that is an
// absolute path, else "<name>-<user id>.lock" in the temporary folder.
std::string Lock_file_path(std::string_view name, std::string_view runtime_folder);

// Semaphore_exists for the lock file at `lock_path`. The file is made with
// mode 0600 and kept afterwards; a symbolic link there, or a file owned by
// another user, counts as a refusal.
bool Semaphore_exists_at(const std::string& lock_path, Semaphore_handle& handle);
#endif

}  // namespace quorvandel
