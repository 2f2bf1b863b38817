// A Shell_folders_service with the folders a test gives.
#pragma once

#include <map>
#include <string>

#include "platform/shell_folders_service.h"

namespace quorvandel::testing {

class Fake_shell_folders : public Shell_folders_service {
 public:
  std::string Folder_at(int location) const override {
    const auto found = folders.find(location);
    return found == folders.end() ? std::string() : found->second;
  }
  std::map<int, std::string> folders;  // by Shell_folder_location
};

}  // namespace quorvandel::testing
