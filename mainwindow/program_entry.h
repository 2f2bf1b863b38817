// The program's life: the single-instance guard, the windows created in
// their order, the settings loaded, the saved geometry or the first run,
// and the message loop.
#pragma once

#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "mainwindow/main_form.h"
#include "mainwindow/services.h"
#include "platform/files/user_folders.h"

namespace quorvandel {

// The main window and the dialogs, created in the program's order: the main
// window, then the About box, the progress dialog, the confirmation, the
// preferences dialog (which loads the settings), the input box and the
// folder selection.
class TProgram {
 public:
  // `prepare` runs on the main window before the other windows are made
  // (tests answer the dialogs through it).
  TProgram(const std::string& program_folder, Services services,
           const std::function<void(TMainForm&)>& prepare = {});
  ~TProgram();

  TMainForm& main_form() { return *main_form_; }

  // Puts the window where it was saved, or centres it and starts the first
  // run a moment after it shows; adds the tray icon; shows the window
  // unless the program starts hidden in the tray (minimized to the
  // taskbar instead when the desktop has no tray).
  void Start();

  // Opens the first file named on the command line (`arguments` as
  // QApplication::arguments() gives them, the program first) into the
  // source pane.
  void Open_command_line(const QStringList& arguments);

 private:
  std::unique_ptr<TMainForm> main_form_;
};

// The first argument that is not an option, the program's own (the first)
// left out; empty when there is none.
QString First_file_argument(const QStringList& arguments);

// Asks the running copy to act as if the hotkey ("default" or "active")
// had been pressed; returns the process's exit status: 0 when it took the
// message, 1 when no copy runs (said on the standard error), 2 for another
// word.
int Send_hotkey(std::string_view hotkey);

class Portal_keystrokes;

// The desktop's consent to send keys kept in the settings file at
// `ini_path` ([Configuration] remote_desktop_restore_token), so that the
// portal's dialog comes once where the portal keeps consent. Linux only.
void Keep_key_consent(Portal_keystrokes& keys, const std::string& ini_path);

// The real desktop services of this system, built here and nowhere else,
// for the user whose folders these are. Needs the QApplication to exist
// already (the clipboard is Qt's).
Services Make_desktop_services(const User_folders& user = User_folders_from_environment());

// Keeps in the settings file what the user consented to once (the desktop
// portal's token for sending keys), so the question is not asked again.
void Keep_consents(const Services& services, const std::string& ini_path);

// This system's channel to the running copy, for a copy that only hands
// something over (Send_hotkey) and for Make_desktop_services.
std::shared_ptr<Instance_channel_service> Make_instance_channel();

// The command a compositor's key binding runs ("--hotkey default"): hands
// the press to the running copy and gives the process's exit status;
// nothing for another command line. Creates nothing else, so that main()
// calls it first and the press arrives without a start's delay.
std::optional<int> Run_hotkey_command(int argc, char** argv);

// The whole program entry; returns the process's exit status.
int Run_program(int argc, char** argv);

}  // namespace quorvandel
