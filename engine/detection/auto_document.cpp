#include "engine/detection/auto_document.h"

#include <algorithm>
#include <vector>

#include "engine/conversion_progress.h"
#include "engine/decoding.h"
#include "engine/detection/auto_convert.h"

namespace quorvandel {

bool Convert_document_automatically(TConversion_document& document, Detection& found) {
  const int line_count = document.Source_line_count();
  Conversion_progress progress(document, line_count);
  document.Clear_destination();

  Document_detector detector;
  const auto judge = [&detector](int count, const auto& line_at) {
    detector = Document_detector();
    for (int i = 0; i < count; ++i) {
      Text line = line_at(i);
      while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
      detector.Add_line(line);
    }
    detector.Finish();
  };
  judge(line_count, [&document](int i) { return document.Source_line(i); });
  // A quoted-printable body is converted with its soft line breaks joined,
  // and judged again as joined.
  std::vector<Text> joined;
  const bool encoded = std::any_of(detector.paragraphs().begin(), detector.paragraphs().end(),
                                   [](const auto& p) { return p.detection.quoted_printable; });
  if (encoded) {
    for (int i = 0; i < line_count; ++i) joined.push_back(document.Source_line(i));
    if (Join_soft_line_breaks(joined, detector)) {
      judge(static_cast<int>(joined.size()), [&joined](int i) { return joined[static_cast<std::size_t>(i)]; });
    } else {
      joined.clear();
    }
  }
  const int converted_count = joined.empty() ? line_count : static_cast<int>(joined.size());
  found = detector.Document();

  // The settings are those the detection gives, so a change of profile
  // while the conversion pauses does not change them.
  const TPrefs& profile = document.Active_settings();
  const std::u32string eoln(Eoln_sequence(profile.dest_props->destination_eoln_format));
  Auto_converter converter(detector, profile);
  Text result;
  // The last line ends with a break when the source's does, as in the
  // ordinary conversion.
  const bool ends_with_break = document.Source_ends_with_break();
  try {
    for (int i = 0; i < converted_count; ++i) {
      progress.Before_line(i);
      Text line = joined.empty() ? document.Source_line(i) : std::move(joined[static_cast<std::size_t>(i)]);
      converter.Convert_raw_line(static_cast<std::size_t>(i), line);
      result += line;
      if (i < converted_count - 1 || ends_with_break) result += eoln;
      progress.After_line(i);
    }
  } catch (const Conversion_error& error) {
    progress.Hide();
    document.Show_message(error.what());
    return false;
  }

  progress.Hide();
  document.Process_messages();
  document.Set_destination_text(std::move(result));
  Set_dest_status_from_source(document);
  document.Show_status();
  return true;
}

}  // namespace quorvandel
