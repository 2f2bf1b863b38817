#include <windows.h>

#include <vector>

#include "platform/files/executable_path.h"
#include "platform/windows/wide_text.h"

namespace quorvandel {

std::string Executable_path() {
  // The path may be longer than MAX_PATH: grow the buffer until it fits.
  std::vector<wchar_t> buffer(MAX_PATH);
  for (;;) {
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
    if (length == 0) return {};
    if (length < buffer.size()) return windows::Utf8_from_wide(std::wstring_view(buffer.data(), length));
    if (buffer.size() >= 32768) return {};
    buffer.resize(buffer.size() * 2);
  }
}

}  // namespace quorvandel
