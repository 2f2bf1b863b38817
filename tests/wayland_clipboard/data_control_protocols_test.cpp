// The clipboard's choice between the two data-control protocols, against
// a compositor of the test's own (libwayland-server) that offers the one,
// the other, both or neither: the standard protocol is preferred, and the
// clipboard reads and writes through whichever it chose. Debian 12's
// sway offers only the wlroots one, so this is where the standard one is
// spoken to. The same compositor tells of its windows as sway does, for
// the focused window's program.
#include <gtest/gtest.h>
#include <unistd.h>
#include <wayland-server.h>

#include <QCoreApplication>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ext-data-control-v1-server-protocol.h"
#include "hotkeys/wayland/wayland_keys.h"
#include "platform/wayland/active_toplevel.h"
#include "platform/wayland/data_control_clipboard.h"
#include "wlr-data-control-unstable-v1-server-protocol.h"
#include "wlr-foreign-toplevel-management-unstable-v1-server-protocol.h"

namespace quorvandel::testing {
namespace {

// The text the compositor's clipboard holds when the test starts.
constexpr const char* compositor_text = "from another program";

// One protocol's objects as the fake compositor serves them; the requests'
// handlers are the same for both, for the protocols are alike.
struct Served_protocol {
  const char* name;
  const wl_interface* manager;
  const wl_interface* device;
  const wl_interface* source;
  const wl_interface* offer;
  const void* manager_implementation;
  const void* device_implementation;
  const void* source_implementation;
  const void* offer_implementation;
};

// What the compositor was asked, guarded by its lock.
struct Requests {
  std::mutex lock;
  std::string manager_bound;            // the protocol's name
  std::vector<std::string> source_types;  // of the last source set as the selection
  std::vector<std::string> received_types;
};

struct Source_state {
  std::vector<std::string> types;
};

Requests* requests_of(wl_resource* resource) { return static_cast<Requests*>(wl_resource_get_user_data(resource)); }

void Destroy(wl_client*, wl_resource* resource) { wl_resource_destroy(resource); }

// Sources keep their types in a state of their own, freed with them.
void Offer_type(wl_client*, wl_resource* source, const char* type) {
  static_cast<Source_state*>(wl_resource_get_user_data(source))->types.emplace_back(type);
}
void Source_destroyed(wl_resource* source) { delete static_cast<Source_state*>(wl_resource_get_user_data(source)); }

struct Device_data {
  Requests* requests;
  const Served_protocol* protocol;
};

void Set_selection(wl_client*, wl_resource* device, wl_resource* source) {
  auto* data = static_cast<Device_data*>(wl_resource_get_user_data(device));
  std::lock_guard<std::mutex> hold(data->requests->lock);
  data->requests->source_types = static_cast<Source_state*>(wl_resource_get_user_data(source))->types;
}
void Device_destroyed(wl_resource* device) { delete static_cast<Device_data*>(wl_resource_get_user_data(device)); }

void Receive(wl_client*, wl_resource* offer, const char* type, std::int32_t fd) {
  auto* data = static_cast<Device_data*>(wl_resource_get_user_data(offer));
  {
    std::lock_guard<std::mutex> hold(data->requests->lock);
    data->requests->received_types.emplace_back(type);
  }
  (void)!write(fd, compositor_text, std::char_traits<char>::length(compositor_text));
  close(fd);
}

template <typename Server_protocol>
void Create_source(wl_client* client, wl_resource* manager, std::uint32_t id);
template <typename Server_protocol>
void Get_device(wl_client* client, wl_resource* manager, std::uint32_t id, wl_resource* seat);

// Both protocols' request tables, filled with the handlers above.
struct Ext {
  static const Served_protocol served;
};
struct Wlr {
  static const Served_protocol served;
};

const struct ext_data_control_manager_v1_interface ext_manager = {Create_source<Ext>, Get_device<Ext>, Destroy};
const struct ext_data_control_device_v1_interface ext_device = {Set_selection, Destroy, nullptr};
const struct ext_data_control_source_v1_interface ext_source = {Offer_type, Destroy};
const struct ext_data_control_offer_v1_interface ext_offer = {Receive, Destroy};
const Served_protocol Ext::served = {"ext",
                                     &ext_data_control_manager_v1_interface,
                                     &ext_data_control_device_v1_interface,
                                     &ext_data_control_source_v1_interface,
                                     &ext_data_control_offer_v1_interface,
                                     &ext_manager,
                                     &ext_device,
                                     &ext_source,
                                     &ext_offer};

const struct zwlr_data_control_manager_v1_interface wlr_manager = {Create_source<Wlr>, Get_device<Wlr>, Destroy};
const struct zwlr_data_control_device_v1_interface wlr_device = {Set_selection, Destroy, nullptr};
const struct zwlr_data_control_source_v1_interface wlr_source = {Offer_type, Destroy};
const struct zwlr_data_control_offer_v1_interface wlr_offer = {Receive, Destroy};
const Served_protocol Wlr::served = {"wlr",
                                     &zwlr_data_control_manager_v1_interface,
                                     &zwlr_data_control_device_v1_interface,
                                     &zwlr_data_control_source_v1_interface,
                                     &zwlr_data_control_offer_v1_interface,
                                     &wlr_manager,
                                     &wlr_device,
                                     &wlr_source,
                                     &wlr_offer};

template <typename Server_protocol>
void Create_source(wl_client* client, wl_resource* manager, std::uint32_t id) {
  const Served_protocol& protocol = Server_protocol::served;
  wl_resource* source = wl_resource_create(client, protocol.source, 1, id);
  wl_resource_set_implementation(source, protocol.source_implementation, new Source_state, Source_destroyed);
  (void)manager;
}

// A new device is told at once what the clipboard holds: an offer of
// another program's text.
template <typename Server_protocol>
void Get_device(wl_client* client, wl_resource* manager, std::uint32_t id, wl_resource*) {
  const Served_protocol& protocol = Server_protocol::served;
  auto* data = new Device_data{requests_of(manager), &protocol};
  wl_resource* device = wl_resource_create(client, protocol.device, 1, id);
  wl_resource_set_implementation(device, protocol.device_implementation, data, Device_destroyed);
  wl_resource* offer = wl_resource_create(client, protocol.offer, 1, 0);
  wl_resource_set_implementation(offer, protocol.offer_implementation, data, nullptr);
  // The events' numbers are the same in both protocols' wire order.
  wl_resource_post_event(device, EXT_DATA_CONTROL_DEVICE_V1_DATA_OFFER, offer);
  wl_resource_post_event(offer, EXT_DATA_CONTROL_OFFER_V1_OFFER, "text/plain;charset=utf-8");
  wl_resource_post_event(device, EXT_DATA_CONTROL_DEVICE_V1_SELECTION, offer);
}

template <typename Server_protocol>
void Bind_manager(wl_client* client, void* data, std::uint32_t version, std::uint32_t id) {
  const Served_protocol& protocol = Server_protocol::served;
  auto* requests = static_cast<Requests*>(data);
  {
    std::lock_guard<std::mutex> hold(requests->lock);
    requests->manager_bound = protocol.name;
  }
  wl_resource* manager = wl_resource_create(client, protocol.manager, static_cast<int>(version), id);
  wl_resource_set_implementation(manager, protocol.manager_implementation, requests, nullptr);
}

void Bind_seat(wl_client* client, void*, std::uint32_t version, std::uint32_t id) {
  wl_resource_create(client, &wl_seat_interface, static_cast<int>(version), id);
}

// The windows the compositor tells task bars of: their handles as the
// client bound them, on the compositor's thread.
struct Toplevels {
  std::vector<wl_resource*> handles;
};

void Destroy_resource(wl_client*, wl_resource* resource) { wl_resource_destroy(resource); }
void Stop_manager(wl_client*, wl_resource*) {}

const struct zwlr_foreign_toplevel_manager_v1_interface toplevel_manager_implementation = {Stop_manager};
const struct zwlr_foreign_toplevel_handle_v1_interface toplevel_handle_implementation = {
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, Destroy_resource, nullptr, nullptr};

// Tells the handle its program and whether it has the focus, as one change.
void Tell_toplevel(wl_resource* handle, const char* app_id, bool activated) {
  if (app_id) zwlr_foreign_toplevel_handle_v1_send_app_id(handle, app_id);
  wl_array states;
  wl_array_init(&states);
  if (activated) {
    auto* state = static_cast<std::uint32_t*>(wl_array_add(&states, sizeof(std::uint32_t)));
    *state = ZWLR_FOREIGN_TOPLEVEL_HANDLE_V1_STATE_ACTIVATED;
  }
  zwlr_foreign_toplevel_handle_v1_send_state(handle, &states);
  wl_array_release(&states);
  zwlr_foreign_toplevel_handle_v1_send_done(handle);
}

// Two windows at the bind: a text editor, and the terminal that has the focus.
void Bind_toplevel_manager(wl_client* client, void* data, std::uint32_t version, std::uint32_t id) {
  auto* toplevels = static_cast<Toplevels*>(data);
  wl_resource* manager =
      wl_resource_create(client, &zwlr_foreign_toplevel_manager_v1_interface, static_cast<int>(version), id);
  wl_resource_set_implementation(manager, &toplevel_manager_implementation, nullptr, nullptr);
  for (const auto& [app_id, activated] : {std::pair{"org.gnome.gedit", false}, std::pair{"foot", true}}) {
    wl_resource* handle =
        wl_resource_create(client, &zwlr_foreign_toplevel_handle_v1_interface, static_cast<int>(version), 0);
    wl_resource_set_implementation(handle, &toplevel_handle_implementation, nullptr, nullptr);
    zwlr_foreign_toplevel_manager_v1_send_toplevel(manager, handle);
    Tell_toplevel(handle, app_id, activated);
    toplevels->handles.push_back(handle);
  }
}

// A compositor on a socket of its own, served on a thread of its own.
class Fake_compositor {
 public:
  Fake_compositor(bool seat, bool ext, bool wlr, bool windows = false) {
    display_ = wl_display_create();
    if (seat) wl_global_create(display_, &wl_seat_interface, 1, nullptr, Bind_seat);
    if (windows)
      wl_global_create(display_, &zwlr_foreign_toplevel_manager_v1_interface, 3, &toplevels_, Bind_toplevel_manager);
    if (ext) wl_global_create(display_, &ext_data_control_manager_v1_interface, 1, &requests, Bind_manager<Ext>);
    if (wlr) wl_global_create(display_, &zwlr_data_control_manager_v1_interface, 1, &requests, Bind_manager<Wlr>);
    socket_ = wl_display_add_socket_auto(display_);
    thread_ = std::thread([this] {
      wl_event_loop* loop = wl_display_get_event_loop(display_);
      while (!stopping_) {
        wl_event_loop_dispatch(loop, 20);
        std::vector<std::function<void(Toplevels&)>> work;
        {
          std::lock_guard<std::mutex> hold(work_lock_);
          work.swap(work_);
        }
        for (const auto& change : work) change(toplevels_);
        wl_display_flush_clients(display_);
      }
    });
  }
  ~Fake_compositor() {
    stopping_ = true;
    thread_.join();
    wl_display_destroy_clients(display_);
    wl_display_destroy(display_);
  }
  const char* socket() const { return socket_; }
  // Changes the windows on the compositor's thread, soon.
  void Change_windows(std::function<void(Toplevels&)> change) {
    std::lock_guard<std::mutex> hold(work_lock_);
    work_.push_back(std::move(change));
  }

