// The single-instance guard's named semaphores are Win32 semaphores. The
// system destroys one when the last handle to it is closed, which happens at
// the latest when the holding process ends, however it ends.
#include <windows.h>

#include <string>
#include <utility>

#include "platform/named_semaphore.h"

namespace quorvandel {

Semaphore_handle::Semaphore_handle(Semaphore_handle&& other) noexcept : native_(std::exchange(other.native_, none)) {}

Semaphore_handle& Semaphore_handle::operator=(Semaphore_handle&& other) noexcept {
  if (this != &other) {
    Close();
    native_ = std::exchange(other.native_, none);
  }
  return *this;
}

void Semaphore_handle::Close() {
  if (native_ != none) ::CloseHandle(reinterpret_cast<HANDLE>(std::exchange(native_, none)));
}

bool Semaphore_exists(std::string_view name, Semaphore_handle& handle) {
  handle.Close();
  const std::string name_text(name);
  // Initial count 0, maximum 1, default security.
  HANDLE semaphore = ::CreateSemaphoreA(nullptr, 0, 1, name_text.c_str());
  const DWORD error = ::GetLastError();
  if (semaphore == nullptr) return false;
  if (error == ERROR_ALREADY_EXISTS) {
    // Another process holds it. The handle opened the same semaphore, and
    // keeping it would make the semaphore outlive that process.
    ::CloseHandle(semaphore);
    return true;
  }
  handle = Semaphore_handle(reinterpret_cast<Semaphore_handle::Native>(semaphore));
  return false;
}

void Close_semaphore(Semaphore_handle& handle) { handle.Close(); }

}  // namespace quorvandel
