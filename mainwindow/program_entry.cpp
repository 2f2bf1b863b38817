#include "mainwindow/program_entry.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QStringList>
#include <QThread>
#include <QTimer>

#include <cstdio>
#include <string_view>

#include "hotkeys/wayland/portal_hotkeys.h"
#include "hotkeys/wayland/portal_keystrokes.h"
#include "hotkeys/wayland/wayland_keys.h"
#include "hotkeys/x11/stand_in_hotkeys.h"
#include "hotkeys/x11/stand_in_keystrokes.h"
#include "hotkeys/x11/x11_keys.h"
#include "platform/executable_path.h"
#include "platform/linux/autostart_login_entry.h"
#include "platform/linux/desktop_file_launcher.h"
#include "platform/linux/ignored_input_language.h"
#include "platform/application_id.h"
#include "platform/desktop_session.h"
#include "platform/linux/xdg_shell_folders.h"
#include "platform/named_semaphore.h"
#include "platform/named_semaphore_locks.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_help_window.h"
#include "platform/qt/qt_instance_channel.h"
#include "platform/qt/qt_tray_service.h"
#include "platform/qt/qt_url_opener.h"
#include "resources/icons.h"
#include "settings/ini_store.h"
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
  QMessageBox box(QMessageBox::NoIcon, application_title, "Another instance of this program is already running.",
                  QMessageBox::Ok);
  box.exec();
  return false;
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
  // Another copy's messages wait in the event loop until the program runs.
  form.services().instance_channel->Listen(
      [&form](const std::vector<std::string>& message) { form.Instance_message(message); });
}

void Keep_key_consent(Portal_keystrokes& keys, const std::string& ini_path) {
  static constexpr std::string_view section = "Configuration";
  static constexpr std::string_view key = "remote_desktop_restore_token";
  // A token that cannot be read or kept only brings the dialog back.
  try {
    keys.Set_restore_token(Ini_store(ini_path).Read(section, key, ""));
  } catch (const Settings_error&) {
  }
  keys.Set_token_handler([ini_path](const std::string& token) {
    try {
      Ini_store(ini_path).Write(section, key, token);
    } catch (const Settings_error&) {
    }
  });
}

Services Make_desktop_services(const User_folders& user) {
  Services services;
  services.executable_path = Executable_path();
  // In a Wayland session whose compositor lets a program type and hold the
  // clipboard (sway, Hyprland), the hotkeys reach every window, native and
  // XWayland alike, through the compositor.
  std::optional<Wayland_keys> wayland;
  const bool wayland_session = Wayland_session() && QGuiApplication::platformName() != "offscreen";
  if (wayland_session) wayland = Open_wayland_keys(services.executable_path);
  // Elsewhere they act on the display the toolkit shows the windows and the
  // clipboard on; without one (offscreen rendering) there are none.
  std::optional<X11_keys> keys;
  if (!wayland && QGuiApplication::platformName() == "xcb") keys = Open_x11_keys();
  if (wayland) {
    auto held = std::make_shared<Wayland_keys>(std::move(*wayland));  // the connection outlives the services
    services.hotkeys = std::shared_ptr<Hotkey_service>(held, held->hotkeys.get());
    services.keystrokes = std::shared_ptr<Keystroke_service>(held, held->keystrokes.get());
    services.clipboard = std::shared_ptr<Clipboard_service>(held, held->clipboard.get());
  } else if (keys) {
    auto held = std::make_shared<X11_keys>(std::move(*keys));  // the connection outlives both services
    services.hotkeys = std::shared_ptr<Hotkey_service>(held, held->hotkeys.get());
    services.keystrokes = std::shared_ptr<Keystroke_service>(held, held->keystrokes.get());
  } else {
    services.hotkeys = std::make_shared<Stand_in_hotkeys>();
    services.keystrokes = std::make_shared<Stand_in_keystrokes>();
  }
  // The desktop portal's global shortcuts, where the desktop has them
  // (KDE Plasma, GNOME 48), take the combinations for every window; its
  // RemoteDesktop keys, where the compositor has no virtual keyboard
  // (GNOME, KDE Plasma), reach native programs too.
  if (wayland_session) {
    if (std::shared_ptr<Portal_hotkeys> portal = Portal_hotkeys::Open(QDBusConnection::sessionBus()))
      services.hotkeys = portal;
    if (!wayland) {
      if (std::shared_ptr<Portal_keystrokes> portal_keys = Portal_keystrokes::Open(QDBusConnection::sessionBus()))
        services.keystrokes = portal_keys;
    }
  }
  if (!services.clipboard) services.clipboard = std::make_shared<Qt_clipboard>();
  services.tray = std::make_shared<Qt_tray_service>(Enabled_icon(), Disabled_icon());
  services.help = std::make_shared<Qt_help_window>();
  services.login_entry = std::make_shared<Autostart_login_entry>(services.executable_path, user);
  services.shell_folders = std::make_shared<Xdg_shell_folders>(user);
  services.launcher = std::make_shared<Desktop_file_launcher>();
  services.input_language = std::make_shared<Ignored_input_language>();
  services.url_opener = std::make_shared<Qt_url_opener>();
  services.instance_channel = std::make_shared<Qt_instance_channel>(QString::fromStdString(Instance_channel_name()));
  return services;
}

int Send_hotkey(std::string_view hotkey) {
  if (hotkey != "default" && hotkey != "active") {
    std::fputs("usage: quorvandel --hotkey default|active\n", stderr);
    return 2;
  }
  Qt_instance_channel channel(QString::fromStdString(Instance_channel_name()));
  const Message message = {"hotkey", std::string(hotkey)};
  if (channel.Send(message)) return 0;
  // No copy listens yet: wait for one only while one is starting.
  Named_semaphore_locks locks;
  if (locks.Held_elsewhere(exe_semaphore_name) && Hand_over(channel, message)) return 0;
  std::fputs("quorvandel: Quorvandel is not running.\n", stderr);
  return 1;
}

int Run_program(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (std::string_view(argv[i]) == "--hotkey") {
      QCoreApplication application(argc, argv);  // no display needed
      return Send_hotkey(i + 1 < argc ? argv[i + 1] : "");
    }
  }
  QApplication application(argc, argv);
  // The application ID names the windows' class (WM_CLASS), which the
  // installed desktop entry's StartupWMClass matches, and on Wayland the
  // application that desktop entry describes.
  QApplication::setApplicationName(application_id);
  QApplication::setDesktopFileName(application_id);
  QApplication::setApplicationDisplayName(application_title);
  QApplication::setWindowIcon(Main_icon());

  Named_semaphore_locks locks;  // held until the process ends
  Qt_instance_channel channel(QString::fromStdString(Instance_channel_name()));
  if (!Only_copy_running(locks, channel, QApplication::arguments())) return 0;

  const User_folders user = User_folders_from_environment();
  const std::string program_folder = Program_folder(Executable_folder(), user);
  TProgram program(program_folder, Make_desktop_services(user));
  QObject::connect(&program.main_form(), &TMainForm::Closed, &application, &QApplication::quit,
                   Qt::QueuedConnection);
  if (auto* portal_keys = dynamic_cast<Portal_keystrokes*>(program.main_form().services().keystrokes.get()))
    Keep_key_consent(*portal_keys, program.main_form().Settings_file().ini_path);
  program.Start();
  program.Open_command_line(QApplication::arguments());
  QApplication::setQuitOnLastWindowClosed(false);
  return QApplication::exec();
}

}  // namespace quorvandel
