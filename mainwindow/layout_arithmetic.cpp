#include "mainwindow/layout_arithmetic.h"

#include <cmath>

namespace quorvandel {
namespace {

int Inner_width(int outer_panel_width) { return outer_panel_width - splitter_width - splitter_allowance; }

}  // namespace

int Left_panel_width(int outer_panel_width, double split_ratio) {
  return static_cast<int>(std::nearbyint(Inner_width(outer_panel_width) * split_ratio));
}

double Split_ratio(int left_panel_width, int outer_panel_width) {
  const int inner = Inner_width(outer_panel_width);
  return inner > 0 ? static_cast<double>(left_panel_width) / inner : 0.5;
}

Button_row Button_positions(int button_bar_width) {
  Button_row row;
  row.width = (button_bar_width - (button_count + 1) * button_margin - 16) / button_count;
  for (int i = 0; i < button_count; ++i) row.lefts[static_cast<std::size_t>(i)] = button_margin + i * (row.width + button_margin);
  return row;
}

int Button_bar_width_for(int button_width) {
  return button_count * button_width + (button_count + 1) * button_margin + 16;
}

}  // namespace quorvandel
