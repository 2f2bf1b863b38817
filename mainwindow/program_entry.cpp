#include "mainwindow/program_entry.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QMessageBox>
#include <QStringList>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string_view>

#include "hotkeys/hotkey_command.h"
#include "platform/application_id.h"
#include "platform/licence_notice.h"
#include "platform/named_semaphore.h"
#include "platform/named_semaphore_locks.h"
#include "resources/icons.h"
#include "resources/translations.h"
#include "settings/ini_store.h"
#include "settings/prefs.h"
#include "settings/settings_location.h"
#include "settings/dialogs/u_hotkey.h"
#include "settings/dialogs/u_preferences.h"
#include "tools/context_help.h"
#include "tools/u_about.h"
#include "tools/u_ascii_chart.h"
#include "tools/u_idcheck.h"
#include "tools/u_confirm.h"
#include "tools/u_my_input_box.h"
#include "tools/u_path_selection.h"
#include "tools/u_prog_bar.h"
#include "tools/window_placement.h"

namespace quorvandel {
namespace {

constexpr int first_run_delay_ms = 500;
// How long a copy waits for the running one to listen: it does once its
// windows are made.
constexpr int hand_over_wait_ms = 10000;
constexpr unsigned long hand_over_retry_ms = 20;

using Message = std::vector<std::string>;

// Sends the message to the running copy, waiting for it while it starts.
bool Hand_over(Instance_channel_service& channel, const Message& message) {
  const QDeadlineTimer deadline(hand_over_wait_ms);
  while (!channel.Send(message)) {
    if (deadline.hasExpired()) return false;
    QThread::msleep(hand_over_retry_ms);
  }
  return true;
}

// The running copy opens the file named on the command line, if any, and
// shows its window. True when it took them.
bool Hand_over_to_running_copy(Instance_channel_service& channel, const QStringList& arguments) {
  const QString file = First_file_argument(arguments);
  if (!file.isEmpty()) {
    if (!Hand_over(channel, {"open", QFileInfo(file).absoluteFilePath().toStdString()})) return false;
    channel.Send({"raise"});
    return true;
  }
  return Hand_over(channel, {"raise"});
}

// True when this copy may run; otherwise it has handed the running copy
// what the user asked for, or told the user that it could not, or stays
// silent while another refused copy is telling them.
// The locks stay held until the process ends.
bool Only_copy_running(Instance_locks& locks, Instance_channel_service& channel, const QStringList& arguments) {
  if (!locks.Held_elsewhere(exe_semaphore_name)) return true;
  if (Hand_over_to_running_copy(channel, arguments)) return false;
  if (locks.Held_elsewhere(msg_semaphore_name)) return false;
  QMessageBox box(QMessageBox::NoIcon, application_title,
                  QCoreApplication::translate("TProgram", "Another instance of this program is already running."),
                  QMessageBox::Ok);
  box.exec();
  return false;
}

// The interface language the settings file chooses; the system's when the
// file is missing or cannot be read (the main window reports that later).
int Interface_language_setting(const std::string& program_folder) {
  try {
    const std::string value =
        Ini_store(program_folder + settings_file_name).Read(configuration_section, interface_language_key, "0");
    return value == "1" ? language_english : value == "2" ? language_hebrew : language_system;
  } catch (const Settings_error&) {
    return language_system;
  }
}

}  // namespace

TProgram::TProgram(const std::string& program_folder, Services services,
                   const std::function<void(TMainForm&)>& prepare)
    : main_form_(std::make_unique<TMainForm>(std::move(services))) {
  TMainForm& form = *main_form_;
  form.Set_program_folder(program_folder);
  if (prepare) prepare(form);
  TMainForm::Dialogs dialogs;
  dialogs.about = new TAbout(*form.services().url_opener, &form);
  dialogs.prog_bar = new TProgBar(&form);
  dialogs.ascii_chart = new TASCIIChart(&form);
  dialogs.confirm = new TConfirm(&form);
  dialogs.hotkey_selection = new THotkeySelection(&form);
  form.Set_dialogs(dialogs);  // the preferences dialog may already show messages
  Input_language_service& input_language = *form.services().input_language;
  dialogs.pref_form = new TPrefForm(form, input_language, &form);
  dialogs.input_box = new TMyInputBox(input_language, &form);
  dialogs.id_check = new TIDCheck(input_language, &form);
  dialogs.path_select = new TPathSelect(&form);
  form.Set_dialogs(dialogs);
  Set_help_keyword(dialogs.about, TAbout::help_keyword);
  Set_help_keyword(dialogs.ascii_chart, TASCIIChart::help_keyword);
  Set_help_keyword(dialogs.id_check, TIDCheck::help_keyword);
  for (QWidget* dialog : std::initializer_list<QWidget*>{dialogs.about, dialogs.ascii_chart, dialogs.hotkey_selection,
                                                        dialogs.pref_form, dialogs.id_check}) {
    Install_context_help(*dialog, *form.services().help);
  }
  form.Load_recent_files();
}

QString First_file_argument(const QStringList& arguments) {
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i].startsWith('-')) continue;  // Qt's own options, such as -platform, are gone by now
    return arguments[i];
  }
  return {};
}

