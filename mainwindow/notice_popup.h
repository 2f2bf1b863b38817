// A short notice in a small frameless window at the corner of the screen,
// for desktops without a tray: it never takes the focus from the window the
// user works in, stays a few seconds and fades away.
#pragma once

#include <QLabel>
#include <QPropertyAnimation>
#include <QTimer>

namespace quorvandel {

class Notice_popup : public QLabel {
 public:
  Notice_popup();

  // Shows the text, replacing a notice still shown, and starts its time.
  void Show_notice(const QString& text);

 private:
  QTimer stay_;
  QPropertyAnimation fade_;
};

}  // namespace quorvandel
