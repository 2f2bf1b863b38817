#include "tools/u_prog_bar.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QProgressBar>
#include <QVBoxLayout>

#include "tools/window_placement.h"

namespace quorvandel {

TProgBar::TProgBar(QWidget* parent) : QDialog(parent, buttonless_dialog_flags), Progress(new QProgressBar(this)) {
  setWindowTitle(tr("Please Wait"));
  setFixedSize(283, 60);
  setModal(false);
  setCursor(Qt::WaitCursor);

  Progress->setRange(0, progress_maximum);
  Progress->setValue(0);
  Progress->setTextVisible(false);

  auto* form = new QVBoxLayout(this);
  form->setContentsMargins(16, 16, 16, 16);
  form->addWidget(Progress);
}

void TProgBar::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

// Requests from the window system come as spontaneous events; close() from
// the program is not one and goes through.
void TProgBar::closeEvent(QCloseEvent* event) {
  if (event->spontaneous()) {
    event->ignore();
    return;
  }
  QDialog::closeEvent(event);
}

void TProgBar::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Centre_on_screen(*this);
}

}  // namespace quorvandel
