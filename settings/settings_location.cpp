#include "settings/settings_location.h"

#include <filesystem>
#include <optional>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace quorvandel {

namespace {

constexpr char separator = static_cast<char>(std::filesystem::path::preferred_separator);
constexpr std::string_view per_user_folder_name = "Quorvandel";

std::string With_trailing_separator(std::string folder) {
  if (!folder.empty() && folder.back() != separator) folder += separator;
  return folder;
}

bool Folder_writable(const std::string& folder) {
#ifdef _WIN32
  return _access(folder.c_str(), 2) == 0;
#else
  return ::faccessat(AT_FDCWD, folder.c_str(), W_OK, AT_EACCESS) == 0;
#endif
}

// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config; nothing
// when neither is known.
std::optional<std::filesystem::path> User_config_folder(const User_folders& user) {
  const std::filesystem::path configured(user.xdg_config_home);
  if (configured.is_absolute()) return configured;
  const std::filesystem::path home(user.home);
  if (home.is_absolute()) return home / ".config";
  return std::nullopt;
}

}  // namespace

std::string Executable_folder() {
  std::error_code error;
#ifdef _WIN32
  char name[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, name, MAX_PATH);
  const std::filesystem::path executable(std::string(name, length));
  if (length == 0 || length == MAX_PATH) error = std::make_error_code(std::errc::filename_too_long);
#else
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
#endif
  if (error) return With_trailing_separator(std::filesystem::current_path(error).string());
  return With_trailing_separator(executable.parent_path().string());
}

std::string Program_folder(std::string_view executable_folder, const User_folders& user) {
  const std::string folder = With_trailing_separator(std::string(executable_folder));
  std::error_code error;
  if (std::filesystem::exists(folder + settings_file_name, error) || Folder_writable(folder)) return folder;
  const std::optional<std::filesystem::path> config_folder = User_config_folder(user);
  if (!config_folder) return folder;
  const std::filesystem::path per_user = *config_folder / per_user_folder_name;
  std::filesystem::create_directories(per_user, error);
  return With_trailing_separator(per_user.string());
}

}  // namespace quorvandel
