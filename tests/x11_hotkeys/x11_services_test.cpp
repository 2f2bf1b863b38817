// The X11 hotkey and keystroke services on an X server of the test's own
// (Xvfb), with another client of the display in the user's and the other
// programs' place: keys through XTest, grabs, a window that answers pings.
// A service may go while its connection stays (the program replaces it, or
// ends it first): what it left pending on the connection must go with it.
#include <X11/keysym.h>
#include <xcb/xcb.h>
#include <xcb/xtest.h>

#include <QCoreApplication>
#include <QMetaObject>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "hotkeys/x11/x11_connection.h"
#include "hotkeys/x11/x11_hotkey_service.h"
#include "hotkeys/x11/x11_keystroke_service.h"
#include "support/xvfb.h"

namespace quorvandel::testing {
namespace {

using namespace std::chrono_literals;

// Another client of the display: the user at the keyboard and the other
// programs, with their grabs and windows.
class Other_client {
 public:
  Other_client() : connection_(xcb_connect(nullptr, nullptr)) {
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
  }
  ~Other_client() { xcb_disconnect(connection_); }
  Other_client(const Other_client&) = delete;
  Other_client& operator=(const Other_client&) = delete;

  // Waits until the server has done all that was asked of it.
  void Sync() { std::free(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_), nullptr)); }

