#include "engine/detection/mojibake.h"

#include <array>

#include "engine/cp1255.h"

namespace quorvandel::detection {
namespace {

// Unicode of the bytes 0x80..0x9F in code page 1252; the undefined ones
// are the C1 control of their own value.
constexpr std::array<char32_t, 32> western_80_9f = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98
};

// The UTF-8 of the Hebrew letters: this lead byte, then 0x90..0xAA.
constexpr std::uint8_t hebrew_lead = 0xD7;
constexpr std::uint8_t hebrew_trail_first = 0x90;
constexpr std::uint8_t hebrew_trail_last = 0xAA;

int Sequence_length(std::uint8_t lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 2;
  if (lead >= 0xE0 && lead <= 0xEF) return 3;
  if (lead >= 0xF0 && lead <= 0xF4) return 4;
  return 0;
}

bool Is_continuation(std::uint8_t b) { return (b & 0xC0) == 0x80; }

}  // namespace

std::optional<std::uint8_t> Western_byte(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<std::uint8_t>(c);
  for (std::size_t i = 0; i < western_80_9f.size(); ++i) {
    if (western_80_9f[i] == c) return static_cast<std::uint8_t>(0x80 + i);
  }
  // Latin-1 readers give the C1 controls for every byte 0x80..0x9F.
  if (c >= 0x80 && c <= 0x9F) return static_cast<std::uint8_t>(c);
  return std::nullopt;
}

char32_t Western_character(std::uint8_t byte) {
  return byte >= 0x80 && byte < 0xA0 ? western_80_9f[byte - 0x80] : byte;
}

// Western_byte of every byte unit's character, -1 for none: the detector
// asks for it of every unit it looks at.
const std::array<std::int16_t, 256> western_bytes_of_units = [] {
  std::array<std::int16_t, 256> t{};
  for (Unit u = 0; u <= last_byte_unit; ++u) {
    const std::optional<std::uint8_t> b = Western_byte(Unicode_from_unit(u));
    t[u] = b ? static_cast<std::int16_t>(*b) : std::int16_t{-1};
  }
  return t;
}();

std::optional<std::uint8_t> Misread_byte(Unit unit, Mojibake kind) {
  if (kind == Mojibake::raw_bytes) {
    if (Is_byte(unit)) return static_cast<std::uint8_t>(unit);
    return std::nullopt;
  }
  if (kind != Mojibake::western_characters) return std::nullopt;
  if (!Is_byte(unit)) return Western_byte(Unicode_from_unit(unit));
  const std::int16_t b = western_bytes_of_units[unit];
  if (b < 0) return std::nullopt;
  return static_cast<std::uint8_t>(b);
}

bool Is_misread_letter(Unit first, Unit second, Mojibake kind) {
  const std::optional<std::uint8_t> lead = Misread_byte(first, kind);
  if (!lead || *lead != hebrew_lead) return false;
  const std::optional<std::uint8_t> trail = Misread_byte(second, kind);
  return trail && *trail >= hebrew_trail_first && *trail <= hebrew_trail_last;
}

// The unit of the Hebrew letter that D7 followed by `trail` stands for.
static Unit Hebrew_letter_unit(std::uint8_t trail) {
  static const std::array<Unit, hebrew_trail_last - hebrew_trail_first + 1> units = [] {
    std::array<Unit, hebrew_trail_last - hebrew_trail_first + 1> t{};
    for (std::size_t i = 0; i < t.size(); ++i) t[i] = Unit_from_unicode(static_cast<char32_t>(0x5D0 + i));
    return t;
  }();
  return units[trail - hebrew_trail_first];
}

Text Repair_mojibake(Text_view text, Mojibake kind) {
  Text repaired;
  Repair_mojibake(text, kind, repaired);
  return repaired;
}

void Repair_mojibake(Text_view text, Mojibake kind, Text& repaired) {
  repaired.clear();
  repaired.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] < 0x80) {  // ASCII stands for itself and starts no sequence
      repaired.push_back(text[i++]);
      continue;
    }
    // A misread Hebrew letter, most of such a text, by table look-ups.
    if (i + 1 < text.size() && Is_byte(text[i]) && Is_byte(text[i + 1])) {
      const int lead_byte = kind == Mojibake::raw_bytes ? static_cast<int>(text[i]) : western_bytes_of_units[text[i]];
      const int trail = kind == Mojibake::raw_bytes ? static_cast<int>(text[i + 1]) : western_bytes_of_units[text[i + 1]];
      if (lead_byte == hebrew_lead && trail >= hebrew_trail_first && trail <= hebrew_trail_last) {
        repaired.push_back(Hebrew_letter_unit(static_cast<std::uint8_t>(trail)));
        i += 2;
        continue;
      }
    }
    const std::optional<std::uint8_t> lead = Misread_byte(text[i], kind);
    const int length = lead ? Sequence_length(*lead) : 0;
    if (length > 1 && i + static_cast<std::size_t>(length) <= text.size()) {
      char32_t c = *lead & (0xFF >> (length + 1));
      bool valid = true;
      for (int k = 1; k < length && valid; ++k) {
        const std::optional<std::uint8_t> b = Misread_byte(text[i + static_cast<std::size_t>(k)], kind);
        valid = b && Is_continuation(*b);
        if (valid) c = c << 6 | (*b & 0x3FU);
      }
      // Overlong forms, surrogates and values past U+10FFFF are no character.
      const char32_t lowest[] = {0, 0, 0x80, 0x800, 0x10000};
      valid = valid && c >= lowest[length] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
      if (valid) {
        repaired.push_back(Unit_from_unicode(c));
        i += static_cast<std::size_t>(length);
        continue;
      }
    }
    repaired.push_back(text[i++]);
  }
}

}  // namespace quorvandel::detection
