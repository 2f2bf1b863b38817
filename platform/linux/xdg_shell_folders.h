// The shell folders of a desktop that follows the XDG conventions: the
// user-dirs file names the desktop, documents and templates folders, the
// base directories give the rest, and there is no counterpart of the
// favorites, network neighbourhood and "send to" folders.
#pragma once

#include <string>
#include <utility>

#include "platform/files/user_folders.h"
#include "platform/shell_folders_service.h"

namespace quorvandel {

class Xdg_shell_folders : public Shell_folders_service {
 public:
  // The folders of the user of these folders, looked up anew at each
  // question, so that a change of the user-dirs file counts at once.
  explicit Xdg_shell_folders(User_folders user) : user_(std::move(user)) {}

  std::string Folder_at(int location) const override;

 private:
  User_folders user_;
};

}  // namespace quorvandel
