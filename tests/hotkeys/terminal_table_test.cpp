// Which windows get which copy and paste keys, by their class names.
#include "hotkeys/terminal_table.h"

#include <gtest/gtest.h>

namespace quorvandel::testing {
namespace {

struct Window_case {
  const char* instance;
  const char* class_name;
  Copy_paste_style style;
};

class Terminal_table : public ::testing::TestWithParam<Window_case> {};

TEST_P(Terminal_table, GivesTheStyleOfTheWindowClass) {
  EXPECT_EQ(Copy_paste_style_for_class(GetParam().instance, GetParam().class_name), GetParam().style);
}

INSTANTIATE_TEST_SUITE_P(
    Windows, Terminal_table,
    ::testing::Values(Window_case{"xterm", "XTerm", Copy_paste_style::primary_selection},
                      Window_case{"urxvt", "URxvt", Copy_paste_style::primary_selection},
                      Window_case{"gnome-terminal-server", "Gnome-terminal", Copy_paste_style::control_shift_keys},
                      Window_case{"konsole", "konsole", Copy_paste_style::control_shift_keys},
                      Window_case{"Alacritty", "Alacritty", Copy_paste_style::control_shift_keys},
                      // the class decides when the instance is an unknown name
                      Window_case{"my-shell", "kitty", Copy_paste_style::control_shift_keys},
                      Window_case{"", "XTerm", Copy_paste_style::primary_selection},
                      Window_case{"gedit", "Gedit", Copy_paste_style::control_keys},
                      Window_case{"xtermish", "Xtermish", Copy_paste_style::control_keys},
                      Window_case{"", "", Copy_paste_style::control_keys}));

}  // namespace
}  // namespace quorvandel::testing
