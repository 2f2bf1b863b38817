// A second copy's side of the running copy's local socket
// (Instance_channel_name), in system calls alone: the hotkey command
// (quorvandel-hotkey) starts without Qt, so that a compositor's key binding
// reaches the running copy at once. The running copy listens through Qt's
// local server; both speak the frame of instance_message_frame.h.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/instance_channel_service.h"

namespace quorvandel {

class Socket_instance_sender : public Instance_channel_service {
 public:
  // `socket_path`: where the running copy listens. `timeout_ms`: how long
  // one Send may take in all, so that a copy that hangs does not hold the
  // sender.
  explicit Socket_instance_sender(std::string socket_path, int timeout_ms = 5000)
      : socket_path_(std::move(socket_path)), timeout_ms_(timeout_ms) {}

  // It only sends.
  bool Listen(std::function<void(const std::vector<std::string>& message)>) override { return false; }
  // True once the running copy answered that it holds the whole message;
  // false at once when nothing listens there.
  bool Send(const std::vector<std::string>& message) override;

 private:
  std::string socket_path_;
  int timeout_ms_;
};

}  // namespace quorvandel
