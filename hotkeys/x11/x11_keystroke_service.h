// Keys on X11: the keyboard's state read with QueryKeymap, keystrokes
// synthesized with XTest, and the class of the active window for the
// terminals' copy and paste keys.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <optional>
#include <utility>

#include "hotkeys/keystroke_service.h"
#include "hotkeys/x11/x11_connection.h"

namespace quorvandel {

class X11_keystroke_service : public Keystroke_service {
 public:
  explicit X11_keystroke_service(X11_connection& connection);
  ~X11_keystroke_service() override;

  bool Is_down(Key key) override;
  void Send_key(Key key, bool release) override;
  Copy_paste_style Foreground_style() override;
  // A _NET_WM_PING to the active top-level window: toolkits answer it in
  // the order of their events, so its answer comes after the application
  // handled the SelectionClear and keys sent before it. A window that does
  // not take pings (Tk) is asked for the targets of the primary selection
  // where the same application owns it, answered in the same order.
  bool Ask_foreground_to_answer() override;
  bool Foreground_answered() override { return !awaited_ping_ && !awaited_selection_; }
  void Set_own_window(std::uint64_t native_id) override { own_window_ = static_cast<xcb_window_t>(native_id); }
  // A property change on the own window gives the toolkit the server's
  // time as it handles the change; a ping after it is answered once it did.
  bool Ask_own_window_to_answer() override;

 private:
  // The keycode that types the Latin letter in the current group, or in
  // the group `group` is set to (the one to lock while it is sent).
  xcb_keycode_t Letter_keycode(xcb_keysym_t letter, std::optional<int>& group);
  std::optional<int> Current_group();
  void Lock_group(int group);
  xcb_window_t Active_window();
  // The window, or the nearest of its ancestors, that lists the protocol
  // in WM_PROTOCOLS; XCB_NONE when none does.
  xcb_window_t Window_with_protocol(xcb_window_t window, xcb_atom_t protocol);
  void Handle(const xcb_generic_event_t& event);
  // Sends a _NET_WM_PING to the window; false when there is none.
  bool Ping(xcb_window_t window);
  // Asks the owner of the primary selection for its targets when it is the
  // application of `window`; false when another one or none owns it.
  bool Ask_primary_owner(xcb_window_t window);

  X11_connection& connection_;
  X11_connection::Listener_id event_listener_ = 0;
  std::optional<int> users_group_;  // given back when the letter key is released
  xcb_atom_t wm_protocols_ = XCB_ATOM_NONE;
  xcb_atom_t net_wm_ping_ = XCB_ATOM_NONE;
  xcb_atom_t time_property_ = XCB_ATOM_NONE;
  xcb_window_t own_window_ = XCB_NONE;
  std::uint32_t ping_serial_ = 0;
  // The window and serial of the ping not yet answered.
  std::optional<std::pair<xcb_window_t, std::uint32_t>> awaited_ping_;
  xcb_atom_t targets_ = XCB_ATOM_NONE;
  xcb_atom_t answer_property_ = XCB_ATOM_NONE;
  xcb_window_t requestor_ = XCB_NONE;  // the window the selection's answer comes to
  bool awaited_selection_ = false;
};

}  // namespace quorvandel
