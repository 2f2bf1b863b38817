#include "platform/linux/desktop_entry.h"

namespace quorvandel {

namespace {

std::string Quoted_argument(std::string_view argument) {
  std::string quoted = "\"";
  for (const char c : argument) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    if (c == '%') quoted += '%';
    quoted += c;
  }
  return quoted + '"';
}

std::string Key_line(std::string_view key, std::string_view escaped_value) {
  return std::string(key) + "=" + std::string(escaped_value) + "\n";
}

}  // namespace

std::string Exec_value(const std::vector<std::string>& command) {
  std::string line;
  for (const std::string& argument : command) {
    if (!line.empty()) line += ' ';
    line += Quoted_argument(argument);
  }
  return Escape_string_value(line);
}

std::string Escape_string_value(std::string_view value) {
  std::string escaped;
  for (std::size_t i = 0; i < value.size(); ++i) {
    switch (value[i]) {
      case '\\':
        escaped += "\\\\";
        break;
      case '\n':
        escaped += "\\n";
        break;
      case '\t':
        escaped += "\\t";
        break;
      case '\r':
        escaped += "\\r";
        break;
      case ' ':
        escaped += i == 0 ? "\\s" : " ";
        break;
      default:
        escaped += value[i];
    }
  }
  return escaped;
}

std::string Desktop_entry_text(const Desktop_entry& entry) {
  std::string text = "[Desktop Entry]\n";
  text += Key_line("Type", "Application");
  text += Key_line("Name", Escape_string_value(entry.name));
  text += Key_line("Exec", Exec_value(entry.command));
  if (!entry.working_folder.empty()) text += Key_line("Path", Escape_string_value(entry.working_folder));
  if (!entry.icon.empty()) text += Key_line("Icon", Escape_string_value(entry.icon));
  text += Key_line("Terminal", "false");
  return text;
}

}  // namespace quorvandel
