#include "bench/sample_text.h"

#include <array>
#include <sstream>

namespace quorvandel::bench {
namespace {

constexpr unsigned char alef = 224;
constexpr std::size_t letter_count = 27;

// The letters that have a final form just before them: Kaf, Mem, Nun, Peh, Tsadi.
bool Has_final_form(unsigned char letter) {
  return letter == 235 || letter == 238 || letter == 240 || letter == 244 || letter == 246;
}
bool Is_final_form(unsigned char letter) { return Has_final_form(static_cast<unsigned char>(letter + 1)); }

constexpr std::array<std::string_view, 24> english_words = {
    "the",    "and",   "file",   "Windows", "email", "page", "version", "number", "order",  "price",  "total", "from",
    "update", "Hello", "client", "report",  "list",  "item", "code",    "page",   "server", "OK",     "PDF",   "www"};

constexpr std::array<std::string_view, 8> markup = {
    "<b>", "</b>", "<p>", "</p>", "<br>", "<a href=\"page.html\">", "</a>", "<font face=\"Arial\" size=2>"};

constexpr std::string_view trailing_punctuation = ",.:;!?";
constexpr std::array<std::string_view, 4> bracket_pairs = {"()", "[]", "{}", "<>"};

}  // namespace

std::uint64_t Sample_text_generator::Next() {
  // splitmix64: fixed arithmetic, so every platform draws the same numbers.
  state_ += 0x9E3779B97F4A7C15ULL;
  std::uint64_t z = state_;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
  return z ^ (z >> 31);
}

std::size_t Sample_text_generator::Below(std::size_t bound) {
  return static_cast<std::size_t>(Next() % static_cast<std::uint64_t>(bound));
}

void Sample_text_generator::Append_hebrew_word(std::string& line) {
  const std::size_t length = 2 + Below(6);
  for (std::size_t i = 0; i < length; ++i) {
    auto letter = static_cast<unsigned char>(alef + Below(letter_count));
    const bool last = i + 1 == length;
    if (last && Has_final_form(letter)) --letter;
    if (!last && Is_final_form(letter)) ++letter;
    line.push_back(static_cast<char>(letter));
  }
}

void Sample_text_generator::Append_english_word(std::string& line) {
  line += english_words[Below(english_words.size())];
}

void Sample_text_generator::Append_digits(std::string& line, std::size_t count) {
  for (std::size_t i = 0; i < count; ++i) line.push_back(static_cast<char>('0' + Below(10)));
}

void Sample_text_generator::Append_number(std::string& line) {
  switch (Below(5)) {
    case 0:  // 12.50
      Append_digits(line, 1 + Below(3));
      line.push_back('.');
      Append_digits(line, 2);
      break;
    case 1:  // 03-1234567
      Append_digits(line, 2 + Below(2));
      line.push_back('-');
      Append_digits(line, 7);
      break;
    case 2:  // 12/05/1998
      Append_digits(line, 2);
      line.push_back('/');
      Append_digits(line, 2);
      line.push_back('/');
      Append_digits(line, 4);
      break;
    case 3:  // 10:30
      Append_digits(line, 2);
      line.push_back(':');
      Append_digits(line, 2);
      break;
    default:  // +972 or 1,000
      if (Percent(50)) {
        line.push_back('+');
        Append_digits(line, 3);
      } else {
        Append_digits(line, 1 + Below(3));
        line.push_back(',');
        Append_digits(line, 3);
      }
      break;
  }
}

void Sample_text_generator::Append_markup(std::string& line) { line += markup[Below(markup.size())]; }

void Sample_text_generator::Append_token(std::string& line) {
  const std::size_t roll = Below(100);
  if (roll < 55) {
    Append_hebrew_word(line);
  } else if (roll < 75) {
    Append_english_word(line);
  } else if (roll < 83) {
    Append_digits(line, 1 + Below(6));
  } else if (roll < 90) {
    Append_number(line);
  } else if (roll < 96) {
    const std::string_view pair = bracket_pairs[Below(bracket_pairs.size())];
    line.push_back(pair[0]);
    Append_hebrew_word(line);
    if (Percent(50)) {
      line.push_back(' ');
      Append_english_word(line);
    }
    line.push_back(pair[1]);
  } else if (roll < 98) {
    line.push_back('"');
    Append_hebrew_word(line);
    line.push_back('"');
  } else {
    Append_markup(line);
  }
  if (Percent(12)) line.push_back(trailing_punctuation[Below(trailing_punctuation.size())]);
}

void Sample_text_generator::Next_line(std::string& line) {
  line.clear();
  const std::size_t roll = Below(100);
  if (roll < 6) return;  // an empty line
  // Mostly short and medium lines, now and then a long paragraph.
  const std::size_t target = roll < 96 ? 4 + Below(100) : 200 + Below(800);
  if (Percent(5)) line.append(1 + Below(8), ' ');
  while (line.size() < target) {
    if (!line.empty() && line.back() != ' ') line.push_back(' ');
    Append_token(line);
  }
}

void Write_sample_text(std::ostream& out, std::size_t size, std::uint64_t seed) {
  constexpr std::size_t piece_size = 1 << 20;
  Sample_text_generator generator(seed);
  std::string piece;
  std::string line;
  std::size_t remaining = size;
  while (remaining > 0) {
    generator.Next_line(line);
    if (line.size() + 4 > remaining) {
      // The last line: what would remain after it could not hold another.
      if (remaining >= 2) {
        line.resize(remaining - 2, ' ');
        line += "\r\n";
      } else {
        line.assign(remaining, ' ');
      }
    } else {
      line += "\r\n";
    }
    remaining -= line.size();
    piece += line;
    if (piece.size() >= piece_size || remaining == 0) {
      out.write(piece.data(), static_cast<std::streamsize>(piece.size()));
      piece.clear();
    }
  }
}

std::string Make_sample_text(std::size_t size, std::uint64_t seed) {
  std::ostringstream out;
  Write_sample_text(out, size, seed);
  return std::move(out).str();
}

}  // namespace quorvandel::bench
