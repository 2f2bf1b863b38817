// Decoding of HTML numeric entity references and quoted-printable escapes of
// Hebrew letters into single bytes of code page 1255.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>

#include "engine/text.h"

namespace quorvandel {

// A conversion that cannot go on; the text is the message the user sees.
class Conversion_error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The value of hexadecimal digits, -1 when a character is not one or when
// the value does not fit in a signed 32-bit integer; 0 for "".
std::int32_t Hex_to_int(Text_view digits);

// The byte for an entity's digits: the low 8 bits of its number minus 1264.
// Hexadecimal digits that are not all hexadecimal, or whose value does not
// fit in a signed 32-bit integer, give no byte: the reference stays as it is.
// Throws Conversion_error "'%s' is not a valid integer value" for decimal
// digits that are not a valid integer.
std::optional<Unit> Entity_to_char(Text_view digits, bool hexadecimal);

void Translate_entities(Text& line);
void Translate_entities(Byte_text& line);
void Translate_quoted_printable(Text& line);
void Translate_quoted_printable(Byte_text& line);

}  // namespace quorvandel
