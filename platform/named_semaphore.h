// The two named semaphores that let only one copy of the program run.
//
// Only their existence counts: a semaphore "exists" while some other
// process holds it. Holding one costs nothing and it is released when its
// handle is closed or destroyed, or when the holding process ends in any
// way, a crash included.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorvandel {

inline constexpr std::string_view exe_semaphore_name = "QuorvandelExeSemaphore";
inline constexpr std::string_view msg_semaphore_name = "QuorvandelMsgSemaphore";

// What this process holds of one named semaphore; empty when it holds
// nothing. Move-only; closing or destroying it releases what it holds.
class Semaphore_handle {
 public:
  // A file descriptor on POSIX systems, a HANDLE on Windows.
  using Native = std::intptr_t;
  static constexpr Native none = -1;

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

}  // namespace quorvandel
