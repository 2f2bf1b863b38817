// Where the settings code and the engine send the messages a user must see.
// The desktop program shows each in a message box; the command-line
// converter prints it on standard error.
#pragma once

#include <string>

namespace quorvandel {

class Message_sink {
 public:
  virtual ~Message_sink() = default;
  virtual void Show_message(const std::string& text) = 0;
};

}  // namespace quorvandel
