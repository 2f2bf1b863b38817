// The two data-control protocols: the standard one (ext-data-control-v1:
// KDE Plasma 6.2, sway 1.10, Hyprland) and the wlroots one it grew from
// (sway 1.7, older KDE Plasma). They are the same requests and events
// under other names, so the clipboard speaks to either through this
// table of the requests it sends and the listeners it takes events by.
#pragma once

#include <array>

struct wl_interface;
struct wl_proxy;
struct wl_seat;

namespace quorvandel {

class Data_control_clipboard;

struct Data_control_protocol {
  const wl_interface* manager_interface;
  wl_proxy* (*get_data_device)(wl_proxy* manager, wl_seat* seat);
  wl_proxy* (*create_data_source)(wl_proxy* manager);
  void (*destroy_manager)(wl_proxy* manager);
  void (*set_selection)(wl_proxy* device, wl_proxy* source);
  void (*destroy_device)(wl_proxy* device);
  void (*offer_type)(wl_proxy* source, const char* mime_type);
  void (*destroy_source)(wl_proxy* source);
  void (*receive)(wl_proxy* offer, const char* mime_type, int fd);
  void (*destroy_offer)(wl_proxy* offer);
  // The clipboard's methods of the same names take the object's events.
  void (*listen_to_device)(wl_proxy* device, Data_control_clipboard* clipboard);
  void (*listen_to_offer)(wl_proxy* offer, Data_control_clipboard* clipboard);
  void (*listen_to_source)(wl_proxy* source, Data_control_clipboard* clipboard);
};

extern const Data_control_protocol ext_data_control;
extern const Data_control_protocol wlr_data_control;

// In the order of preference: the standard one where the compositor
// offers both.
inline const std::array<const Data_control_protocol*, 2> data_control_protocols = {&ext_data_control,
                                                                                   &wlr_data_control};

}  // namespace quorvandel
