// Launchers as executable desktop entries ("<name>.desktop"), which
// desktops show and start.
#pragma once

#include <string>

#include "platform/launcher_service.h"
#include "platform/shell_link.h"

namespace quorvandel {

class Desktop_file_launcher : public Launcher_service {
 public:
  bool Create(const Launcher& launcher, const std::string& folder) override {
    return Create_shortcut(launcher.target, launcher.arguments, launcher.working_folder, launcher.link_name, folder,
                           launcher.icon);
  }
};

}  // namespace quorvandel
