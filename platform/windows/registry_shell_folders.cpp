#include "platform/windows/registry_shell_folders.h"

#include <windows.h>

#include <vector>

#include "platform/windows/wide_text.h"

namespace quorvandel {

namespace {

constexpr const wchar_t* shell_folders_key = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

// The values in the order of their location numbers.
constexpr std::array<const wchar_t*, templates_location> value_names = {
    L"Desktop", L"Favorites", L"Fonts",      L"NetHood", L"Personal", L"Programs",
    L"Recent",  L"SendTo",    L"Start Menu", L"Startup", L"Templates"};

std::string Read_string(HKEY key, const wchar_t* name) {
  DWORD type = 0;
  DWORD size = 0;
  if (::RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return {};
  if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
  std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
  size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
  if (::RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS) {
    return {};
  }
  std::wstring value(buffer.data());
  // Without a trailing separator, but a drive's root keeps its own ("C:\").
  while (value.size() > 3 && (value.back() == L'\\' || value.back() == L'/')) value.pop_back();
  return windows::Utf8_from_wide(value);
}

}  // namespace

Registry_shell_folders::Registry_shell_folders() {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, shell_folders_key, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return;
  for (std::size_t index = 0; index < value_names.size(); ++index) folders_[index] = Read_string(key, value_names[index]);
  ::RegCloseKey(key);
}

std::string Registry_shell_folders::Folder_at(int location) const {
  if (location < 1 || location > templates_location) return {};
  return folders_[static_cast<std::size_t>(location - 1)];
}

}  // namespace quorvandel
