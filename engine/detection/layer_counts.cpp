#include "engine/detection/layer_counts.h"

#include <algorithm>
#include <optional>

#include "engine/detection/trigram_scores.h"

namespace quorvandel::detection {
namespace {

int Hex_digit(Unit c) {
  if (c >= '0' && c <= '9') return static_cast<int>(c - '0');
  if (c >= 'A' && c <= 'F') return static_cast<int>(c - 'A') + 10;
  if (c >= 'a' && c <= 'f') return static_cast<int>(c - 'a') + 10;
  return -1;
}

// Whether a numeric reference to a Hebrew letter starts at `at`.
bool Hebrew_entity_at(Text_view text, std::size_t at) {
  if (at + 3 >= text.size() || text[at] != '&' || text[at + 1] != '#') return false;
  std::size_t i = at + 2;
  const bool hexadecimal = text[i] == 'x' || text[i] == 'X';
  if (hexadecimal) ++i;
  long value = 0;
  std::size_t digits = 0;
  for (; i < text.size() && digits < 8; ++i, ++digits) {
    const int d = hexadecimal ? Hex_digit(text[i]) : (text[i] >= '0' && text[i] <= '9' ? static_cast<int>(text[i] - '0') : -1);
    if (d < 0) break;
    value = value * (hexadecimal ? 16 : 10) + d;
  }
  return digits > 0 && i < text.size() && text[i] == ';' && value >= 0x5D0 && value <= 0x5EA;
}

// The byte of a quoted-printable escape at `at`, or -1.
int Escape_at(Text_view text, std::size_t at) {
  if (at + 2 >= text.size() || text[at] != '=') return -1;
  const int high = Hex_digit(text[at + 1]);
  const int low = Hex_digit(text[at + 2]);
  return high < 0 || low < 0 ? -1 : high * 16 + low;
}

// The byte classes the counting pass looks for, one table look-up a unit.
enum Unit_class : std::uint8_t {
  class_western_trail = 1,  // a misread UTF-8 Hebrew trail byte, as code page 1252 shows it
  class_raw_trail = 2,      // the same, kept as a raw byte
  class_capital = 4,
  class_small = 8,
  class_escape = 16,        // '&' or '='
  class_western_lead = 32,  // a misread UTF-8 Hebrew lead byte, as code page 1252 shows it
  class_raw_lead = 64,      // the same, kept as a raw byte
  class_misread_lead = class_western_lead | class_raw_lead,
};

bool Is_hebrew_trail(std::optional<std::uint8_t> b) { return b && *b >= 0x90 && *b <= 0xAA; }

// The last entry is that of every unit above 255, which is of no class.
const std::array<std::uint8_t, 257>& Unit_classes() {
  static const std::array<std::uint8_t, 257> classes = [] {
    std::array<std::uint8_t, 257> c{};
    for (Unit u = 0; u <= last_byte_unit; ++u) {
      std::uint8_t k = 0;
      if (u >= 'A' && u <= 'Z') k |= class_capital;
      if (u >= 'a' && u <= 'z') k |= class_small;
      if (u == '&' || u == '=') k |= class_escape;
      if (Misread_byte(u, Mojibake::western_characters) == 0xD7) k |= class_western_lead;
      if (Misread_byte(u, Mojibake::raw_bytes) == 0xD7) k |= class_raw_lead;
      if (Is_hebrew_trail(Misread_byte(u, Mojibake::western_characters))) k |= class_western_trail;
      if (Is_hebrew_trail(Misread_byte(u, Mojibake::raw_bytes))) k |= class_raw_trail;
      c[u] = k;
    }
    return c;
  }();
  return classes;
}

// The class of the unit after a misread lead: that of its byte, or for a
// character without a byte, whether code page 1252 shows a trail byte so.
std::uint8_t Trail_class(Unit u, const std::array<std::uint8_t, 257>& classes) {
  if (Is_byte(u)) return classes[u];
  return Is_hebrew_trail(Misread_byte(u, Mojibake::western_characters)) ? class_western_trail : 0;
}

}  // namespace

Layer_counts Count_layers(Text_view text) {
  const auto& classes = Unit_classes();
  const auto& increments = Letter_increments();
  std::uint64_t letter_fields = 0;
  Layer_counts c;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const Unit u = text[i];
    const Unit entry = std::min<Unit>(u, last_byte_unit + 1);
    letter_fields += increments[entry];
    const std::uint8_t k = classes[entry];
    if ((k & (class_escape | class_misread_lead)) == 0) continue;
    if ((k & class_escape) != 0) {
      if (u == '&') {
        c.entities += Hebrew_entity_at(text, i);
      } else {
        const int b = Escape_at(text, i);
        c.escapes += (b >= static_cast<int>(first_1255_letter) && b <= static_cast<int>(last_1255_letter)) || b == 0xD7;
      }
    }
    if ((k & class_misread_lead) != 0 && i + 1 < text.size()) {
      const std::uint8_t n = Trail_class(text[i + 1], classes);
      c.misread_western += (k & class_western_lead) != 0 && (n & class_western_trail) != 0;
      c.misread_raw += (k & class_raw_lead) != 0 && (n & class_raw_trail) != 0;
    }
  }
  Add_letter_fields(letter_fields, c);
  return c;
}

}  // namespace quorvandel::detection
