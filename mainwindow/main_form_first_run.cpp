// The first run: the About box, a word of welcome, the two default folders,
// the operation settings and the offer of a desktop launcher.
#include <QDir>

#include "mainwindow/main_form.h"
#include "mainwindow/win_info.h"
#include "platform/application_id.h"

namespace quorvandel {
namespace {

// Creates a folder; false when it cannot, or when it exists already.
bool Create_folder(const std::string& path) { return QDir().mkdir(QString::fromStdString(path)); }

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
    if (!services_.launcher->Create(launcher, TWindowsInfo(*services_.shell_folders).Folder_at(desktop_location))) {
      My_show_message(tr("Could not create the shortcut on the desktop."));
    }
  }
}

}  // namespace quorvandel
