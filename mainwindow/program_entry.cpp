#include "mainwindow/program_entry.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>
#include <cstdio>
#include <cstring>

#include "hotkeys/x11/stand_in_hotkeys.h"
#include "hotkeys/x11/stand_in_keystrokes.h"
#include "hotkeys/x11/x11_keys.h"
#include "platform/executable_path.h"
#include "platform/linux/autostart_login_entry.h"
#include "platform/linux/desktop_file_launcher.h"
#include "platform/linux/ignored_input_language.h"
#include "platform/application_id.h"
#include "platform/licence_notice.h"
#include "platform/linux/xdg_shell_folders.h"
#include "platform/named_semaphore.h"
#include "platform/named_semaphore_locks.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_help_window.h"
#include "platform/qt/qt_tray_service.h"
#include "platform/qt/qt_url_opener.h"
#include "resources/icons.h"
#include "resources/translations.h"
#include "settings/ini_store.h"
#include "settings/prefs.h"
#include "settings/settings_location.h"
#include "settings/dialogs/u_hotkey.h"
#include "settings/dialogs/u_preferences.h"
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


// True when this copy may run; otherwise it has told the user, or stays
// silent while another refused copy is telling them.
// The locks stay held until the process ends.
bool Only_copy_running(Instance_locks& locks) {
  if (!locks.Held_elsewhere(exe_semaphore_name)) return true;
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
  form.Load_recent_files();
}

void TProgram::Open_command_line(const QStringList& arguments) {
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i].startsWith('-')) continue;  // Qt's own options, such as -platform, are gone by now
    main_form_->Open_source_file(arguments[i], File_encoding::automatic);
    return;
  }
}

TProgram::~TProgram() = default;

void TProgram::Start() {
  TMainForm& form = *main_form_;
  const TOperation& operation = *form.Holder()->operation;
  if (form.settings_file_found) {
    form.dialogs().pref_form->Select_page(0);
    if (operation.window_pos_x > 0 && operation.window_pos_y > 0 && operation.window_width > 0 &&
        operation.window_height > 0) {
      form.move(operation.window_pos_x, operation.window_pos_y);
      form.resize(operation.window_width, operation.window_height);
    } else {
      Centre_on_screen(form);
    }
  } else {
    form.FirstRun.setInterval(first_run_delay_ms);
    form.FirstRun.start();
    Centre_on_screen(form);
  }
  form.Show_status();
  form.Add_systray_icon();
  form.started_normally = !operation.start_minimized;
  if (operation.start_minimized && operation.min_to_systray) {
    form.minimized = true;
    // Without a tray there would be nothing to restore a hidden window from.
    if (!form.services().tray->Available()) form.showMinimized();
  } else {
    form.show();
  }
}

Services Make_desktop_services(const User_folders& user) {
  Services services;
  services.executable_path = Executable_path();
  // The hotkeys act on the display the toolkit shows the windows and the
  // clipboard on; without one (offscreen rendering) there are none.
  std::optional<X11_keys> keys;
  if (QGuiApplication::platformName() == "xcb") keys = Open_x11_keys();
  if (keys) {
    auto held = std::make_shared<X11_keys>(std::move(*keys));  // the connection outlives both services
    services.hotkeys = std::shared_ptr<Hotkey_service>(held, held->hotkeys.get());
    services.keystrokes = std::shared_ptr<Keystroke_service>(held, held->keystrokes.get());
  } else {
    services.hotkeys = std::make_shared<Stand_in_hotkeys>();
    services.keystrokes = std::make_shared<Stand_in_keystrokes>();
  }
  services.clipboard = std::make_shared<Qt_clipboard>();
  services.tray = std::make_shared<Qt_tray_service>(Enabled_icon(), Disabled_icon());
  services.help = std::make_shared<Qt_help_window>();
  services.login_entry = std::make_shared<Autostart_login_entry>(services.executable_path, user);
  services.shell_folders = std::make_shared<Xdg_shell_folders>(user);
  services.launcher = std::make_shared<Desktop_file_launcher>();
  services.input_language = std::make_shared<Ignored_input_language>();
  services.url_opener = std::make_shared<Qt_url_opener>();
  return services;
}

int Run_program(int argc, char** argv) {
  // Answered before any window system is needed, as the converter does.
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0) {
    std::printf("quorvandel %s\n%s", QUORVANDEL_VERSION, licence_notice);
    return 0;
  }
  QApplication application(argc, argv);
  // The application ID names the windows' class (WM_CLASS), which the
  // installed desktop entry's StartupWMClass matches, and on Wayland the
  // application that desktop entry describes.
  QApplication::setApplicationName(application_id);
  QApplication::setDesktopFileName(application_id);
  QApplication::setApplicationDisplayName(application_title);
  QApplication::setWindowIcon(Main_icon());

  const User_folders user = User_folders_from_environment();
  const std::string program_folder = Program_folder(Executable_folder(), user);
  Install_interface_language(Interface_language(Interface_language_setting(program_folder)));

  Named_semaphore_locks locks;  // held until the process ends
  if (!Only_copy_running(locks)) return 0;
  TProgram program(program_folder, Make_desktop_services(user));
  QObject::connect(&program.main_form(), &TMainForm::Closed, &application, &QApplication::quit,
                   Qt::QueuedConnection);
  program.Start();
  program.Open_command_line(QApplication::arguments());
  QApplication::setQuitOnLastWindowClosed(false);
  return QApplication::exec();
}

}  // namespace quorvandel