  Requests requests;

 private:
  Toplevels toplevels_;
  std::mutex work_lock_;
  std::vector<std::function<void(Toplevels&)>> work_;
  wl_display* display_ = nullptr;
  const char* socket_ = nullptr;
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};

class Data_control_protocols : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "wayland_clipboard_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
    if (!std::getenv("XDG_RUNTIME_DIR")) {
      static const std::string runtime = (std::filesystem::temp_directory_path() /
                                          ("quorvandel-wayland-" + std::to_string(getpid())))
                                             .string();
      std::filesystem::create_directories(runtime);
      setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    }
  }
};

TEST_F(Data_control_protocols, TheStandardOneIsPreferredAndEitherCarriesTheClipboard) {
  struct Case {
    bool seat, ext, wlr;
    const char* chosen;  // empty: no clipboard
  };
  const Case cases[] = {
      {true, true, true, "ext"},
      {true, true, false, "ext"},
      {true, false, true, "wlr"},
      {true, false, false, ""},
      {false, true, true, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "seat " << c.seat << ", ext " << c.ext << ", wlr " << c.wlr);
    Fake_compositor compositor(c.seat, c.ext, c.wlr);
    ASSERT_NE(compositor.socket(), nullptr);
    setenv("WAYLAND_DISPLAY", compositor.socket(), 1);
    std::unique_ptr<Wayland_connection> connection = Wayland_connection::Open();
    ASSERT_TRUE(connection);
    std::unique_ptr<Data_control_clipboard> clipboard = Data_control_clipboard::Create(*connection);
    connection->Start();
    EXPECT_EQ(clipboard != nullptr, *c.chosen != '\0');
    if (clipboard) {
      EXPECT_EQ(clipboard->Read_text(), compositor_text);
      EXPECT_TRUE(clipboard->Write_text("converted", false));
      EXPECT_TRUE(connection->Sync());
    }
    clipboard.reset();
    connection.reset();
    std::lock_guard<std::mutex> hold(compositor.requests.lock);
    EXPECT_EQ(compositor.requests.manager_bound, c.chosen);
    if (*c.chosen != '\0') {
      EXPECT_EQ(compositor.requests.received_types, std::vector<std::string>{"text/plain;charset=utf-8"});
      EXPECT_EQ(compositor.requests.source_types,
                (std::vector<std::string>{"text/plain;charset=utf-8", "text/plain", "UTF8_STRING"}));
    }
  }
}

