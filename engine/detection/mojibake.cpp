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

namespace {

// Western_byte of the character of every unit that may have one, -1 for
// none: the byte units, the characters up to western_table_end (no
// character above U+00FF shows a byte below 0x80, none past it a byte at
// all), then the escaped Latin-1 characters. The detector asks for the
// byte of every unit it looks at.
constexpr char32_t western_table_end = 0x2200;

const std::array<std::int16_t, western_table_end + 0x100> western_bytes_of_units = [] {
  std::array<std::int16_t, western_table_end + 0x100> t{};
  const auto byte_of = [](char32_t c) {
    const std::optional<std::uint8_t> b = Western_byte(c);
    return b ? static_cast<std::int16_t>(*b) : std::int16_t{-1};
  };
  for (Unit u = 0; u < western_table_end; ++u) t[u] = byte_of(Is_byte(u) ? Unicode_from_unit(u) : u);
  for (char32_t c = 0; c <= 0xFF; ++c) t[western_table_end + c] = byte_of(c);
  return t;
}();

// Where a unit stands in western_bytes_of_units; the units past the table
// share the entry of U+2000, which shows no byte. Selects rather than
// branches: a misread text holds units of every kind.
std::size_t Western_index(Unit unit) {
  const Unit escaped = unit - escaped_latin1_base;  // wraps round for the units below
  const Unit plain = unit < western_table_end ? unit : 0x2000;
  return escaped <= 0xFF ? western_table_end + escaped : plain;
}

// Misread_byte as a number, -1 for none, by a table look-up.
template <Mojibake kind>
int Byte_of(Unit unit) {
  if constexpr (kind == Mojibake::raw_bytes) return Is_byte(unit) ? static_cast<int>(unit) : -1;
  if constexpr (kind != Mojibake::western_characters) return -1;
  return western_bytes_of_units[Western_index(unit)];
}

int Byte_of(Unit unit, Mojibake kind) {
  switch (kind) {
    case Mojibake::western_characters: return Byte_of<Mojibake::western_characters>(unit);
    case Mojibake::raw_bytes: return Byte_of<Mojibake::raw_bytes>(unit);
    default: return -1;
  }
}

}  // namespace

std::optional<std::uint8_t> Misread_byte(Unit unit, Mojibake kind) {
  const int b = Byte_of(unit, kind);
  if (b < 0) return std::nullopt;
  return static_cast<std::uint8_t>(b);
}

bool Is_misread_letter(Unit first, Unit second, Mojibake kind) {
  if (Byte_of(first, kind) != hebrew_lead) return false;
  const int trail = Byte_of(second, kind);
  return trail >= hebrew_trail_first && trail <= hebrew_trail_last;
}

// The units of the Hebrew letters that D7 followed by 0x90..0xAA stands for.
const std::array<Unit, hebrew_trail_last - hebrew_trail_first + 1> hebrew_letter_units = [] {
  std::array<Unit, hebrew_trail_last - hebrew_trail_first + 1> t{};
  for (std::size_t i = 0; i < t.size(); ++i) t[i] = Unit_from_unicode(static_cast<char32_t>(0x5D0 + i));
  return t;
}();

Text Repair_mojibake(Text_view text, Mojibake kind) {
  Text repaired;
  Repair_mojibake(text, kind, repaired);
  return repaired;
}

namespace {

template <Mojibake kind>
void Repair_as(Text_view text, Text& repaired) {
  // No sequence gives more units than it has, so the units are written
  // into room made for all of them and the rest is cut off at the end.
  repaired.resize(text.size());
  Unit* out = repaired.data();
  std::size_t i = 0;
  while (i < text.size()) {
    if (text[i] < 0x80) {  // ASCII stands for itself and starts no sequence
      *out++ = text[i++];
      continue;
    }
    const int lead = Byte_of<kind>(text[i]);
    // A misread Hebrew letter, most of such a text.
    if (lead == hebrew_lead && i + 1 < text.size()) {
      const int trail = Byte_of<kind>(text[i + 1]);
      if (trail >= hebrew_trail_first && trail <= hebrew_trail_last) {
        *out++ = hebrew_letter_units[static_cast<std::size_t>(trail - hebrew_trail_first)];
        i += 2;
        continue;
      }
    }
    const int length = lead >= 0 ? Sequence_length(static_cast<std::uint8_t>(lead)) : 0;
    if (length > 1 && i + static_cast<std::size_t>(length) <= text.size()) {
      char32_t c = static_cast<char32_t>(lead) & (0xFF >> (length + 1));
      bool valid = true;
      for (int k = 1; k < length && valid; ++k) {
        const int b = Byte_of<kind>(text[i + static_cast<std::size_t>(k)]);
        valid = b >= 0 && Is_continuation(static_cast<std::uint8_t>(b));
        if (valid) c = c << 6 | (static_cast<char32_t>(b) & 0x3FU);
      }
      // Overlong forms, surrogates and values past U+10FFFF are no character.
      const char32_t lowest[] = {0, 0, 0x80, 0x800, 0x10000};
      valid = valid && c >= lowest[length] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
      if (valid) {
        *out++ = Unit_from_unicode(c);
        i += static_cast<std::size_t>(length);
        continue;
      }
    }
    *out++ = text[i++];
  }
  repaired.resize(static_cast<std::size_t>(out - repaired.data()));
}

}  // namespace

void Repair_mojibake(Text_view text, Mojibake kind, Text& repaired) {
  switch (kind) {
    case Mojibake::western_characters: Repair_as<Mojibake::western_characters>(text, repaired); break;
    case Mojibake::raw_bytes: Repair_as<Mojibake::raw_bytes>(text, repaired); break;
    default: repaired.assign(text); break;
  }
}

}  // namespace quorvandel::detection
