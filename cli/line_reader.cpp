#include "cli/line_reader.h"

#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <cstring>
#include <system_error>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace quorvandel::cli {
namespace {

// A text file seldom holds a NUL: memchr skips over the block to find none.
void Replace_nul_bytes(char* at, char* end) {
  while ((at = static_cast<char*>(std::memchr(at, '\0', static_cast<std::size_t>(end - at))))) *at++ = 'A';
}

// The first CR or LF in [from, end), or end: one pass for both, where two
// memchr calls a line would each pay their start-up on lines of a few
// dozen bytes.
const char* Find_line_break(const char* from, const char* end) {
#if defined(__SSE2__)
  const __m128i cr = _mm_set1_epi8('\r');
  const __m128i lf = _mm_set1_epi8('\n');
  for (; end - from >= 16; from += 16) {
    const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(from));
    const auto breaks =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_or_si128(_mm_cmpeq_epi8(bytes, cr), _mm_cmpeq_epi8(bytes, lf))));
    if (breaks != 0) return from + std::countr_zero(breaks);
  }
#endif
  while (from < end && *from != '\r' && *from != '\n') ++from;
  return from;
}

}  // namespace

Line_reader::Line_reader(int fd, std::size_t block_size) : fd_(fd), block_(block_size) {}

bool Line_reader::Fill() {
  if (at_end_) return false;
  consumed_ += end_;
  position_ = end_ = 0;
  if (before_read_) before_read_();
  for (;;) {
    // At most 1 GiB a read: Windows counts the bytes of a read in an unsigned int.
    const auto wanted = static_cast<unsigned>(std::min<std::size_t>(block_.size(), std::size_t(1) << 30));
    const auto count = ::read(fd_, block_.data(), wanted);
    if (count > 0) {
      end_ = static_cast<std::size_t>(count);
      Replace_nul_bytes(block_.data(), block_.data() + end_);
      return true;
    }
    if (count == 0) {
      at_end_ = true;
      return false;
    }
    if (errno != EINTR) throw std::system_error(errno, std::generic_category());
  }
}

std::size_t Line_reader::Next_break() const {
  const char* const start = block_.data();
  return static_cast<std::size_t>(Find_line_break(start + position_, start + end_) - start);
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
