// The program's own open and save dialogs: Qt's file dialog, never the
// desktop's, with a choice of encoding below the file type, and icons and
// type names taken from names alone, so that the dialog never reads a
// file's contents (a file of /proc or a device could block it for good).
#pragma once

#include <QAbstractFileIconProvider>
#include <QString>

#include "mainwindow/main_form.h"

class QFileDialog;

namespace quorvandel {

// Icons and types by a file's kind and name only.
class Name_only_icon_provider : public QAbstractFileIconProvider {
 public:
  QIcon icon(IconType type) const override;
  QIcon icon(const QFileInfo& info) const override;
  QString type(const QFileInfo& info) const override;
};

// Sets up `dialog` for `request`: options, filter, the encoding box.
void Prepare_file_dialog(QFileDialog& dialog, const File_dialog_request& request, bool saving);

// Shows the dialog modally; returns the chosen file, empty when cancelled,
// and leaves the chosen encoding in `request`.
QString Run_open_dialog(QWidget* parent, File_dialog_request& request);
QString Run_save_dialog(QWidget* parent, File_dialog_request& request);

}  // namespace quorvandel
