#include "cli/line_reader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <system_error>

namespace quorvandel::cli {

Line_reader::Line_reader(int fd, std::size_t block_size) : fd_(fd), block_(block_size) {}

bool Line_reader::Fill() {
  if (at_end_) return false;
  consumed_ += end_;
  position_ = end_ = 0;
  for (;;) {
    const ssize_t count = ::read(fd_, block_.data(), block_.size());
    if (count > 0) {
      end_ = static_cast<std::size_t>(count);
      return true;
    }
    if (count == 0) {
      at_end_ = true;
      return false;
    }
    if (errno != EINTR) throw std::system_error(errno, std::generic_category());
  }
}

bool Line_reader::Next(std::string& line) {
  line.clear();
  if (finished_) return false;
  bool started = false;
  for (;;) {
    if (position_ == end_ && !Fill()) {
      finished_ = true;  // the last line: what followed the last break
      if (!started) line_offset_ = consumed_ + position_;
      return true;
    }
    if (skip_line_feed_) {
      skip_line_feed_ = false;
      if (block_[position_] == '\n') ++position_;
      continue;
    }
    if (!started) {
      line_offset_ = consumed_ + position_;
      started = true;
    }
    const char* begin = block_.data() + position_;
    const char* stop = block_.data() + end_;
    const char* brk = std::find_if(begin, stop, [](char c) { return c == '\n' || c == '\r'; });
    const std::size_t kept = line.size();
    line.append(begin, brk);
    std::replace(line.begin() + static_cast<std::ptrdiff_t>(kept), line.end(), '\0', 'A');
    position_ += static_cast<std::size_t>(brk - begin);
    if (brk != stop) {
      skip_line_feed_ = *brk == '\r';
      ++position_;
      return true;
    }
  }
}

}  // namespace quorvandel::cli
