// A whole program in a temporary folder: its settings file, its user
// folders, and the main window with every dialog answered by the test.
#pragma once

#include <QApplication>
#include <QDialog>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "mainwindow/program_entry.h"
#include "platform/qt/qt_clipboard.h"
#include "support/recording_help.h"
#include "support/recording_hotkeys.h"
#include "support/recording_input_language.h"
#include "support/recording_instance_channel.h"
#include "support/recording_keystrokes.h"
#include "support/recording_url_opener.h"
#include "support/recording_tray.h"
#include "support/scratch_files.h"

namespace quorvandel::testing {

namespace fs = std::filesystem;

// The log-in entry, the shell folders and the launcher of this system, the
// real ones, for the user whose folders these are (program_services*.cpp,
// one a system).
void Add_system_services(Services& services, const User_folders& user);

// A control of the main window, found by its name as a user's tool finds it
// (the names are the members' own: "RichEdit1", "OpenBut", "PopExit" ...).
template <class Control>
Control* Find_control(const QObject& window, const char* name) {
  Control* control = window.findChild<Control*>(QString::fromLatin1(name));
  if (control == nullptr) ADD_FAILURE() << "the window has no control " << name;
  return control;
}

class Program_fixture : public ::testing::Test {
 protected:
  // The program's folder, ending with its separator.
  std::string Folder() const { return folder_.path().toStdString() + "/"; }
  fs::path Path(const std::string& name) const { return fs::path(Folder()) / name; }
  fs::path Ini_path() const { return Path("Quorvandel.ini"); }

  // Starts the program; write the settings file before, if any.
  void Start_program() {
    fs::create_directories(Path("home/.config"));
    Services services;
    if (!hotkeys) hotkeys = std::make_shared<Recording_hotkeys>();
    services.hotkeys = hotkeys;
    services.keystrokes = keystrokes;
    services.clipboard = clipboard;  // Qt's own, so that the tests see what the user would
    services.tray = tray;
    services.help = help;
    // The log-in entry, the shell folders and the launcher are the real
    // ones, in the program's own folder.
    const User_folders user{Path("home/.config").string(), Path("home").string()};
    services.executable_path = Folder() + "quorvandel";
    Add_system_services(services, user);
    services.input_language = input_language;
    services.url_opener = url_opener;
    services.instance_channel = instance_channel;
    services.clipboard_reaches_other_programs = clipboard_reaches_other_programs;
    program_ = std::make_unique<TProgram>(Folder(), services, [this](TMainForm& form) { Answer_dialogs(form); });
    program_->Start();
  }

  TMainForm& Form() { return program_->main_form(); }
  template <class Control>
  Control* Control_named(const char* name) {
    return Find_control<Control>(Form(), name);
  }
  TText_pane* RichEdit1() { return Find_control<TText_pane>(Form(), "RichEdit1"); }  // the source pane
  TText_pane* RichEdit2() { return Find_control<TText_pane>(Form(), "RichEdit2"); }  // the destination pane

  void Answer_dialogs(TMainForm& form) {
    form.Hooks().show_message = [this](const QString& text) { messages.push_back(text.toStdString()); };
    form.Hooks().show_modal = [this](QDialog& dialog) {
      shown.push_back(dialog.metaObject()->className());
      if (!modal_answers.empty()) {
        const auto answer = modal_answers.front();
        modal_answers.pop_front();
        return answer(dialog);
      }
      return 2;  // cancelled
    };
    form.Hooks().ask_ok_cancel = [this](const QString& text) {
      messages.push_back(text.toStdString());
      return answer_ok;
    };
    form.Hooks().open_file = [this](const File_dialog_request& request) {
      open_requests.push_back(request);
      return file_to_open;
    };
    form.Hooks().save_file = [this](const File_dialog_request& request) {
      save_requests.push_back(request);
      return file_to_save;
    };
  }

  TPrefs& Holder() { return *Form().Holder(); }

  void Close_program() {
    Form().close();
    QApplication::processEvents();
  }

  QTemporaryDir folder_;
  std::unique_ptr<TProgram> program_;
  std::vector<std::string> messages;
  std::vector<std::string> shown;  // class names of the dialogs shown modally
  std::deque<std::function<int(QDialog&)>> modal_answers;
  std::vector<File_dialog_request> open_requests;
  std::vector<File_dialog_request> save_requests;
  bool answer_ok = true;
  std::shared_ptr<Hotkey_service> hotkeys;  // a Recording_hotkeys when left empty
  std::shared_ptr<Recording_keystrokes> keystrokes = std::make_shared<Recording_keystrokes>();
  std::shared_ptr<Qt_clipboard> clipboard = std::make_shared<Qt_clipboard>();
  std::shared_ptr<Recording_tray> tray = std::make_shared<Recording_tray>();
  std::shared_ptr<Recording_help> help = std::make_shared<Recording_help>();
  std::shared_ptr<Recording_input_language> input_language = std::make_shared<Recording_input_language>();
  std::shared_ptr<Recording_url_opener> url_opener = std::make_shared<Recording_url_opener>();
  std::shared_ptr<Recording_instance_channel> instance_channel = std::make_shared<Recording_instance_channel>();
  bool clipboard_reaches_other_programs = true;
  QString file_to_open;
  QString file_to_save;
};

}  // namespace quorvandel::testing
