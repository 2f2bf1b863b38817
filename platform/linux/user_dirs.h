// The user's well-known folders (desktop, documents, templates, ...) as the
// xdg-user-dirs file "user-dirs.dirs" in the configuration folder lists them.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/files/user_folders.h"

namespace quorvandel {

// Each folder of the file by its variable name (such as "XDG_DESKTOP_DIR").
// A line reads NAME="$HOME/relative" or NAME="/absolute", the text between
// the quotes escaped as the shell reads it. "$HOME" is replaced with `home`
// (lines that need it are dropped when `home` is not absolute); trailing
// slashes are dropped. Comments, blank lines and other lines are skipped;
// a later line for the same name wins.
std::map<std::string, std::string> Parse_user_dirs(std::string_view text, const std::string& home);

// The folders of the user's own file; none when it is missing or unreadable.
std::map<std::string, std::string> Read_user_dirs(const User_folders& user);

// The desktop folder: XDG_DESKTOP_DIR of `user_dirs`, or else the default
// of xdg-user-dirs, "$HOME/Desktop", when that folder exists; otherwise empty.
std::string Desktop_folder(const std::map<std::string, std::string>& user_dirs, const User_folders& user);

}  // namespace quorvandel
