// A channel to the running copy where the system offers none: nothing is
// heard and nothing is delivered, so a second copy falls back to saying
// that another one runs.
#pragma once

#include "platform/instance_channel_service.h"

namespace quorvandel {

class Unreachable_instance_channel final : public Instance_channel_service {
 public:
  bool Listen(std::function<void(const std::vector<std::string>&)>) override { return false; }
  bool Send(const std::vector<std::string>&) override { return false; }
};

}  // namespace quorvandel
