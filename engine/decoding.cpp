// Entity references and quoted-printable escapes are decoded in one pass
// over the line: a read position walks the original units and a write
// position, never ahead of it, receives the decoded line.
#include "engine/decoding.h"

#include <algorithm>
#include <limits>

#include "engine/cp1255.h"

namespace quorvandel {
namespace {

constexpr std::int64_t int32_max = std::numeric_limits<std::int32_t>::max();
constexpr std::int64_t int32_min = std::numeric_limits<std::int32_t>::min();

// Code point 1488 (Alef) becomes byte 224.
constexpr std::int64_t entity_byte_offset = 1488 - 224;

// The most hexadecimal digits an entity may have and still be decoded.
constexpr std::size_t max_hex_entity_digits = 8;

// An entity reference: '&', '#', an optional 'x', the digits, ';'.
constexpr Unit entity_start = '&';
constexpr Unit entity_number_sign = '#';
constexpr Unit entity_hex_mark = 'x';
constexpr Unit entity_end = ';';
constexpr std::size_t entity_min_following = 5;  // characters after the '&' for it to be looked at

constexpr Unit escape_start = '=';
constexpr std::size_t escape_digits = 2;

constexpr int Digit_value(Unit c, int base) {
  int value = base;
  if (c >= '0' && c <= '9') value = static_cast<int>(c - '0');
  if (c >= 'A' && c <= 'F') value = static_cast<int>(c - 'A') + 10;
  if (c >= 'a' && c <= 'f') value = static_cast<int>(c - 'a') + 10;
  return value < base ? value : -1;
}

// Reads digits of the base up to the end of the text as a magnitude no
// greater than `limit`; nothing when there are none, when a character is
// not such a digit, or when the value passes the limit.
template <typename View>
std::optional<std::int64_t> Read_magnitude(View digits, int base, std::int64_t limit) {
  if (digits.empty()) return std::nullopt;
  std::int64_t value = 0;
  for (const auto c : digits) {
    const int digit = Digit_value(Unit_of(c), base);
    if (digit < 0) return std::nullopt;
    value = value * base + digit;
    if (value > limit) return std::nullopt;
  }
  return value;
}

// What marks the digits of a decimal entity as hexadecimal after all.
constexpr std::string_view hex_prefixes[] = {"0X", "0x", "X", "x", "$"};

template <typename View>
bool Starts_with(View text, std::string_view prefix) {
  if (text.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    if (Unit_of(text[i]) != Unit_of(prefix[i])) return false;
  }
  return true;
}

// The number of a decimal entity, read as integers are read from text:
// leading spaces, an optional sign, then decimal digits, or hexadecimal
// digits after one of the prefixes above. The whole text must be used and
// the value must fit in 32 signed bits.
template <typename View>
std::optional<std::int32_t> Read_integer(View text) {
  using Char = typename View::value_type;
  text.remove_prefix(std::min(text.find_first_not_of(Char{' '}), text.size()));
  const bool negative = text.starts_with(Char{'-'});
  if (negative || text.starts_with(Char{'+'})) text.remove_prefix(1);
  int base = 10;
  for (const std::string_view prefix : hex_prefixes) {
    if (Starts_with(text, prefix)) {
      base = 16;
      text.remove_prefix(prefix.size());
      break;
    }
  }
  const std::optional<std::int64_t> magnitude = Read_magnitude(text, base, negative ? -int32_min : int32_max);
  if (!magnitude) return std::nullopt;
  return static_cast<std::int32_t>(negative ? -*magnitude : *magnitude);
}

Unit Entity_byte(std::int64_t number) { return static_cast<Unit>((number - entity_byte_offset) & 0xFF); }

// Closes the gap between the decoded part of the line, ending at `write`,
// and the part not yet read, starting at `read`.
template <typename Line>
void Close_gap(Line& line, std::size_t write, std::size_t read) {
  if (write == read) return;
  line.erase(write, read - write);
}

template <typename View>
std::int32_t Hex_value(View digits) {
  if (digits.empty()) return 0;
  return static_cast<std::int32_t>(Read_magnitude(digits, 16, int32_max).value_or(-1));
}

Text Units_of(Text_view digits) { return Text(digits); }
Text Units_of(std::string_view digits) { return Text_from_bytes(digits); }

template <typename View>
std::optional<Unit> Entity_value(View digits, bool hexadecimal) {
  if (hexadecimal) {
    if (digits.size() > max_hex_entity_digits) return std::nullopt;
    const std::int32_t number = Hex_value(digits);
    if (number < 0) return std::nullopt;
    return Entity_byte(number);
  }
  const std::optional<std::int32_t> number = Read_integer(digits);
  if (!number) throw Conversion_error("'" + Utf8_from_text(Units_of(digits)) + "' is not a valid integer value");
  return Entity_byte(*number);
}

// On a decimal entity that is not a valid integer the line keeps the
// references decoded before it and is otherwise unchanged.
template <typename Line>
void Translate_line_entities(Line& line) {
  using Char = typename Line::value_type;
  using View = std::basic_string_view<Char>;
  const std::size_t length = line.size();
  std::size_t read = 0;
  std::size_t write = 0;
  std::size_t semicolon = 0;  // the first ';' at or after the last place searched
  bool semicolon_searched = false;
  try {
    while (length - read > entity_min_following) {
      if (Unit_of(line[read]) != entity_start || Unit_of(line[read + 1]) != entity_number_sign) {
        line[write++] = line[read++];
        continue;
      }
      const bool hexadecimal = Unit_of(line[read + 2]) == entity_hex_mark;
      const std::size_t digits_begin = read + (hexadecimal ? 3 : 2);
      if (!semicolon_searched || semicolon < digits_begin) {
        semicolon = line.find(static_cast<Char>(entity_end), digits_begin);
        semicolon_searched = true;
      }
      if (semicolon == Line::npos) break;
      const std::optional<Unit> byte =
          Entity_value(View(line).substr(digits_begin, semicolon - digits_begin), hexadecimal);
      if (byte) {
        line[write++] = static_cast<Char>(*byte);
        read = semicolon + 1;
      } else {
        line[write++] = line[read++];
      }
    }
  } catch (const Conversion_error&) {
    Close_gap(line, write, read);
    throw;
  }
  Close_gap(line, write, read);
}

template <typename Line>
void Translate_line_quoted_printable(Line& line) {
  using Char = typename Line::value_type;
  using View = std::basic_string_view<Char>;
  const std::size_t length = line.size();
  std::size_t read = 0;
  std::size_t write = 0;
  while (length - read > escape_digits) {
    if (Unit_of(line[read]) == escape_start) {
      const std::int32_t value = Hex_value(View(line).substr(read + 1, escape_digits));
      if (value >= 0) {
        line[write++] = static_cast<Char>(value & 0xFF);
        read += 1 + escape_digits;
        continue;
      }
    }
    line[write++] = line[read++];
  }
  Close_gap(line, write, read);
}

}  // namespace

std::int32_t Hex_to_int(Text_view digits) { return Hex_value(digits); }

std::optional<Unit> Entity_to_char(Text_view digits, bool hexadecimal) { return Entity_value(digits, hexadecimal); }

void Translate_entities(Text& line) { Translate_line_entities(line); }
void Translate_entities(Byte_text& line) { Translate_line_entities(line); }
void Translate_quoted_printable(Text& line) { Translate_line_quoted_printable(line); }
void Translate_quoted_printable(Byte_text& line) { Translate_line_quoted_printable(line); }

}  // namespace quorvandel
