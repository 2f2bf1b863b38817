// Whole-file replacement on Windows: the new contents go into a new file in
// the same folder, are flushed to the disk, and the new file then takes the
// old one's place in one step. ReplaceFileW keeps the replaced file's
// attributes, security and creation time; a file that is not there yet is
// moved into place by MoveFileExW.
#include <windows.h>

#include <atomic>
#include <string>

#include "platform/files/file_replace.h"
#include "platform/windows/wide_text.h"

namespace quorvandel {

namespace {

// A new file beside the target that disappears unless it took the target's place.
class Temporary_file {
 public:
  explicit Temporary_file(const std::wstring& target) {
    static std::atomic<unsigned> counter = 0;
    for (int attempt = 0; attempt < 100 && handle_ == INVALID_HANDLE_VALUE; ++attempt) {
      path_ = target + L".tmp" + std::to_wstring(::GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
      handle_ = ::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (handle_ == INVALID_HANDLE_VALUE && ::GetLastError() != ERROR_FILE_EXISTS) break;
    }
  }
  ~Temporary_file() {
    Close();
    if (!moved_ && handle_was_opened_) ::DeleteFileW(path_.c_str());
  }
  Temporary_file(const Temporary_file&) = delete;
  Temporary_file& operator=(const Temporary_file&) = delete;

  bool Opened() {
    handle_was_opened_ = handle_ != INVALID_HANDLE_VALUE;
    return handle_was_opened_;
  }

  bool Fill(std::string_view contents) {
    while (!contents.empty()) {
      const DWORD chunk = contents.size() > (1u << 30) ? (1u << 30) : static_cast<DWORD>(contents.size());
      DWORD written = 0;
      if (!::WriteFile(handle_, contents.data(), chunk, &written, nullptr) || written == 0) return false;
      contents.remove_prefix(written);
    }
    return ::FlushFileBuffers(handle_) != 0;
  }

  bool Move_over(const std::wstring& target) {
    if (!Close()) return false;
    const DWORD attributes = ::GetFileAttributesW(target.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
      ::SetLastError(ERROR_ACCESS_DENIED);  // a file the user made read-only stays as it is
      return false;
    }
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        ::ReplaceFileW(target.c_str(), path_.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr)) {
      moved_ = true;
      return true;
    }
    moved_ = ::MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
    return moved_;
  }

 private:
  bool Close() {
    if (handle_ == INVALID_HANDLE_VALUE) return true;
    const bool closed = ::CloseHandle(handle_) != 0;
    handle_ = INVALID_HANDLE_VALUE;
    return closed;
  }

  std::wstring path_;
  HANDLE handle_ = INVALID_HANDLE_VALUE;
  bool handle_was_opened_ = false;
  bool moved_ = false;
};

}  // namespace

// Windows files have no permission bits of the POSIX kind: `mode` is not
// used, and a new file gets the folder's inherited security.
bool Replace_file_contents(const std::filesystem::path& path, std::string_view contents,
                           std::optional<std::filesystem::perms> /*mode*/) {
  const std::wstring target = path.wstring();
  Temporary_file temporary(target);
  return temporary.Opened() && temporary.Fill(contents) && temporary.Move_over(target);
}

}  // namespace quorvandel
