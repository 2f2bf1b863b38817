// Window kinds and placement shared by the small dialogs.
#pragma once

#include <Qt>

class QWidget;

namespace quorvandel {

// A dialog frame with a title bar that holds no buttons at all.
inline constexpr Qt::WindowFlags buttonless_dialog_flags =
    Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;

// A dialog frame whose title bar holds only the system menu and its close box.
inline constexpr Qt::WindowFlags system_menu_dialog_flags =
    buttonless_dialog_flags | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// Moves `window` to the middle of the available area of the screen it is
// shown on (its parent's screen when it has a parent).
void Centre_on_screen(QWidget& window);

}  // namespace quorvandel
