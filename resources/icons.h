// The program's pictures: the window icon, the tray icons for the hotkeys
// switched on ("enabled_icon") and off ("disabled_icon"), and the About
// box picture. They are drawn by code, afresh at each call, so call each
// once and keep the result; a QGuiApplication must exist.
#pragma once

#include <QIcon>
#include <QPainter>
#include <QPixmap>

namespace quorvandel {

// A Hebrew Alef and a Latin A on a blue tile, with a double arrow between
// them at the larger sizes; drawn at 16, 24, 32, 48, 64, 128 and 256 pixels.
QIcon Main_icon();

// Draws the window icon at `size` pixels onto `painter`, from (0, 0): the
// same drawing as Main_icon(), for the icon files that an install puts into
// the desktop's icon theme. At least 24 pixels draws the arrow.
void Paint_main_icon(QPainter& painter, int size);

// The tray icon while the hotkeys are on: the tile with a green light.
QIcon Enabled_icon();

// The tray icon while the hotkeys are off: the tile greyed and struck
// through in red.
QIcon Disabled_icon();

inline constexpr int about_picture_width = 165;
inline constexpr int about_picture_height = 115;

// The About box picture: a Hebrew and a Latin alphabet card with arrows
// turning one into the other, on a transparent background.
QPixmap About_picture();

}  // namespace quorvandel
