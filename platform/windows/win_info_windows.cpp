// The shell folders as the user's "Shell Folders" key lists them. The key is
// opened for reading only and never created; a missing key or value leaves
// its folder empty.
#include <windows.h>

#include <array>
#include <vector>

#include "mainwindow/win_info.h"
#include "platform/windows/wide_text.h"

namespace quorvandel {

namespace {

constexpr const wchar_t* shell_folders_key = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

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
  while (value.size() > 3 && (value.back() == L'\\' || value.back() == L'/')) value.pop_back();
  return windows::Utf8_from_wide(value);
}

void Read_folders(HKEY root, TWindowsInfo& info) {
  HKEY key = nullptr;
  if (::RegOpenKeyExW(root, shell_folders_key, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return;
  const std::array<std::pair<std::string TWindowsInfo::*, const wchar_t*>, 11> values = {{
      {&TWindowsInfo::desktop, L"Desktop"},
      {&TWindowsInfo::favorites, L"Favorites"},
      {&TWindowsInfo::fonts, L"Fonts"},
      {&TWindowsInfo::net_hood, L"NetHood"},
      {&TWindowsInfo::personal, L"Personal"},
      {&TWindowsInfo::programs, L"Programs"},
      {&TWindowsInfo::recent, L"Recent"},
      {&TWindowsInfo::send_to, L"SendTo"},
      {&TWindowsInfo::start_menu, L"Start Menu"},
      {&TWindowsInfo::startup, L"Startup"},
      {&TWindowsInfo::templates, L"Templates"},
  }};
  for (const auto& [member, name] : values) info.*member = Read_string(key, name);
  ::RegCloseKey(key);
}

}  // namespace

TWindowsInfo::TWindowsInfo() { Read_folders(HKEY_CURRENT_USER, *this); }

// The environment variables of the user's folders mean nothing here: the
// registry is the one place that names them.
TWindowsInfo::TWindowsInfo(const User_folders& /*user*/) : TWindowsInfo() {}

std::string TWindowsInfo::Folder_at(int location) const {
  static constexpr std::array<std::string TWindowsInfo::*, 11> by_location = {
      &TWindowsInfo::desktop,    &TWindowsInfo::favorites, &TWindowsInfo::fonts,    &TWindowsInfo::net_hood,
      &TWindowsInfo::personal,   &TWindowsInfo::programs,  &TWindowsInfo::recent,   &TWindowsInfo::send_to,
      &TWindowsInfo::start_menu, &TWindowsInfo::startup,   &TWindowsInfo::templates};
  if (location < 1 || location > static_cast<int>(by_location.size())) return {};
  return this->*by_location[static_cast<std::size_t>(location - 1)];
}

}  // namespace quorvandel
