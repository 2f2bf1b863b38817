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

X11_keystroke_service::X11_keystroke_service(X11_connection& connection)
    : connection_(connection),
      wm_protocols_(connection.Atom("WM_PROTOCOLS")),
      net_wm_ping_(connection.Atom("_NET_WM_PING")),
      time_property_(connection.Atom("_QUORVANDEL_TIME")),
      targets_(connection.Atom("TARGETS")),
      answer_property_(connection.Atom("_QUORVANDEL_ANSWER")) {
  // A ping's answer is sent to the root window for the clients that watch
  // its children's structure; Qt sends it to those that watch the root's
  // own structure.
  const std::uint32_t mask = XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection_.get(), connection_.root(), XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection_.get());
  event_listener_ = connection_.Add_event_listener([this](const xcb_generic_event_t& event) { Handle(event); });
}

X11_keystroke_service::~X11_keystroke_service() { connection_.Remove_listener(event_listener_); }

void X11_keystroke_service::Handle(const xcb_generic_event_t& event) {
  if ((event.response_type & 0x7f) == XCB_SELECTION_NOTIFY && awaited_selection_) {
    const auto& notify = reinterpret_cast<const xcb_selection_notify_event_t&>(event);
    if (notify.requestor != requestor_ || notify.selection != XCB_ATOM_PRIMARY) return;
    awaited_selection_ = false;
    if (notify.property != XCB_ATOM_NONE) xcb_delete_property(connection_.get(), requestor_, notify.property);
    return;
  }
  if ((event.response_type & 0x7f) != XCB_CLIENT_MESSAGE || !awaited_ping_) return;
  const auto& message = reinterpret_cast<const xcb_client_message_event_t&>(event);
  if (message.format != 32 || message.type != wm_protocols_ || message.data.data32[0] != net_wm_ping_) return;
  if (message.data.data32[1] == awaited_ping_->second && message.data.data32[2] == awaited_ping_->first) {
    awaited_ping_.reset();
  }
}

xcb_window_t X11_keystroke_service::Window_with_protocol(xcb_window_t window, xcb_atom_t protocol) {
  xcb_connection_t* x = connection_.get();
  while (window != XCB_NONE && window != connection_.root()) {
    Reply<xcb_get_property_reply_t> property(xcb_get_property_reply(
        x, xcb_get_property(x, 0, window, wm_protocols_, XCB_ATOM_ATOM, 0, 32), nullptr));
    if (property && property->format == 32) {
      const auto* atoms = static_cast<const xcb_atom_t*>(xcb_get_property_value(property.get()));
      const int count = xcb_get_property_value_length(property.get()) / 4;
      for (int i = 0; i < count; ++i) {
        if (atoms[i] == protocol) return window;
      }
      return XCB_NONE;  // the top-level window, without the protocol
    }
    Reply<xcb_query_tree_reply_t> tree(xcb_query_tree_reply(x, xcb_query_tree(x, window), nullptr));
    window = tree ? tree->parent : XCB_NONE;
  }
  return XCB_NONE;
}

bool X11_keystroke_service::Ask_foreground_to_answer() {
  awaited_ping_.reset();
  awaited_selection_ = false;
  if (wm_protocols_ == XCB_ATOM_NONE || net_wm_ping_ == XCB_ATOM_NONE) return false;
  const xcb_window_t active = Active_window();
  const xcb_window_t window = Window_with_protocol(active, net_wm_ping_);
  connection_.Handle_queued_events();
  return Ping(window) || Ask_primary_owner(active);
}

bool X11_keystroke_service::Ask_primary_owner(xcb_window_t window) {
  xcb_connection_t* x = connection_.get();
  if (window == XCB_NONE || targets_ == XCB_ATOM_NONE || answer_property_ == XCB_ATOM_NONE) return false;
  Reply<xcb_get_selection_owner_reply_t> owner(
      xcb_get_selection_owner_reply(x, xcb_get_selection_owner(x, XCB_ATOM_PRIMARY), nullptr));
  connection_.Handle_queued_events();
  // The server gives every client the same range of identifiers above its
  // own base: windows of one application differ only within the mask.
  const std::uint32_t mask = xcb_get_setup(x)->resource_id_mask;
  if (!owner || owner->owner == XCB_NONE || (owner->owner & ~mask) != (window & ~mask)) return false;
  if (requestor_ == XCB_NONE) {
    requestor_ = xcb_generate_id(x);
    xcb_create_window(x, 0, requestor_, connection_.root(), 0, 0, 1, 1, 0, XCB_WINDOW_CLASS_INPUT_ONLY,
                      XCB_COPY_FROM_PARENT, 0, nullptr);
  }
  awaited_selection_ = true;
  xcb_convert_selection(x, requestor_, XCB_ATOM_PRIMARY, targets_, answer_property_, XCB_CURRENT_TIME);
  xcb_flush(x);
  return true;
}

bool X11_keystroke_service::Ask_own_window_to_answer() {
  awaited_ping_.reset();
  awaited_selection_ = false;
  if (own_window_ == XCB_NONE || time_property_ == XCB_ATOM_NONE || net_wm_ping_ == XCB_ATOM_NONE) return false;
  // Appending nothing changes nothing but still reports the change, with
  // the server's time, before the ping that follows.
  xcb_change_property(connection_.get(), XCB_PROP_MODE_APPEND, own_window_, time_property_, XCB_ATOM_INTEGER, 32, 0,
                      nullptr);
  return Ping(own_window_);
}

bool X11_keystroke_service::Ping(xcb_window_t window) {
  if (window == XCB_NONE) return false;
  // The serial stands in the timestamp's place: the answer carries it back
  // unchanged, and it tells this question from the window manager's own.
  ++ping_serial_;
  awaited_ping_ = std::make_pair(window, ping_serial_);
  xcb_client_message_event_t event{};
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 32;
  event.window = window;
  event.type = wm_protocols_;
  event.data.data32[0] = net_wm_ping_;
  event.data.data32[1] = ping_serial_;
  event.data.data32[2] = window;
  xcb_send_event(connection_.get(), 0, window, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&event));
  xcb_flush(connection_.get());
  return true;
}

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
