// A private session bus with a mock desktop portal (python3-dbusmock and
// one of this folder's templates), for the tests of the portal clients.
#pragma once

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

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace quorvandel::testing {

inline const QString portal_service = "org.freedesktop.portal.Desktop";

inline pid_t Spawn(const std::vector<std::string>& command, int output_fd = -1) {
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

inline void Stop(pid_t& pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  pid = -1;
}

// Lets Qt's loop run until the condition holds; false after a deadline
// that only stops a broken run from hanging.
inline bool Eventually(const std::function<bool()>& condition) {
  QElapsedTimer timer;
  timer.start();
  while (!condition()) {
    if (timer.elapsed() > 20000) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
  }
  return true;
}

class Portal_bus : public ::testing::Test {
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
    Release();
    bus_.reset();
    QDBusConnection::disconnectFromBus(bus_name_);
    Stop(portal_);
    Stop(bus_daemon_);
  }

  // What the test holds on the bus goes before it.
  virtual void Release() {}

  // The mock portal of the template (a file of this folder) with these
  // parameters, once it owns its name.
  void Start_portal(const std::string& template_file, const std::string& parameters) {
    const std::string bus_variable = "DBUS_SESSION_BUS_ADDRESS=" + address_;
    portal_ = Spawn({"env", bus_variable, "/usr/bin/python3", "-m", "dbusmock", "--template",
                     std::string(QUORVANDEL_SOURCE_DIR "/tests/wayland_hotkeys/") + template_file, "-p", parameters});
    ASSERT_TRUE(Eventually([&] { return bus_->interface()->isServiceRegistered(portal_service).value(); }))
        << "the mock portal did not start";
  }

  static inline int connections_ = 0;
  pid_t bus_daemon_ = -1;
  pid_t portal_ = -1;
  std::string address_;
  QString bus_name_;
  std::unique_ptr<QDBusConnection> bus_;
};

}  // namespace quorvandel::testing
