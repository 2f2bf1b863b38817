#include "settings_test_support.h"

#include <grp.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace quorvandel::testing {

namespace fs = std::filesystem;

namespace {
constexpr uid_t nobody = 65534;
constexpr gid_t nobody_group = 65534;
}

Without_root_rights::Without_root_rights() : was_root_(::geteuid() == 0) {
  if (!was_root_) return;
  saved_group_ = ::getegid();
  std::vector<gid_t> groups(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
  if (::getgroups(static_cast<int>(groups.size()), groups.data()) < 0) groups.clear();
  saved_groups_.assign(groups.begin(), groups.end());
  ok_ = ::setgroups(0, nullptr) == 0 && ::setegid(nobody_group) == 0 && ::seteuid(nobody) == 0;
}

Without_root_rights::~Without_root_rights() {
  if (!was_root_) return;
  const std::vector<gid_t> groups(saved_groups_.begin(), saved_groups_.end());
  const bool restored = ::seteuid(0) == 0 && ::setegid(saved_group_) == 0 &&
                        ::setgroups(groups.size(), groups.data()) == 0;
  if (!restored) std::abort();
}

File_size_limit::File_size_limit(unsigned long long bytes) : saved_handler_(std::signal(SIGXFSZ, SIG_IGN)) {
  rlimit limit{};
  ::getrlimit(RLIMIT_FSIZE, &limit);
  saved_current_ = limit.rlim_cur;
  saved_maximum_ = limit.rlim_max;
  limit.rlim_cur = bytes;
  ::setrlimit(RLIMIT_FSIZE, &limit);
}

File_size_limit::~File_size_limit() {
  const rlimit saved{saved_current_, saved_maximum_};
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, saved_handler_);
}

}  // namespace quorvandel::testing
