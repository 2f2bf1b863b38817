// The channel between copies of the desktop program: a copy started while
// another runs hands it what the user asked for (a file to open, the window
// to bring forward, a hotkey to act on) instead of running beside it.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace quorvandel {

// Messages between a second copy of the desktop program and the running one.
//   {"open", "/absolute/path"}   open that file into the source pane
//   {"raise"}                    bring the window forward, from the tray too
//   {"hotkey", "default"}        act as if that hotkey had been pressed
//   {"hotkey", "active"}
class Instance_channel_service {
 public:
  virtual ~Instance_channel_service() = default;
  // The running copy: receive messages on the UI thread. False when it cannot listen.
  virtual bool Listen(std::function<void(const std::vector<std::string>& message)> on_message) = 0;
  // A second copy: deliver one message; true once the running copy has taken it.
  virtual bool Send(const std::vector<std::string>& message) = 0;
};

// The per-user name the running copy listens under: a socket's path on
// POSIX systems, a pipe's name on Windows.
std::string Instance_channel_name();

}  // namespace quorvandel
