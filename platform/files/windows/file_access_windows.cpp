#include <windows.h>
#include <fcntl.h>
#include <io.h>

#include <cerrno>

#include "platform/files/file_access.h"

namespace quorvandel {

std::optional<std::string> Read_whole_file(const std::string& path) {
  const int fd = ::_open(path.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
  if (fd < 0) return errno == ENOENT ? std::optional<std::string>(std::string()) : std::nullopt;
  std::string contents;
  char block[8192];
  for (;;) {
    const int count = ::_read(fd, block, sizeof block);
    if (count > 0) {
      contents.append(block, static_cast<std::size_t>(count));
      continue;
    }
    ::_close(fd);
    if (count == 0) return contents;
    return std::nullopt;
  }
}

// Windows refuses to replace a file with the read-only attribute; anything
// else the user may not write shows when the file is replaced.
bool Existing_file_writable(const std::string& path) {
  const DWORD attributes = ::GetFileAttributesA(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = ::GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
  }
  return (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) == 0;
}

// A folder's read-only attribute does not stop new files on Windows, and
// its access rules are only known by trying: make a file and remove it.
bool Folder_writable(const std::string& folder) {
  std::string probe = folder;
  if (!probe.empty() && probe.back() != '\\' && probe.back() != '/') probe += '\\';
  probe += ".quorvandel-write-test-" + std::to_string(::GetCurrentProcessId());
  const HANDLE file = ::CreateFileA(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return ::GetLastError() == ERROR_FILE_EXISTS;
  ::CloseHandle(file);
  return true;
}

}  // namespace quorvandel
