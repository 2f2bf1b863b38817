#include "platform/linux/installed_icon.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>
#include <vector>

#include "platform/linux/xdg_folders.h"

namespace quorvandel {

namespace {

namespace fs = std::filesystem;

constexpr std::string_view default_data_dirs = "/usr/local/share:/usr/share";

fs::path Comparable(const fs::path& folder) {
  std::error_code error;
  const fs::path canonical = fs::weakly_canonical(folder, error);
  return (error ? folder : canonical).lexically_normal();
}

// The icon folders' parents that desktops search, as the XDG base
// directories order them: the user's own first.
std::vector<fs::path> Data_folders(std::string_view data_dirs, const User_folders& user) {
  std::vector<fs::path> folders;
  if (const fs::path own = Data_folder(user); !own.empty()) folders.push_back(own);
  if (data_dirs.empty()) data_dirs = default_data_dirs;
  while (!data_dirs.empty()) {
    const std::size_t colon = data_dirs.find(':');
    const std::string_view folder = data_dirs.substr(0, colon);
    if (!folder.empty() && folder.front() == '/') folders.emplace_back(folder);  // relative ones are ignored
    data_dirs = colon == std::string_view::npos ? std::string_view() : data_dirs.substr(colon + 1);
  }
  return folders;
}

}  // namespace

std::string Installed_icon(const std::string& executable, std::string_view icon_name, std::string_view data_dirs,
                           const User_folders& user) {
  const fs::path program(executable);
  if (executable.empty() || icon_name.empty() || program.parent_path().filename() != "bin") return {};
  const fs::path share = program.parent_path().parent_path() / "share";
  const fs::path icon =
      share / "icons" / "hicolor" / "scalable" / "apps" / (std::string(icon_name) + ".svg");
  std::error_code error;
  if (!fs::is_regular_file(icon, error)) return {};
  const fs::path installed_share = Comparable(share);
  for (const fs::path& folder : Data_folders(data_dirs, user)) {
    if (Comparable(folder) == installed_share) return std::string(icon_name);
  }
  return Comparable(icon).string();
}

std::string Installed_icon(const std::string& executable, std::string_view icon_name, const User_folders& user) {
  const char* data_dirs = std::getenv("XDG_DATA_DIRS");
  return Installed_icon(executable, icon_name, data_dirs ? data_dirs : "", user);
}

}  // namespace quorvandel
