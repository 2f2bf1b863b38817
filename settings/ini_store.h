// Key-by-key access to one INI file. Every operation opens the file, acts and
// closes it again; nothing is cached between operations.
//
// Section and key names match without regard to ASCII letter case, and the
// whitespace around keys and values is trimmed when reading. Lines the store
// does not understand (comments, blank lines, unknown sections and keys) are
// kept as they are, with their line ends and a leading UTF-8 byte-order mark.
// Values are byte strings; nothing is converted.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace quorvandel {

// A failure of the settings file; what() is the text the user is shown.
class Settings_error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Orders names with ASCII letters folded to lower case and every other byte
// compared as an unsigned byte: negative, zero or positive like strcmp.
int Compare_names_ignoring_case(std::string_view a, std::string_view b);

class Ini_store {
 public:
  explicit Ini_store(std::string path) : path_(std::move(path)) {}

  const std::string& path() const { return path_; }

  // The value of the first matching key in the first matching section, or
  // default_value when either is missing (a missing file is empty).
  // Throws Settings_error "Unable to read <path>" when the file exists but
  // cannot be read.
  std::string Read(std::string_view section, std::string_view key, std::string_view default_value) const;

  // Replaces the key's value, or adds the key at the end of its section, or
  // adds the section at the end of the file, or creates the file. The file is
  // replaced atomically; on failure it is left as it was and Settings_error
  // "Unable to write to <path>" is thrown.
  void Write(std::string_view section, std::string_view key, std::string_view value);

  // Removes every section of that name with all its lines. A missing section
  // or file is left alone. Fails like Write.
  void Erase_section(std::string_view section);

  // The section names in file order, each name once (the first spelling of
  // names that differ only in letter case). Fails like Read.
  std::vector<std::string> Section_names() const;

 private:
  std::string path_;
};

}  // namespace quorvandel
