// The first run: the About box, a word of welcome, the two default folders,
// the operation settings and the offer of a desktop launcher.
#include <QDir>

#include "mainwindow/main_form.h"
#include "mainwindow/win_info.h"
#include "platform/executable_path.h"
#include "platform/shell_link.h"

namespace quorvandel {
namespace {

constexpr int desktop_location = 1;

// Creates a folder; false when it cannot, or when it exists already.
bool Create_folder(const std::string& path) { return QDir().mkdir(QString::fromStdString(path)); }

}  // namespace

void TMainForm::FirstRunTimer() {
  FirstRun.stop();
  About2Click();
  My_show_message(
      "It seems to be the first time you're running this program. Please take a moment to configure its operation "
      "settings.");
  if (!Create_folder(program_folder + "Original files")) {
    My_show_message("Could not create the default 'Original files' folder.");
  }
  if (!Create_folder(program_folder + "Converted files")) {
    My_show_message("Could not create the default 'Converted files' folder.");
  }
  Show_preferences(3);
  if (Confirm_msg("Create Shortcut", "Would you like to create a shortcut on the desktop ?")) {
    const std::string executable = services_.executable_path.empty() ? Executable_path() : services_.executable_path;
    if (!Create_shortcut(executable, {}, program_folder, std::string(application_title) + ".desktop", desktop_location,
                         TWindowsInfo(services_.user_folders))) {
      My_show_message("Could not create the shortcut on the desktop.");
    }
  }
}

}  // namespace quorvandel
