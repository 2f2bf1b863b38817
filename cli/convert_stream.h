// Converts one stream of lines with one settings object, line by line, so
// that memory does not grow with the size of the input.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string_view>

#include "cli/line_reader.h"
#include "cli/options.h"
#include "cli/output.h"
#include "engine/text.h"
#include "settings/prefs.h"

namespace quorvandel::cli {

// A conversion that failed on its input; the text says why.
class Stream_error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The units of one input line at `offset` bytes into the input: a byte
// order mark dropped from UTF-8 (the reader has made each NUL 'A').
// Throws Stream_error for invalid UTF-8.
void Read_line(Text& line, std::string_view bytes, Encoding encoding, std::size_t offset);

// Converts every line of the reader exactly as the document conversion
// converts the source pane's lines, and writes the lines joined by the
// destination's end-of-line sequence, each line with its break as soon as
// it is converted (the output decides how often they are handed over).
// Throws Stream_error for input it cannot convert, after writing the lines
// before it, and std::system_error when reading or writing fails; the
// caller then abandons the output.
void Convert_stream(Line_reader& reader, Output& output, const TPrefs& settings, Encoding input_encoding,
                    Encoding output_encoding);

}  // namespace quorvandel::cli
