// Writing a small file so that readers never see half of it.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

namespace quorvandel {

// Writes `contents` into a new file beside `path`, syncs it to the disk and
// renames it over `path`: afterwards `path` holds either its old contents or
// all of the new ones. A symbolic link at `path` stays, and the file it
// leads to is replaced. The file gets the permission bits `mode` when one is
// given, else those of the file it replaces; a new file then gets 0666 less
// the umask. The folder must exist. Returns whether the file was replaced;
// either way no temporary file is left behind.
bool Replace_file_contents(const std::filesystem::path& path, std::string_view contents,
                           std::optional<std::filesystem::perms> mode = std::nullopt);

}  // namespace quorvandel
