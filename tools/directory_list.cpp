#include "tools/directory_list.h"

#include <QDir>
#include <QFileInfo>
#include <QStringList>
#include <QStyle>
#include <QStyledItemDelegate>

namespace quorvandel {
namespace {

constexpr int path_role = Qt::UserRole;
constexpr int depth_role = Qt::UserRole + 1;
constexpr int indent_step = 12;  // pixels per depth step

// Draws each line moved right by its depth.
class Indenting_delegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    QStyleOptionViewItem indented(option);
    indented.rect.adjust(index.data(depth_role).toInt() * indent_step, 0, 0, 0);
    QStyledItemDelegate::paint(painter, indented, index);
  }

  QSize sizeHint(const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    return QStyledItemDelegate::sizeHint(option, index) + QSize(index.data(depth_role).toInt() * indent_step, 0);
  }
};

// The existing folder that stands for `path`.
QString Existing_folder(const QString& path) {
  if (path.isEmpty()) return QDir::cleanPath(QDir::homePath());
  QString folder = QDir::cleanPath(QDir(path).absolutePath());
  while (!QFileInfo(folder).isDir()) {
    const QString parent = QFileInfo(folder).path();
    if (parent == folder) return QDir::cleanPath(QDir::homePath());
    folder = parent;
  }
  return folder;
}

// `folder` and its ancestors, the root first.
QStringList Path_from_root(const QString& folder) {
  QStringList chain;
  for (QString step = folder;;) {
    chain.prepend(step);
    const QString parent = QFileInfo(step).path();
    if (parent == step) break;
    step = parent;
  }
  return chain;
}

QString Line_text(const QString& folder) {
  const QString name = QFileInfo(folder).fileName();
  return name.isEmpty() ? QDir::toNativeSeparators(folder) : name;
}

}  // namespace

Directory_list::Directory_list(QWidget* parent) : QListWidget(parent) {
  setItemDelegate(new Indenting_delegate(this));
  setUniformItemSizes(true);
  connect(this, &QListWidget::itemActivated, this, [this](QListWidgetItem* line) {
    if (line != nullptr) Set_directory(Path_of(*line));
  });
  Set_directory(QString());
}

QString Directory_list::Path_of(const QListWidgetItem& line) { return line.data(path_role).toString(); }

int Directory_list::Depth_of(const QListWidgetItem& line) { return line.data(depth_role).toInt(); }

void Directory_list::Set_directory(const QString& path) {
  const QString folder = Existing_folder(path);
  const bool changed = folder != directory_;
  directory_ = folder;
  Fill();
  if (changed) emit Directory_changed(directory_);
}

void Directory_list::Add_line(const QString& folder, const QString& text, int depth, const QIcon& icon) {
  auto* line = new QListWidgetItem(icon, text, this);
  line->setData(path_role, folder);
  line->setData(depth_role, depth);
}

void Directory_list::Fill() {
  clear();
  const QStringList path = Path_from_root(directory_);
  const QIcon open_folder = style()->standardIcon(QStyle::SP_DirOpenIcon);
  for (int depth = 0; depth < path.size(); ++depth) {
    Add_line(path[depth], Line_text(path[depth]), depth, open_folder);
  }
  const int current_row = count() - 1;
  const QIcon closed_folder = style()->standardIcon(QStyle::SP_DirClosedIcon);
  const QFileInfoList subfolders =
      QDir(directory_).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
  for (const QFileInfo& subfolder : subfolders) {
    Add_line(QDir::cleanPath(subfolder.absoluteFilePath()), subfolder.fileName(), current_row + 1, closed_folder);
  }
  setCurrentRow(current_row);
  // The path from the root stays in sight above the current folder; before
  // the list is shown its height is not known yet, so scrolling waits.
  scrollToTop();
  if (isVisible()) scrollToItem(currentItem());
}

}  // namespace quorvandel
