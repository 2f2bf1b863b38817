#include "platform/linux/xdg_shell_folders.h"

#include <array>
#include <filesystem>
#include <map>
#include <system_error>

#include "platform/linux/user_dirs.h"
#include "platform/linux/xdg_folders.h"

namespace quorvandel {

namespace {

std::string Value_or_empty(const std::map<std::string, std::string>& values, const std::string& name) {
  const auto found = values.find(name);
  return found == values.end() ? std::string() : found->second;
}

std::string Below(const std::filesystem::path& folder, const char* relative) {
  return folder.empty() ? std::string() : (folder / relative).string();
}

// The folder of the recent-files list, when there is a list.
std::string Recent_folder(const std::filesystem::path& data_folder) {
  std::error_code error;
  const bool listed = !data_folder.empty() && std::filesystem::exists(data_folder / "recently-used.xbel", error);
  return listed ? data_folder.string() : std::string();
}

}  // namespace

std::string Xdg_shell_folders::Folder_at(int location) const {
  if (location < 1 || location > templates_location) return {};
  const User_folders& user = user_;
  std::array<std::string, templates_location> folders;  // by location, from 1
  const std::map<std::string, std::string> user_dirs = Read_user_dirs(user);
  const std::filesystem::path data_folder = Data_folder(user);
  const auto set = [&folders](int where, std::string folder) {
    folders[static_cast<std::size_t>(where - 1)] = std::move(folder);
  };
  set(desktop_location, Value_or_empty(user_dirs, "XDG_DESKTOP_DIR"));
  set(fonts_location, Below(data_folder, "fonts"));
  set(personal_location, Value_or_empty(user_dirs, "XDG_DOCUMENTS_DIR"));
  set(programs_location, Below(data_folder, "applications"));
  set(recent_location, Recent_folder(data_folder));
  set(start_menu_location, Below(data_folder, "applications"));
  set(startup_location, Autostart_folder(user).string());
  set(templates_location, Value_or_empty(user_dirs, "XDG_TEMPLATES_DIR"));
  return folders[static_cast<std::size_t>(location - 1)];
}

}  // namespace quorvandel
