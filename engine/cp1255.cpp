#include "engine/cp1255.h"

#include <array>
#include <cstdint>

namespace quorvandel {
namespace {

// Unicode of the bytes 128..255 in code page 1255. The bytes the code page
// leaves undefined map to U+F700 + byte in the private use area, so that
// every byte shows as a character of its own and comes back unchanged.
constexpr std::array<char32_t, 128> high_half = {
    0x20AC, 0xF781, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0xF78A, 0x2039, 0xF78C, 0xF78D, 0xF78E, 0xF78F,  // 88
    0xF790, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0xF79A, 0x203A, 0xF79C, 0xF79D, 0xF79E, 0xF79F,  // 98
    0x00A0, 0x00A1, 0x00A2, 0x00A3, 0x20AA, 0x00A5, 0x00A6, 0x00A7,  // A0
    0x00A8, 0x00A9, 0x00D7, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x00AF,  // A8
    0x00B0, 0x00B1, 0x00B2, 0x00B3, 0x00B4, 0x00B5, 0x00B6, 0x00B7,  // B0
    0x00B8, 0x00B9, 0x00F7, 0x00BB, 0x00BC, 0x00BD, 0x00BE, 0x00BF,  // B8
    0x05B0, 0x05B1, 0x05B2, 0x05B3, 0x05B4, 0x05B5, 0x05B6, 0x05B7,  // C0
    0x05B8, 0x05B9, 0xF7CA, 0x05BB, 0x05BC, 0x05BD, 0x05BE, 0x05BF,  // C8
    0x05C0, 0x05C1, 0x05C2, 0x05C3, 0x05F0, 0x05F1, 0x05F2, 0x05F3,  // D0
    0x05F4, 0xF7D9, 0xF7DA, 0xF7DB, 0xF7DC, 0xF7DD, 0xF7DE, 0xF7DF,  // D8
    0x05D0, 0x05D1, 0x05D2, 0x05D3, 0x05D4, 0x05D5, 0x05D6, 0x05D7,  // E0
    0x05D8, 0x05D9, 0x05DA, 0x05DB, 0x05DC, 0x05DD, 0x05DE, 0x05DF,  // E8
    0x05E0, 0x05E1, 0x05E2, 0x05E3, 0x05E4, 0x05E5, 0x05E6, 0x05E7,  // F0
    0x05E8, 0x05E9, 0x05EA, 0xF7FB, 0xF7FC, 0x200E, 0x200F, 0xF7FF,  // F8
};

// The inverse of high_half for the Basic Multilingual Plane: the byte of
// each character, or 0 where no byte maps to it. Every byte of high_half
// maps to such a character, and none to a character above U+FFFF.
const std::array<std::uint8_t, 0x10000>& Bmp_inverse() {
  static const auto* inverse = [] {
    auto* table = new std::array<std::uint8_t, 0x10000>{};
    for (Unit b = 128; b <= 255; ++b) (*table)[high_half[b - 128]] = static_cast<std::uint8_t>(b);
    return table;
  }();
  return *inverse;
}

// Which characters U+0080..U+00FF are the image of a byte, and of which.
constexpr std::array<std::int16_t, 128> Latin1_inverse() {
  std::array<std::int16_t, 128> inverse{};
  for (auto& b : inverse) b = -1;
  for (int b = 128; b <= 255; ++b) {
    const char32_t c = high_half[static_cast<std::size_t>(b - 128)];
    if (c >= 0x80 && c <= 0xFF) inverse[c - 0x80] = static_cast<std::int16_t>(b);
  }
  return inverse;
}
constexpr auto latin1_inverse = Latin1_inverse();

}  // namespace

char32_t Unicode_from_unit(Unit unit) {
  if (unit < 128) return unit;
  if (unit <= last_byte_unit) return high_half[unit - 128];
  if (unit >= escaped_latin1_base && unit <= escaped_latin1_base + 0xFF) return unit - escaped_latin1_base;
  return unit;
}

Unit Unit_from_unicode(char32_t c) {
  if (c < 128) return c;
  if (c <= 0xFF) {
    const std::int16_t b = latin1_inverse[c - 0x80];
    return b >= 0 ? static_cast<Unit>(b) : escaped_latin1_base + c;
  }
  if (c > 0xFFFF) return c;
  const std::uint8_t b = Bmp_inverse()[c];
  return b != 0 ? b : c;
}

}  // namespace quorvandel
