// The conversion of the whole source pane into the destination pane.
#pragma once

#include <cstdint>
#include <string>

#include "engine/conversion_progress.h"
#include "engine/text.h"
#include "settings/prefs.h"

namespace quorvandel {

// What a pane's title says about where its text came from.
enum Pane_status : int {
  ps_blank = 0,
  ps_loaded = 1,
  ps_from_clipboard = 2,
  ps_converted = 3,
  ps_converted_named = 4,
  ps_saved = 5,
};

// What Convert_document needs of the window that holds the two panes.
class TConversion_document {
 public:
  virtual ~TConversion_document() = default;

  virtual const TPrefs& Active_settings() const = 0;
  virtual int Source_line_count() const = 0;
  virtual Text Source_line(int index) const = 0;  // index from 0
  // The same line as bytes when it holds only bytes; false when it does
  // not, or when the document keeps no lines of bytes.
  virtual bool Source_line_bytes(int /*index*/, Byte_text& /*line*/) const { return false; }

  virtual void Clear_destination() = 0;
  virtual void Set_destination_text(Text text) = 0;
  // The converted text when every unit of it is a byte.
  virtual void Set_destination_bytes(Byte_text bytes) { Set_destination_text(Text_from_bytes(bytes)); }

  // The progress dialog: caption, visibility, and position in 0..1000.
  virtual void Set_progress_caption(const std::string& caption) = 0;
  virtual void Show_progress(bool visible) = 0;
  virtual void Set_progress_position(int position) = 0;

  // Lets the user interface handle what is pending.
  virtual void Process_messages() = 0;

  virtual int Source_status() const = 0;
  virtual std::string Source_file_name() const = 0;
  virtual void Set_dest_status(int status, const std::string& dest_file_name) = 0;
  virtual void Show_status() = 0;

  virtual void Show_message(const std::string& text) = 0;

  // Whether the source text ends with a line break, which the converted text
  // then ends with too.
  virtual bool Source_ends_with_break() const { return false; }

  // About how many units the source holds, breaks counted as two: the
  // room the converted text is given at first. 0 when not known.
  virtual std::size_t Source_size_hint() const { return 0; }
};

// The last component of a path: what follows its last separator.
std::string File_name_part(const std::string& path);

// The destination's status after a conversion of the source: "Converted",
// or "Converted: " and the file's name when the source was loaded.
void Set_dest_status_from_source(TConversion_document& document);

// Converts every source line into the destination pane. Returns false when
// the conversion stopped on an error (reported through Show_message); the
// destination pane then holds no text.
bool Convert_document(TConversion_document& document);

}  // namespace quorvandel
