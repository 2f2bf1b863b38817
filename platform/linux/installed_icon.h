// The icon that the program's launchers and its log-in entry show once the
// program is installed: its icon in the desktop's icon theme.
#pragma once

#include <string>
#include <string_view>

#include "platform/files/user_folders.h"

namespace quorvandel {

// For the program installed as <prefix>/bin/<name> at `executable`, with its
// icon at <prefix>/share/icons/hicolor/scalable/apps/<icon_name>.svg: the
// value of a desktop entry's Icon key. That is `icon_name` when
// <prefix>/share is among the folders where desktops look for icons (the
// user's ~/.local/share and `data_dirs`, the value of $XDG_DATA_DIRS, by
// default /usr/local/share and /usr/share), else the icon file's full path.
// Empty when the icon is not there, as when the program runs from its build
// folder.
std::string Installed_icon(const std::string& executable, std::string_view icon_name, std::string_view data_dirs,
                           const User_folders& user);

// The same with the environment's $XDG_DATA_DIRS.
std::string Installed_icon(const std::string& executable, std::string_view icon_name, const User_folders& user);

}  // namespace quorvandel
