// What a copy of the program started while this one runs hands over: the
// file the user opened with it, the wish to see the window, a hotkey.
#include <QApplication>
#include <QMetaObject>

#include "mainwindow/main_form.h"

namespace quorvandel {

void TMainForm::Instance_message(const std::vector<std::string>& message) {
  if (message.empty()) return;
  const std::string& kind = message[0];
  if (kind == "open" && message.size() == 2 && !message[1].empty()) {
    handed_over_file_ = QString::fromStdString(message[1]);
    // A file being read or converted owns the panes; the handed file waits
    // for its end.
    if (!busy) Open_handed_over_file();
  } else if (kind == "raise" && message.size() == 1) {
    Bring_forward();
  } else if (kind == "hotkey" && message.size() == 2) {
    if (message[1] == "default") WMHotKey(default_hotkey_id);
    if (message[1] == "active") WMHotKey(active_hotkey_id);
  }
}

void TMainForm::Open_handed_over_file() {
  const QString path = std::exchange(handed_over_file_, QString());
  if (!path.isEmpty()) Open_source_file(path, File_encoding::automatic);
}

void TMainForm::Bring_forward() {
  // A dialog of the program is in front of the window and stays so.
  if (QWidget* dialog = QApplication::activeModalWidget()) {
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return;
  }
  if (minimized || isHidden() || isMinimized()) {
    RestoreIt();
    return;
  }
  raise();
  activateWindow();
}

}  // namespace quorvandel
