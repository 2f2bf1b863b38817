#include <fcntl.h>
#include <io.h>

#include <cstdlib>
#include <filesystem>

#include "support/scratch_files.h"

namespace quorvandel::testing {

std::string Empty_file() {
  static const std::string path = [] {
    const std::filesystem::path file = std::filesystem::temp_directory_path() / "quorvandel-test-empty.ini";
    Write_text(file, "");
    return file.string();
  }();
  return path;
}

void Open_pipe(int fds[2]) {
  if (::_pipe(fds, 1 << 20, _O_BINARY) != 0) std::abort();
}

// Windows has no user whose rights ignore a file's read-only attribute.
bool Running_as_root() { return false; }

}  // namespace quorvandel::testing
