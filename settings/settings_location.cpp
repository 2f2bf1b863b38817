#include "settings/settings_location.h"

#include <filesystem>
#include <system_error>

#include "platform/config_folder.h"
#include "platform/executable_path.h"
#include "platform/file_access.h"

namespace quorvandel {

namespace {

constexpr char separator = static_cast<char>(std::filesystem::path::preferred_separator);
constexpr std::string_view per_user_folder_name = "Quorvandel";

std::string With_trailing_separator(std::string folder) {
  if (!folder.empty() && folder.back() != separator) folder += separator;
  return folder;
}

}  // namespace

std::string Executable_folder() {
  const std::filesystem::path executable = Executable_path();
  std::error_code error;
  if (executable.empty()) return With_trailing_separator(std::filesystem::current_path(error).string());
  return With_trailing_separator(executable.parent_path().string());
}

std::string Program_folder(std::string_view executable_folder, const User_folders& user) {
  const std::string folder = With_trailing_separator(std::string(executable_folder));
  std::error_code error;
  if (std::filesystem::exists(folder + settings_file_name, error) || Folder_writable(folder)) return folder;
  const std::filesystem::path config_folder = Config_folder(user);
  if (config_folder.empty()) return folder;
  const std::filesystem::path per_user = config_folder / per_user_folder_name;
  std::filesystem::create_directories(per_user, error);
  return With_trailing_separator(per_user.string());
}

}  // namespace quorvandel
