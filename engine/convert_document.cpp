#include "engine/convert_document.h"

#include <cmath>

#include "engine/convert_line.h"
#include "engine/decoding.h"

namespace quorvandel {

int Progress_position(int line_index, int line_count) {
  if (line_count <= 0) return 0;
  const double exact = static_cast<double>(line_index) / line_count * 1000.0;
  return static_cast<int>(std::nearbyint(exact));  // the default rounding: a half to even
}

std::string File_name_part(const std::string& path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

namespace {

void Set_dest_status_from_source(TConversion_document& document) {
  switch (document.Source_status()) {
    case ps_blank:
    case ps_from_clipboard:
      document.Set_dest_status(ps_converted, "");
      break;
    case ps_loaded:
      document.Set_dest_status(ps_converted_named, File_name_part(document.Source_file_name()));
      break;
    default:
      break;
  }
}

}  // namespace

bool Convert_document(TConversion_document& document) {
  const int line_count = document.Source_line_count();
  const bool progress_shown = line_count > progress_line_threshold;
  if (progress_shown) {
    document.Set_progress_caption("Converting...");
    document.Show_progress(true);
  }
  document.Clear_destination();

  Text result;
  Text chunk;
  int chunk_count = 0;
  Document_converter converter(document.Active_settings());
  const bool ends_with_break = document.Source_ends_with_break();
  try {
    for (int i = 0; i < line_count; ++i) {
      if (progress_shown && i % progress_step_lines == 0) {
        document.Set_progress_position(Progress_position(i, line_count));
      }
      Text line = document.Source_line(i);
      converter.Convert_raw_line(line);
      if (i < line_count - 1 || ends_with_break) {
        line += Eoln_sequence(document.Active_settings().dest_props->destination_eoln_format);
      }
      chunk += line;
      if (++chunk_count == chunk_lines) {
        result += chunk;
        chunk.clear();
        chunk_count = 0;
        document.Process_messages();
        converter.Refresh(document.Active_settings());
      }
    }
  } catch (const Conversion_error& error) {
    if (progress_shown) document.Show_progress(false);
    document.Show_message(error.what());
    return false;
  }
  result += chunk;

  if (progress_shown) document.Show_progress(false);
  document.Process_messages();
  document.Set_destination_text(std::move(result));
  Set_dest_status_from_source(document);
  document.Show_status();
  return true;
}

}  // namespace quorvandel
