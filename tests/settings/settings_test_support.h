// Shared helpers of the settings tests: a message sink that records, and
// running without root's file rights (scratch folders and files come from
// the helpers all tests share).
#pragma once

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
  bool was_root_ = false;
  bool ok_ = true;
  unsigned saved_group_ = 0;
  std::vector<unsigned> saved_groups_;
};

// Limits the size of files this process writes, as a full disk would.
class File_size_limit {
 public:
  explicit File_size_limit(unsigned long long bytes);
  ~File_size_limit();
  File_size_limit(const File_size_limit&) = delete;
  File_size_limit& operator=(const File_size_limit&) = delete;

 private:
  unsigned long long saved_current_ = 0;
  unsigned long long saved_maximum_ = 0;
  void (*saved_handler_)(int) = nullptr;
};

}  // namespace quorvandel::testing
