// Log-in entries as desktop entries in the XDG autostart folder.
#include <filesystem>
#include <system_error>

#include "platform/application_id.h"
#include "platform/files/executable_path.h"
#include "platform/files/file_names.h"
#include "platform/files/file_replace.h"
#include "platform/linux/autostart.h"
#include "platform/linux/desktop_entry.h"
#include "platform/linux/installed_icon.h"
#include "platform/linux/xdg_folders.h"

namespace quorvandel {

namespace {

constexpr auto entry_mode = std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                            std::filesystem::perms::group_read | std::filesystem::perms::others_read;

bool Write_entry(const std::filesystem::path& folder, const std::string& value_name, const std::string& data,
                 const User_folders& user) {
  if (data.empty()) return false;
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  // An installed program shows its icon in the desktop's list of start-up programs.
  const Desktop_entry entry{value_name, {data}, {}, Installed_icon(data, application_id, user)};
  return !error && Replace_file_contents(folder / (value_name + ".desktop"), Desktop_entry_text(entry), entry_mode);
}

bool Delete_entry(const std::filesystem::path& folder, const std::string& value_name) {
  std::error_code error;
  std::filesystem::remove(folder / (value_name + ".desktop"), error);
  return !error;
}

}  // namespace

bool Set_run_entry(const std::string& value_name, const std::string& data, bool /*run_once*/, bool present,
                   const User_folders& user) {
  const std::filesystem::path folder = Autostart_folder(user);
  if (folder.empty() || !Is_plain_file_name(value_name)) return false;
  return present ? Write_entry(folder, value_name, data, user) : Delete_entry(folder, value_name);
}

bool Set_run_entry(const std::string& value_name, const std::string& data, bool run_once, bool present) {
  return Set_run_entry(value_name, data, run_once, present, User_folders_from_environment());
}

bool Launch_on_windows_startup(bool enabled, const User_folders& user) {
  return Set_run_entry(std::string(run_entry_name), Executable_path(), false, enabled, user);
}

const char* Launch_on_startup_caption() { return "Launch on startup"; }

bool Launch_on_windows_startup(bool enabled) {
  return Launch_on_windows_startup(enabled, User_folders_from_environment());
}

}  // namespace quorvandel
