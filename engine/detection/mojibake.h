// UTF-8 text that was read as a Western code page (1252 or Latin-1): each
// Hebrew letter's two bytes D7 90..D7 AA became two characters, "×" and one
// of ‘’“”•–—˜™š›œžŸ ¡¢£¤¥¦§¨©ª. Repairing it turns the text back into the
// bytes it was and reads them as UTF-8.
#pragma once

#include <cstdint>
#include <optional>

#include "engine/text.h"

namespace quorvandel::detection {

enum class Mojibake : std::uint8_t {
  none = 0,
  western_characters,  // the characters were kept: "×©" for Shin
  raw_bytes,           // the bytes were kept as they were: D7 A9 for Shin
};

// The byte of code page 1252 that shows as the character, or nothing. The
// five bytes 1252 leaves undefined read as the C1 controls of their value,
// as Windows reads them, so they come back too.
std::optional<std::uint8_t> Western_byte(char32_t c);

// The character code page 1252 shows for a byte (Western_byte's inverse).
char32_t Western_character(std::uint8_t byte);

// The byte a unit of the text stood for before it was misread.
std::optional<std::uint8_t> Misread_byte(Unit unit, Mojibake kind);

// Whether the two units are one misread Hebrew letter.
bool Is_misread_letter(Unit first, Unit second, Mojibake kind);

// The text with every misread UTF-8 sequence read again as UTF-8; units
// that stood for no valid sequence stay as they are.
Text Repair_mojibake(Text_view text, Mojibake kind);
// The same into `repaired`, which must not hold `text`; its room is kept.
void Repair_mojibake(Text_view text, Mojibake kind, Text& repaired);

}  // namespace quorvandel::detection
