// quorvandel-hotkey: the command to bind to a key combination in the
// compositor's settings (sway, GNOME). It hands the press to the running
// copy of quorvandel, as "quorvandel --hotkey" does, but without loading Qt,
// so that the press arrives without a program's start in between.
#include <cstdio>
#include <string_view>

#include "hotkeys/hotkey_command.h"
#include "platform/instance_channel_service.h"
#include "platform/named_semaphore_locks.h"
#include "platform/posix/socket_instance_sender.h"

int main(int argc, char** argv) {
  const std::string_view hotkey = argc == 2 ? argv[1] : "";
  quorvandel::Socket_instance_sender channel(quorvandel::Instance_channel_name());
  quorvandel::Named_semaphore_locks locks;
  const quorvandel::Hotkey_command_result result =
      quorvandel::Hand_hotkey_over(hotkey, channel, locks, "quorvandel-hotkey");
  std::fputs(result.error.c_str(), stderr);
  return result.exit_status;
}
