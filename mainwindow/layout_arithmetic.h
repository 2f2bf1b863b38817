// The arithmetic of the main window's layout, apart from the widgets.
#pragma once

#include <array>

namespace quorvandel {

inline constexpr int splitter_width = 8;
inline constexpr int splitter_allowance = 8;  // the frame around the columns
inline constexpr int button_count = 4;
inline constexpr int button_margin = 14;

// The width of the source column: (outer - splitter - 8) x ratio, rounded
// to the nearest integer, a half to the even one.
int Left_panel_width(int outer_panel_width, double split_ratio);

// The share of the inner width that the source column has after a drag.
double Split_ratio(int left_panel_width, int outer_panel_width);

struct Button_row {
  int width = 0;
  std::array<int, button_count> lefts{};
};

// Four equal buttons with a margin of 14 before the first and gaps of 14.
Button_row Button_positions(int button_bar_width);

// The narrowest bar whose buttons are `button_width` wide.
int Button_bar_width_for(int button_width);

// The first panel of an info bar: half its column, truncated.
inline int Info_first_panel_width(int column_width) { return column_width / 2; }

// The status line's two panels: half the window's width minus 9, and half.
inline std::array<int, 2> Status_panel_widths(int window_width) {
  return {window_width / 2 - 9, window_width / 2};
}

}  // namespace quorvandel
