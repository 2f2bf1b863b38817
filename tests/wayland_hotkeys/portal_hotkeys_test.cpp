// The hotkeys through the desktop portal, against a mock portal
// (python3-dbusmock) on a private session bus: binding, a press, the user
// cancelling the desktop's dialog, a portal that is missing or too old.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QElapsedTimer>

#include <map>
#include <string>
#include <vector>

#include "hotkeys/hotkey_conversion.h"
#include "hotkeys/wayland/portal_hotkeys.h"

namespace quorvandel::testing {
namespace {

const QString portal_service = "org.freedesktop.portal.Desktop";

pid_t Spawn(const std::vector<std::string>& command, int output_fd = -1) {
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(output_fd >= 0 ? output_fd : null, 1);
    if (!std::getenv("QUORVANDEL_DESKTOP_TEST_VERBOSE")) dup2(null, 2);
    for (int fd = 3; fd < 256; ++fd) close(fd);
    std::vector<char*> argv;
    for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

void Stop(pid_t& pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  pid = -1;
}

// Lets Qt's loop run until the condition holds; false after a deadline
// that only stops a broken run from hanging.
bool Eventually(const std::function<bool()>& condition) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > 20000) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

class Portal_hotkeys_test : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    static int argc = 1;
    static char name[] = "portal_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance()) new QCoreApplication(argc, argv);
  }

  // A session bus of the test's own.
  void SetUp() override {
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    bus_daemon_ = Spawn({"dbus-daemon", "--session", "--nofork", "--print-address=1"}, ends[1]);
    close(ends[1]);
    std::string address;
    char c;
    while (read(ends[0], &c, 1) == 1 && c != '\n') address += c;
    close(ends[0]);
    ASSERT_FALSE(address.empty()) << "dbus-daemon did not start";
    address_ = address;
    bus_name_ = QString("portal-test-%1").arg(++connections_);
    bus_ = std::make_unique<QDBusConnection>(QDBusConnection::connectToBus(QString::fromStdString(address_), bus_name_));
    ASSERT_TRUE(bus_->isConnected());
  }

  void TearDown() override {
    hotkeys_.reset();
    bus_.reset();
    QDBusConnection::disconnectFromBus(bus_name_);
    Stop(portal_);
    Stop(bus_daemon_);
  }

  // The mock portal with these template parameters, once it owns its name.
  void Start_portal(const std::string& parameters) {
    const std::string bus_variable = "DBUS_SESSION_BUS_ADDRESS=" + address_;
    portal_ = Spawn({"env", bus_variable, "/usr/bin/python3", "-m", "dbusmock", "--template",
                     QUORVANDEL_SOURCE_DIR "/tests/wayland_hotkeys/global_shortcuts_portal.py", "-p", parameters});
    ASSERT_TRUE(Eventually([&] { return bus_->interface()->isServiceRegistered(portal_service).value(); }))
        << "the mock portal did not start";
  }

  void Open_and_register() {
    hotkeys_ = Portal_hotkeys::Open(*bus_);
    ASSERT_TRUE(hotkeys_);
    hotkeys_->Set_pressed_handler([this](int id) { pressed_.push_back(id); });
    EXPECT_TRUE(hotkeys_->Register(default_hotkey_id, true, true, false, 12));
    EXPECT_TRUE(hotkeys_->Register(active_hotkey_id, true, false, true, 11));
  }

  void Press(const QString& shortcut) {
    QDBusMessage press =
        QDBusMessage::createMethodCall(portal_service, "/org/freedesktop/portal/desktop", "org.freedesktop.DBus.Mock", "Press");
    press << shortcut;
    const QDBusMessage reply = bus_->call(press);
    ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << reply.errorMessage().toStdString();
  }

  static int connections_;
  pid_t bus_daemon_ = -1;
  pid_t portal_ = -1;
  std::string address_;
  QString bus_name_;
  std::unique_ptr<QDBusConnection> bus_;
  std::unique_ptr<Portal_hotkeys> hotkeys_;
  std::vector<int> pressed_;
};

int Portal_hotkeys_test::connections_ = 0;

TEST(Portal_trigger, NamesTheModifiersInTheFormatOfTheShortcutsSpecification) {
  const struct {
    bool ctrl, shift, alt;
    int fkey;
    const char* trigger;
  } cases[] = {
      {true, true, false, 12, "CTRL+SHIFT+F12"},
      {true, false, true, 11, "CTRL+ALT+F11"},
      {false, false, false, 7, "F7"},
      {true, true, true, 1, "CTRL+ALT+SHIFT+F1"},
  };
  for (const auto& c : cases) EXPECT_EQ(Portal_trigger(c.ctrl, c.shift, c.alt, c.fkey), c.trigger);
}

TEST_F(Portal_hotkeys_test, BindsBothHotkeysAndActsOnTheRelease) {
  Start_portal("{}");
  Open_and_register();
  ASSERT_TRUE(Eventually([&] { return hotkeys_->Bound().size() == 2; })) << hotkeys_->Failure();
  EXPECT_EQ(hotkeys_->Bound(),
            (std::map<int, std::string>{{default_hotkey_id, "CTRL+SHIFT+F12"}, {active_hotkey_id, "CTRL+ALT+F11"}}));
  EXPECT_EQ(hotkeys_->Failure(), "");
  Press("active");
  Press("default");
  ASSERT_TRUE(Eventually([&] { return pressed_.size() == 2; }));
  EXPECT_EQ(pressed_, (std::vector<int>{active_hotkey_id, default_hotkey_id}));  // once each: the release only
}

TEST_F(Portal_hotkeys_test, AnUnregisteredHotkeyIsNotActedOn) {
  Start_portal("{}");
  Open_and_register();
  ASSERT_TRUE(Eventually([&] { return hotkeys_->Bound().size() == 2; }));
  hotkeys_->Unregister(active_hotkey_id);
  Press("active");
  Press("default");
  ASSERT_TRUE(Eventually([&] { return !pressed_.empty(); }));
  EXPECT_EQ(pressed_, std::vector<int>{default_hotkey_id});
}

TEST_F(Portal_hotkeys_test, TheUserCancellingTheDialogIsReported) {
  Start_portal("{\"bind_response\": 1}");
  Open_and_register();
  ASSERT_TRUE(Eventually([&] { return !hotkeys_->Failure().empty(); }));
  EXPECT_NE(hotkeys_->Failure().find("cancelled"), std::string::npos) << hotkeys_->Failure();
  EXPECT_TRUE(hotkeys_->Bound().empty());
}

TEST_F(Portal_hotkeys_test, MissingOrTooOldPortalIsNotUsed) {
  EXPECT_FALSE(Portal_hotkeys::Open(*bus_)) << "no portal at all";
  Start_portal("{\"version\": 0}");
  EXPECT_FALSE(Portal_hotkeys::Open(*bus_)) << "a portal of version 0";
}

}  // namespace
}  // namespace quorvandel::testing
