#include <filesystem>
#include <system_error>

#include "platform/files/executable_path.h"

namespace quorvandel {

std::string Executable_path() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : executable.string();
}

}  // namespace quorvandel
