#include "hotkeys/x11/x11_keystroke_service.h"

#include <X11/keysym.h>
#include "hotkeys/x11/xcb_xkb.h"
#include <xcb/xtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "hotkeys/terminal_table.h"

namespace quorvandel {
namespace {

xcb_keysym_t Keysym_of(Key key) {
  switch (key) {
    case Key::shift: return XK_Shift_L;
    case Key::control: return XK_Control_L;
    case Key::c: return XK_c;
    case Key::v: return XK_v;
    case Key::insert: return XK_Insert;
  }
  return 0;
}

bool Is_letter(Key key) { return key == Key::c || key == Key::v; }

}  // namespace

X11_keystroke_service::X11_keystroke_service(X11_connection& connection) : connection_(connection) {}

bool X11_keystroke_service::Is_down(Key key) {
  xcb_connection_t* x = connection_.get();
  Reply<xcb_query_keymap_reply_t> keymap(xcb_query_keymap_reply(x, xcb_query_keymap(x), nullptr));
  connection_.Handle_queued_events();
  if (!keymap) return false;
  xcb_keysym_t pair[2] = {Keysym_of(key), 0};
  if (key == Key::shift) pair[1] = XK_Shift_R;
  if (key == Key::control) pair[1] = XK_Control_R;
  for (xcb_keysym_t keysym : pair) {
    if (keysym == 0) continue;
    for (xcb_keycode_t code : connection_.keyboard_map().Keycodes_of(keysym)) {
      if (keymap->keys[code / 8] & (1u << (code % 8))) return true;
    }
  }
  return false;
}

std::optional<int> X11_keystroke_service::Current_group() {
  if (!connection_.Has_xkb()) return std::nullopt;
  xcb_connection_t* x = connection_.get();
  Reply<xcb_xkb_get_state_reply_t> state(
      xcb_xkb_get_state_reply(x, xcb_xkb_get_state(x, XCB_XKB_ID_USE_CORE_KBD), nullptr));
  connection_.Handle_queued_events();
  if (!state) return std::nullopt;
  return state->group;
}

void X11_keystroke_service::Lock_group(int group) {
  xcb_xkb_latch_lock_state(connection_.get(), XCB_XKB_ID_USE_CORE_KBD, 0, 0, 1, static_cast<std::uint8_t>(group), 0,
                           0, 0);
}

xcb_keycode_t X11_keystroke_service::Letter_keycode(xcb_keysym_t letter, std::optional<int>& group) {
  // Programs that match shortcuts by keysym see Ctrl+C only when the key
  // types Latin c in the group the event carries; with a Hebrew layout
  // active another group that types it is locked while the key is sent.
  const X11_keyboard_map& map = connection_.keyboard_map();
  const std::vector<xcb_keycode_t> codes = map.Keycodes_of(letter);
  if (codes.empty()) return 0;
  const std::optional<int> current = Current_group();
  if (current) {
    for (xcb_keycode_t code : codes) {
      if (map.Keysym_at(code, *current) == letter) return code;
    }
    for (int candidate = 0; candidate < 4; ++candidate) {
      if (map.Keysym_at(codes.front(), candidate) == letter) {
        group = candidate;
        break;
      }
    }
  }
  return codes.front();
}

void X11_keystroke_service::Send_key(Key key, bool release) {
  xcb_connection_t* x = connection_.get();
  xcb_keycode_t keycode = 0;
  if (Is_letter(key) && !release) {
    std::optional<int> latin_group;
    keycode = Letter_keycode(Keysym_of(key), latin_group);
    if (latin_group) {
      users_group_ = Current_group();
      Lock_group(*latin_group);
    }
  } else {
    const std::vector<xcb_keycode_t> codes = connection_.keyboard_map().Keycodes_of(Keysym_of(key));
    if (!codes.empty()) keycode = codes.front();
  }
  if (keycode == 0 || !connection_.Has_xtest()) return;
  xcb_test_fake_input(x, release ? XCB_KEY_RELEASE : XCB_KEY_PRESS, keycode, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
  if (Is_letter(key) && release && users_group_) {
    Lock_group(*users_group_);
    users_group_.reset();
  }
  xcb_flush(x);
}

xcb_window_t X11_keystroke_service::Active_window() {
  xcb_connection_t* x = connection_.get();
  const xcb_atom_t active = connection_.Atom("_NET_ACTIVE_WINDOW");
  xcb_window_t window = XCB_NONE;
  if (active != XCB_ATOM_NONE) {
    Reply<xcb_get_property_reply_t> property(xcb_get_property_reply(
        x, xcb_get_property(x, 0, connection_.root(), active, XCB_ATOM_WINDOW, 0, 1), nullptr));
    if (property && xcb_get_property_value_length(property.get()) >= 4) {
      window = *static_cast<const xcb_window_t*>(xcb_get_property_value(property.get()));
    }
  }
  if (window == XCB_NONE) {
    Reply<xcb_get_input_focus_reply_t> focus(xcb_get_input_focus_reply(x, xcb_get_input_focus(x), nullptr));
    if (focus && focus->focus != XCB_INPUT_FOCUS_POINTER_ROOT) window = focus->focus;
  }
  connection_.Handle_queued_events();
  return window;
}

Copy_paste_style X11_keystroke_service::Foreground_style() {
  xcb_connection_t* x = connection_.get();
  // The focus may be on a child of the window that carries the class.
  for (xcb_window_t window = Active_window(); window != XCB_NONE && window != connection_.root();) {
    Reply<xcb_get_property_reply_t> property(xcb_get_property_reply(
        x, xcb_get_property(x, 0, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, 0, 256), nullptr));
    if (property && xcb_get_property_value_length(property.get()) > 0) {
      const std::string value(static_cast<const char*>(xcb_get_property_value(property.get())),
                              static_cast<std::size_t>(xcb_get_property_value_length(property.get())));
      const std::size_t end_of_instance = value.find('\0');
      const std::string instance = value.substr(0, end_of_instance);
      std::string class_name =
          end_of_instance == std::string::npos ? std::string() : value.substr(end_of_instance + 1);
      if (const std::size_t end = class_name.find('\0'); end != std::string::npos) class_name.resize(end);
      connection_.Handle_queued_events();
      return Copy_paste_style_for_class(instance, class_name);
    }
    Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(x, xcb_query_tree(x, window), nullptr));
    window = tree ? tree->parent : XCB_NONE;
  }
  connection_.Handle_queued_events();
  return Copy_paste_style::control_keys;
}

}  // namespace quorvandel
