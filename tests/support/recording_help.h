// A Help_service that records the topics the program asks to show.
#pragma once

#include <string>
#include <vector>

#include "platform/help_service.h"

namespace quorvandel::testing {

class Recording_help : public Help_service {
 public:
  void Show_topic(const std::string& topic) override { topics.push_back(topic); }
  std::vector<std::string> topics;
};

}  // namespace quorvandel::testing
