// What the main window asks of the desktop beyond its own widgets: the
// system-wide hotkeys, the tray icon and the help viewer, and where the
// user's folders and the executable are. The program entry gives the real
// ones; tests give their own.
#pragma once

#include <memory>
#include <string>

#include "settings/settings_location.h"

namespace quorvandel {

// Registers the two system-wide hotkeys. This desktop backend registers
// none yet, so every registration succeeds without effect.
class Hotkey_service {
 public:
  virtual ~Hotkey_service() = default;
  virtual bool Register(int id, bool ctrl, bool shift, bool alt, int fkey) {
    (void)id, (void)ctrl, (void)shift, (void)alt, (void)fkey;
    return true;
  }
  virtual void Unregister(int id) { (void)id; }
};

// The icon in the notification area. This backend shows none yet.
class Tray_service {
 public:
  virtual ~Tray_service() = default;
  virtual void Add(bool enabled) { (void)enabled; }
  virtual void Modify(bool enabled) { (void)enabled; }
  virtual void Remove() {}
};

// The program's help. This backend has no help viewer yet.
class Help_service {
 public:
  virtual ~Help_service() = default;
  virtual void Show_topic(const std::string& topic) { (void)topic; }
};

struct Services {
  std::shared_ptr<Hotkey_service> hotkeys = std::make_shared<Hotkey_service>();
  std::shared_ptr<Tray_service> tray = std::make_shared<Tray_service>();
  std::shared_ptr<Help_service> help = std::make_shared<Help_service>();
  User_folders user_folders = User_folders_from_environment();
  std::string executable_path;  // empty: this process's own
};

}  // namespace quorvandel
