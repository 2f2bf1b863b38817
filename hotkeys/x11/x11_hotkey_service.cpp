#include "hotkeys/x11/x11_hotkey_service.h"

#include <X11/keysym.h>

#include <QMetaObject>
#include <algorithm>
#include <cstdlib>

namespace quorvandel {

std::vector<std::uint16_t> Lock_combinations(std::uint16_t caps, std::uint16_t num, std::uint16_t scroll) {
  std::vector<std::uint16_t> combinations;
  const std::uint16_t locks[] = {caps, num, scroll};
  for (unsigned subset = 0; subset < 8; ++subset) {
    std::uint16_t mask = 0;
    for (unsigned i = 0; i < 3; ++i) {
      if (subset & (1u << i)) mask = static_cast<std::uint16_t>(mask | locks[i]);
    }
    if (std::find(combinations.begin(), combinations.end(), mask) == combinations.end()) combinations.push_back(mask);
  }
  return combinations;
}

X11_hotkey_service::X11_hotkey_service(X11_connection& connection) : connection_(connection) {
  event_listener_ = connection_.Add_event_listener([this](const xcb_generic_event_t& event) { Handle(event); });
  mapping_listener_ = connection_.Add_mapping_listener([this] { Regrab_after_mapping_change(); });
}

X11_hotkey_service::~X11_hotkey_service() {
  connection_.Remove_listener(event_listener_);
  connection_.Remove_listener(mapping_listener_);
  for (auto& [id, registration] : registrations_) Ungrab_all(registration);
  xcb_flush(connection_.get());
}

std::uint16_t X11_hotkey_service::Alt_mask() const {
  const std::uint16_t alt = connection_.keyboard_map().Modifier_mask_of(XK_Alt_L);
  return alt != 0 ? alt : std::uint16_t{XCB_MOD_MASK_1};
}

std::uint16_t X11_hotkey_service::Hotkey_modifier_mask() const {
  return static_cast<std::uint16_t>(XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | Alt_mask());
}

bool X11_hotkey_service::Register(int id, bool ctrl, bool shift, bool alt, int fkey) {
  Unregister(id);
  if (fkey < 1 || fkey > 12) return false;
  const Combination combination{ctrl, shift, alt, fkey};
  // The server lets one client grab a combination twice; this program's
  // other hotkey holding it is a refusal all the same.
  for (const auto& [other_id, other] : registrations_) {
    if (other.combination == combination) return false;
  }
  Registration registration;
  registration.combination = combination;
  if (!Grab_all(registration)) return false;
  registrations_[id] = std::move(registration);
  return true;
}

void X11_hotkey_service::Unregister(int id) {
  const auto found = registrations_.find(id);
  if (found == registrations_.end()) return;
  Ungrab_all(found->second);
  registrations_.erase(found);
  xcb_flush(connection_.get());
}

bool X11_hotkey_service::Grab_all(Registration& registration) {
  const X11_keyboard_map& map = connection_.keyboard_map();
  const Combination& combination = registration.combination;
  const std::vector<xcb_keycode_t> keycodes =
      map.Keycodes_of(static_cast<xcb_keysym_t>(XK_F1 + combination.fkey - 1));
  if (keycodes.empty()) return false;
  registration.keycode = keycodes.front();
  const std::uint16_t alt = Alt_mask();
  registration.modifiers = static_cast<std::uint16_t>((combination.shift ? XCB_MOD_MASK_SHIFT : 0) |
                                                      (combination.ctrl ? XCB_MOD_MASK_CONTROL : 0) |
                                                      (combination.alt ? alt : 0));
  const std::vector<std::uint16_t> locks =
      Lock_combinations(XCB_MOD_MASK_LOCK, map.Modifier_mask_of(XK_Num_Lock), map.Modifier_mask_of(XK_Scroll_Lock));

  xcb_connection_t* x = connection_.get();
  std::vector<xcb_void_cookie_t> cookies;
  for (std::uint16_t lock : locks) {
    const auto modifiers = static_cast<std::uint16_t>(registration.modifiers | lock);
    cookies.push_back(xcb_grab_key_checked(x, 1, connection_.root(), modifiers, registration.keycode,
                                           XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    registration.grabs.push_back({registration.keycode, modifiers});
  }
  bool refused = false;
  for (xcb_void_cookie_t cookie : cookies) {
    if (xcb_generic_error_t* error = xcb_request_check(x, cookie)) {
      refused = true;
      std::free(error);
    }
  }
  if (refused) Ungrab_all(registration);  // the grabs that did succeed
  connection_.Handle_queued_events();
  return !refused;
}

void X11_hotkey_service::Ungrab_all(Registration& registration) {
  for (const Grab& grab : registration.grabs) {
    xcb_ungrab_key(connection_.get(), grab.keycode, connection_.root(), grab.modifiers);
  }
  registration.grabs.clear();
}

void X11_hotkey_service::Regrab_after_mapping_change() {
  // A grab that is refused now simply stops arriving, as a refused
  // registration does; the next registration reports it.
  pressed_.clear();  // the keycodes may mean other keys now
  for (auto& [id, registration] : registrations_) {
    Ungrab_all(registration);
    Grab_all(registration);
  }
  xcb_flush(connection_.get());
}

void X11_hotkey_service::Handle(const xcb_generic_event_t& event) {
  const std::uint8_t type = event.response_type & 0x7f;
  if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) return;
  const auto& key = reinterpret_cast<const xcb_key_press_event_t&>(event);
  if (type == XCB_KEY_PRESS) {
    const std::uint16_t modifiers = key.state & Hotkey_modifier_mask();
    for (const auto& [id, registration] : registrations_) {
      if (registration.keycode == key.detail && registration.modifiers == modifiers) {
        pressed_[key.detail] = id;
        return;
      }
    }
    return;
  }
  // The press is reported when its key is let go: until then the server
  // sends every key to this program (the grab is active), so the keys of a
  // conversion would not reach the application. The modifiers may be let
  // go first.
  const auto pressed = pressed_.find(key.detail);
  if (pressed == pressed_.end()) return;
  const int id = pressed->second;
  pressed_.erase(pressed);
  // The conversion runs its own waits; let this event's handling end first.
  QMetaObject::invokeMethod(
      &reports_, [this, id] { if (handler_) handler_(id); }, Qt::QueuedConnection);
}

}  // namespace quorvandel
