// The user's own folders as the XDG base directories name them. An empty
// path means the folder is unknown: neither its variable nor $HOME is set to
// an absolute path.
#pragma once

#include <filesystem>

#include "platform/files/config_folder.h"
#include "platform/files/user_folders.h"

namespace quorvandel {

// Config_folder (config_folder.h): $XDG_CONFIG_HOME when it is absolute,
// else ~/.config.

// The folder whose desktop entries are started when the user logs in.
std::filesystem::path Autostart_folder(const User_folders& user);

// ~/.local/share, where launchers, fonts and the recent-files list live.
std::filesystem::path Data_folder(const User_folders& user);

}  // namespace quorvandel
