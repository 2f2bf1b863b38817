#include "mainwindow/pane_document.h"

#include <QApplication>

#include <QProgressBar>

#include "tools/u_prog_bar.h"

namespace quorvandel {

void TPane_document::Set_progress_caption(const std::string& caption) {
  form_.dialogs().prog_bar->setWindowTitle(QString::fromStdString(caption));
}

void TPane_document::Show_progress(bool visible) { form_.dialogs().prog_bar->setVisible(visible); }

void TPane_document::Set_progress_position(int position) { form_.dialogs().prog_bar->Progress->setValue(position); }

void TPane_document::Process_messages() { QApplication::processEvents(); }

}  // namespace quorvandel
