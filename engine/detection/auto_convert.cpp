#include "engine/detection/auto_convert.h"

#include <optional>

#include "engine/decoding.h"
#include "engine/detection/wrong_layout.h"

namespace quorvandel {

std::unique_ptr<TPrefs> Detected_settings(const Detection& detection, const TPrefs& profile) {
  auto settings = std::make_unique<TPrefs>(true);
  *settings->conversion = *profile.conversion;
  *settings->source_props = *profile.source_props;
  *settings->dest_props = *profile.dest_props;
  *settings->qwerty = *profile.qwerty;
  if (detection.judged) Apply_detection(detection, *settings);
  return settings;
}

// The settings of one verdict and a document conversion with them. For
// misread UTF-8 the escapes are decoded before the repair, and the
// conversion that follows it decodes nothing more.
struct Auto_converter::Paragraph_converter {
  Paragraph_converter(const Detection& found, const TPrefs& profile)
      : detection(found), settings(Detected_settings(found, profile)) {
    if (detection.mojibake != detection::Mojibake::none) {
      settings->source_props->translate_hebrew_unicode = false;
      settings->source_props->translate_email_style = false;
    }
    converter = std::make_unique<Document_converter>(*settings);
  }

  void Convert(Text& line) {
    if (detection.mojibake != detection::Mojibake::none) {
      while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
      if (detection.entities) Translate_entities(line);
      if (detection.quoted_printable) Translate_quoted_printable(line);
      line = detection::Repair_mojibake(line, detection.mojibake);
    }
    if (detection.wrong_layout != layout_right) detection::Repair_wrong_layout(line);
    converter->Convert_raw_line(line);
  }

  Detection detection;
  std::unique_ptr<TPrefs> settings;
  std::unique_ptr<Document_converter> converter;
};

namespace {

// Where a line's soft line break stands, if it ends in one.
std::optional<std::size_t> Soft_line_break(const Text& line) {
  std::size_t end = line.size();
  while (end > 0 && (line[end - 1] == '\n' || line[end - 1] == '\r' || line[end - 1] == ' ' || line[end - 1] == '\t')) {
    --end;
  }
  if (end == 0 || line[end - 1] != '=') return std::nullopt;
  return end - 1;
}

}  // namespace

bool Join_soft_line_breaks(std::vector<Text>& lines, const Document_detector& detector) {
  bool joined = false;
  std::size_t write = 0;
  Document_detector::Line_cursor cursor;
  for (std::size_t read = 0; read < lines.size(); ++write) {
    const bool encoded = detector.For_line(read, cursor).quoted_printable;
    Text line = std::move(lines[read++]);
    while (encoded && read < lines.size()) {
      const std::optional<std::size_t> soft = Soft_line_break(line);
      if (!soft) break;
      line.resize(*soft);
      line += lines[read++];
      joined = true;
    }
    lines[write] = std::move(line);
  }
  lines.resize(write);
  return joined;
}

Auto_converter::Auto_converter(const Document_detector& detector, const TPrefs& profile)
    : detector_(detector), profile_(profile) {}

Auto_converter::~Auto_converter() = default;

Auto_converter::Paragraph_converter& Auto_converter::For(const Detection& detection) {
  for (const auto& converter : converters_) {
    if (converter->detection.Same_settings(detection)) return *converter;
  }
  converters_.push_back(std::make_unique<Paragraph_converter>(detection, profile_));
  return *converters_.back();
}

void Auto_converter::Convert_raw_line(std::size_t index, Text& line) {
  For(detector_.For_line(index, cursor_)).Convert(line);
}

}  // namespace quorvandel
