// Shared helpers of the platform tests: scratch folders and whole files.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace quorvandel::testing {

// A fresh folder under the system's temporary folder, removed with its
// contents.
class Scratch_folder {
 public:
  Scratch_folder();
  ~Scratch_folder();
  Scratch_folder(const Scratch_folder&) = delete;
  Scratch_folder& operator=(const Scratch_folder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  std::string File(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

std::optional<std::string> Text_of(const std::filesystem::path& path);
void Write_text(const std::filesystem::path& path, const std::string& text);

// The permission bits of a file, such as 0644.
unsigned Mode_of(const std::filesystem::path& path);

// The sorted names in a folder; none when it is missing.
std::vector<std::string> Names_in(const std::filesystem::path& folder);

}  // namespace quorvandel::testing
