#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/files/file_io.h"

namespace quorvandel {

int Open_for_reading(const std::string& path) {
  return ::_open(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
}

// Windows files have no POSIX permission bits: `like` is not used.
int Create_unique_file(const std::string& pattern, const std::string& /*like*/, std::string& created) {
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  for (int attempt = 0; attempt < 100; ++attempt) {
    std::vector<char> name = buffer;
    if (::_mktemp_s(name.data(), name.size()) != 0) return -1;
    const int fd = ::_open(name.data(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                           _S_IREAD | _S_IWRITE);
    if (fd >= 0) {
      created = name.data();
      return fd;
    }
    if (errno != EEXIST) return -1;
  }
  return -1;
}

bool Sync_to_disk(int fd) { return ::_commit(fd) == 0; }

// Windows writes a file's cache back on its own; _commit waits for the rest.
void Start_writing_to_disk(int /*fd*/, long long /*offset*/, long long /*count*/) {}

bool Rename_over(const std::string& from, const std::string& to) {
  if (::MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
  switch (::GetLastError()) {
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      errno = EACCES;
      break;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      errno = ENOENT;
      break;
    default:
      errno = EIO;
  }
  return false;
}

// The C runtime does not tell; standard output redirected with ">>" starts
// at the file's end anyway.
bool Opened_for_appending(int /*fd*/) { return false; }

void Use_binary_standard_streams() {
  ::_setmode(_fileno(stdin), _O_BINARY);
  ::_setmode(_fileno(stdout), _O_BINARY);
}

}  // namespace quorvandel
