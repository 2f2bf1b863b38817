// The engine's text: a string of 32-bit units.
//
// A unit 0..255 is a byte of the document, read as code page 1255 where it
// has to be shown. A unit above 255 stands for a character that has no byte
// (typed, pasted or read from UTF-8); every conversion step passes it through
// unchanged as a non-letter of no kind. See cp1255.h for the mapping between
// units and Unicode.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace quorvandel {

using Unit = char32_t;
using Text = std::u32string;
using Text_view = std::u32string_view;

// A line that holds only bytes, one char each: the form the converter works
// on when neither the input nor any enabled step needs units above 255, so
// that a file of bytes is never widened to 32-bit units and back.
using Byte_text = std::string;

// The unit of a char of a Byte_text, and of a unit (for code that serves both).
inline Unit Unit_of(char c) { return static_cast<unsigned char>(c); }
inline Unit Unit_of(Unit u) { return u; }

// The highest unit that is a byte.
inline constexpr Unit last_byte_unit = 255;

inline bool Is_byte(Unit u) { return u <= last_byte_unit; }

// Bytes to units, one unit per byte.
Text Text_from_bytes(std::string_view bytes);
void Append_bytes(Text& text, std::string_view bytes);

// The position (0-based) of the first unit that is not a byte, if any.
std::optional<std::size_t> First_non_byte(Text_view text);

// Units to bytes. Every unit must be a byte: call First_non_byte first when
// the text may hold other units; a unit above 255 is written as '?'.
std::string Bytes_from_text(Text_view text);
void Append_as_bytes(std::string& bytes, Text_view text);

// Units to bytes in one pass when all are bytes: appends them and returns
// nothing; otherwise returns the position of the first unit that is not a
// byte, and what was appended is unspecified.
std::optional<std::size_t> Append_as_bytes_checked(std::string& bytes, Text_view text);

// Convenience for literals in code and tests: the bytes of a narrow string.
inline Text T(std::string_view bytes) { return Text_from_bytes(bytes); }

}  // namespace quorvandel
