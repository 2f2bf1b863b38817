// The progress window of long operations. Not modal: the caller sets the
// caption, shows it, moves `Progress` from 0 to progress_maximum as the
// work advances and hides (or closes) it at the end. The work owns its
// lifetime: Esc and the user's close requests leave the window open.
#pragma once

#include <QDialog>

class QProgressBar;

namespace quorvandel {

class TProgBar : public QDialog {
  Q_OBJECT

 public:
  static constexpr int progress_maximum = 1000;

  explicit TProgBar(QWidget* parent = nullptr);

  QProgressBar* Progress;  // 0 .. progress_maximum, without text

 protected:
  void showEvent(QShowEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
};

}  // namespace quorvandel
