// The tables of both data-control protocols. wayland-scanner gives each
// protocol its own functions and listener types, alike but for their
// prefix; one macro writes both tables, so that they cannot drift apart.
#include <ext-data-control-v1-client-protocol.h>
#include <wayland-client.h>
#include <wlr-data-control-unstable-v1-client-protocol.h>

#include "platform/wayland/data_control_clipboard.h"
#include "platform/wayland/data_control_protocol.h"

namespace quorvandel {

#define QUORVANDEL_DATA_CONTROL_PROTOCOL(table, prefix)                                                              \
  namespace {                                                                                                       \
  namespace table##_events {                                                                                        \
  using Manager = prefix##_manager_v1;                                                                              \
  using Device = prefix##_device_v1;                                                                                \
  using Source = prefix##_source_v1;                                                                                \
  using Offer = prefix##_offer_v1;                                                                                  \
  wl_proxy* Proxy(void* object) { return static_cast<wl_proxy*>(object); }                                          \
  Data_control_clipboard* Clipboard(void* data) { return static_cast<Data_control_clipboard*>(data); }             \
  void Data_offer(void* data, Device*, Offer* offer) { Clipboard(data)->Offer_introduced(Proxy(offer)); }          \
  void Selection(void* data, Device*, Offer* offer) { Clipboard(data)->Selection_changed(Proxy(offer)); }          \
  void Finished(void* data, Device*) { Clipboard(data)->Device_finished(); }                                        \
  void Primary_selection(void* data, Device*, Offer* offer) {                                                       \
    Clipboard(data)->Primary_selection_changed(Proxy(offer));                                                       \
  }                                                                                                                 \
  const prefix##_device_v1_listener device_listener = {Data_offer, Selection, Finished, Primary_selection};        \
  void Type(void* data, Offer* offer, const char* mime_type) { Clipboard(data)->Type_offered(Proxy(offer), mime_type); } \
  const prefix##_offer_v1_listener offer_listener = {Type};                                                         \
  void Send(void* data, Source* source, const char* mime_type, std::int32_t fd) {                                   \
    Clipboard(data)->Data_requested(Proxy(source), mime_type, fd);                                                  \
  }                                                                                                                 \
  void Cancelled(void* data, Source* source) { Clipboard(data)->Source_cancelled(Proxy(source)); }                  \
  const prefix##_source_v1_listener source_listener = {Send, Cancelled};                                            \
  }                                                                                                                 \
  }                                                                                                                 \
  const Data_control_protocol table = {                                                                             \
      &prefix##_manager_v1_interface,                                                                               \
      [](wl_proxy* manager, wl_seat* seat) {                                                                        \
        return reinterpret_cast<wl_proxy*>(                                                                         \
            prefix##_manager_v1_get_data_device(reinterpret_cast<prefix##_manager_v1*>(manager), seat));           \
      },                                                                                                            \
      [](wl_proxy* manager) {                                                                                       \
        return reinterpret_cast<wl_proxy*>(                                                                         \
            prefix##_manager_v1_create_data_source(reinterpret_cast<prefix##_manager_v1*>(manager)));              \
      },                                                                                                            \
      [](wl_proxy* manager) { prefix##_manager_v1_destroy(reinterpret_cast<prefix##_manager_v1*>(manager)); },      \
      [](wl_proxy* device, wl_proxy* source) {                                                                      \
        prefix##_device_v1_set_selection(reinterpret_cast<prefix##_device_v1*>(device),                             \
                                         reinterpret_cast<prefix##_source_v1*>(source));                            \
      },                                                                                                            \
      [](wl_proxy* device) { prefix##_device_v1_destroy(reinterpret_cast<prefix##_device_v1*>(device)); },          \
      [](wl_proxy* source, const char* mime_type) {                                                                 \
        prefix##_source_v1_offer(reinterpret_cast<prefix##_source_v1*>(source), mime_type);                         \
      },                                                                                                            \
      [](wl_proxy* source) { prefix##_source_v1_destroy(reinterpret_cast<prefix##_source_v1*>(source)); },          \
      [](wl_proxy* offer, const char* mime_type, int fd) {                                                          \
        prefix##_offer_v1_receive(reinterpret_cast<prefix##_offer_v1*>(offer), mime_type, fd);                      \
      },                                                                                                            \
      [](wl_proxy* offer) { prefix##_offer_v1_destroy(reinterpret_cast<prefix##_offer_v1*>(offer)); },              \
      [](wl_proxy* device, Data_control_clipboard* clipboard) {                                                     \
        prefix##_device_v1_add_listener(reinterpret_cast<prefix##_device_v1*>(device), &table##_events::device_listener, \
                                        clipboard);                                                                 \
      },                                                                                                            \
      [](wl_proxy* offer, Data_control_clipboard* clipboard) {                                                      \
        prefix##_offer_v1_add_listener(reinterpret_cast<prefix##_offer_v1*>(offer), &table##_events::offer_listener, \
                                       clipboard);                                                                  \
      },                                                                                                            \
      [](wl_proxy* source, Data_control_clipboard* clipboard) {                                                     \
        prefix##_source_v1_add_listener(reinterpret_cast<prefix##_source_v1*>(source),                              \
                                        &table##_events::source_listener, clipboard);                               \
      },                                                                                                            \
  };

QUORVANDEL_DATA_CONTROL_PROTOCOL(ext_data_control, ext_data_control)
QUORVANDEL_DATA_CONTROL_PROTOCOL(wlr_data_control, zwlr_data_control)

#undef QUORVANDEL_DATA_CONTROL_PROTOCOL

}  // namespace quorvandel
