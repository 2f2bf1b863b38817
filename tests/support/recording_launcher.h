// A Launcher_service that records the launchers made and can fail.
#pragma once

#include <string>
#include <vector>

#include "platform/launcher_service.h"

namespace quorvandel::testing {

class Recording_launcher : public Launcher_service {
 public:
  struct Made {
    Launcher launcher;
    std::string folder;
  };
  bool Create(const Launcher& launcher, const std::string& folder) override {
    made.push_back({launcher, folder});
    return !fail;
  }
  std::vector<Made> made;
  bool fail = false;
};

}  // namespace quorvandel::testing
