// The log-in entry as a desktop entry in the user's autostart folder.
#pragma once

#include <string>
#include <utility>

#include "platform/linux/autostart.h"
#include "platform/login_entry_service.h"

namespace quorvandel {

class Autostart_login_entry : public Login_entry_service {
 public:
  // The entry starts `executable`; the folder follows `user`.
  Autostart_login_entry(std::string executable, User_folders user)
      : executable_(std::move(executable)), user_(std::move(user)) {}

  bool Set_launch_at_login(bool enabled) override {
    return Set_run_entry(std::string(run_entry_name), executable_, false, enabled, user_);
  }

 private:
  std::string executable_;
  User_folders user_;
};

}  // namespace quorvandel
