// Where a conversion's bytes go. A conversion either commits its output
// whole or abandons it: a failed conversion leaves nothing behind.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace quorvandel::cli {

class Output {
 public:
  virtual ~Output() = default;
  // Throws std::system_error when writing fails.
  virtual void Write(std::string_view bytes) = 0;
  virtual void Commit() = 0;
  virtual void Abandon() = 0;
};

// A file written under a temporary name in the same folder and renamed over
// the target on Commit, so the target is either untouched or complete. The
// target may be the input being read: it is replaced only at the end.
class Atomic_file_output : public Output {
 public:
  explicit Atomic_file_output(std::string path);
  ~Atomic_file_output() override;
  Atomic_file_output(const Atomic_file_output&) = delete;
  Atomic_file_output& operator=(const Atomic_file_output&) = delete;

  void Write(std::string_view bytes) override;
  void Commit() override;
  void Abandon() override;

 private:
  std::string path_;
  std::string temporary_path_;
  int fd_ = -1;
};

// Standard output. When it is a regular file, writes go straight to it and
// Abandon cuts it back to where this output began; otherwise (a pipe or a
// terminal) the bytes wait in memory, spilling to an unnamed temporary file
// when they grow large, and reach standard output on Commit.
class Stdout_output : public Output {
 public:
  Stdout_output();
  ~Stdout_output() override;
  Stdout_output(const Stdout_output&) = delete;
  Stdout_output& operator=(const Stdout_output&) = delete;

  void Write(std::string_view bytes) override;
  void Commit() override;
  void Abandon() override;

 private:
  void Spill();

  bool open_ = true;  // neither committed nor abandoned yet
  bool direct_ = false;
  long long start_offset_ = 0;
  std::string held_;
  std::FILE* spill_ = nullptr;
};

// Writes all of the bytes to a file descriptor; throws std::system_error.
void Write_all(int fd, std::string_view bytes);

}  // namespace quorvandel::cli
