// quorvandel-convert's automatic detection: --detect prints what the
// detector found in an input, --auto (or a profile that converts
// automatically) converts it with that.
#pragma once

#include <ostream>
#include <string>

#include "cli/convert_stream.h"
#include "cli/line_reader.h"
#include "cli/options.h"
#include "cli/output.h"
#include "settings/prefs.h"

namespace quorvandel::cli {

// Prints the detected settings of every per-profile key, as --list-keys
// prints them, then "detected=" and what was found, then "confidence=N".
// A text that cannot be judged prints the profile's own settings with a
// confidence of 0, and `warnings` says so.
void Detect_stream(Line_reader& reader, const std::string& input_name, const TPrefs& profile,
                   Encoding input_encoding, std::ostream& out, std::ostream& warnings);

// Converts the whole stream paragraph by paragraph with what the detector
// found, into logical-order code page 1255 (or its UTF-8); a text that
// cannot be judged is converted with the profile's settings, and
// `warnings` says so. Throws as Convert_stream does.
void Auto_convert_stream(Line_reader& reader, Output& output, const std::string& input_name, const TPrefs& profile,
                         Encoding input_encoding, Encoding output_encoding, std::ostream& warnings);

}  // namespace quorvandel::cli
