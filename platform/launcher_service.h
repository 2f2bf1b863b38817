// Launchers that start a program, put into a folder such as the desktop.
#pragma once

#include <string>
#include <vector>

namespace quorvandel {

struct Launcher {
  std::string target;                   // the program's full path
  std::vector<std::string> arguments;   // each passed as one argument
  std::string working_folder;
  std::string link_name;                // the file name of the launcher
  std::string icon;                     // none when empty
};

class Launcher_service {
 public:
  virtual ~Launcher_service() = default;

  // Makes the launcher in `folder`, replacing one of that name. False when
  // it could not be made; when the folder is empty or missing, or the name
  // is not a plain file name, nothing is made.
  virtual bool Create(const Launcher& launcher, const std::string& folder) = 0;
};

}  // namespace quorvandel
