// The hotkeys on X11: each combination is grabbed on the root window, once
// for every combination of the lock modifiers that may be on, and grabbed
// again whenever the keyboard mapping changes.
#pragma once

#include <xcb/xcb.h>

#include <QObject>
#include <cstdint>
#include <map>
#include <vector>

#include "hotkeys/hotkey_service.h"
#include "hotkeys/x11/x11_connection.h"

namespace quorvandel {

// The modifier masks of Caps Lock, Num Lock and Scroll Lock combined in
// every way, each combination once: masks that coincide (or a lock key
// without a modifier bit) give no duplicates. The first is 0.
std::vector<std::uint16_t> Lock_combinations(std::uint16_t caps, std::uint16_t num, std::uint16_t scroll);

class X11_hotkey_service : public Hotkey_service {
 public:
  explicit X11_hotkey_service(X11_connection& connection);
  ~X11_hotkey_service() override;

  bool Register(int id, bool ctrl, bool shift, bool alt, int fkey) override;
  void Unregister(int id) override;
  void Set_pressed_handler(Pressed_handler handler) override { handler_ = std::move(handler); }

 private:
  struct Combination {
    bool ctrl = false, shift = false, alt = false;
    int fkey = 0;
    bool operator==(const Combination&) const = default;
  };
  struct Grab {
    xcb_keycode_t keycode;
    std::uint16_t modifiers;
  };
  struct Registration {
    Combination combination;
    xcb_keycode_t keycode = 0;
    std::uint16_t modifiers = 0;  // Shift, Control and Alt as the server sets them
    std::vector<Grab> grabs;
  };

  // Grabs the registration's key with every lock combination; false, with
  // nothing grabbed, when the server refuses one.
  bool Grab_all(Registration& registration);
  void Ungrab_all(Registration& registration);
  void Regrab_after_mapping_change();
  void Handle(const xcb_generic_event_t& event);
  std::uint16_t Alt_mask() const;
  std::uint16_t Hotkey_modifier_mask() const;

  X11_connection& connection_;
  X11_connection::Listener_id event_listener_ = 0;
  X11_connection::Listener_id mapping_listener_ = 0;
  std::map<int, Registration> registrations_;
  std::map<xcb_keycode_t, int> pressed_;  // hotkeys pressed and not yet let go, by key
  Pressed_handler handler_;
  // The context of the presses' queued reports: the connection may outlive
  // the service, and a report still queued goes with it.
  QObject reports_;
};

}  // namespace quorvandel
