// Shared helpers of the settings tests: a message sink that records, and
// running without root's file rights (scratch folders and files come from
// the helpers all tests share).
#pragma once

#include <sys/resource.h>
#include <sys/types.h>

#include <csignal>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "settings/message_sink.h"
#include "support/scratch_files.h"

namespace quorvandel::testing {

class Recording_sink : public Message_sink {
 public:
  void Show_message(const std::string& text) override { messages.push_back(text); }
  std::vector<std::string> messages;
};

// Drops root's right to ignore file permissions for its lifetime, so that
// read-only files and folders act as they do for a user.
class Without_root_rights {
 public:
  Without_root_rights();
  ~Without_root_rights();
  Without_root_rights(const Without_root_rights&) = delete;
  Without_root_rights& operator=(const Without_root_rights&) = delete;
  bool ok() const { return ok_; }

 private:
  bool was_root_;
  bool ok_ = true;
  gid_t saved_group_ = 0;
  std::vector<gid_t> saved_groups_;
};

// Limits the size of files this process writes, as a full disk would.
class File_size_limit {
 public:
  explicit File_size_limit(rlim_t bytes);
  ~File_size_limit();
  File_size_limit(const File_size_limit&) = delete;
  File_size_limit& operator=(const File_size_limit&) = delete;

 private:
  rlimit saved_{};
  void (*saved_handler_)(int);
};

}  // namespace quorvandel::testing
