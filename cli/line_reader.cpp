#include "cli/line_reader.h"

#include <unistd.h>

#include <algorithm>

#include <cerrno>
#include <cstring>
#include <system_error>

namespace quorvandel::cli {

Line_reader::Line_reader(int fd, std::size_t block_size) : fd_(fd), block_(block_size) {}

bool Line_reader::Fill() {
  if (at_end_) return false;
  consumed_ += end_;
  position_ = end_ = next_cr_ = next_lf_ = 0;
  if (before_read_) before_read_();
  for (;;) {
    // At most 1 GiB a read: Windows counts the bytes of a read in an unsigned int.
    const auto wanted = static_cast<unsigned>(std::min<std::size_t>(block_.size(), std::size_t(1) << 30));
    const auto count = ::read(fd_, block_.data(), wanted);
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

// Each of the two searches remembers what it found, so that a block of many
// lines that all end in the same character is still scanned once.
std::size_t Line_reader::Next_break() {
  const auto find = [this](std::size_t& cached, char wanted) {
    if (cached < position_ || cached == 0) {
      const void* found = std::memchr(block_.data() + position_, wanted, end_ - position_);
      cached = found ? static_cast<std::size_t>(static_cast<const char*>(found) - block_.data()) : end_;
    }
    return cached;
  };
  const std::size_t lf = find(next_lf_, '\n');
  const std::size_t cr = find(next_cr_, '\r');
  return lf < cr ? lf : cr;
}

bool Line_reader::Next(std::string_view& line) {
  if (finished_) return false;
  carried_.clear();
  bool started = false;
  for (;;) {
    if (position_ == end_ && !Fill()) {
      finished_ = true;  // the last line: what followed the last break
      if (!started) line_offset_ = consumed_ + position_;
      line = carried_;
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
    const std::size_t brk = Next_break();
    const std::string_view piece(block_.data() + position_, brk - position_);
    position_ = brk;
    if (brk == end_) {
      carried_.append(piece);
      continue;
    }
    skip_line_feed_ = block_[brk] == '\r';
    ++position_;
    if (carried_.empty()) {
      line = piece;
    } else {
      carried_.append(piece);
      line = carried_;
    }
    return true;
  }
}

bool Line_reader::Next(std::string& line) {
  std::string_view view;
  if (!Next(view)) return false;
  if (!view.empty() && view.data() == carried_.data()) {
    line.swap(carried_);
  } else {
    line.assign(view);
  }
  return true;
}

}  // namespace quorvandel::cli
