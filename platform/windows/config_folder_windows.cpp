#include <cstdlib>

#include "platform/files/config_folder.h"

namespace quorvandel {

// Programs' per-user settings go under the roaming application data folder
// (%APPDATA%); the XDG variables mean nothing here.
std::filesystem::path Config_folder(const User_folders& /*user*/) {
  const wchar_t* app_data = ::_wgetenv(L"APPDATA");
  if (app_data == nullptr || *app_data == L'\0') return {};
  const std::filesystem::path folder(app_data);
  return folder.is_absolute() ? folder : std::filesystem::path();
}

}  // namespace quorvandel