// KDE Plasma offers ordinary programs data control but no virtual keyboard:
// the clipboard is still taken, the keys are left to the desktop portal.
TEST_F(Data_control_protocols, DataControlWithoutAVirtualKeyboardStillHoldsTheClipboard) {
  const struct {
    bool ext, wlr;
    bool clipboard;
  } cases[] = {{true, false, true}, {false, true, true}, {false, false, false}};
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << "ext " << c.ext << ", wlr " << c.wlr);
    Fake_compositor compositor(true, c.ext, c.wlr);
    setenv("WAYLAND_DISPLAY", compositor.socket(), 1);
    std::optional<Wayland_keys> keys = Open_wayland_keys({"/usr/bin/quorvandel-hotkey"});
    EXPECT_EQ(keys.has_value(), c.clipboard);
    if (keys) {
      EXPECT_TRUE(keys->clipboard);
      EXPECT_FALSE(keys->keystrokes);
      EXPECT_EQ(keys->clipboard->Read_text(), compositor_text);
    }
  }
}

// The program of the window with the focus, from the windows the
// compositor tells task bars of: it follows the focus, and a closed
// window is forgotten.
TEST_F(Data_control_protocols, TheFocusedWindowsProgramFollowsTheFocus) {
  Fake_compositor compositor(true, false, true, true);
  setenv("WAYLAND_DISPLAY", compositor.socket(), 1);
  std::unique_ptr<Wayland_connection> connection = Wayland_connection::Open();
  ASSERT_TRUE(connection);
  std::unique_ptr<Active_toplevel> focus = Active_toplevel::Create(*connection);
  ASSERT_TRUE(focus);
  connection->Start();
  EXPECT_EQ(focus->App_id(), "foot");

  const auto focus_on = [](std::size_t window) {
    return [window](Toplevels& windows) {
      for (std::size_t i = 0; i < windows.handles.size(); ++i) Tell_toplevel(windows.handles[i], nullptr, i == window);
    };
  };
  const struct {
    const char* what;
    std::function<void(Toplevels&)> change;
    const char* focused;
  } steps[] = {
      {"the editor takes the focus", focus_on(0), "org.gnome.gedit"},
      {"the terminal takes it back", focus_on(1), "foot"},
      {"the terminal closes",
       [](Toplevels& windows) { zwlr_foreign_toplevel_handle_v1_send_closed(windows.handles[1]); }, ""},
  };
  for (const auto& step : steps) {
    compositor.Change_windows(step.change);
    // Each look waits for the compositor's answer to a round trip, so the
    // change arrives within a few looks.
    std::string focused = focus->App_id();
    for (int looks = 0; looks < 100 && focused != step.focused; ++looks) focused = focus->App_id();
    EXPECT_EQ(focused, step.focused) << step.what;
  }
  focus.reset();
  connection.reset();
}

// Without the protocol there is no answer, and the keys stay Ctrl+C and
// Ctrl+V.
TEST_F(Data_control_protocols, NoWindowListNoFocusedProgram) {
  Fake_compositor compositor(true, false, true, false);
  setenv("WAYLAND_DISPLAY", compositor.socket(), 1);
  std::unique_ptr<Wayland_connection> connection = Wayland_connection::Open();
  ASSERT_TRUE(connection);
  EXPECT_FALSE(Active_toplevel::Create(*connection));
}

}  // namespace
}  // namespace quorvandel::testing
