// Where a conversion's bytes go. Output to a file is committed whole or
// abandoned whole: a failed conversion leaves nothing behind. Output to a
// pipe, a terminal or a device streams: what was written stays written.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace quorvandel::cli {

// How often a conversion hands its bytes to the output.
enum class Flushing {
  blocks,  // in large blocks, and whenever it is about to wait for input
  lines,   // after every line, for a person watching a terminal
};

class Output {
 public:
  virtual ~Output() = default;
  // Throws std::system_error when writing fails.
  virtual void Write(std::string_view bytes) = 0;
  virtual void Commit() = 0;
  virtual void Abandon() = 0;
  virtual Flushing flushing() const { return Flushing::blocks; }
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
  long long written_ = 0;  // bytes written so far
  long long sent_to_disk_ = 0;  // bytes whose write-back to the disk has been started
};

// Standard output. When it is a regular file, writes go straight to it and
// Abandon cuts it back to where this output began. Otherwise (a pipe, a
// terminal, a device) writes go straight through and stay: the reader has
// them already, a failure can only stop the stream.
class Stdout_output : public Output {
 public:
  Stdout_output();
  ~Stdout_output() override;
  Stdout_output(const Stdout_output&) = delete;
  Stdout_output& operator=(const Stdout_output&) = delete;

  void Write(std::string_view bytes) override;
  void Commit() override;
  void Abandon() override;
  Flushing flushing() const override { return terminal_ ? Flushing::lines : Flushing::blocks; }

 private:
  bool open_ = true;  // neither committed nor abandoned yet
  bool regular_file_ = false;
  bool terminal_ = false;
  long long start_offset_ = 0;
};

// Output kept for later, for a conversion that runs beside the one whose
// output comes before it: the bytes wait in an unnamed temporary file, and
// Replay hands them on and then commits or abandons the target as the
// conversion did.
class Deferred_output : public Output {
 public:
  Deferred_output();
  ~Deferred_output() override;
  Deferred_output(const Deferred_output&) = delete;
  Deferred_output& operator=(const Deferred_output&) = delete;

  void Write(std::string_view bytes) override;
  void Commit() override { committed_ = true; }
  void Abandon() override {}
  void Replay(Output& target);

 private:
  std::FILE* file_ = nullptr;
  bool committed_ = false;
};

// Writes all of the bytes to a file descriptor; throws std::system_error.
void Write_all(int fd, std::string_view bytes);

}  // namespace quorvandel::cli
