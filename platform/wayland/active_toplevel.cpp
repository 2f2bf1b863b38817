#include "platform/wayland/active_toplevel.h"

#include <wayland-client.h>
#include <wlr-foreign-toplevel-management-unstable-v1-client-protocol.h>

#include <cstdint>
#include <mutex>

namespace quorvandel {
namespace {

Active_toplevel* Self(void* data) { return static_cast<Active_toplevel*>(data); }

void On_title(void*, zwlr_foreign_toplevel_handle_v1*, const char*) {}
void On_app_id(void* data, zwlr_foreign_toplevel_handle_v1* handle, const char* app_id) {
  Self(data)->App_id_changed(handle, app_id);
}
void On_output(void*, zwlr_foreign_toplevel_handle_v1*, wl_output*) {}
void On_state(void* data, zwlr_foreign_toplevel_handle_v1* handle, wl_array* states) {
  bool activated = false;
  const auto* state = static_cast<const std::uint32_t*>(states->data);
  for (std::size_t i = 0; i < states->size / sizeof *state; ++i)
    activated = activated || state[i] == ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED;
  Self(data)->State_changed(handle, activated);
}
void On_done(void* data, zwlr_foreign_toplevel_handle_v1* handle) { Self(data)->Changes_done(handle); }
void On_closed(void* data, zwlr_foreign_toplevel_handle_v1* handle) { Self(data)->Toplevel_closed(handle); }
void On_parent(void*, zwlr_foreign_toplevel_handle_v1*, zwlr_foreign_toplevel_handle_v1*) {}

const zwlr_foreign_toplevel_handle_v1_listener handle_listener = {
    On_title, On_app_id, On_output, On_output, On_state, On_done, On_closed, On_parent,
};

void On_toplevel(void* data, zwlr_foreign_toplevel_manager_v1*, zwlr_foreign_toplevel_handle_v1* handle) {
  Self(data)->Toplevel_created(handle);
}
void On_finished(void*, zwlr_foreign_toplevel_manager_v1*) {}

const zwlr_foreign_toplevel_manager_v1_listener manager_listener = {On_toplevel, On_finished};

}  // namespace

std::unique_ptr<Active_toplevel> Active_toplevel::Create(Wayland_connection& connection) {
  auto* manager = static_cast<zwlr_foreign_toplevel_manager_v1*>(
      connection.Bind(&zwlr_foreign_toplevel_manager_v1_interface, 3));
  if (!manager) return nullptr;
  return std::unique_ptr<Active_toplevel>(new Active_toplevel(connection, manager));
}

Active_toplevel::Active_toplevel(Wayland_connection& connection, zwlr_foreign_toplevel_manager_v1* manager)
    : connection_(connection), manager_(manager) {
  zwlr_foreign_toplevel_manager_v1_add_listener(manager_, &manager_listener, this);
}

Active_toplevel::~Active_toplevel() {
  std::lock_guard<std::mutex> hold(connection_.lock());
  for (auto& [handle, toplevel] : toplevels_) zwlr_foreign_toplevel_handle_v1_destroy(handle);
  zwlr_foreign_toplevel_manager_v1_stop(manager_);
  wl_proxy_destroy(reinterpret_cast<wl_proxy*>(manager_));
  connection_.Flush();
}

std::string Active_toplevel::App_id() {
  connection_.Sync();  // a focus change on its way is taken first
  std::lock_guard<std::mutex> hold(connection_.lock());
  for (const auto& [handle, toplevel] : toplevels_)
    if (toplevel.activated) return toplevel.app_id;
  return {};
}

void Active_toplevel::Toplevel_created(zwlr_foreign_toplevel_handle_v1* handle) {
  toplevels_[handle];
  zwlr_foreign_toplevel_handle_v1_add_listener(handle, &handle_listener, this);
}

void Active_toplevel::App_id_changed(zwlr_foreign_toplevel_handle_v1* handle, const char* app_id) {
  toplevels_[handle].pending_app_id = app_id ? app_id : "";
}

void Active_toplevel::State_changed(zwlr_foreign_toplevel_handle_v1* handle, bool activated) {
  toplevels_[handle].pending_activated = activated;
}

void Active_toplevel::Changes_done(zwlr_foreign_toplevel_handle_v1* handle) {
  Toplevel& toplevel = toplevels_[handle];
  toplevel.app_id = toplevel.pending_app_id;
  toplevel.activated = toplevel.pending_activated;
}

void Active_toplevel::Toplevel_closed(zwlr_foreign_toplevel_handle_v1* handle) {
  toplevels_.erase(handle);
  zwlr_foreign_toplevel_handle_v1_destroy(handle);
}

}  // namespace quorvandel
