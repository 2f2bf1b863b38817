// The running copy's socket lies beside its lock files: in the user's
// private runtime folder, or in the temporary folder under a name that
// carries the user's id.
#include <cstdlib>

#include "platform/instance_channel_service.h"
#include "platform/posix/lock_file.h"

namespace quorvandel {

std::string Instance_channel_name() {
  const char* runtime_folder = std::getenv("XDG_RUNTIME_DIR");
  std::string path = Lock_file_path("QuorvandelChannel", runtime_folder ? runtime_folder : "");
  path.resize(path.size() - std::string_view(".lock").size());
  return path + ".socket";
}

}  // namespace quorvandel
