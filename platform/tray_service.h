// The program's icon in the notification area (the system tray).
#pragma once

#include <functional>
#include <string>

namespace quorvandel {

class Tray_service {
 public:
  // What the user does to the icon; x and y are the pointer's position on
  // the screen.
  struct Handlers {
    std::function<void()> left_button_down;
    std::function<void()> double_click;
    std::function<void(int x, int y)> right_click;
  };

  virtual ~Tray_service() = default;

  // True when the desktop has a tray that can show the icon.
  virtual bool Available() = 0;

  // Shows the icon: the enabled or the disabled look, with its tip.
  virtual void Add(bool enabled, const std::string& tip) = 0;

  // Changes the shown icon's look and tip.
  virtual void Modify(bool enabled, const std::string& tip) = 0;

  // Takes the icon away; does nothing when none is shown.
  virtual void Remove() = 0;

  virtual void Set_handlers(Handlers handlers) = 0;

  // Shows the text for a few seconds in a balloon at the shown icon,
  // without taking the focus. False when there is no icon or the tray
  // cannot show one.
  virtual bool Show_balloon(const std::string& text) {
    (void)text;
    return false;
  }
};

}  // namespace quorvandel
