// A connection of the program's own to the Wayland compositor, apart from
// the toolkit's: the globals it offers, and a thread that reads its events,
// so that data this program has put on the clipboard is handed out even
// while the user-interface thread waits (inside the toolkit's own
// clipboard read, for one).
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

struct wl_display;
struct wl_registry;
struct wl_seat;
struct wl_interface;

namespace quorvandel {

class Wayland_connection {
 public:
  // Nothing when no compositor answers on $WAYLAND_DISPLAY.
  static std::unique_ptr<Wayland_connection> Open();
  ~Wayland_connection();
  Wayland_connection(const Wayland_connection&) = delete;
  Wayland_connection& operator=(const Wayland_connection&) = delete;

  wl_display* display() const { return display_; }
  // The first seat the compositor announced; nullptr when it has none.
  wl_seat* seat() const { return seat_; }

  // Binds the global of that interface at the highest version both sides
  // know; nullptr when the compositor offers none. Only before Start.
  void* Bind(const wl_interface* interface, std::uint32_t max_version);

  // Starts the thread that reads and dispatches the events. From then on
  // every handler runs there with `lock()` held; the other threads take
  // it while they send requests or touch what the handlers change.
  void Start();
  std::mutex& lock() { return lock_; }

  // Sends the requests written so far.
  void Flush();
  // Waits until the compositor has handled every request sent so far and
  // its answers have been dispatched. Not with `lock()` held. False when
  // it does not answer in time.
  bool Sync();

  // Runs the work on the user-interface thread, later.
  static void Post(std::function<void()> work);

  struct Global {
    std::uint32_t name = 0;
    std::uint32_t version = 0;
  };

 private:
  Wayland_connection() = default;
  void Read_events();

  wl_display* display_ = nullptr;
  wl_registry* registry_ = nullptr;
  wl_seat* seat_ = nullptr;
  std::map<std::string, Global> globals_;
  std::mutex lock_;
  std::condition_variable synced_;
  std::thread reader_;
  int wake_[2] = {-1, -1};  // written to stop the reader
};

}  // namespace quorvandel
