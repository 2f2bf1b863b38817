#include "platform/linux/user_dirs.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>

#include "platform/linux/xdg_folders.h"

namespace quorvandel {

namespace {

constexpr std::string_view blanks = " \t\r";
constexpr std::string_view home_variable = "$HOME";

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// The text between the opening double quote of `value` and the closing one,
// still escaped; nothing when it does not start with a quote or never ends.
std::optional<std::string_view> Quoted_text(std::string_view value) {
  if (value.empty() || value.front() != '"') return std::nullopt;
  for (std::size_t i = 1; i < value.size(); ++i) {
    if (value[i] == '\\')
      ++i;
    else if (value[i] == '"')
      return value.substr(1, i - 1);
  }
  return std::nullopt;
}

// Inside double quotes the shell takes a backslash as an escape only before
// '$', '`', '"' and another backslash.
std::string Unescaped(std::string_view text) {
  std::string plain;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool escape = text[i] == '\\' && i + 1 < text.size() &&
                        std::string_view("$`\"\\").find(text[i + 1]) != std::string_view::npos;
    if (escape) ++i;
    plain += text[i];
  }
  return plain;
}

std::string Without_trailing_slashes(std::string folder) {
  while (!folder.empty() && folder.back() == '/') folder.pop_back();
  return folder;
}

std::optional<std::string> Folder_of(std::string_view quoted, const std::string& home) {
  std::string folder;
  if (quoted.starts_with(home_variable)) {
    const std::string_view rest = quoted.substr(home_variable.size());
    if (!rest.empty() && rest.front() != '/') return std::nullopt;
    if (!std::filesystem::path(home).is_absolute()) return std::nullopt;
    folder = Without_trailing_slashes(home) + Unescaped(rest);
  } else if (quoted.starts_with('/')) {
    folder = Unescaped(quoted);
  } else {
    return std::nullopt;
  }
  folder = Without_trailing_slashes(std::move(folder));
  return folder.empty() ? "/" : folder;
}

void Parse_line(std::string_view line, const std::string& home, std::map<std::string, std::string>& folders) {
  line = Trimmed(line);
  if (line.empty() || line.front() == '#') return;
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return;
  const std::string_view name = Trimmed(line.substr(0, equals));
  if (name.empty() || name.find_first_of(blanks) != std::string_view::npos) return;
  const std::optional<std::string_view> quoted = Quoted_text(Trimmed(line.substr(equals + 1)));
  if (!quoted) return;
  if (std::optional<std::string> folder = Folder_of(*quoted, home)) folders[std::string(name)] = std::move(*folder);
}

}  // namespace

std::map<std::string, std::string> Parse_user_dirs(std::string_view text, const std::string& home) {
  std::map<std::string, std::string> folders;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    Parse_line(text.substr(0, end), home, folders);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
  }
  return folders;
}

std::map<std::string, std::string> Read_user_dirs(const User_folders& user) {
  const std::filesystem::path config = Config_folder(user);
  if (config.empty()) return {};
  std::ifstream file(config / "user-dirs.dirs", std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
  return Parse_user_dirs(text, user.home);
}

}  // namespace quorvandel
