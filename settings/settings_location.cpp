#include "settings/settings_location.h"

#include <filesystem>
#include <system_error>

#include "platform/files/config_folder.h"
#include "platform/files/executable_path.h"
#include "platform/files/file_access.h"
#include "platform/files/path_text.h"

namespace quorvandel {

namespace {

constexpr char separator = static_cast<char>(std::filesystem::path::preferred_separator);
constexpr std::string_view per_user_folder_name = "Quorvandel";

// A folder that ends with '/' has its separator already, on Windows too.
std::string With_trailing_separator(std::string folder) {
  if (!folder.empty() && folder.back() != separator && folder.back() != '/') folder += separator;
  return folder;
}

}  // namespace

std::string Executable_folder() {
  const std::filesystem::path executable = Path_from_utf8(Executable_path());
  std::error_code error;
  if (executable.empty()) return With_trailing_separator(Utf8_from_path(std::filesystem::current_path(error)));
  return With_trailing_separator(Utf8_from_path(executable.parent_path()));
}

std::string Program_folder(std::string_view executable_folder, const User_folders& user) {
  const std::string folder = With_trailing_separator(std::string(executable_folder));
  std::error_code error;
  if (std::filesystem::exists(Path_from_utf8(folder + settings_file_name), error) || Folder_writable(folder)) return folder;
  const std::filesystem::path config_folder = Config_folder(user);
  if (config_folder.empty()) return folder;
  const std::filesystem::path per_user = config_folder / per_user_folder_name;
  std::filesystem::create_directories(per_user, error);
  return With_trailing_separator(Utf8_from_path(per_user));
}

}  // namespace quorvandel
