// Instance_channel_service over a Win32 named pipe that only this user may
// open, with the frames of instance_message_frame.h.
//
// The running copy keeps one instance of the pipe waiting for a sender on a
// thread of its own; each sender is read on a thread of its own, so one that
// stops halfway holds no one else up and is dropped after the send timeout.
// A whole message is answered, then posted to a message-only window of the
// thread that listens, whose message loop (Qt's, in the program) hands it
// on: a handler that opens dialogs or waits never keeps the sender waiting.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/instance_channel_service.h"

namespace quorvandel {

class Pipe_instance_channel : public Instance_channel_service {
 public:
  using Message = std::vector<std::string>;

  // `pipe_name` without the "\\.\pipe\" before it.
  explicit Pipe_instance_channel(std::string pipe_name, int send_timeout_ms = 5000);
  ~Pipe_instance_channel() override;  // stops listening; waits for the threads
  Pipe_instance_channel(const Pipe_instance_channel&) = delete;
  Pipe_instance_channel& operator=(const Pipe_instance_channel&) = delete;

  // False while another listens under the name, in this process or another.
  bool Listen(std::function<void(const Message& message)> on_message) override;
  bool Send(const Message& message) override;

 private:
  class Listener;
  std::wstring pipe_path_;
  int send_timeout_ms_;
  std::unique_ptr<Listener> listener_;
};

}  // namespace quorvandel
