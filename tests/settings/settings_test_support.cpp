#include "settings_test_support.h"

#include <grp.h>
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
  saved_groups_.resize(static_cast<std::size_t>(std::max(::getgroups(0, nullptr), 0)));
  if (::getgroups(static_cast<int>(saved_groups_.size()), saved_groups_.data()) < 0) saved_groups_.clear();
  ok_ = ::setgroups(0, nullptr) == 0 && ::setegid(nobody_group) == 0 && ::seteuid(nobody) == 0;
}

Without_root_rights::~Without_root_rights() {
  if (!was_root_) return;
  const bool restored = ::seteuid(0) == 0 && ::setegid(saved_group_) == 0 &&
                        ::setgroups(saved_groups_.size(), saved_groups_.data()) == 0;
  if (!restored) std::abort();
}

File_size_limit::File_size_limit(rlim_t bytes) : saved_handler_(std::signal(SIGXFSZ, SIG_IGN)) {
  ::getrlimit(RLIMIT_FSIZE, &saved_);
  rlimit limited = saved_;
  limited.rlim_cur = bytes;
  ::setrlimit(RLIMIT_FSIZE, &limited);
}

File_size_limit::~File_size_limit() {
  ::setrlimit(RLIMIT_FSIZE, &saved_);
  std::signal(SIGXFSZ, saved_handler_);
}

}  // namespace quorvandel::testing
