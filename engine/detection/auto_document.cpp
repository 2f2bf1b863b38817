#include "engine/detection/auto_document.h"

#include "engine/conversion_progress.h"
#include "engine/decoding.h"
#include "engine/detection/auto_convert.h"

namespace quorvandel {

bool Convert_document_automatically(TConversion_document& document, Detection& found) {
  const int line_count = document.Source_line_count();
  Conversion_progress progress(document, line_count);
  document.Clear_destination();

  Document_detector detector;
  for (int i = 0; i < line_count; ++i) {
    Text line = document.Source_line(i);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    detector.Add_line(line);
  }
  detector.Finish();
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
    for (int i = 0; i < line_count; ++i) {
      progress.Before_line(i);
      Text line = document.Source_line(i);
      converter.Convert_raw_line(static_cast<std::size_t>(i), line);
      result += line;
      if (i < line_count - 1 || ends_with_break) result += eoln;
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
