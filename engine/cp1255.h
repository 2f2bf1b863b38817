// The one mapping between the engine's units and Unicode.
//
// Each of the 256 bytes maps to its character in code page 1255, or, for the
// bytes that code page leaves undefined, to a private-use character of its
// own, so that bytes -> Unicode -> bytes is the identity. A Unicode character
// that no byte maps to becomes a unit above 255 and maps back to itself:
// the unit is the code point, except for U+0080..U+00FF, which would collide
// with the byte units and are held as escaped_latin1_base + code point.
// The panes, the clipboard and UTF-8 files all go through this mapping.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/text.h"

namespace quorvandel {

inline constexpr Unit escaped_latin1_base = 0x110000;

char32_t Unicode_from_unit(Unit unit);
Unit Unit_from_unicode(char32_t c);

// UTF-8 of the characters of a text.
std::string Utf8_from_text(Text_view text);
void Append_utf8(std::string& out, Text_view text);
// UTF-8 of the characters of bytes, each read through the mapping.
void Append_utf8_of_bytes(std::string& out, std::string_view bytes);

// Units of UTF-8 input. Returns the byte offset of the first malformed
// sequence (overlong forms, surrogates and values above U+10FFFF included)
// and leaves `out` holding what came before it.
std::optional<std::size_t> Append_text_from_utf8(Text& out, std::string_view utf8);

}  // namespace quorvandel
