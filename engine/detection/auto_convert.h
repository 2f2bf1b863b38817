// Conversion with what the detector found: each paragraph with the settings
// that repair it, into logical-order code page 1255.
#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "engine/convert_line.h"
#include "engine/detection/detect.h"

namespace quorvandel {

// A copy of the profile's settings with the detection applied; a detection
// that judged nothing leaves the copy as the profile is.
std::unique_ptr<TPrefs> Detected_settings(const Detection& detection, const TPrefs& profile);

// Joins each line of a paragraph judged quoted-printable that ends in a
// soft line break ('=' at its end, before any spaces or end-of-line
// characters) with the line after it, so that words and multi-byte
// characters split across lines decode whole. Returns whether any line was
// joined; then the lines are to be judged again.
bool Join_soft_line_breaks(std::vector<Text>& lines, const Document_detector& detector);

// Converts the lines of a document that a Document_detector has judged, in
// order. A paragraph that could not be judged is converted as the document
// was judged, and a document that could not be judged as the profile would.
class Auto_converter {
 public:
  Auto_converter(const Document_detector& detector, const TPrefs& profile);
  ~Auto_converter();

  // Converts raw line `index` (from 0) as Document_converter does, after
  // undoing a misreading of UTF-8. Throws Conversion_error.
  void Convert_raw_line(std::size_t index, Text& line);

  // The end-of-line sequence of the profile, which every paragraph keeps.
  const TPrefs& profile() const { return profile_; }

 private:
  struct Paragraph_converter;
  Paragraph_converter& For(const Detection& detection);

  const Document_detector& detector_;
  Document_detector::Line_cursor cursor_;  // the lines are converted in order
  const TPrefs& profile_;
  std::vector<std::unique_ptr<Paragraph_converter>> converters_;
};

}  // namespace quorvandel
