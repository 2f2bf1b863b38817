#include "engine/convert_document.h"

#include "engine/conversion_progress.h"
#include "engine/convert_line.h"
#include "engine/decoding.h"
#include "engine/detection/auto_document.h"

namespace quorvandel {

std::string File_name_part(const std::string& path) {
  const std::size_t separator = path.find_last_of("/\\");
  return separator == std::string::npos ? path : path.substr(separator + 1);
}

namespace {


// The converted text, as bytes while every line given to it was bytes.
class Converted_text {
 public:
  explicit Converted_text(bool as_bytes) : as_bytes_(as_bytes) {}
  bool as_bytes() const { return as_bytes_; }
  void Reserve(std::size_t size) {
    if (as_bytes_) bytes_.reserve(size);
  }

  // The line may be taken over: a document of one line is not copied again.
  void Add(Byte_text& line, Text_view eoln) {
    if (bytes_.empty() && eoln.empty()) {  // the first line is the last
      bytes_.swap(line);
      return;
    }
    bytes_ += line;
    for (const Unit u : eoln) bytes_ += static_cast<char>(u);  // CR and LF
  }
  void Add(const Text& line, Text_view eoln) {
    Widen();
    units_ += line;
    units_ += eoln;
  }
  // From here on every line comes as units.
  void Widen() {
    if (!as_bytes_) return;
    units_ = Text_from_bytes(bytes_);
    bytes_ = Byte_text();
    as_bytes_ = false;
  }

  void Hand_to(TConversion_document& document) {
    if (as_bytes_) {
      document.Set_destination_bytes(std::move(bytes_));
    } else {
      document.Set_destination_text(std::move(units_));
    }
  }

 private:
  bool as_bytes_;
  Byte_text bytes_;
  Text units_;
};

}  // namespace

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

bool Convert_document(TConversion_document& document) {
  if (document.Active_settings().source_props->convert_automatically) {
    Detection found;
    return Convert_document_automatically(document, found);
  }
  const int line_count = document.Source_line_count();
  Conversion_progress progress(document, line_count);
  document.Clear_destination();

  Document_converter converter(document.Active_settings());
  Converted_text result(converter.Converts_bytes());
  result.Reserve(document.Source_size_hint());
  Byte_text byte_line;
  Text line;
  const bool ends_with_break = document.Source_ends_with_break();
  try {
    for (int i = 0; i < line_count; ++i) {
      progress.Before_line(i);
      const std::u32string_view eoln =
          i < line_count - 1 || ends_with_break ? Eoln_sequence(document.Active_settings().dest_props->destination_eoln_format)
                             : std::u32string_view();
      if (result.as_bytes() && document.Source_line_bytes(i, byte_line)) {
        converter.Convert_raw_line(byte_line);
        result.Add(byte_line, eoln);
      } else {
        line = document.Source_line(i);
        converter.Convert_raw_line(line);
        result.Add(line, eoln);
      }
      if (progress.After_line(i)) {
        converter.Refresh(document.Active_settings());
        if (!converter.Converts_bytes()) result.Widen();
      }
    }
  } catch (const Conversion_error& error) {
    progress.Hide();
    document.Show_message(error.what());
    return false;
  }

  progress.Hide();
  document.Process_messages();
  result.Hand_to(document);
  Set_dest_status_from_source(document);
  document.Show_status();
  return true;
}

}  // namespace quorvandel
