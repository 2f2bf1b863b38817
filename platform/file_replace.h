// Writing a small file so that readers never see half of it.
#pragma once

#include <filesystem>
#include <string_view>

namespace quorvandel {

// Writes `contents` into a new file beside `path`, gives it the permission
// bits `mode` and renames it over `path`: afterwards `path` holds either its
// old contents or all of the new ones. The folder must exist. Returns
// whether the file was replaced.
bool Replace_file_contents(const std::filesystem::path& path, std::string_view contents, std::filesystem::perms mode);

}  // namespace quorvandel
