// The environment variables that locate the user's own folders.
#pragma once

#include <string>

namespace quorvandel {

struct User_folders {
  std::string xdg_config_home;  // $XDG_CONFIG_HOME, empty when unset
  std::string home;             // $HOME, empty when unset
};

User_folders User_folders_from_environment();

}  // namespace quorvandel
