// The hotkey backend's own connection to the X server, independent of the
// toolkit's: its events are read in the program's event loop through a
// socket notifier, and it keeps the keyboard mapping that the grabs and the
// synthesized keys are computed from.
#pragma once

#include <xcb/xcb.h>

#include <QObject>
#include <QSocketNotifier>
#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace quorvandel {

// A reply of the X server, freed as xcb asks.
template <typename T>
struct Free_reply {
  void operator()(T* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, Free_reply<T>>;

// The core keyboard mapping with the modifier map: which keycodes type
// which keysyms, and which modifier bit each modifier key sets.
class X11_keyboard_map {
 public:
  void Load(xcb_connection_t* connection);

  // The keycodes that type `keysym` at the first level of some group.
  std::vector<xcb_keycode_t> Keycodes_of(xcb_keysym_t keysym) const;
  // The keysym that keycode types at the first level of group (0-based);
  // 0 when none.
  xcb_keysym_t Keysym_at(xcb_keycode_t keycode, int group) const;
  // The modifier bit that a key typing `keysym` sets; 0 when no modifier
  // key types it (Scroll Lock often sets none).
  std::uint16_t Modifier_mask_of(xcb_keysym_t keysym) const;

 private:
  xcb_keycode_t min_keycode_ = 0;
  int keysyms_per_keycode_ = 0;
  std::vector<xcb_keysym_t> keysyms_;
  std::vector<std::vector<xcb_keycode_t>> modifier_keycodes_;  // 8 modifiers
};

class X11_connection : public QObject {
 public:
  // The connection to the display of $DISPLAY; nothing when there is none.
  static std::unique_ptr<X11_connection> Open();
  ~X11_connection() override;

  xcb_connection_t* get() const { return connection_; }
  xcb_window_t root() const { return root_; }
  const X11_keyboard_map& keyboard_map() const { return keyboard_map_; }
  bool Has_xkb() const { return xkb_first_event_ != 0; }
  bool Has_xtest() const { return has_xtest_; }

  xcb_atom_t Atom(const char* name);

  // A listener's number, to remove it by.
  using Listener_id = int;
  // Called for every event of this connection, on the user-interface thread.
  Listener_id Add_event_listener(std::function<void(const xcb_generic_event_t&)> listener);
  // Called after the keyboard mapping changed and was read again.
  Listener_id Add_mapping_listener(std::function<void()> listener);
  // No longer calls the listener: a service removes its own before it goes,
  // since the connection may outlive it. Not from inside a listener.
  void Remove_listener(Listener_id id);

  // Handles the events already read from the server; to be called after
  // requests that waited for a reply, which may have read events too.
  void Handle_queued_events();

 private:
  X11_connection(xcb_connection_t* connection, xcb_window_t root);
  void Handle(const xcb_generic_event_t& event);
  void Read_events();

  xcb_connection_t* connection_;
  xcb_window_t root_;
  std::uint8_t xkb_first_event_ = 0;
  bool has_xtest_ = false;
  X11_keyboard_map keyboard_map_;
  std::unique_ptr<QSocketNotifier> notifier_;
  Listener_id last_listener_id_ = 0;
  std::vector<std::pair<Listener_id, std::function<void(const xcb_generic_event_t&)>>> event_listeners_;
  std::vector<std::pair<Listener_id, std::function<void()>>> mapping_listeners_;
};

}  // namespace quorvandel
