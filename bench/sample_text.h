// Sample documents for measuring the conversion: Hebrew words in code page
// 1255 bytes mixed with English words, digit runs, numbers with separators,
// punctuation, brackets and a little HTML markup, in lines of varied length.
// The text depends only on the seed and the size, on every platform.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>

namespace quorvandel::bench {

class Sample_text_generator {
 public:
  explicit Sample_text_generator(std::uint64_t seed = 1) : state_(seed) {}

  // Replaces `line` with the next line, without end-of-line characters.
  // Lines hold only printable ASCII and the Hebrew letters 224..250.
  void Next_line(std::string& line);

 private:
  std::uint64_t Next();
  std::size_t Below(std::size_t bound);  // 0 .. bound - 1
  bool Percent(std::size_t percent) { return Below(100) < percent; }

  void Append_token(std::string& line);
  void Append_hebrew_word(std::string& line);
  void Append_english_word(std::string& line);
  void Append_digits(std::string& line, std::size_t count);
  void Append_number(std::string& line);
  void Append_markup(std::string& line);

  std::uint64_t state_;
};

// Writes exactly `size` bytes of lines, each ended by CR LF (the last line is
// cut to fit), in pieces so that a large sample is never held whole.
void Write_sample_text(std::ostream& out, std::size_t size, std::uint64_t seed = 1);

// The same text as one string.
std::string Make_sample_text(std::size_t size, std::uint64_t seed = 1);

}  // namespace quorvandel::bench
