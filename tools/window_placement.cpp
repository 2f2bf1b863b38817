#include "tools/window_placement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

namespace quorvandel {

void Centre_on_screen(QWidget& window) {
  const QWidget* parent = window.parentWidget();
  const QScreen* screen = parent != nullptr ? parent->screen() : window.screen();
  if (screen == nullptr) screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return;
  QRect placed(QPoint(0, 0), window.frameGeometry().size());
  placed.moveCenter(screen->availableGeometry().center());
  window.move(placed.topLeft());
}

}  // namespace quorvandel
