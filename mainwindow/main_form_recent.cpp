// The File menu's list of recently opened files, kept in the settings file.
#include <QFileInfo>
#include <QMenu>

#include "mainwindow/main_form.h"
#include "settings/ini_store.h"

namespace quorvandel {
namespace {

constexpr const char* recent_section = "Recent_Files";
constexpr int recent_kept = 8;

std::string Recent_key(int index) { return "file" + std::to_string(index + 1); }

}  // namespace

void TMainForm::Load_recent_files() {
  recent_files.clear();
  try {
    const Ini_store store(settings_file_path);
    for (int i = 0; i < recent_kept; ++i) {
      const std::string path = store.Read(recent_section, Recent_key(i), "");
      if (!path.empty()) recent_files.push_back(QString::fromStdString(path));
    }
  } catch (const Settings_error&) {
    recent_files.clear();  // an unreadable settings file is reported where the settings are loaded
  }
  Update_recent_menu();
}

void TMainForm::Remember_recent_file(const QString& path) {
  const QString full = QFileInfo(path).absoluteFilePath();
  recent_files.removeAll(full);
  recent_files.prepend(full);
  while (recent_files.size() > recent_kept) recent_files.removeLast();
  Update_recent_menu();
  if (settings_file_path.empty()) return;
  try {
    Ini_store store(settings_file_path);
    for (int i = 0; i < recent_kept; ++i) {
      store.Write(recent_section, Recent_key(i), i < recent_files.size() ? recent_files[i].toStdString() : "");
    }
  } catch (const Settings_error&) {
    // The list stays in the menu for this session; the settings themselves
    // report a settings file that cannot be written when they are saved.
  }
}

void TMainForm::Update_recent_menu() {
  if (!RecentMenu) return;
  RecentMenu->clear();
  for (int i = 0; i < recent_files.size(); ++i) {
    const QString path = recent_files[i];
    const QString caption = QStringLiteral("&%1 %2").arg(i + 1).arg(QString(path).replace('&', "&&"));
    connect(RecentMenu->addAction(caption), &QAction::triggered, this,
            [this, path] { Open_source_file(path, File_encoding::automatic); });
  }
  RecentMenu->setEnabled(!recent_files.isEmpty());
}

}  // namespace quorvandel
