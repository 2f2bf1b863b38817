// Reading whole files and asking whether files and folders can be written.
#pragma once

#include <optional>
#include <string>

namespace quorvandel {

// The whole file; nothing when it cannot be read. A missing file (or one
// below a missing folder) reads as empty.
std::optional<std::string> Read_whole_file(const std::string& path);

// True when the file can be opened for writing, or does not exist.
bool Existing_file_writable(const std::string& path);

// True when this process may create files in `folder`.
bool Folder_writable(const std::string& folder);

}  // namespace quorvandel
