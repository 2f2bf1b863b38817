// The desktop services of Linux: the hotkeys and keystrokes through X11
// (stand-ins without an X display), Qt's clipboard, tray icon and help
// window, the XDG autostart entry, folders and desktop launchers.
#include <QGuiApplication>
#include <optional>

#include "hotkeys/x11/stand_in_hotkeys.h"
#include "hotkeys/x11/stand_in_keystrokes.h"
#include "hotkeys/x11/x11_keys.h"
#include "mainwindow/program_entry.h"
#include "platform/executable_path.h"
#include "platform/linux/autostart_login_entry.h"
#include "platform/linux/desktop_file_launcher.h"
#include "platform/linux/ignored_input_language.h"
#include "platform/linux/xdg_shell_folders.h"
#include "platform/qt/qt_clipboard.h"
#include "platform/qt/qt_help_window.h"
#include "platform/qt/qt_instance_channel.h"
#include "platform/qt/qt_tray_service.h"
#include "platform/qt/qt_url_opener.h"
#include "resources/icons.h"

namespace quorvandel {

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
  services.instance_channel = Make_instance_channel();
  return services;
}

std::shared_ptr<Instance_channel_service> Make_instance_channel() {
  return std::make_shared<Qt_instance_channel>(QString::fromStdString(Instance_channel_name()));
}

}  // namespace quorvandel
