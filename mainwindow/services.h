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
#include "platform/input_language_service.h"
#include "platform/instance_channel_service.h"
#include "platform/launcher_service.h"
#include "platform/login_entry_service.h"
#include "platform/shell_folders_service.h"
#include "platform/tray_service.h"
#include "platform/url_opener_service.h"

namespace quorvandel {

// Every member is set: the window and the dialogs use them without testing.
// The single-instance locks are not here: the program entry takes them
// before any window exists (Run_program).
struct Services {
  std::shared_ptr<Hotkey_service> hotkeys;
  std::shared_ptr<Keystroke_service> keystrokes;
  std::shared_ptr<Clipboard_service> clipboard;
  std::shared_ptr<Tray_service> tray;
  std::shared_ptr<Help_service> help;
  std::shared_ptr<Login_entry_service> login_entry;
  std::shared_ptr<Shell_folders_service> shell_folders;
  std::shared_ptr<Launcher_service> launcher;
  std::shared_ptr<Input_language_service> input_language;
  std::shared_ptr<Url_opener_service> url_opener;
  std::shared_ptr<Instance_channel_service> instance_channel;  // the running copy listens on it
  std::string executable_path;  // this program's, for the launcher on the desktop
  // False on a Wayland desktop that gives this program neither data control
  // nor the portal's clipboard: the hotkeys cannot read other programs'.
  bool clipboard_reaches_other_programs = true;
};

}  // namespace quorvandel
