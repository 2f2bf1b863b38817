// The user's folder for the settings of programs.
#pragma once

#include <filesystem>

#include "platform/files/user_folders.h"

namespace quorvandel {

// Where per-user settings go ($XDG_CONFIG_HOME when it is absolute, else
// ~/.config); empty when it is unknown.
std::filesystem::path Config_folder(const User_folders& user);

}  // namespace quorvandel
