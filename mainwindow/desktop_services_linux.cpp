// The desktop services of Linux: the hotkeys, keystrokes and clipboard
// through a wlroots compositor or the desktop portal on Wayland, through X11
// otherwise (stand-ins where none serves), Qt's clipboard, tray icon and help
// window, the XDG autostart entry, folders and desktop launchers.
#include <unistd.h>

#include <QDBusConnection>
#include <QGuiApplication>
#include <filesystem>
#include <optional>
#include <string_view>
#include <vector>

#include "hotkeys/stand_in/stand_in_hotkeys.h"
#include "hotkeys/stand_in/stand_in_keystrokes.h"
#include "hotkeys/wayland/portal_clipboard.h"
#include "hotkeys/wayland/portal_hotkeys.h"
#include "hotkeys/wayland/portal_keystrokes.h"
#include "hotkeys/wayland/wayland_keys.h"
#include "hotkeys/x11/x11_keys.h"
#include "mainwindow/program_entry.h"
#include "platform/desktop_session.h"
#include "platform/files/executable_path.h"
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
#include "settings/ini_store.h"

namespace quorvandel {

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

namespace {

// The command the hotkeys' key bindings run: the small quorvandel-hotkey
// beside the program (installed and built there), which starts at once;
// the program's own --hotkey where a copy of the program stands alone.
std::vector<std::string> Hotkey_command(const std::string& executable_path) {
  const std::filesystem::path client = std::filesystem::path(executable_path).parent_path() / "quorvandel-hotkey";
  if (::access(client.c_str(), X_OK) == 0) return {client.string()};
  return {executable_path, "--hotkey"};
}

}  // namespace

Services Make_desktop_services(const User_folders& user) {
  Services services;
  services.executable_path = Executable_path();
  // In a Wayland session whose compositor lets a program type and hold the
  // clipboard (sway, Hyprland), the hotkeys reach every window, native and
  // XWayland alike, through the compositor.
  std::optional<Wayland_keys> wayland;
  const bool wayland_session = Wayland_session() && QGuiApplication::platformName() != "offscreen";
  if (wayland_session) wayland = Open_wayland_keys(Hotkey_command(services.executable_path));
  // Elsewhere they act on the display the toolkit shows the windows and the
  // clipboard on; without one (offscreen rendering) there are none.
  std::optional<X11_keys> keys;
  if (!wayland && QGuiApplication::platformName() == "xcb") keys = Open_x11_keys();
  const bool wayland_types = wayland && wayland->keystrokes;
  if (wayland) {
    auto held = std::make_shared<Wayland_keys>(std::move(*wayland));  // the connection outlives the services
    services.hotkeys = std::shared_ptr<Hotkey_service>(held, held->hotkeys.get());
    if (wayland_types) {
      services.keystrokes = std::shared_ptr<Keystroke_service>(held, held->keystrokes.get());
    } else {
      services.keystrokes = std::make_shared<Stand_in_keystrokes>();  // unless the portal types, below
    }
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
    if (!wayland_types) {
      if (std::shared_ptr<Portal_keystrokes> portal_keys = Portal_keystrokes::Open(QDBusConnection::sessionBus())) {
        services.keystrokes = portal_keys;
        // Where the compositor has no data control (GNOME), the portal's
        // clipboard reaches the native programs' clipboard too.
        if (!services.clipboard && Portal_clipboard::Offered(QDBusConnection::sessionBus())) {
          auto clipboard =
              std::make_shared<Portal_clipboard>(QDBusConnection::sessionBus(), std::make_shared<Qt_clipboard>());
          portal_keys->Share_clipboard([held = std::weak_ptr<Portal_clipboard>(clipboard)](const QString& session) {
            if (const auto alive = held.lock()) alive->Session_started(session);
          });
          services.clipboard = clipboard;
        }
      }
    }
  }
  if (!services.clipboard) {
    // Qt's clipboard on a native Wayland window is read only while that
    // window has the focus; on XWayland it is the X11 one, which the
    // desktop shares with native programs.
    services.clipboard_reaches_other_programs = !(wayland_session && QGuiApplication::platformName() == "wayland");
    services.clipboard = std::make_shared<Qt_clipboard>();
  }
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

void Keep_consents(const Services& services, const std::string& ini_path) {
  if (auto* portal_keys = dynamic_cast<Portal_keystrokes*>(services.keystrokes.get()))
    Keep_key_consent(*portal_keys, ini_path);
}

}  // namespace quorvandel
