// The shell folders of a desktop that follows the XDG conventions: the
// user-dirs file names the desktop, documents and templates folders, the
// base directories give the rest, and there is no counterpart of the
// favorites, network neighbourhood and "send to" folders.
#include "mainwindow/win_info.h"

#include <array>
#include <filesystem>
#include <map>
#include <system_error>

#include "platform/user_dirs.h"
#include "platform/xdg_folders.h"

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

TWindowsInfo::TWindowsInfo() : TWindowsInfo(User_folders_from_environment()) {}

TWindowsInfo::TWindowsInfo(const User_folders& user) {
  const std::map<std::string, std::string> user_dirs = Read_user_dirs(user);
  const std::filesystem::path data_folder = Data_folder(user);
  desktop = Desktop_folder(user_dirs, user);
  fonts = Below(data_folder, "fonts");
  personal = Value_or_empty(user_dirs, "XDG_DOCUMENTS_DIR");
  programs = Below(data_folder, "applications");
  recent = Recent_folder(data_folder);
  start_menu = programs;
  startup = Autostart_folder(user).string();
  templates = Value_or_empty(user_dirs, "XDG_TEMPLATES_DIR");
}

std::string TWindowsInfo::Folder_at(int location) const {
  static constexpr std::array<std::string TWindowsInfo::*, 11> by_location = {
      &TWindowsInfo::desktop,    &TWindowsInfo::favorites, &TWindowsInfo::fonts,    &TWindowsInfo::net_hood,
      &TWindowsInfo::personal,   &TWindowsInfo::programs,  &TWindowsInfo::recent,   &TWindowsInfo::send_to,
      &TWindowsInfo::start_menu, &TWindowsInfo::startup,   &TWindowsInfo::templates};
  if (location < 1 || location > static_cast<int>(by_location.size())) return {};
  return this->*by_location[static_cast<std::size_t>(location - 1)];
}

}  // namespace quorvandel
