// A folder list that navigates like a classic directory list: the current
// folder's path from the root down, one line per folder, each indented one
// step further and shown with an open folder, then the current folder's
// subfolders, one step further in, with closed folders. Double-clicking a
// line (or Enter on it) makes it the current folder.
#pragma once

#include <QListWidget>
#include <QString>

namespace quorvandel {

class Directory_list : public QListWidget {
  Q_OBJECT

 public:
  // Starts at the user's home folder.
  explicit Directory_list(QWidget* parent = nullptr);

  // Makes `path` the current folder and shows it afresh. A folder that does
  // not exist gives way to its nearest existing ancestor, an empty path to
  // the home folder.
  void Set_directory(const QString& path);

  // The current folder: absolute, with '/' separators and no trailing
  // separator except on a root.
  const QString& Directory() const { return directory_; }

  // The full path that a line stands for, and how many steps it is indented.
  static QString Path_of(const QListWidgetItem& line);
  static int Depth_of(const QListWidgetItem& line);

 signals:
  // The current folder became `directory`, by the user or by Set_directory.
  void Directory_changed(const QString& directory);

 private:
  void Fill();
  void Add_line(const QString& folder, const QString& text, int depth, const QIcon& icon);

  QString directory_;
};

}  // namespace quorvandel
