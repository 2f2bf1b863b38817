#include "hotkeys/wayland/virtual_keyboard_keystrokes.h"

#include <sys/mman.h>
#include <unistd.h>
#include <virtual-keyboard-unstable-v1-client-protocol.h>
#include <wayland-client.h>

#include <chrono>
#include <cstring>
#include <mutex>
#include <string_view>

#include "hotkeys/terminal_table.h"

namespace quorvandel {
namespace {

// The keys as the kernel's input codes (linux/input-event-codes.h); XKB's
// keycodes below are these plus 8.
constexpr std::uint32_t key_left_ctrl = 29;
constexpr std::uint32_t key_left_shift = 42;
constexpr std::uint32_t key_c = 46;
constexpr std::uint32_t key_v = 47;
constexpr std::uint32_t key_insert = 110;

// The masks of XKB's real modifiers Shift and Control.
constexpr std::uint32_t shift_mask = 1u << 0;
constexpr std::uint32_t control_mask = 1u << 2;

// A whole keymap of the five keys, self-contained so that a client
// compiles it without the system's XKB files; only Latin c and v, so
// that shortcuts match whatever layout the user's own keyboard has.
constexpr std::string_view keymap = R"(xkb_keymap {
xkb_keycodes "quorvandel" {
  minimum = 8;
  maximum = 255;
  <LCTL> = 37;
  <LFSH> = 50;
  <AB03> = 54;
  <AB04> = 55;
  <INS> = 118;
};
xkb_types "quorvandel" {
  virtual_modifiers NumLock;
  type "ONE_LEVEL" {
    modifiers = none;
    level_name[Level1] = "Any";
  };
  type "TWO_LEVEL" {
    modifiers = Shift;
    map[Shift] = Level2;
    level_name[Level1] = "Base";
    level_name[Level2] = "Shift";
  };
  type "ALPHABETIC" {
    modifiers = Shift+Lock;
    map[Shift] = Level2;
    map[Lock] = Level2;
    level_name[Level1] = "Base";
    level_name[Level2] = "Caps";
  };
};
xkb_compatibility "quorvandel" {
  interpret Any+AnyOf(all) {
    action = SetMods(modifiers=modMapMods,clearLocks);
  };
};
xkb_symbols "quorvandel" {
  key <LCTL> { [ Control_L ] };
  key <LFSH> { [ Shift_L ] };
  key <AB03> { type = "ALPHABETIC", [ c, C ] };
  key <AB04> { type = "ALPHABETIC", [ v, V ] };
  key <INS> { [ Insert ] };
  modifier_map Control { <LCTL> };
  modifier_map Shift { <LFSH> };
};
};
)";

std::uint32_t Code_of(Key key) {
  switch (key) {
    case Key::shift: return key_left_shift;
    case Key::control: return key_left_ctrl;
    case Key::c: return key_c;
    case Key::v: return key_v;
    case Key::insert: return key_insert;
  }
  return 0;
}

std::uint32_t Mask_of(Key key) {
  if (key == Key::shift) return shift_mask;
  if (key == Key::control) return control_mask;
  return 0;
}

std::uint32_t Milliseconds_now() {
  const auto now = std::chrono::steady_clock::now().time_since_epoch();
  return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(now).count());
}

}  // namespace

std::unique_ptr<Virtual_keyboard_keystrokes> Virtual_keyboard_keystrokes::Create(Wayland_connection& connection) {
  if (!connection.seat()) return nullptr;
  auto* manager = static_cast<zwp_virtual_keyboard_manager_v1*>(
      connection.Bind(&zwp_virtual_keyboard_manager_v1_interface, 1));
  if (!manager) return nullptr;
  // The keymap travels as a file the compositor maps, with its final NUL.
  const int fd = memfd_create("quorvandel-keymap", MFD_CLOEXEC);
  if (fd < 0 || write(fd, keymap.data(), keymap.size() + 1) != static_cast<ssize_t>(keymap.size() + 1)) {
    if (fd >= 0) close(fd);
    wl_proxy_destroy(reinterpret_cast<wl_proxy*>(manager));
    return nullptr;
  }
  zwp_virtual_keyboard_v1* keyboard = zwp_virtual_keyboard_manager_v1_create_virtual_keyboard(manager, connection.seat());
  zwp_virtual_keyboard_v1_keymap(keyboard, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                                 static_cast<std::uint32_t>(keymap.size() + 1));
  close(fd);  // the request holds its own copy
  wl_proxy_destroy(reinterpret_cast<wl_proxy*>(manager));  // the keyboard outlives it
  connection.Flush();
  return std::unique_ptr<Virtual_keyboard_keystrokes>(new Virtual_keyboard_keystrokes(connection, keyboard));
}

Virtual_keyboard_keystrokes::Virtual_keyboard_keystrokes(Wayland_connection& connection,
                                                         zwp_virtual_keyboard_v1* keyboard)
    : connection_(connection), keyboard_(keyboard) {}

Virtual_keyboard_keystrokes::~Virtual_keyboard_keystrokes() {
  std::lock_guard<std::mutex> hold(connection_.lock());
  zwp_virtual_keyboard_v1_destroy(keyboard_);
  connection_.Flush();
}

void Virtual_keyboard_keystrokes::Send_key(Key key, bool release) {
  std::lock_guard<std::mutex> hold(connection_.lock());
  zwp_virtual_keyboard_v1_key(keyboard_, Milliseconds_now(), Code_of(key),
                              release ? WL_KEYBOARD_KEY_STATE_RELEASED : WL_KEYBOARD_KEY_STATE_PRESSED);
  if (const std::uint32_t mask = Mask_of(key)) {
    modifiers_ = release ? modifiers_ & ~mask : modifiers_ | mask;
    zwp_virtual_keyboard_v1_modifiers(keyboard_, modifiers_, 0, 0, 0);
  }
  connection_.Flush();
}

Copy_paste_style Virtual_keyboard_keystrokes::Foreground_style() {
  if (!focus_) return Copy_paste_style::control_keys;
  return Copy_paste_style_for_class({}, focus_->App_id());
}

}  // namespace quorvandel
