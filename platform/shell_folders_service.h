// Where the user's shell folders are: the desktop, the documents folder and
// the other folders a launcher can be put into.
#pragma once

#include <string>

namespace quorvandel {

// The folders by number, as shortcuts name their location.
enum Shell_folder_location {
  desktop_location = 1,
  favorites_location,
  fonts_location,
  net_hood_location,
  personal_location,
  programs_location,
  recent_location,
  send_to_location,
  start_menu_location,
  startup_location,
  templates_location,
};

class Shell_folders_service {
 public:
  virtual ~Shell_folders_service() = default;

  // The folder numbered `location` (Shell_folder_location) as a full path
  // without a trailing separator; empty when this system has no such
  // folder, it cannot be found, or the number is none of them.
  virtual std::string Folder_at(int location) const = 0;
};

}  // namespace quorvandel
