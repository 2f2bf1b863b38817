#include "hotkeys/x11/x11_connection.h"

#include "hotkeys/x11/xcb_xkb.h"
#include <xcb/xtest.h>

#include <cstdlib>
#include <cstring>

namespace quorvandel {

// ---- The keyboard mapping ----

void X11_keyboard_map::Load(xcb_connection_t* connection) {
  const xcb_setup_t* setup = xcb_get_setup(connection);
  min_keycode_ = setup->min_keycode;
  const int count = setup->max_keycode - setup->min_keycode + 1;
  keysyms_.clear();
  keysyms_per_keycode_ = 0;
  Reply<xcb_get_keyboard_mapping_reply_t> mapping(xcb_get_keyboard_mapping_reply(
      connection, xcb_get_keyboard_mapping(connection, min_keycode_, static_cast<std::uint8_t>(count)), nullptr));
  if (mapping) {
    keysyms_per_keycode_ = mapping->keysyms_per_keycode;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(mapping.get());
    keysyms_.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(mapping.get()));
  }
  modifier_keycodes_.assign(8, {});
  Reply<xcb_get_modifier_mapping_reply_t> modifiers(
      xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr));
  if (modifiers) {
    const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(modifiers.get());
    const int per_modifier = modifiers->keycodes_per_modifier;
    for (int modifier = 0; modifier < 8; ++modifier) {
      for (int i = 0; i < per_modifier; ++i) {
        const xcb_keycode_t code = codes[modifier * per_modifier + i];
        if (code != 0) modifier_keycodes_[modifier].push_back(code);
      }
    }
  }
}

xcb_keysym_t X11_keyboard_map::Keysym_at(xcb_keycode_t keycode, int group) const {
  // The core mapping lists each group's two levels side by side.
  const int column = 2 * group;
  if (keycode < min_keycode_ || column >= keysyms_per_keycode_) return 0;
  const std::size_t index = static_cast<std::size_t>(keycode - min_keycode_) * keysyms_per_keycode_ + column;
  return index < keysyms_.size() ? keysyms_[index] : 0;
}

std::vector<xcb_keycode_t> X11_keyboard_map::Keycodes_of(xcb_keysym_t keysym) const {
  std::vector<xcb_keycode_t> codes;
  if (keysyms_per_keycode_ == 0) return codes;
  const std::size_t count = keysyms_.size() / keysyms_per_keycode_;
  for (std::size_t k = 0; k < count; ++k) {
    const auto keycode = static_cast<xcb_keycode_t>(min_keycode_ + k);
    for (int group = 0; 2 * group < keysyms_per_keycode_; ++group) {
      if (Keysym_at(keycode, group) == keysym) {
        codes.push_back(keycode);
        break;
      }
    }
  }
  return codes;
}

std::uint16_t X11_keyboard_map::Modifier_mask_of(xcb_keysym_t keysym) const {
  const std::vector<xcb_keycode_t> codes = Keycodes_of(keysym);
  for (std::size_t modifier = 0; modifier < modifier_keycodes_.size(); ++modifier) {
    for (xcb_keycode_t code : modifier_keycodes_[modifier]) {
      for (xcb_keycode_t wanted : codes) {
        if (code == wanted) return static_cast<std::uint16_t>(1u << modifier);
      }
    }
  }
  return 0;
}

// ---- The connection ----

std::unique_ptr<X11_connection> X11_connection::Open() {
  int screen_number = 0;
  xcb_connection_t* connection = xcb_connect(nullptr, &screen_number);
  if (!connection || xcb_connection_has_error(connection)) {
    if (connection) xcb_disconnect(connection);
    return nullptr;
  }
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection));
  for (int i = 0; i < screen_number && screens.rem; ++i) xcb_screen_next(&screens);
  if (!screens.rem) {
    xcb_disconnect(connection);
    return nullptr;
  }
  return std::unique_ptr<X11_connection>(new X11_connection(connection, screens.data->root));
}

