// The text of a desktop entry file (".desktop"): the launchers that desktops
// show and start, and the entries of the autostart folder.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace quorvandel {

struct Desktop_entry {
  std::string name;
  std::vector<std::string> command;  // the program, then its arguments
  std::string working_folder;        // the Path key; left out when empty
  std::string icon;                  // the Icon key; left out when empty
};

// The value of the Exec key that runs `command` exactly: every argument in
// double quotes, with '"', '`', '$' and '\' escaped inside them and '%'
// doubled, then escaped once more as any string value.
std::string Exec_value(const std::vector<std::string>& command);

// A string value as it is written after "Key=": backslash, newline, tab and
// carriage return escaped, and a leading space written as "\s".
std::string Escape_string_value(std::string_view value);

// The whole file for an application that runs without a terminal.
std::string Desktop_entry_text(const Desktop_entry& entry);

}  // namespace quorvandel
