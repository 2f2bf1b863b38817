#include "tools/u_path_selection.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QList>
#include <QPushButton>
#include <QStorageInfo>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>

#include "tools/directory_list.h"
#include "tools/modal_result.h"
#include "tools/window_placement.h"

namespace quorvandel {
namespace {

constexpr int root_role = Qt::UserRole;

#ifdef Q_OS_WIN
constexpr Qt::CaseSensitivity path_case = Qt::CaseInsensitive;
#else
constexpr Qt::CaseSensitivity path_case = Qt::CaseSensitive;
#endif

bool Is_within(const QString& folder, const QString& root) {
  if (folder.compare(root, path_case) == 0) return true;
  const QString prefix = root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/');
  return folder.startsWith(prefix, path_case);
}

QString Drive_text(const QString& root, const QString& name) {
  // A left-to-right mark keeps the path's leading separator in place in a
  // right-to-left interface.
  const QString shown = QChar(0x200E) + QDir::toNativeSeparators(root);
  return name.isEmpty() || name == root ? shown : shown + QStringLiteral("  [") + name + QLatin1Char(']');
}

}  // namespace

bool Is_listed_volume(const QString& root_path, const QByteArray& file_system_type) {
  if (file_system_type == "squashfs") return false;
  if (Is_within(root_path, QStringLiteral("/run"))) return Is_within(root_path, QStringLiteral("/run/media"));
  return true;
}

TPathSelect::TPathSelect(QWidget* parent)
    : QDialog(parent, system_menu_dialog_flags),
      Label1(new QLabel(tr("Please select a new path:"), this)),
      DriveComboBox1(new QComboBox(this)),
      DirectoryListBox1(new Directory_list(this)),
      BitBtn1(new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), tr("OK"), this)),
      BitBtn2(new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), tr("Cancel"), this)) {
  setWindowTitle(tr("Path Selection"));
  setFixedSize(351, 323);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(BitBtn1);
  buttons->addWidget(BitBtn2);

  auto* form = new QVBoxLayout(this);
  form->setContentsMargins(4, 4, 4, 4);
  form->addWidget(Label1);
  form->addWidget(DriveComboBox1);
  form->addWidget(DirectoryListBox1, 1);
  form->addLayout(buttons);

  BitBtn1->setDefault(true);
  connect(BitBtn1, &QPushButton::clicked, this, [this] { done(mr_ok); });
  connect(BitBtn2, &QPushButton::clicked, this, [this] { done(mr_cancel); });
  connect(DriveComboBox1, &QComboBox::activated, this, &TPathSelect::DriveComboBox1Change);
  connect(DirectoryListBox1, &Directory_list::Directory_changed, this, &TPathSelect::DirectoryListBox1Change);

  Fill_drives();
  DirectoryListBox1Change();
}

void TPathSelect::reject() { done(mr_cancel); }

void TPathSelect::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  Centre_on_screen(*this);
  // Volumes come and go, and folders may have been made since the last
  // time: show both afresh.
  Fill_drives();
  DirectoryListBox1->Set_directory(DirectoryListBox1->Directory());
  Show_drive_of(DirectoryListBox1->Directory());
  DirectoryListBox1->setFocus();
}

void TPathSelect::Fill_drives() {
  DriveComboBox1->clear();
  const QString home = QDir::cleanPath(QDir::homePath());
  DriveComboBox1->addItem(style()->standardIcon(QStyle::SP_DirHomeIcon), Drive_text(home, tr("Home")), home);

  QList<QStorageInfo> volumes;
  for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
    if (!volume.isValid() || !volume.isReady()) continue;
    const QString root = QDir::cleanPath(volume.rootPath());
    if (root == home || !QFileInfo(root).isDir() || !Is_listed_volume(root, volume.fileSystemType())) continue;
    volumes.append(volume);
  }
  std::sort(volumes.begin(), volumes.end(), [](const QStorageInfo& a, const QStorageInfo& b) {
    return a.rootPath().compare(b.rootPath(), path_case) < 0;
  });
  const QIcon drive_icon = style()->standardIcon(QStyle::SP_DriveHDIcon);
  for (const QStorageInfo& volume : volumes) {
    const QString root = QDir::cleanPath(volume.rootPath());
    DriveComboBox1->addItem(drive_icon, Drive_text(root, volume.name()), root);
  }
}

void TPathSelect::Show_drive_of(const QString& folder) {
  int best = -1;
  qsizetype best_length = -1;
  for (int i = 0; i < DriveComboBox1->count(); ++i) {
    const QString root = DriveComboBox1->itemData(i, root_role).toString();
    if (Is_within(folder, root) && root.size() > best_length) {
      best = i;
      best_length = root.size();
    }
  }
  DriveComboBox1->setCurrentIndex(best);
}

void TPathSelect::DriveComboBox1Change(int index) {
  if (index < 0) return;
  DirectoryListBox1->Set_directory(DriveComboBox1->itemData(index, root_role).toString());
}

void TPathSelect::DirectoryListBox1Change() {
  SelectedPath = DirectoryListBox1->Directory();
  Show_drive_of(SelectedPath);
}

}  // namespace quorvandel
