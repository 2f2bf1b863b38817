// Splits a byte stream into lines the way the source pane splits an opened
// file: a line ends at CR LF, at a CR alone or at an LF alone. A stream of n
// line breaks has n + 1 lines, the last one empty when the stream ends with
// a break; an empty stream is one empty line. Bytes are given as they are,
// but for each NUL, which becomes 'A' as in the pane.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace quorvandel::cli {

class Line_reader {
 public:
  // Reads from an open file descriptor, which the reader does not close.
  // Blocks of 64 KiB stay in the processor's cache while they are split
  // and converted; larger ones cost more in the copy from the kernel than
  // they save in reads.
  explicit Line_reader(int fd, std::size_t block_size = 1 << 16);

  // The next line without its break, valid until the next call; false once
  // every line was given. Throws std::system_error when reading fails.
  bool Next(std::string_view& line);

  // The same into a string of the caller's; a long line that spans blocks
  // is handed over without a copy.
  bool Next(std::string& line);

  // Offset in the stream of the first byte of the line last given.
  std::size_t line_offset() const { return line_offset_; }

  // Whether a line break followed the line last given: false for the last
  // line, which ends with the stream.
  bool ended_by_break() const { return !finished_; }

  // Called before every read from the file, which may wait for input to
  // arrive: the moment to hand on what was made of the input so far.
  void Before_each_read(std::function<void()> call) { before_read_ = std::move(call); }

 private:
  bool Fill();  // false at the end of the stream
  std::size_t Next_break() const;  // position in the block of the next CR or LF, or end_

  int fd_;
  std::function<void()> before_read_;
  std::vector<char> block_;
  std::string carried_;  // the start of a line that began in an earlier block
  std::size_t position_ = 0;
  std::size_t end_ = 0;
  std::size_t consumed_ = 0;  // stream offset of block_[0]
  std::size_t line_offset_ = 0;
  bool at_end_ = false;
  bool skip_line_feed_ = false;  // the last break was a CR: an LF right after it belongs to it
  bool finished_ = false;
};

}  // namespace quorvandel::cli
