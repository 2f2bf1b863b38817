#include <fcntl.h>
#include <unistd.h>

#include "platform/folder_access.h"

namespace quorvandel {

bool Folder_writable(const std::string& folder) {
  return ::faccessat(AT_FDCWD, folder.c_str(), W_OK, AT_EACCESS) == 0;
}

}  // namespace quorvandel
