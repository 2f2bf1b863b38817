#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "platform/file_replace.h"
#include "platform/write_all.h"

namespace quorvandel {

namespace {

bool Fill_and_close(int fd, std::string_view contents, std::filesystem::perms mode) {
  const bool filled = Write_all(fd, contents) && ::fchmod(fd, static_cast<mode_t>(mode)) == 0 && ::fsync(fd) == 0;
  return ::close(fd) == 0 && filled;
}

}  // namespace

bool Replace_file_contents(const std::filesystem::path& path, std::string_view contents, std::filesystem::perms mode) {
  std::string temporary = path.string() + ".XXXXXX";
  const int fd = ::mkstemp(temporary.data());
  if (fd < 0) return false;
  const bool replaced = Fill_and_close(fd, contents, mode) && ::rename(temporary.c_str(), path.c_str()) == 0;
  if (!replaced) ::unlink(temporary.c_str());
  return replaced;
}

}  // namespace quorvandel
