// The log-in entry as the value "Quorvandel" of the registry's Run key.
#pragma once

#include <string>
#include <utility>

#include "platform/login_entry_service.h"
#include "platform/run_entry.h"

namespace quorvandel {

class Registry_login_entry : public Login_entry_service {
 public:
  // The entry starts `executable`, a full path.
  explicit Registry_login_entry(std::string executable) : executable_(std::move(executable)) {}

  bool Set_launch_at_login(bool enabled) override {
    return Set_run_entry(std::string(run_entry_name), executable_, false, enabled);
  }

 private:
  std::string executable_;
};

}  // namespace quorvandel
