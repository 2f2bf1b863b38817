#include "cli/convert_stream.h"

#include <cstdio>
#include <string>

#include "engine/convert_line.h"
#include "engine/cp1255.h"
#include "engine/decoding.h"

namespace quorvandel::cli {
namespace {

constexpr std::size_t flush_size = 1 << 20;
constexpr std::string_view utf8_byte_order_mark = "\xEF\xBB\xBF";

std::string Code_point_name(char32_t c) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
  return name;
}

// The units of one line; a NUL becomes 'A', as in the source pane.
void Read_line(Text& line, std::string_view bytes, Encoding encoding, std::size_t offset) {
  line.clear();
  if (encoding == Encoding::bytes) {
    Append_bytes(line, bytes);
  } else {
    if (offset == 0 && bytes.starts_with(utf8_byte_order_mark)) {
      bytes.remove_prefix(utf8_byte_order_mark.size());
      offset += utf8_byte_order_mark.size();
    }
    if (const auto bad = Append_text_from_utf8(line, bytes)) {
      throw Stream_error("invalid UTF-8 at byte " + std::to_string(offset + *bad));
    }
  }
  for (Unit& u : line) u = u == 0 ? 'A' : u;
}

void Write_line(std::string& out, const Text& line, Encoding encoding, std::size_t line_number) {
  if (encoding == Encoding::utf8) {
    Append_utf8(out, line);
    return;
  }
  if (const auto bad = Append_as_bytes_checked(out, line)) {
    throw Stream_error("line " + std::to_string(line_number) + ": the character " +
                       Code_point_name(Unicode_from_unit(line[*bad])) +
                       " has no byte in code page 1255 (try --output-encoding utf-8)");
  }
}

}  // namespace

void Convert_stream(Line_reader& reader, Output& output, const TPrefs& settings, Encoding input_encoding,
                    Encoding output_encoding) {
  Document_converter converter(settings);
  const std::string eoln = Bytes_from_text(Eoln_sequence(settings.dest_props->destination_eoln_format));
  std::string_view bytes;
  Text line;
  std::string out;
  std::size_t line_number = 0;
  while (reader.Next(bytes)) {
    ++line_number;
    Read_line(line, bytes, input_encoding, reader.line_offset());
    try {
      converter.Convert_raw_line(line);
    } catch (const Conversion_error& error) {
      throw Stream_error("line " + std::to_string(line_number) + ": " + error.what());
    }
    if (line_number > 1) out += eoln;
    Write_line(out, line, output_encoding, line_number);
    if (out.size() >= flush_size) {
      output.Write(out);
      out.clear();
    }
  }
  output.Write(out);
}

}  // namespace quorvandel::cli
