// The entry that starts the program when the user logs in.
#pragma once

#include <string>
#include <string_view>

namespace quorvandel {

inline constexpr std::string_view run_entry_name = "Quorvandel";

// Writes (present true) or deletes (present false) the entry `value_name`,
// which starts the program at the full path `data` when the user logs in.
// Returns whether the entry is now as asked: deleting an entry that is not
// there succeeds, and false means it could not be written or deleted.
// `run_once` asks for an entry that is used only at the next log-in; where
// the system has no such entries it makes a lasting one, as for false.
bool Set_run_entry(const std::string& value_name, const std::string& data, bool run_once, bool present);

// Writes the entry "Quorvandel" for this executable when `enabled`, else
// deletes it; the result is Set_run_entry's.
bool Launch_on_windows_startup(bool enabled);

}  // namespace quorvandel
