// The first run: the About box, a word of welcome, the two default folders,
// the operation settings and the offer of a desktop launcher.
#include <QDir>
#include <QFileInfo>

#include "mainwindow/main_form.h"
#include "mainwindow/win_info.h"
#include "platform/application_id.h"

namespace quorvandel {
namespace {

// Creates a folder; false when it cannot, or when it exists already.
bool Create_folder(const std::string& path) { return QDir().mkdir(QString::fromStdString(path)); }

// What went wrong when the launcher `name` could not be made in `folder`,
// with the reason as far as the folder tells it.
QString Shortcut_failure(const std::string& folder, const std::string& name) {
  if (folder.empty()) return TMainForm::tr("Could not create the shortcut on the desktop: no desktop folder was found.");
  const QString folder_path = QString::fromStdString(folder);
  const QString path = QDir::toNativeSeparators(QDir(folder_path).filePath(QString::fromStdString(name)));
  const QFileInfo desktop(folder_path);
  if (!desktop.isDir()) {
    return TMainForm::tr("Could not create the shortcut '%1' on the desktop: its folder does not exist.").arg(path);
  }
  if (!desktop.isWritable()) {
    return TMainForm::tr("Could not create the shortcut '%1' on the desktop: there is no permission to write in its folder.")
        .arg(path);
  }
  return TMainForm::tr("Could not create the shortcut '%1' on the desktop.").arg(path);
}

}  // namespace

void TMainForm::FirstRunTimer() {
  FirstRun.stop();
  About2Click();
  My_show_message(
      tr("It seems to be the first time you're running this program. Please take a moment to configure its operation "
         "settings."));
  if (!Create_folder(program_folder + "Original files")) {
    My_show_message(tr("Could not create the default 'Original files' folder."));
  }
  if (!Create_folder(program_folder + "Converted files")) {
    My_show_message(tr("Could not create the default 'Converted files' folder."));
  }
  Show_preferences(3);
  if (Confirm_msg(tr("Create Shortcut"), tr("Would you like to create a shortcut on the desktop ?"))) {
    const Launcher launcher{services_.executable_path, {}, program_folder, std::string(application_title) + ".desktop",
                            application_id};
    const std::string desktop = TWindowsInfo(*services_.shell_folders).Folder_at(desktop_location);
    if (!services_.launcher->Create(launcher, desktop)) My_show_message(Shortcut_failure(desktop, launcher.link_name));
  }
}

}  // namespace quorvandel
