// The desktop services of Windows: the hotkeys (RegisterHotKey), the
// keystrokes (SendInput), the clipboard with every format, the Run entry,
// the shell folders and shell links, the input-language requests, the
// named pipe to the running copy; Qt's tray icon and help window.
#include "hotkeys/windows/win32_hotkeys.h"
#include "hotkeys/windows/win32_keystrokes.h"
#include "mainwindow/program_entry.h"
#include "platform/files/executable_path.h"
#include "platform/qt/qt_help_window.h"
#include "platform/qt/qt_tray_service.h"
#include "platform/qt/qt_url_opener.h"
#include "platform/windows/pipe_instance_channel.h"
#include "platform/windows/posted_input_language.h"
#include "platform/windows/registry_login_entry.h"
#include "platform/windows/registry_shell_folders.h"
#include "platform/windows/shell_link_launcher.h"
#include "platform/windows/win32_clipboard.h"
#include "resources/icons.h"

namespace quorvandel {

// The user's folders are the system's here (the registry, %APPDATA%).
Services Make_desktop_services(const User_folders& /*user*/) {
  Services services;
  services.executable_path = Executable_path();
  services.hotkeys = std::make_shared<Win32_hotkeys>();
  services.keystrokes = std::make_shared<Win32_keystrokes>();
  services.clipboard = std::make_shared<Win32_clipboard>();
  services.tray = std::make_shared<Qt_tray_service>(Enabled_icon(), Disabled_icon());
  services.help = std::make_shared<Qt_help_window>();
  services.login_entry = std::make_shared<Registry_login_entry>(services.executable_path);
  services.shell_folders = std::make_shared<Registry_shell_folders>();
  services.launcher = std::make_shared<Shell_link_launcher>();
  services.input_language = std::make_shared<Posted_input_language>();
  services.url_opener = std::make_shared<Qt_url_opener>();
  services.instance_channel = Make_instance_channel();
  return services;
}

std::shared_ptr<Instance_channel_service> Make_instance_channel() {
  return std::make_shared<Pipe_instance_channel>(Instance_channel_name());
}

// Windows asks no consent for the keys the hotkeys send.
void Keep_consents(const Services& /*services*/, const std::string& /*ini_path*/) {}

}  // namespace quorvandel
