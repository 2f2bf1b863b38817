// The user's well-known folders (desktop, documents, templates, ...) as the
// xdg-user-dirs file "user-dirs.dirs" in the configuration folder lists them.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "platform/user_folders.h"

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

}  // namespace quorvandel
