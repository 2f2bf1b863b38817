#include "settings/ini_store.h"

#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>

#include "platform/files/file_access.h"
#include "platform/files/file_replace.h"
#include "platform/files/path_text.h"

namespace quorvandel {

namespace {

// ---- Names ------------------------------------------------------------------

unsigned char Folded(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

bool Names_equal(std::string_view a, std::string_view b) { return Compare_names_ignoring_case(a, b) == 0; }

std::string_view Trimmed(std::string_view text) {
  constexpr std::string_view blanks = " \t\v\f\r";
  const std::size_t first = text.find_first_not_of(blanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

// ---- Lines of the file --------------------------------------------------------

constexpr std::string_view byte_order_mark = "\xEF\xBB\xBF";

enum class Line_kind { other, header, key };

struct Ini_line {
  std::size_t begin = 0;        // offset of the line's first byte
  std::size_t content_end = 0;  // offset of its line end
  std::size_t end = 0;          // offset just after its line end
  Line_kind kind = Line_kind::other;
  std::string_view name;   // the section of a header, the key of a key line
  std::string_view value;  // the value of a key line
};

void Classify(std::string_view content, Ini_line& line) {
  const std::string_view text = Trimmed(content);
  if (text.empty() || text.front() == ';' || text.front() == '#') return;
  if (text.front() == '[') {
    const std::size_t close = text.rfind(']');
    if (close == std::string_view::npos) return;
    line.kind = Line_kind::header;
    line.name = text.substr(1, close - 1);
    return;
  }
  const std::size_t equals = text.find('=');
  if (equals == std::string_view::npos || equals == 0) return;
  line.kind = Line_kind::key;
  line.name = Trimmed(text.substr(0, equals));
  line.value = Trimmed(text.substr(equals + 1));
}

std::vector<Ini_line> Parse_lines(std::string_view text) {
  std::vector<Ini_line> lines;
  std::size_t begin = text.starts_with(byte_order_mark) ? byte_order_mark.size() : 0;
  while (begin < text.size()) {
    Ini_line line;
    line.begin = begin;
    const std::size_t newline = text.find('\n', begin);
    line.end = newline == std::string_view::npos ? text.size() : newline + 1;
    line.content_end = line.end;
    if (line.content_end > begin && text[line.content_end - 1] == '\n') --line.content_end;
    if (line.content_end > begin && text[line.content_end - 1] == '\r') --line.content_end;
    Classify(text.substr(begin, line.content_end - begin), line);
    lines.push_back(line);
    begin = line.end;
  }
  return lines;
}

// The line end of the file's first line; new files get LF.
std::string_view Line_end_of(std::string_view text) {
  const std::size_t newline = text.find('\n');
  if (newline != std::string_view::npos && newline > 0 && text[newline - 1] == '\r') return "\r\n";
  return "\n";
}

// Where a key is, or would go, in the first section of its name.
struct Key_location {
  std::optional<std::size_t> header;  // the section's header line
  std::optional<std::size_t> key;     // the key's line
  std::size_t last_entry = 0;         // the section's last key line, else its header
};

Key_location Locate(const std::vector<Ini_line>& lines, std::string_view section, std::string_view key) {
  Key_location found;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    const Ini_line& line = lines[i];
    if (line.kind == Line_kind::header) {
      if (found.header) break;
      if (Names_equal(line.name, section)) found.header = found.last_entry = i;
    } else if (found.header && line.kind == Line_kind::key) {
      found.last_entry = i;
      if (!found.key && Names_equal(line.name, key)) found.key = i;
    }
  }
  return found;
}

// ---- Edits ----------------------------------------------------------------------

std::string Key_line(std::string_view key, std::string_view value, std::string_view line_end) {
  std::string line;
  line.reserve(key.size() + value.size() + 3);
  line.append(key).append("=").append(value).append(line_end);
  return line;
}

std::string Replaced_line(std::string_view text, const Ini_line& line, std::string_view value) {
  const std::string_view line_end = text.substr(line.content_end, line.end - line.content_end);
  std::string result(text.substr(0, line.begin));
  result += Key_line(line.name, value, line_end);
  result += text.substr(line.end);
  return result;
}

std::string Inserted_after(std::string_view text, const Ini_line& line, std::string_view new_lines) {
  std::string result(text.substr(0, line.end));
  if (line.content_end == line.end) result += Line_end_of(text);
  result += new_lines;
  result += text.substr(line.end);
  return result;
}

std::string Appended_section(std::string_view text, const std::vector<Ini_line>& lines, std::string_view section,
                             std::string_view key_line) {
  const std::string_view line_end = Line_end_of(text);
  std::string result(text);
  if (!lines.empty()) {
    const Ini_line& last = lines.back();
    if (last.content_end == last.end) result += line_end;
    if (!Trimmed(text.substr(last.begin, last.content_end - last.begin)).empty()) result += line_end;
  }
  result.append("[").append(section).append("]").append(line_end).append(key_line);
  return result;
}

std::string With_key_written(std::string_view text, std::string_view section, std::string_view key,
                             std::string_view value) {
  const std::vector<Ini_line> lines = Parse_lines(text);
  const Key_location where = Locate(lines, section, key);
  if (where.key) return Replaced_line(text, lines[*where.key], value);
  const std::string new_line = Key_line(key, value, Line_end_of(text));
  if (where.header) return Inserted_after(text, lines[where.last_entry], new_line);
  return Appended_section(text, lines, section, new_line);
}

std::string Without_section(std::string_view text, std::string_view section) {
  std::string result(text.substr(0, text.starts_with(byte_order_mark) ? byte_order_mark.size() : 0));
  bool erasing = false;
  for (const Ini_line& line : Parse_lines(text)) {
    if (line.kind == Line_kind::header) erasing = Names_equal(line.name, section);
    if (!erasing) result += text.substr(line.begin, line.end - line.begin);
  }
  return result;
}

bool Fits_on_one_line(std::string_view text) { return text.find_first_of("\r\n") == std::string_view::npos; }

// ---- The file -------------------------------------------------------------------

[[noreturn]] void Throw_read_error(const std::string& path) { throw Settings_error("Unable to read " + path); }
[[noreturn]] void Throw_write_error(const std::string& path) { throw Settings_error("Unable to write to " + path); }

// The whole file; nullopt when it cannot be read. A missing file is empty.
std::optional<std::string> Contents_of(const std::string& path) { return Read_whole_file(path); }

std::string Readable_contents(const std::string& path) {
  std::optional<std::string> contents = Contents_of(path);
  if (!contents) Throw_read_error(path);
  return std::move(*contents);
}

// An existing file must be writable by us (Existing_file_writable):
// replacing it by a rename would otherwise succeed on a file the user made
// read-only.

// The file is always either the old or the new text; a settings file that
// is a symbolic link is replaced at the link's target.
void Replace_file(const std::string& path, std::string_view contents) {
  if (!Replace_file_contents(Path_from_utf8(path), contents)) Throw_write_error(path);
}

std::string Contents_to_rewrite(const std::string& path) {
  std::optional<std::string> contents = Contents_of(path);
  if (!contents) Throw_write_error(path);
  return std::move(*contents);
}

}  // namespace

int Compare_names_ignoring_case(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    const int difference = Folded(a[i]) - Folded(b[i]);
    if (difference != 0) return difference;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::string Ini_store::Read(std::string_view section, std::string_view key, std::string_view default_value) const {
  const std::string text = Readable_contents(path_);
  const std::vector<Ini_line> lines = Parse_lines(text);
  const Key_location where = Locate(lines, section, key);
  return std::string(where.key ? lines[*where.key].value : default_value);
}

void Ini_store::Write(std::string_view section, std::string_view key, std::string_view value) {
  if (!Fits_on_one_line(section) || !Fits_on_one_line(key) || !Fits_on_one_line(value) ||
      key.find('=') != std::string_view::npos)
    Throw_write_error(path_);
  if (!Existing_file_writable(path_)) Throw_write_error(path_);
  const std::string text = Contents_to_rewrite(path_);
  const std::string edited = With_key_written(text, section, key, value);
  if (edited != text) Replace_file(path_, edited);
}

void Ini_store::Erase_section(std::string_view section) {
  const std::string text = Contents_to_rewrite(path_);
  const std::string edited = Without_section(text, section);
  if (edited == text) return;
  if (!Existing_file_writable(path_)) Throw_write_error(path_);
  Replace_file(path_, edited);
}

std::vector<std::string> Ini_store::Section_names() const {
  const std::string text = Readable_contents(path_);
  std::vector<std::string> names;
  for (const Ini_line& line : Parse_lines(text)) {
    if (line.kind != Line_kind::header) continue;
    const bool seen = std::any_of(names.begin(), names.end(), [&](const std::string& name) { return Names_equal(name, line.name); });
    if (!seen) names.emplace_back(line.name);
  }
  return names;
}

}  // namespace quorvandel
