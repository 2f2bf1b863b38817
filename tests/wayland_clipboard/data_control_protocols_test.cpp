// The clipboard's choice between the two data-control protocols, against
// a compositor of the test's own (libwayland-server) that offers the one,
// the other, both or neither: the standard protocol is preferred, and the
// clipboard reads and writes through whichever it chose. Debian 12's
// sway offers only the wlroots one, so this is where the standard one is
// spoken to.
#include <gtest/gtest.h>
#include <unistd.h>
#include <wayland-server.h>

#include <QCoreApplication>

#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "ext-data-control-v1-server-protocol.h"
#include "hotkeys/wayland/wayland_keys.h"
#include "platform/wayland/data_control_clipboard.h"
#include "wlr-data-control-unstable-v1-server-protocol.h"

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

// A compositor on a socket of its own, served on a thread of its own.
class Fake_compositor {
 public:
  Fake_compositor(bool seat, bool ext, bool wlr) {
    display_ = wl_display_create();
    if (seat) wl_global_create(display_, &wl_seat_interface, 1, nullptr, Bind_seat);
    if (ext) wl_global_create(display_, &ext_data_control_manager_v1_interface, 1, &requests, Bind_manager<Ext>);
    if (wlr) wl_global_create(display_, &zwlr_data_control_manager_v1_interface, 1, &requests, Bind_manager<Wlr>);
    socket_ = wl_display_add_socket_auto(display_);
    thread_ = std::thread([this] {
      wl_event_loop* loop = wl_display_get_event_loop(display_);
      while (!stopping_) {
        wl_event_loop_dispatch(loop, 20);
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

  Requests requests;

 private:
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

}  // namespace
}  // namespace quorvandel::testing
