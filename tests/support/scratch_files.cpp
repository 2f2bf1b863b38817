#include "support/scratch_files.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <random>

namespace quorvandel::testing {

namespace fs = std::filesystem;

Scratch_folder::Scratch_folder() {
  // A name no other folder has: create_directory fails on an existing one.
  std::random_device seed;
  std::mt19937_64 random(seed());
  for (int attempt = 0; path_.empty(); ++attempt) {
    if (attempt == 100) std::abort();
    const fs::path candidate = fs::temp_directory_path() / ("quorvandel-test-" + std::to_string(random() % 1000000000));
    std::error_code error;
    if (fs::create_directory(candidate, error)) path_ = candidate;
  }
  Set_mode(path_, fs::perms::all);
}

Scratch_folder::~Scratch_folder() {
  std::error_code error;
  fs::permissions(path_, fs::perms::all, error);
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(path_, error)) {
    if (entry.is_directory(error)) fs::permissions(entry.path(), fs::perms::all, error);
  }
  fs::remove_all(path_, error);
}

std::vector<std::string> Scratch_folder::Names() const { return Names_in(path_); }

std::optional<std::string> Text_of(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

void Write_text(const fs::path& path, const std::string& text) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file << text;
}

unsigned Mode_of(const fs::path& path) {
  std::error_code error;
  return static_cast<unsigned>(fs::symlink_status(path, error).permissions() & fs::perms::mask);
}

void Set_mode(const fs::path& path, fs::perms mode) { fs::permissions(path, mode, fs::perm_options::replace); }

std::vector<std::string> Names_in(const fs::path& folder) {
  std::vector<std::string> names;
  std::error_code error;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace quorvandel::testing
