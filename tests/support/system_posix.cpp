#include <unistd.h>

#include <cstdlib>

#include "support/scratch_files.h"

namespace quorvandel::testing {

std::string Empty_file() { return "/dev/null"; }

void Open_pipe(int fds[2]) {
  if (::pipe(fds) != 0) std::abort();
}

bool Running_as_root() { return ::geteuid() == 0; }

}  // namespace quorvandel::testing
