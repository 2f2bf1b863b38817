// How the desktop program reads and writes a file's text: as single bytes,
// each shown through code page 1255, or as UTF-8.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "engine/text.h"

namespace quorvandel {

enum class File_encoding { automatic, single_byte, utf8 };

inline constexpr std::string_view utf8_byte_order_mark = "\xEF\xBB\xBF";
inline bool Starts_with_utf8_bom(std::string_view bytes) { return bytes.starts_with(utf8_byte_order_mark); }

// The name the dialogs show, and the shorter one of the info bars.
const char* Encoding_name(File_encoding encoding);
const char* Encoding_short_name(File_encoding encoding);

// UTF-8 for a file that starts with the UTF-8 byte-order mark, or that is
// valid UTF-8 and holds a character beyond ASCII; single bytes otherwise.
File_encoding Detect_encoding(std::string_view bytes);

// The text of a file's bytes read in `encoding` (automatic detects it). A
// UTF-8 byte-order mark is dropped; a malformed sequence reads as single
// bytes from there on, so that nothing of the file is lost.
Text Text_of_file(std::string_view bytes, File_encoding encoding);

// The bytes of a text saved in `encoding` (not automatic). For single bytes,
// nothing when a unit has no byte, with its position in `bad_unit`.
std::optional<std::string> File_of_text(const Text& text, File_encoding encoding, std::size_t* bad_unit = nullptr);

}  // namespace quorvandel