X11_connection::X11_connection(xcb_connection_t* connection, xcb_window_t root)
    : connection_(connection), root_(root) {
  const xcb_query_extension_reply_t* xkb = xcb_get_extension_data(connection_, &xcb_xkb_id);
  if (xkb && xkb->present) {
    Reply<xcb_xkb_use_extension_reply_t> use(xcb_xkb_use_extension_reply(
        connection_, xcb_xkb_use_extension(connection_, XCB_XKB_MAJOR_VERSION, XCB_XKB_MINOR_VERSION), nullptr));
    if (use && use->supported) {
      xkb_first_event_ = xkb->first_event;
      // A new layout (setxkbmap) arrives as these, not always as the core
      // MappingNotify.
      const std::uint16_t events = XCB_XKB_EVENT_TYPE_NEW_KEYBOARD_NOTIFY | XCB_XKB_EVENT_TYPE_MAP_NOTIFY;
      xcb_xkb_select_events(connection_, XCB_XKB_ID_USE_CORE_KBD, events, 0, events, 0xff, 0xff, nullptr);
      // A held key repeats as presses alone, without a release between
      // them: a hotkey held down is reported once, when it is let go.
      const std::uint32_t repeat = XCB_XKB_PER_CLIENT_FLAG_DETECTABLE_AUTO_REPEAT;
      std::free(xcb_xkb_per_client_flags_reply(
          connection_, xcb_xkb_per_client_flags(connection_, XCB_XKB_ID_USE_CORE_KBD, repeat, repeat, 0, 0, 0),
          nullptr));
    }
  }
  const xcb_query_extension_reply_t* xtest = xcb_get_extension_data(connection_, &xcb_test_id);
  has_xtest_ = xtest && xtest->present;
  keyboard_map_.Load(connection_);
  notifier_ = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(connection_), QSocketNotifier::Read);
  QObject::connect(notifier_.get(), &QSocketNotifier::activated, this, [this] { Read_events(); });
  xcb_flush(connection_);
}

X11_connection::~X11_connection() {
  notifier_.reset();
  xcb_disconnect(connection_);
}

xcb_atom_t X11_connection::Atom(const char* name) {
  Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      connection_, xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

X11_connection::Listener_id X11_connection::Add_event_listener(
    std::function<void(const xcb_generic_event_t&)> listener) {
  event_listeners_.emplace_back(++last_listener_id_, std::move(listener));
  return last_listener_id_;
}

X11_connection::Listener_id X11_connection::Add_mapping_listener(std::function<void()> listener) {
  mapping_listeners_.emplace_back(++last_listener_id_, std::move(listener));
  return last_listener_id_;
}

void X11_connection::Remove_listener(Listener_id id) {
  std::erase_if(event_listeners_, [id](const auto& listener) { return listener.first == id; });
  std::erase_if(mapping_listeners_, [id](const auto& listener) { return listener.first == id; });
}

void X11_connection::Read_events() {
  while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
    Handle(*event);
    std::free(event);
  }
  xcb_flush(connection_);
}

void X11_connection::Handle_queued_events() {
  while (xcb_generic_event_t* event = xcb_poll_for_queued_event(connection_)) {
    Handle(*event);
    std::free(event);
  }
  xcb_flush(connection_);
}

void X11_connection::Handle(const xcb_generic_event_t& event) {
  const std::uint8_t type = event.response_type & 0x7f;
  const bool xkb_mapping_change =
      xkb_first_event_ != 0 && type == xkb_first_event_ &&
      (event.pad0 == std::uint8_t{XCB_XKB_NEW_KEYBOARD_NOTIFY} || event.pad0 == std::uint8_t{XCB_XKB_MAP_NOTIFY});
  if (type == XCB_MAPPING_NOTIFY || xkb_mapping_change) {
    keyboard_map_.Load(connection_);
    for (const auto& listener : mapping_listeners_) listener.second();
    return;
  }
  for (const auto& listener : event_listeners_) listener.second(event);
}

}  // namespace quorvandel
