// The shell folders as the user's "Shell Folders" registry key lists them.
#pragma once

#include <array>
#include <string>

#include "platform/shell_folders_service.h"

namespace quorvandel {

class Registry_shell_folders : public Shell_folders_service {
 public:
  // Reads the eleven values of the user's Shell Folders key (under
  // HKEY_CURRENT_USER, Software\Microsoft\Windows\CurrentVersion\Explorer)
  // once. The key is opened for reading and never created; a missing key or
  // value leaves its folder empty.
  Registry_shell_folders();

  std::string Folder_at(int location) const override;

 private:
  std::array<std::string, templates_location> folders_;  // by location, from 1
};

}  // namespace quorvandel
