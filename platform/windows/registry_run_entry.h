// The log-in entry in the registry's Run keys, with the roots given, so that
// tests can stand other keys in for HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER.
#pragma once

#include <string>

namespace quorvandel::windows {

// The value `value_name` (data: `data`) under the root's key
// Software\Microsoft\Windows\CurrentVersion\Run (or RunOnce), `machine` first. A write that
// the machine-wide key refuses (a user without administrator rights) goes
// to the `user` root's key instead. A deletion removes the value under both
// roots. True when the entry is now as asked. The roots are HKEYs.
bool Set_run_entry_in(void* machine, void* user, const std::wstring& value_name, const std::wstring& data,
                      bool run_once, bool present);

}  // namespace quorvandel::windows
