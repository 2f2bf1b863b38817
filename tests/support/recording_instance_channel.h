// An Instance_channel_service that records what a copy sends and lets a
// test deliver messages to the copy that listens.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/instance_channel_service.h"

namespace quorvandel::testing {

class Recording_instance_channel : public Instance_channel_service {
 public:
  using Message = std::vector<std::string>;

  bool Listen(std::function<void(const Message& message)> on_message) override {
    listening = can_listen;
    if (listening) handler = std::move(on_message);
    return listening;
  }
  bool Send(const Message& message) override {
    sent.push_back(message);
    return running_copy_takes;
  }

  // A message from another copy; false when no one listens.
  bool Deliver(const Message& message) {
    if (!listening || !handler) return false;
    handler(message);
    return true;
  }

  bool can_listen = true;
  bool running_copy_takes = true;  // what Send answers
  bool listening = false;
  std::vector<Message> sent;
  std::function<void(const Message&)> handler;
};

}  // namespace quorvandel::testing
