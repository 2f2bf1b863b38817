// Named semaphores as lock files (named_semaphore_posix.cpp).
#pragma once

#include <string>
#include <string_view>

#include "platform/named_semaphore.h"

namespace quorvandel {

// The lock file that stands for a named semaphore: "<name>.lock" in
// `runtime_folder` ($XDG_RUNTIME_DIR, private to the user) when that is an
// absolute path, else "<name>-<user id>.lock" in the temporary folder.
std::string Lock_file_path(std::string_view name, std::string_view runtime_folder);

// Semaphore_exists for the lock file at `lock_path`. The file is made with
// mode 0600 and kept afterwards; a symbolic link there, or a file owned by
// another user, counts as a refusal.
bool Semaphore_exists_at(const std::string& lock_path, Semaphore_handle& handle);

}  // namespace quorvandel
