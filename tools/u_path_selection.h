// The folder chooser. The caller sets the current folder with
// DirectoryListBox1->Set_directory, shows the dialog modally and, when
// exec() returns mr_ok, takes SelectedPath.
#pragma once

#include <QByteArray>
#include <QDialog>
#include <QString>

class QComboBox;
class QLabel;
class QPushButton;

namespace quorvandel {

class Directory_list;

// Whether a mounted volume is one a user keeps files on, judged by where it
// is mounted and its file system: not the system's run-time folders under
// /run (removable media under /run/media are kept) and not read-only
// package images.
bool Is_listed_volume(const QString& root_path, const QByteArray& file_system_type);

class TPathSelect : public QDialog {
  Q_OBJECT

 public:
  explicit TPathSelect(QWidget* parent = nullptr);

  // Esc and the close box end the dialog as Cancel does.
  void reject() override;

  QLabel* Label1;                       // "Please select a new path:"
  QComboBox* DriveComboBox1;            // the home folder, then the mounted volumes
  Directory_list* DirectoryListBox1;    // the folders of the chosen place
  QPushButton* BitBtn1;                 // "OK": mr_ok; the default button
  QPushButton* BitBtn2;                 // "Cancel": mr_cancel

  // The folder that the directory list last showed as its current folder.
  QString SelectedPath;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // Lists the home folder and the volumes mounted now.
  void Fill_drives();
  // Shows in the drive list the place that holds `folder`.
  void Show_drive_of(const QString& folder);
  void DriveComboBox1Change(int index);
  void DirectoryListBox1Change();
};

}  // namespace quorvandel
