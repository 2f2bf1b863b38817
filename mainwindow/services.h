// What the main window and its dialogs ask of the desktop beyond their own
// widgets. The program entry builds the real services (Make_desktop_services
// in program_entry.h); tests give the fakes of tests/support/.
#pragma once

#include <memory>
#include <string>

#include "hotkeys/hotkey_service.h"
#include "hotkeys/keystroke_service.h"
#include "platform/clipboard_service.h"
#include "platform/help_service.h"
#include "platform/tray_service.h"
#include "platform/user_folders.h"

namespace quorvandel {

// Every member is set: the window and the dialogs use them without testing.
struct Services {
  std::shared_ptr<Hotkey_service> hotkeys;
  std::shared_ptr<Keystroke_service> keystrokes;
  std::shared_ptr<Clipboard_service> clipboard;
  std::shared_ptr<Tray_service> tray;
  std::shared_ptr<Help_service> help;
  User_folders user_folders = User_folders_from_environment();
  std::string executable_path;  // empty: this process's own
};

}  // namespace quorvandel
