// The hotkey services of a Wayland session whose compositor offers data
// control: the command-bound hotkeys, the data-control clipboard and, on
// wlroots compositors, the virtual keyboard, over one connection that
// outlives them.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "hotkeys/wayland/command_hotkeys.h"
#include "hotkeys/wayland/virtual_keyboard_keystrokes.h"
#include "platform/wayland/active_toplevel.h"
#include "platform/wayland/data_control_clipboard.h"
#include "platform/wayland/wayland_connection.h"

namespace quorvandel {

struct Wayland_keys {
  std::unique_ptr<Wayland_connection> connection;
  std::unique_ptr<Command_hotkeys> hotkeys;
  std::unique_ptr<Virtual_keyboard_keystrokes> keystrokes;
  std::unique_ptr<Data_control_clipboard> clipboard;
  std::unique_ptr<Active_toplevel> focus;  // where the compositor tells which window has it

  Wayland_keys() = default;
  Wayland_keys(Wayland_keys&&) = default;
  Wayland_keys& operator=(Wayland_keys&&) = default;
  // The services go before the connection they use.
  ~Wayland_keys() {
    hotkeys.reset();
    keystrokes.reset();
    clipboard.reset();
    focus.reset();
  }
};

// Nothing when no compositor answers or it lacks the data control; no
// keystrokes where it lacks the virtual keyboard. `hotkey_command` is the
// command the hotkeys' lines bind (Command_hotkeys).
std::optional<Wayland_keys> Open_wayland_keys(const std::vector<std::string>& hotkey_command);

}  // namespace quorvandel
