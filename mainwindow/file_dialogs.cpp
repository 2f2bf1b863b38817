#include "mainwindow/file_dialogs.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QStyle>

namespace quorvandel {
namespace {

constexpr const char* encoding_box_name = "Encoding";

QIcon Standard(QStyle::StandardPixmap pixmap) { return QApplication::style()->standardIcon(pixmap); }

}  // namespace

QIcon Name_only_icon_provider::icon(IconType type) const {
  switch (type) {
    case Computer: return Standard(QStyle::SP_ComputerIcon);
    case Desktop: return Standard(QStyle::SP_DesktopIcon);
    case Trashcan: return Standard(QStyle::SP_TrashIcon);
    case Network: return Standard(QStyle::SP_DriveNetIcon);
    case Drive: return Standard(QStyle::SP_DriveHDIcon);
    case Folder: return Standard(QStyle::SP_DirIcon);
    case File: break;
  }
  return Standard(QStyle::SP_FileIcon);
}

QIcon Name_only_icon_provider::icon(const QFileInfo& info) const {
  if (info.isRoot()) return icon(Drive);
  return icon(info.isDir() ? Folder : File);
}

QString Name_only_icon_provider::type(const QFileInfo& info) const {
  if (info.isRoot()) return QCoreApplication::translate("File_dialogs", "Drive");
  if (info.isDir()) return QCoreApplication::translate("File_dialogs", "Folder");
  if (info.isSymLink()) return QCoreApplication::translate("File_dialogs", "Link");
  const QString suffix = info.suffix();
  return suffix.isEmpty() ? QCoreApplication::translate("File_dialogs", "File")
                          : QCoreApplication::translate("File_dialogs", "%1 File").arg(suffix.toUpper());
}

void Prepare_file_dialog(QFileDialog& dialog, const File_dialog_request& request, bool saving) {
  static Name_only_icon_provider icons;
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setOption(QFileDialog::DontUseCustomDirectoryIcons);
  dialog.setOption(QFileDialog::ReadOnly, false);
  dialog.setIconProvider(&icons);
  dialog.setWindowTitle(request.caption);
  dialog.setNameFilter(request.filter);
  dialog.setNameFilters(request.filter.split(QStringLiteral(";;")));
  if (saving) {
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.confirm_overwrite);
    dialog.setDirectory(request.folder);
    if (!request.proposed_name.isEmpty()) dialog.selectFile(request.proposed_name);
  } else {
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setDirectory(request.folder);
  }

  auto* encodings = new QComboBox(&dialog);
  encodings->setObjectName(encoding_box_name);
  const auto add = [encodings](File_encoding encoding) {
    encodings->addItem(QCoreApplication::translate("File_dialogs", Encoding_name(encoding)), static_cast<int>(encoding));
  };
  if (!saving) add(File_encoding::automatic);
  for (const File_encoding encoding : {File_encoding::single_byte, File_encoding::utf8}) {
    add(encoding);
  }
  const int offered = encodings->findData(static_cast<int>(request.encoding));
  encodings->setCurrentIndex(offered < 0 ? 0 : offered);
  // Qt's own dialog lays its controls out in a grid: the encoding goes in a
  // row of its own below the file type.
  if (auto* grid = qobject_cast<QGridLayout*>(dialog.layout())) {
    const int row = grid->rowCount();
    auto* label = new QLabel(QCoreApplication::translate("File_dialogs", "&Encoding:"), &dialog);
    label->setBuddy(encodings);
    grid->addWidget(label, row, 0);
    grid->addWidget(encodings, row, 1);
  }
}

namespace {

QString Run(QWidget* parent, File_dialog_request& request, bool saving) {
  QFileDialog dialog(parent);
  Prepare_file_dialog(dialog, request, saving);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
  if (const auto* encodings = dialog.findChild<QComboBox*>(encoding_box_name)) {
    request.encoding = static_cast<File_encoding>(encodings->currentData().toInt());
  }
  return dialog.selectedFiles().constFirst();
}

}  // namespace

QString Run_open_dialog(QWidget* parent, File_dialog_request& request) { return Run(parent, request, false); }

QString Run_save_dialog(QWidget* parent, File_dialog_request& request) { return Run(parent, request, true); }

}  // namespace quorvandel
