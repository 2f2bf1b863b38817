// Shortcuts as desktop entries. They are executable, as desktops ask of a
// launcher on the desktop before they trust it.
#include <filesystem>
#include <string_view>

#include "platform/files/file_names.h"
#include "platform/files/file_replace.h"
#include "platform/linux/desktop_entry.h"
#include "platform/shell_link.h"

namespace quorvandel {

namespace {

constexpr std::string_view launcher_suffix = ".desktop";
constexpr auto launcher_mode = std::filesystem::perms::owner_all | std::filesystem::perms::group_read |
                               std::filesystem::perms::group_exec | std::filesystem::perms::others_read |
                               std::filesystem::perms::others_exec;

std::string Shown_name(std::string_view link_name) {
  if (link_name.ends_with(launcher_suffix)) link_name.remove_suffix(launcher_suffix.size());
  return std::string(link_name);
}

Desktop_entry Launcher(const std::string& target, const std::vector<std::string>& arguments,
                       const std::string& working_folder, const std::string& link_name, const std::string& icon) {
  Desktop_entry entry{Shown_name(link_name), {target}, working_folder, icon};
  entry.command.insert(entry.command.end(), arguments.begin(), arguments.end());
  return entry;
}

}  // namespace

bool Create_shortcut(const std::string& target, const std::vector<std::string>& arguments,
                     const std::string& working_folder, const std::string& link_name,
                     const std::string& folder, const std::string& icon) {
  if (folder.empty() || !Is_plain_file_name(link_name)) return false;
  const Desktop_entry entry = Launcher(target, arguments, working_folder, link_name, icon);
  return Replace_file_contents(std::filesystem::path(folder) / link_name, Desktop_entry_text(entry), launcher_mode);
}

}  // namespace quorvandel
