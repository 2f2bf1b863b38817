#include "cli/convert_stream.h"

#include <cstdio>
#include <string>

#include "engine/convert_line.h"
#include "engine/cp1255.h"
#include "engine/decoding.h"

namespace quorvandel::cli {
namespace {

// Bytes gathered before they are written: few writes, and still a block
// the cache holds.
constexpr std::size_t block_flush_size = 1 << 18;
constexpr std::string_view utf8_byte_order_mark = "\xEF\xBB\xBF";

std::string Code_point_name(char32_t c) {
  char name[16];
  std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(c));
  return name;
}

// Gathers converted lines and hands them to the output: in blocks, after
// every line for a terminal, and always before the input may keep it
// waiting, so that a line is out as soon as its input line has come in.
class Line_writer {
 public:
  explicit Line_writer(Output& output) : output_(output), each_line_(output.flushing() == Flushing::lines) {}

  std::string& buffer() { return pending_; }

  // A line too long to be worth copying goes out on its own.
  void Add_bytes(std::string_view line) {
    if (line.size() >= block_flush_size) {
      Flush();
      output_.Write(line);
    } else {
      pending_.append(line);
    }
  }

  void Line_done() {
    if (each_line_ || pending_.size() >= block_flush_size) Flush();
  }

  void Flush() {
    if (pending_.empty()) return;
    output_.Write(pending_);
    pending_.clear();
  }

 private:
  Output& output_;
  const bool each_line_;
  std::string pending_;
};

void Write_line(std::string& out, const Text& line, Encoding encoding, std::size_t line_number) {
  if (encoding == Encoding::utf8) {
    Append_utf8(out, line);
    return;
  }
  const std::size_t before = out.size();
  if (const auto bad = Append_as_bytes_checked(out, line)) {
    out.resize(before);
    throw Stream_error("line " + std::to_string(line_number) + ": the character " +
                       Code_point_name(Unicode_from_unit(line[*bad])) +
                       " has no byte in code page 1255 (try --output-encoding utf-8)");
  }
}

Stream_error Line_error(std::size_t line_number, const Conversion_error& error) {
  return Stream_error("line " + std::to_string(line_number) + ": " + error.what());
}

// Lines of bytes stay bytes from the input to the output.
void Convert_bytes(Line_reader& reader, Line_writer& writer, Document_converter& converter,
                   const std::string& eoln, Encoding output_encoding) {
  Byte_text line;
  for (std::size_t line_number = 1;; ++line_number) {
    if (!reader.Next(line)) break;
    try {
      converter.Convert_raw_line(line);
    } catch (const Conversion_error& error) {
      throw Line_error(line_number, error);
    }
    if (output_encoding == Encoding::utf8) {
      Append_utf8_of_bytes(writer.buffer(), line);
    } else {
      writer.Add_bytes(line);
    }
    if (reader.ended_by_break()) writer.buffer() += eoln;
    writer.Line_done();
  }
}

// Lines that hold, or may come to hold, units above 255.
void Convert_units(Line_reader& reader, Line_writer& writer, Document_converter& converter,
                   const std::string& eoln, Encoding input_encoding, Encoding output_encoding) {
  std::string_view bytes;
  Text line;
  for (std::size_t line_number = 1;; ++line_number) {
    if (!reader.Next(bytes)) break;
    Read_line(line, bytes, input_encoding, reader.line_offset());
    try {
      converter.Convert_raw_line(line);
    } catch (const Conversion_error& error) {
      throw Line_error(line_number, error);
    }
    Write_line(writer.buffer(), line, output_encoding, line_number);
    if (reader.ended_by_break()) writer.buffer() += eoln;
    writer.Line_done();
  }
}

}  // namespace

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
}

void Convert_stream(Line_reader& reader, Output& output, const TPrefs& settings, Encoding input_encoding,
                    Encoding output_encoding) {
  Document_converter converter(settings);
  const std::string eoln = Bytes_from_text(Eoln_sequence(settings.dest_props->destination_eoln_format));
  Line_writer writer(output);
  reader.Before_each_read([&writer] { writer.Flush(); });
  try {
    if (input_encoding == Encoding::bytes && converter.Converts_bytes()) {
      Convert_bytes(reader, writer, converter, eoln, output_encoding);
    } else {
      Convert_units(reader, writer, converter, eoln, input_encoding, output_encoding);
    }
  } catch (const Stream_error&) {
    writer.Flush();  // the lines before the one that failed
    throw;
  }
  reader.Before_each_read(nullptr);
  writer.Flush();
}

}  // namespace quorvandel::cli
