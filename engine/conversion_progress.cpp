#include "engine/conversion_progress.h"

#include <cmath>

#include "engine/convert_document.h"

namespace quorvandel {

int Progress_position(int line_index, int line_count) {
  if (line_count <= 0) return 0;
  const double exact = static_cast<double>(line_index) / line_count * 1000.0;
  return static_cast<int>(std::nearbyint(exact));  // the default rounding: a half to even
}

Conversion_progress::Conversion_progress(TConversion_document& document, int line_count)
    : document_(document), line_count_(line_count), shown_(line_count > progress_line_threshold) {
  if (shown_) {
    document_.Set_progress_caption("Converting...");
    document_.Show_progress(true);
  }
}

void Conversion_progress::Before_line(int index) {
  if (shown_ && index % progress_step_lines == 0) document_.Set_progress_position(Progress_position(index, line_count_));
}

bool Conversion_progress::After_line(int index) {
  if ((index + 1) % chunk_lines != 0) return false;
  document_.Process_messages();
  return true;
}

void Conversion_progress::Hide() {
  if (shown_) document_.Show_progress(false);
}

}  // namespace quorvandel
