// Owning an open file descriptor.
#pragma once

namespace quorvandel {

// Closes the descriptor it holds when it goes away; a negative one is none.
class File_descriptor {
 public:
  explicit File_descriptor(int fd) : fd_(fd) {}
  ~File_descriptor();
  File_descriptor(const File_descriptor&) = delete;
  File_descriptor& operator=(const File_descriptor&) = delete;

  int get() const { return fd_; }

  // Closes it now and holds none from then on; false when closing fails.
  bool Close();

 private:
  int fd_;
};

}  // namespace quorvandel
