#include "platform/linux/xdg_folders.h"

namespace quorvandel {

namespace {

std::filesystem::path Below_home(const User_folders& user, const char* relative) {
  const std::filesystem::path home(user.home);
  return home.is_absolute() ? home / relative : std::filesystem::path();
}

}  // namespace

std::filesystem::path Config_folder(const User_folders& user) {
  const std::filesystem::path configured(user.xdg_config_home);
  return configured.is_absolute() ? configured : Below_home(user, ".config");
}

std::filesystem::path Autostart_folder(const User_folders& user) {
  const std::filesystem::path config = Config_folder(user);
  return config.empty() ? config : config / "autostart";
}

std::filesystem::path Data_folder(const User_folders& user) { return Below_home(user, ".local/share"); }

}  // namespace quorvandel
