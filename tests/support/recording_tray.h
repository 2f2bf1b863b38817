// A Tray_service that records what the program shows and lets a test click
// the icon.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/tray_service.h"

namespace quorvandel::testing {

class Recording_tray : public Tray_service {
 public:
  struct Icon {
    bool enabled;
    std::string tip;
  };

  bool Available() override { return available; }
  void Add(bool enabled, const std::string& tip) override {
    log.push_back("add " + Look(enabled) + " " + tip);
    shown = Icon{enabled, tip};
  }
  void Modify(bool enabled, const std::string& tip) override {
    log.push_back("modify " + Look(enabled) + " " + tip);
    if (shown) shown = Icon{enabled, tip};
  }
  void Remove() override {
    log.push_back("remove");
    shown.reset();
  }
  void Set_handlers(Handlers new_handlers) override { handlers = std::move(new_handlers); }

  // The user's clicks on the icon; false when no icon is shown or the
  // program set no handler for it.
  bool Left_button_down() {
    if (!shown || !handlers.left_button_down) return false;
    handlers.left_button_down();
    return true;
  }
  bool Double_click() {
    if (!shown || !handlers.double_click) return false;
    handlers.double_click();
    return true;
  }
  bool Right_click(int x, int y) {
    if (!shown || !handlers.right_click) return false;
    handlers.right_click(x, y);
    return true;
  }

  bool available = true;
  std::vector<std::string> log;  // "add enabled <tip>", "modify disabled <tip>", "remove"
  std::optional<Icon> shown;
  Handlers handlers;

 private:
  static std::string Look(bool enabled) { return enabled ? "enabled" : "disabled"; }
};

}  // namespace quorvandel::testing
