#include "mainwindow/file_encoding.h"

#include <QtGlobal>
#include <algorithm>

#include "engine/cp1255.h"

namespace quorvandel {
const char* Encoding_name(File_encoding encoding) {
  switch (encoding) {
    case File_encoding::automatic: return QT_TRANSLATE_NOOP("File_dialogs", "Automatic");
    case File_encoding::single_byte: return QT_TRANSLATE_NOOP("File_dialogs", "Single-byte (code page 1255)");
    case File_encoding::utf8: return "UTF-8";
  }
  return "";
}

const char* Encoding_short_name(File_encoding encoding) {
  return encoding == File_encoding::utf8 ? "UTF-8" : "CP 1255";
}

File_encoding Detect_encoding(std::string_view bytes) {
  if (Starts_with_utf8_bom(bytes)) return File_encoding::utf8;
  const bool beyond_ascii = std::any_of(bytes.begin(), bytes.end(), [](char b) { return (b & 0x80) != 0; });
  if (!beyond_ascii) return File_encoding::single_byte;
  Text ignored;
  return Append_text_from_utf8(ignored, bytes) ? File_encoding::single_byte : File_encoding::utf8;
}

Text Text_of_file(std::string_view bytes, File_encoding encoding) {
  if (encoding == File_encoding::automatic) encoding = Detect_encoding(bytes);
  if (encoding == File_encoding::single_byte) return Text_from_bytes(bytes);
  if (Starts_with_utf8_bom(bytes)) bytes.remove_prefix(utf8_byte_order_mark.size());
  Text text;
  if (const auto malformed = Append_text_from_utf8(text, bytes)) text += Text_from_bytes(bytes.substr(*malformed));
  return text;
}

std::optional<std::string> File_of_text(const Text& text, File_encoding encoding, std::size_t* bad_unit) {
  if (encoding == File_encoding::utf8) return Utf8_from_text(text);
  std::string bytes;
  if (const auto bad = Append_as_bytes_checked(bytes, text)) {
    if (bad_unit) *bad_unit = *bad;
    return std::nullopt;
  }
  return bytes;
}

}  // namespace quorvandel
