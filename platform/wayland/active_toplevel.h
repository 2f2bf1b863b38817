// Which program's window has the focus, on compositors that tell task bars
// of every window (the wlroots foreign-toplevel protocol: sway, Hyprland,
// labwc, Wayfire), so that the keys sent to it can suit it: a terminal
// must not get Ctrl+C, which interrupts the program running in it.
#pragma once

#include <map>
#include <memory>
#include <string>

#include "platform/wayland/wayland_connection.h"

struct zwlr_foreign_toplevel_manager_v1;
struct zwlr_foreign_toplevel_handle_v1;

namespace quorvandel {

class Active_toplevel {
 public:
  // Nothing where the compositor does not offer the protocol. Takes the
  // manager's global before the connection's reader starts.
  static std::unique_ptr<Active_toplevel> Create(Wayland_connection& connection);
  ~Active_toplevel();
  Active_toplevel(const Active_toplevel&) = delete;
  Active_toplevel& operator=(const Active_toplevel&) = delete;

  // The application id of the window that has the focus (for XWayland
  // windows, their class); empty when none has it or it names none.
  std::string App_id();

  // The compositor's events, on the connection's reader with its lock held.
  void Toplevel_created(zwlr_foreign_toplevel_handle_v1* handle);
  void App_id_changed(zwlr_foreign_toplevel_handle_v1* handle, const char* app_id);
  void State_changed(zwlr_foreign_toplevel_handle_v1* handle, bool activated);
  void Changes_done(zwlr_foreign_toplevel_handle_v1* handle);
  void Toplevel_closed(zwlr_foreign_toplevel_handle_v1* handle);

 private:
  Active_toplevel(Wayland_connection& connection, zwlr_foreign_toplevel_manager_v1* manager);

  struct Toplevel {
    std::string app_id;
    bool activated = false;
    // Changed by the events of a batch, taken at its done.
    std::string pending_app_id;
    bool pending_activated = false;
  };

  Wayland_connection& connection_;
  zwlr_foreign_toplevel_manager_v1* manager_ = nullptr;
  std::map<zwlr_foreign_toplevel_handle_v1*, Toplevel> toplevels_;  // guarded by the connection's lock
};

}  // namespace quorvandel
