// Helpers shared by the test programs: scratch folders and whole files.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorvandel::testing {

// A fresh folder under the system's temporary folder, removed with its
// contents. Anyone may create files in it, so it also serves unprivileged runs.
class Scratch_folder {
 public:
  Scratch_folder();
  ~Scratch_folder();
  Scratch_folder(const Scratch_folder&) = delete;
  Scratch_folder& operator=(const Scratch_folder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  std::vector<std::string> Names() const;  // sorted names of its entries

 private:
  std::filesystem::path path_;
};

// A file's whole text; none when it cannot be read.
std::optional<std::string> Text_of(const std::filesystem::path& path);
void Write_text(const std::filesystem::path& path, const std::string& text);

// The permission bits of a file, such as 0644, and setting them.
unsigned Mode_of(const std::filesystem::path& path);
void Set_mode(const std::filesystem::path& path, std::filesystem::perms mode);

// A pipe as two file descriptors, read end first, in binary mode.
void Open_pipe(int fds[2]);

// A file that reads as empty: /dev/null, or on Windows (whose NUL device
// is no file to std::filesystem) an empty file in the temporary folder.
std::string Empty_file();

// Whether the tests run with root's rights, which ignore file permissions.
bool Running_as_root();

// The sorted names in a folder; none when it is missing.
std::vector<std::string> Names_in(const std::filesystem::path& folder);

}  // namespace quorvandel::testing
