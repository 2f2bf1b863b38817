#include "hotkeys/hotkey_command.h"

#include <chrono>
#include <thread>
#include <vector>

#include "platform/named_semaphore.h"

namespace quorvandel {
namespace {

using namespace std::chrono_literals;

// A copy that is starting listens once its windows are made.
constexpr auto starting_copy_wait = 10s;
constexpr auto retry_interval = 20ms;

}  // namespace

Hotkey_command_result Hand_hotkey_over(std::string_view hotkey, Instance_channel_service& channel,
                                       Instance_locks& locks, std::string_view usage) {
  if (hotkey != "default" && hotkey != "active")
    return {2, "usage: " + std::string(usage) + " default|active\n"};
  const std::vector<std::string> message = {"hotkey", std::string(hotkey)};
  if (channel.Send(message)) return {0, {}};
  // Asking takes the lock when no copy holds it: give it back at once, so
  // that a copy started now does not take this command for the running one.
  const bool starting = locks.Held_elsewhere(exe_semaphore_name);
  locks.Release(exe_semaphore_name);
  if (starting) {
    const auto deadline = std::chrono::steady_clock::now() + starting_copy_wait;
    do {
      std::this_thread::sleep_for(retry_interval);
      if (channel.Send(message)) return {0, {}};
    } while (std::chrono::steady_clock::now() < deadline);
  }
  return {1, "quorvandel: Quorvandel is not running.\n"};
}

}  // namespace quorvandel
