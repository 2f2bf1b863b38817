// Log-in entries as desktop entries in the XDG autostart folder
// (run_entry_linux.cpp).
#pragma once

#include <string>

#include "platform/files/user_folders.h"
#include "platform/run_entry.h"

namespace quorvandel {

// Set_run_entry with the user's folders given: the entry is the file
// "<value_name>.desktop" in $XDG_CONFIG_HOME/autostart (by default
// ~/.config/autostart), which is made when missing.
bool Set_run_entry(const std::string& value_name, const std::string& data, bool run_once, bool present,
                   const User_folders& user);
bool Launch_on_windows_startup(bool enabled, const User_folders& user);

}  // namespace quorvandel
