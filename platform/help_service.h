// The program's help viewer.
#pragma once

#include <string>

namespace quorvandel {

class Help_service {
 public:
  virtual ~Help_service() = default;

  // Shows the help at a topic ("Contents", "StraightConversion",
  // "ClipboardConversion"); an unknown topic shows the contents.
  virtual void Show_topic(const std::string& topic) = 0;
};

}  // namespace quorvandel
