// The progress a conversion of the whole source pane shows, and the pauses
// it makes for the user interface, shared by the ordinary and the
// automatic conversion.
#pragma once

namespace quorvandel {

class TConversion_document;

inline constexpr int progress_line_threshold = 50;  // more lines than this show progress
inline constexpr int progress_step_lines = 10;
inline constexpr int chunk_lines = 5000;

// Progress position of line i of n: i / n * 1000 rounded, a half to even.
int Progress_position(int line_index, int line_count);

class Conversion_progress {
 public:
  // Shows the progress dialog, "Converting...", for more than
  // progress_line_threshold lines.
  Conversion_progress(TConversion_document& document, int line_count);

  // Before line `index` (from 0) is converted: the dialog's position, every
  // progress_step_lines lines.
  void Before_line(int index);
  // After line `index` is converted: every chunk_lines lines the user
  // interface handles what is pending, and then this returns true.
  bool After_line(int index);
  // Hides the dialog when it was shown.
  void Hide();

 private:
  TConversion_document& document_;
  int line_count_;
  bool shown_;
};

}  // namespace quorvandel
