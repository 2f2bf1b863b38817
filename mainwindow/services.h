// What the main window asks of the desktop beyond its own widgets: the
// system-wide hotkeys, the tray icon and the help viewer, and where the
// user's folders and the executable are. The program entry gives the real
// ones; tests give their own.
#pragma once

#include <memory>
#include <string>

#include "platform/help_service.h"
#include "platform/tray_service.h"
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

// No tray: nothing is shown, and minimizing never hides the window.
class No_tray : public Tray_service {
 public:
  bool Available() override { return false; }
  void Add(bool, const std::string&) override {}
  void Modify(bool, const std::string&) override {}
  void Remove() override {}
  void Set_handlers(Handlers) override {}
};

// No help viewer.
class No_help : public Help_service {
 public:
  void Show_topic(const std::string&) override {}
};

struct Services {
  std::shared_ptr<Hotkey_service> hotkeys = std::make_shared<Hotkey_service>();
  std::shared_ptr<Tray_service> tray = std::make_shared<No_tray>();
  std::shared_ptr<Help_service> help = std::make_shared<No_help>();
  User_folders user_folders = User_folders_from_environment();
  std::string executable_path;  // empty: this process's own
};

}  // namespace quorvandel
