// The command a compositor's key binding runs where no program may take a
// key combination (sway, GNOME without the shortcuts portal):
// "quorvandel-hotkey default" or "quorvandel --hotkey active" hands the
// press to the running copy and ends.
#pragma once

#include <string>
#include <string_view>

#include "platform/instance_channel_service.h"
#include "platform/instance_locks.h"

namespace quorvandel {

struct Hotkey_command_result {
  int exit_status;    // 0 taken, 1 no copy runs, 2 a wrong word
  std::string error;  // for the standard error; empty when taken
};

// Sends {"hotkey", hotkey} over `channel`; while no copy listens but one is
// starting (it holds the program's lock in `locks`), tries again for a
// while. `usage` names the command in the usage line
// ("quorvandel --hotkey").
Hotkey_command_result Hand_hotkey_over(std::string_view hotkey, Instance_channel_service& channel,
                                       Instance_locks& locks, std::string_view usage);

}  // namespace quorvandel
