// A Login_entry_service that records what the program asks and can fail.
#pragma once

#include <vector>

#include "platform/login_entry_service.h"

namespace quorvandel::testing {

class Recording_login_entry : public Login_entry_service {
 public:
  bool Set_launch_at_login(bool enabled) override {
    requests.push_back(enabled);
    if (fail) return false;
    present = enabled;
    return true;
  }
  std::vector<bool> requests;  // each call's `enabled`
  bool present = false;
  bool fail = false;
};

}  // namespace quorvandel::testing