void TProgram::Open_command_line(const QStringList& arguments) {
  const QString file = First_file_argument(arguments);
  if (!file.isEmpty()) main_form_->Open_source_file(file, File_encoding::automatic);
}

TProgram::~TProgram() = default;

void TProgram::Start() {
  TMainForm& form = *main_form_;
  const TOperation& operation = *form.Holder()->operation;
  if (form.Settings_file_found()) {
    form.dialogs().pref_form->Select_page(0);
    if (operation.window_pos_x > 0 && operation.window_pos_y > 0 && operation.window_width > 0 &&
        operation.window_height > 0) {
      form.move(operation.window_pos_x, operation.window_pos_y);
      form.resize(operation.window_width, operation.window_height);
    } else {
      Centre_on_screen(form);
    }
  } else {
    form.Start_first_run(first_run_delay_ms);
    Centre_on_screen(form);
  }
  form.Show_status();
  form.Add_systray_icon();
  form.Set_started_normally(!operation.start_minimized);
  if (operation.start_minimized && operation.min_to_systray) {
    form.Set_start_hidden(true);
    // Without a tray there would be nothing to restore a hidden window from.
    if (!form.services().tray->Available()) form.showMinimized();
  } else {
    form.show();
  }
  // Another copy's messages wait in the event loop until the program runs.
  form.services().instance_channel->Listen(
      [&form](const std::vector<std::string>& message) { form.Instance_message(message); });
}

int Send_hotkey(std::string_view hotkey) {
  Named_semaphore_locks locks;
  const Hotkey_command_result result =
      Hand_hotkey_over(hotkey, *Make_instance_channel(), locks, "quorvandel --hotkey");
  std::fputs(result.error.c_str(), stderr);
  return result.exit_status;
}

std::optional<int> Run_hotkey_command(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--hotkey") {
      QCoreApplication application(argc, argv);  // no display needed
      return Send_hotkey(i + 1 < argc ? argv[i + 1] : "");
    }
  }
  return std::nullopt;
}

int Run_program(int argc, char** argv) {
  // Answered before any window system is needed, as the converter does.
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("quorvandel %s\n%s", QUORVANDEL_VERSION, licence_notice);
    return 0;
  }
  if (const std::optional<int> status = Run_hotkey_command(argc, argv)) return *status;
  QApplication application(argc, argv);
  // The name is what screen readers announce and the windows' class
  // (WM_CLASS), which the installed desktop entry's StartupWMClass matches;
  // the application ID names that desktop entry, and on Wayland the
  // application it describes.
  QApplication::setApplicationName(application_name);
  QApplication::setDesktopFileName(application_id);
  QApplication::setApplicationDisplayName(application_title);
  QApplication::setWindowIcon(Main_icon());

  const User_folders user = User_folders_from_environment();
  const std::string program_folder = Program_folder(Executable_folder(), user);
  Install_interface_language(Interface_language(Interface_language_setting(program_folder)));

  Named_semaphore_locks locks;  // held until the process ends
  if (!Only_copy_running(locks, *Make_instance_channel(), QApplication::arguments())) return 0;
  TProgram program(program_folder, Make_desktop_services(user));
  QObject::connect(&program.main_form(), &TMainForm::Closed, &application, &QApplication::quit,
                   Qt::QueuedConnection);
  Keep_consents(program.main_form().services(), program.main_form().Settings_file().ini_path);
  program.Start();
  program.Open_command_line(QApplication::arguments());
  QApplication::setQuitOnLastWindowClosed(false);
  return QApplication::exec();
}

}  // namespace quorvandel
