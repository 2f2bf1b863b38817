// An Input_language_service that records the layouts asked for.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/input_language_service.h"

namespace quorvandel::testing {

class Recording_input_language : public Input_language_service {
 public:
  void Request(std::uint32_t layout_id) override { requests.push_back(layout_id); }
  std::vector<std::uint32_t> requests;
};

}  // namespace quorvandel::testing
