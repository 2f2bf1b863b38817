// Where the settings file "Quorvandel.ini" and the two default folders live.
// The desktop program and the command-line converter both ask here.
#pragma once

#include <string>
#include <string_view>

// User_folders: the per-user folders that may stand in for the executable's
// folder.
#include "platform/files/user_folders.h"

namespace quorvandel {

inline constexpr const char* settings_file_name = "Quorvandel.ini";

// The folder of the running executable, ending with its separator; the
// current folder when the system does not tell where the executable is.
std::string Executable_folder();

// The program folder, ending with its separator: the executable's folder,
// unless that folder holds no settings file and cannot be written (a
// system-wide install); then the per-user folder
// $XDG_CONFIG_HOME/Quorvandel/ (by default ~/.config/Quorvandel/), which is
// created when missing.
std::string Program_folder(std::string_view executable_folder, const User_folders& user);

}  // namespace quorvandel
