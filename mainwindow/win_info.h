// Where the user's shell folders are: the desktop, the documents folder and
// the other folders a shortcut can be put into, as the platform's shell
// folders service finds them.
#pragma once

#include <string>

#include "platform/shell_folders_service.h"

namespace quorvandel {

// The folders as full paths without a trailing separator. An empty member
// is a folder this system does not have or that cannot be found.
class TWindowsInfo {
 public:
  explicit TWindowsInfo(const Shell_folders_service& shell_folders);

  // The member numbered `location`: 1 desktop, 2 favorites, 3 fonts,
  // 4 net_hood, 5 personal, 6 programs, 7 recent, 8 send_to, 9 start_menu,
  // 10 startup, 11 templates; empty for any other number.
  std::string Folder_at(int location) const;

  std::string desktop;
  std::string favorites;
  std::string fonts;
  std::string net_hood;
  std::string personal;
  std::string programs;
  std::string recent;
  std::string send_to;
  std::string start_menu;
  std::string startup;
  std::string templates;
};

}  // namespace quorvandel
