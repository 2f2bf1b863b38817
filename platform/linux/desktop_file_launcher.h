// Launchers as executable desktop entries ("<name>.desktop"), which
// desktops show and start.
#pragma once

#include <string>

#include "platform/launcher_service.h"
#include "platform/linux/installed_icon.h"
#include "platform/shell_link.h"

namespace quorvandel {

class Desktop_file_launcher : public Launcher_service {
 public:
  bool Create(const Launcher& launcher, const std::string& folder) override {
    // The icon is named as in the icon theme; the launcher shows it once the
    // program is installed with it.
    const std::string icon =
        launcher.icon.empty() ? std::string() : Installed_icon(launcher.target, launcher.icon, User_folders_from_environment());
    return Create_shortcut(launcher.target, launcher.arguments, launcher.working_folder, launcher.link_name, folder,
                           icon);
  }
};

}  // namespace quorvandel
