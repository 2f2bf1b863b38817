#include "cli/detect_command.h"

#include <cstdio>
#include <vector>

#include "engine/cp1255.h"
#include "engine/decoding.h"
#include "engine/detection/auto_convert.h"
#include "settings/profile_keys.h"

namespace quorvandel::cli {
namespace {

constexpr std::string_view utf8_byte_order_mark = "\xEF\xBB\xBF";
constexpr const char* program = "quorvandel-convert";

// The lines of a stream as units, read as Convert_stream reads them: a
// byte order mark dropped from UTF-8, a NUL made 'A' as in the source pane.
std::vector<Text> Read_all_lines(Line_reader& reader, Encoding encoding) {
  std::vector<Text> lines;
  std::string_view bytes;
  while (reader.Next(bytes)) Read_line(lines.emplace_back(), bytes, encoding, reader.line_offset());
  return lines;
}

Document_detector Detect_lines(const std::vector<Text>& lines) {
  Document_detector detector;
  for (const Text& line : lines) detector.Add_line(line);
  detector.Finish();
  return detector;
}

void Warn_cannot_judge(std::ostream& warnings, const std::string& input_name) {
  warnings << program << ": " << input_name
           << ": cannot judge how the text was garbled (too short, or no Hebrew); the profile's settings apply\n";
}

void Write_line(std::string& out, const Text& line, Encoding encoding, std::size_t line_number) {
  if (encoding == Encoding::utf8) {
    Append_utf8(out, line);
    return;
  }
  if (const auto bad = Append_as_bytes_checked(out, line)) {
    char name[16];
    std::snprintf(name, sizeof name, "U+%04X", static_cast<unsigned>(Unicode_from_unit(line[*bad])));
    throw Stream_error("line " + std::to_string(line_number) + ": the character " + name +
                       " has no byte in code page 1255 (try --output-encoding utf-8)");
  }
}

}  // namespace

void Detect_stream(Line_reader& reader, const std::string& input_name, const TPrefs& profile,
                   Encoding input_encoding, std::ostream& out, std::ostream& warnings) {
  const Document_detector detector = Detect_lines(Read_all_lines(reader, input_encoding));
  const Detection found = detector.Document();
  if (!found.judged) Warn_cannot_judge(warnings, input_name);
  const std::unique_ptr<TPrefs> settings = Detected_settings(found, profile);
  for (const Profile_key& key : Profile_keys()) out << key.name << '=' << key.get(*settings) << '\n';
  out << "detected=" << Describe(found) << '\n' << "confidence=" << found.confidence << '\n';
}

void Auto_convert_stream(Line_reader& reader, Output& output, const std::string& input_name, const TPrefs& profile,
                         Encoding input_encoding, Encoding output_encoding, std::ostream& warnings) {
  std::vector<Text> lines = Read_all_lines(reader, input_encoding);
  Document_detector detector = Detect_lines(lines);
  if (Join_soft_line_breaks(lines, detector)) detector = Detect_lines(lines);
  if (!detector.Document().judged) Warn_cannot_judge(warnings, input_name);
  Auto_converter converter(detector, profile);
  const std::string eoln = Bytes_from_text(Eoln_sequence(profile.dest_props->destination_eoln_format));
  std::string out;
  for (std::size_t i = 0; i < lines.size(); ++i) {
    try {
      converter.Convert_raw_line(i, lines[i]);
    } catch (const Conversion_error& error) {
      throw Stream_error("line " + std::to_string(i + 1) + ": " + error.what());
    }
    if (i > 0) out += eoln;
    Write_line(out, lines[i], output_encoding, i + 1);
    Text().swap(lines[i]);
    if (out.size() >= (1U << 20)) {
      output.Write(out);
      out.clear();
    }
  }
  output.Write(out);
}

}  // namespace quorvandel::cli