  // The user presses the key and lets it go.
  void Type(xcb_keycode_t key) {
    xcb_test_fake_input(connection_, XCB_KEY_PRESS, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_test_fake_input(connection_, XCB_KEY_RELEASE, key, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    Sync();
  }

  // A layout switcher sets the key's keysyms again, as they were: the
  // server tells every client that the mapping changed.
  void Set_mapping_again(xcb_keycode_t key) {
    Reply<xcb_get_keyboard_mapping_reply_t> mapping(
        xcb_get_keyboard_mapping_reply(connection_, xcb_get_keyboard_mapping(connection_, key, 1), nullptr));
    ASSERT_TRUE(mapping);
    xcb_change_keyboard_mapping(connection_, 1, key, mapping->keysyms_per_keycode,
                                xcb_get_keyboard_mapping_keysyms(mapping.get()));
    Sync();
  }

  // True when this client may grab the key without modifiers: no other
  // client holds it.
  bool Can_grab(xcb_keycode_t key) {
    xcb_generic_error_t* error = xcb_request_check(
        connection_, xcb_grab_key_checked(connection_, 1, root_, 0, key, XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    if (error) {
      std::free(error);
      return false;
    }
    xcb_ungrab_key(connection_, key, root_, 0);
    Sync();
    return true;
  }

  xcb_window_t Create_window() {
    const xcb_window_t window = xcb_generate_id(connection_);
    xcb_create_window(connection_, XCB_COPY_FROM_PARENT, window, root_, 0, 0, 10, 10, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, 0, nullptr);
    Sync();
    return window;
  }

  // Answers the _NET_WM_PING that comes to one of its windows as a
  // toolkit does: the same message back to the root window. False when
  // none came.
  bool Answer_ping() {
    const auto end = std::chrono::steady_clock::now() + 30s;  // only stops a broken run from hanging
    while (std::chrono::steady_clock::now() < end) {
      xcb_generic_event_t* event = xcb_poll_for_event(connection_);
      if (!event) {
        std::this_thread::sleep_for(10ms);
        continue;
      }
      const bool ping = (event->response_type & 0x7f) == XCB_CLIENT_MESSAGE;
      if (ping) {
        auto answer = *reinterpret_cast<xcb_client_message_event_t*>(event);
        answer.window = root_;
        xcb_send_event(connection_, 0, root_, XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY | XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT,
                       reinterpret_cast<const char*>(&answer));
        Sync();
      }
      std::free(event);
      if (ping) return true;
    }
    return false;
  }

 private:
  xcb_connection_t* connection_;
  xcb_window_t root_ = XCB_NONE;
};

// The services' connection takes in what the server has sent it so far, as
// its socket notifier would: a request's reply comes after the events sent
// before it, and waiting for it reads them.
void Take_in(X11_connection& connection) {
  connection.Atom("WM_PROTOCOLS");
  connection.Handle_queued_events();
}

// Runs the calls queued so far in the program's event loop: those queued
// before are run before this one's own.
void Run_queued_calls() {
  bool done = false;
  QMetaObject::invokeMethod(QCoreApplication::instance(), [&done] { done = true; }, Qt::QueuedConnection);
  while (!done) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

// What is pending on the connection when the service goes (or, for the
// rows where it stays, what it does with it).
enum class Pending {
  hotkey_press,     // the hotkey was let go; its report waits in the event loop
  mapping_change,   // the keyboard mapping changes afterwards
  ping_answer,      // the answer to the service's ping arrives afterwards
};

struct Case {
  const char* name;
  Pending pending;
  bool service_stays;
};
void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

class Service_and_connection : public ::testing::TestWithParam<Case> {
 protected:
  void SetUp() override {
    connection_ = X11_connection::Open();
    ASSERT_TRUE(connection_);
    const std::vector<xcb_keycode_t> f9 = connection_->keyboard_map().Keycodes_of(XK_F9);
    ASSERT_FALSE(f9.empty());
    f9_ = f9.front();
  }

  std::unique_ptr<X11_connection> connection_;
  Other_client other_;
  xcb_keycode_t f9_ = 0;
};

TEST_P(Service_and_connection, WhatIsPendingGoesWithTheService) {
  const Case& c = GetParam();
  if (c.pending == Pending::ping_answer) {
    auto keystrokes = std::make_unique<X11_keystroke_service>(*connection_);
    const xcb_window_t own_window = other_.Create_window();
    keystrokes->Set_own_window(own_window);
    ASSERT_TRUE(keystrokes->Ask_own_window_to_answer());
    ASSERT_TRUE(other_.Answer_ping());
    if (!c.service_stays) keystrokes.reset();
    Take_in(*connection_);
    if (c.service_stays) {
      EXPECT_TRUE(keystrokes->Foreground_answered());
    }
    return;
  }

  auto hotkeys = std::make_unique<X11_hotkey_service>(*connection_);
  std::vector<int> reported;
  hotkeys->Set_pressed_handler([&reported](int id) { reported.push_back(id); });
  ASSERT_TRUE(hotkeys->Register(7, false, false, false, 9));
  if (c.pending == Pending::hotkey_press) {
    other_.Type(f9_);
    Take_in(*connection_);
    if (!c.service_stays) hotkeys.reset();
    Run_queued_calls();
    EXPECT_EQ(reported, c.service_stays ? std::vector<int>{7} : std::vector<int>{});
  } else {
    if (!c.service_stays) hotkeys.reset();
    other_.Set_mapping_again(f9_);
    Take_in(*connection_);
    EXPECT_EQ(other_.Can_grab(f9_), !c.service_stays)
        << (c.service_stays ? "the hotkey is grabbed again after the change" : "a service that went holds no key");
  }
}

INSTANTIATE_TEST_SUITE_P(
    X11Services, Service_and_connection,
    ::testing::Values(Case{"HotkeyPressReported", Pending::hotkey_press, true},
                      Case{"HotkeyPressAfterTheServiceWent", Pending::hotkey_press, false},
                      Case{"MappingChangeKeepsTheGrab", Pending::mapping_change, true},
                      Case{"MappingChangeAfterTheServiceWent", Pending::mapping_change, false},
                      Case{"PingAnswered", Pending::ping_answer, true},
                      Case{"PingAnswerAfterTheServiceWent", Pending::ping_answer, false}),
    [](const ::testing::TestParamInfo<Case>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace quorvandel::testing

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  quorvandel::testing::Xvfb server;
  if (server.display().empty()) {
    std::fprintf(stderr, "Xvfb did not start\n");
    return 1;
  }
  ::setenv("DISPLAY", server.display().c_str(), 1);
  int result = 0;
  {
    QCoreApplication application(argc, argv);  // the services' connection reads its events in Qt's loop
    result = RUN_ALL_TESTS();
  }
  return result;
}
