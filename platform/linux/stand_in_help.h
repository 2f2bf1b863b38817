// The stand-in for the help viewer until the real backend exists: asking
// for a topic does nothing.
#pragma once

#include "platform/help_service.h"

namespace quorvandel {

class Stand_in_help : public Help_service {
 public:
  void Show_topic(const std::string&) override {}
};

}  // namespace quorvandel
