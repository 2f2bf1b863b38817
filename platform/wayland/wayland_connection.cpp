#include "platform/wayland/wayland_connection.h"

#include <poll.h>
#include <signal.h>
#include <unistd.h>
#include <wayland-client.h>

#include <QCoreApplication>
#include <QMetaObject>

#include <algorithm>
#include <chrono>
#include <cstring>

namespace quorvandel {
namespace {

constexpr auto sync_limit = std::chrono::seconds(2);

void Global_added(void* data, wl_registry*, std::uint32_t name, const char* interface, std::uint32_t version) {
  auto* globals = static_cast<std::map<std::string, Wayland_connection::Global>*>(data);
  (*globals)[interface] = {name, version};
}
void Global_removed(void*, wl_registry*, std::uint32_t) {}
const wl_registry_listener registry_listener = {Global_added, Global_removed};

// One Sync's answer; whoever comes last, the waiter or the answer, frees it.
struct Sync_state {
  std::condition_variable* synced = nullptr;
  bool done = false;
  bool abandoned = false;
};

void Sync_done(void* data, wl_callback* callback, std::uint32_t) {
  auto* state = static_cast<Sync_state*>(data);
  wl_callback_destroy(callback);
  if (state->abandoned) {
    delete state;
    return;
  }
  state->done = true;
  state->synced->notify_all();
}
const wl_callback_listener sync_listener = {Sync_done};

}  // namespace

std::unique_ptr<Wayland_connection> Wayland_connection::Open() {
  wl_display* display = wl_display_connect(nullptr);
  if (!display) return nullptr;
  std::unique_ptr<Wayland_connection> connection(new Wayland_connection);
  connection->display_ = display;
  connection->registry_ = wl_display_get_registry(display);
  wl_registry_add_listener(connection->registry_, &registry_listener, &connection->globals_);
  if (wl_display_roundtrip(display) < 0) return nullptr;
  connection->seat_ = static_cast<wl_seat*>(connection->Bind(&wl_seat_interface, 1));
  // A program that reads our data and goes away must not end this one.
  signal(SIGPIPE, SIG_IGN);
  return connection;
}

Wayland_connection::~Wayland_connection() {
  if (reader_.joinable()) {
    const char stop = 1;
    (void)!write(wake_[1], &stop, 1);
    reader_.join();
  }
  for (int fd : wake_)
    if (fd >= 0) close(fd);
  if (seat_) wl_proxy_destroy(reinterpret_cast<wl_proxy*>(seat_));
  if (registry_) wl_registry_destroy(registry_);
  if (display_) wl_display_disconnect(display_);
}

void* Wayland_connection::Bind(const wl_interface* interface, std::uint32_t max_version) {
  const auto found = globals_.find(interface->name);
  if (found == globals_.end()) return nullptr;
  const std::uint32_t version =
      std::min({found->second.version, max_version, static_cast<std::uint32_t>(interface->version)});
  return wl_registry_bind(registry_, found->second.name, interface, version);
}

void Wayland_connection::Start() {
  if (pipe(wake_) != 0) return;
  Flush();
  reader_ = std::thread([this] { Read_events(); });
}

void Wayland_connection::Read_events() {
  pollfd fds[2] = {{wl_display_get_fd(display_), POLLIN, 0}, {wake_[0], POLLIN, 0}};
  for (;;) {
    {
      std::lock_guard<std::mutex> hold(lock_);
      while (wl_display_prepare_read(display_) != 0) wl_display_dispatch_pending(display_);
    }
    wl_display_flush(display_);
    if (poll(fds, 2, -1) < 0 && errno == EINTR) {
      wl_display_cancel_read(display_);
      continue;
    }
    if (fds[1].revents != 0) {
      wl_display_cancel_read(display_);
      return;
    }
    if ((fds[0].revents & POLLIN) != 0) {
      if (wl_display_read_events(display_) < 0) return;  // the compositor is gone
    } else {
      wl_display_cancel_read(display_);
      if ((fds[0].revents & (POLLERR | POLLHUP)) != 0) return;
    }
    std::lock_guard<std::mutex> hold(lock_);
    if (wl_display_dispatch_pending(display_) < 0) return;
  }
}

void Wayland_connection::Flush() { wl_display_flush(display_); }

bool Wayland_connection::Sync() {
  std::unique_lock<std::mutex> hold(lock_);
  auto* state = new Sync_state;
  state->synced = &synced_;
  wl_callback* callback = wl_display_sync(display_);
  wl_callback_add_listener(callback, &sync_listener, state);
  wl_display_flush(display_);
  const bool done = synced_.wait_for(hold, sync_limit, [state] { return state->done; });
  if (done) {
    delete state;
  } else {
    state->abandoned = true;  // the answer frees it, if it ever comes
  }
  return done;
}

void Wayland_connection::Post(std::function<void()> work) {
  QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(work), Qt::QueuedConnection);
}

}  // namespace quorvandel
