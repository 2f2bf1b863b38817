// Instance_locks as the system's named semaphores (named_semaphore.h).
#pragma once

#include <map>
#include <string>

#include "platform/instance_locks.h"
#include "platform/named_semaphore.h"

namespace quorvandel {

class Named_semaphore_locks : public Instance_locks {
 public:
  bool Held_elsewhere(std::string_view name) override {
    Semaphore_handle& handle = held_[std::string(name)];
    return Semaphore_exists(name, handle);
  }
  void Release(std::string_view name) override { held_.erase(std::string(name)); }

 private:
  std::map<std::string, Semaphore_handle, std::less<>> held_;
};

}  // namespace quorvandel
