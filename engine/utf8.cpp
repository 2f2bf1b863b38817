// UTF-8 reading and writing of engine text, through the code page 1255 mapping.
#include "engine/cp1255.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace quorvandel {
namespace {

constexpr char32_t replacement_character = 0xFFFD;

void Append_code_point(std::string& out, char32_t c) {
  if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = replacement_character;
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

// Length of the sequence a lead byte starts, or 0 for a byte that cannot lead.
int Sequence_length(unsigned char lead) {
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

}  // namespace

void Append_utf8(std::string& out, Text_view text) {
  out.reserve(out.size() + text.size());
  for (const Unit u : text) {
    if (u < 0x80) {
      out.push_back(static_cast<char>(u));
    } else {
      Append_code_point(out, Unicode_from_unit(u));
    }
  }
}

namespace {

// The UTF-8 of each byte's character: its length, then up to three bytes.
struct Byte_utf8 {
  std::array<std::array<char, 4>, 256> sequence{};
  std::array<std::uint8_t, 256> length{};
};

const Byte_utf8& Byte_utf8_table() {
  static const Byte_utf8 table = [] {
    Byte_utf8 t;
    for (Unit b = 0; b <= last_byte_unit; ++b) {
      std::string utf8;
      Append_code_point(utf8, Unicode_from_unit(b));
      std::copy(utf8.begin(), utf8.end(), t.sequence[b].begin());
      t.length[b] = static_cast<std::uint8_t>(utf8.size());
    }
    return t;
  }();
  return table;
}

}  // namespace

void Append_utf8_of_bytes(std::string& out, std::string_view bytes) {
  const Byte_utf8& table = Byte_utf8_table();
  const std::size_t start = out.size();
  out.resize(start + 3 * bytes.size() + 1);  // three at most for each, and room for the last copy of four
  char* write = out.data() + start;
  for (const char c : bytes) {
    const auto b = static_cast<unsigned char>(c);
    std::memcpy(write, table.sequence[b].data(), 4);
    write += table.length[b];
  }
  out.resize(static_cast<std::size_t>(write - out.data()));
}

std::string Utf8_from_text(Text_view text) {
  std::string out;
  Append_utf8(out, text);
  return out;
}

std::optional<std::size_t> Append_text_from_utf8(Text& out, std::string_view utf8) {
  out.reserve(out.size() + utf8.size());
  std::size_t i = 0;
  while (i < utf8.size()) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      out.push_back(lead);
      ++i;
      continue;
    }
    const int length = Sequence_length(lead);
    if (length == 0 || i + static_cast<std::size_t>(length) > utf8.size()) return i;
    char32_t c = lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
      const auto next = static_cast<unsigned char>(utf8[i + static_cast<std::size_t>(k)]);
      if ((next & 0xC0) != 0x80) return i;
      c = (c << 6) | (next & 0x3F);
    }
    const bool overlong = (length == 3 && c < 0x800) || (length == 4 && c < 0x10000);
    const bool invalid = (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF;
    if (overlong || invalid) return i;
    out.push_back(Unit_from_unicode(c));
    i += static_cast<std::size_t>(length);
  }
  return std::nullopt;
}

}  // namespace quorvandel
