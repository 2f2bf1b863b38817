// Whether this process may write into a folder.
#pragma once

#include <string>

namespace quorvandel {

// True when this process may create files in `folder`.
bool Folder_writable(const std::string& folder);

}  // namespace quorvandel
