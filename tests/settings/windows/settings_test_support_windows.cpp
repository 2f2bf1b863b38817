// The settings tests' helpers on Windows. A Windows user is never root, so
// there are no rights to drop; Windows has no limit on the size of the
// files a process writes, so the full-disk case runs on Linux only.
#include "settings_test_support.h"

#include <cstdio>
#include <cstdlib>

namespace quorvandel::testing {

Without_root_rights::Without_root_rights() = default;
Without_root_rights::~Without_root_rights() = default;

File_size_limit::File_size_limit(unsigned long long /*bytes*/) {
  std::fputs("File_size_limit: Windows has no file size limit; the test must not run here\n", stderr);
  std::abort();
}
File_size_limit::~File_size_limit() = default;

}  // namespace quorvandel::testing
