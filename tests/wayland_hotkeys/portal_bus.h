// A private session bus with a mock desktop portal (python3-dbusmock and
// one of this folder's templates), for the tests of the portal clients.
#pragma once

#include <unistd.h>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QElapsedTimer>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "hotkeys/wayland/desktop_portal.h"
#include "support/desktop_processes.h"

namespace quorvandel::testing {

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
    Spawn_options address_output;
    address_output.output_fd = ends[1];
    bus_daemon_ = Spawn({"dbus-daemon", "--session", "--nofork", "--print-address=1"}, address_output);
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

  // The arguments of each call of the mock portal's method, as dbusmock
  // logged them, the oldest first.
  std::vector<QVariantList> Method_calls(const QString& method) {
    QDBusMessage get = QDBusMessage::createMethodCall(portal_service, portal_path,
                                                      "org.freedesktop.DBus.Mock", "GetMethodCalls");
    get << method;
    const QDBusMessage reply = bus_->call(get);
    std::vector<QVariantList> calls;
    if (reply.type() != QDBusMessage::ReplyMessage) return calls;
    const QDBusArgument list = reply.arguments().front().value<QDBusArgument>();
    list.beginArray();
    while (!list.atEnd()) {
      qulonglong time = 0;
      QVariantList arguments;
      list.beginStructure();
      list >> time >> arguments;
      list.endStructure();
      calls.push_back(arguments);
    }
    list.endArray();
    return calls;
  }

  // The options of the last RemoteDesktop SelectDevices call.
  QVariantMap Selected_options() {
    const std::vector<QVariantList> calls = Method_calls("SelectDevices");
    if (calls.empty()) return {};
    return qdbus_cast<QVariantMap>(calls.back().at(1).value<QDBusArgument>());
  }

  static inline int connections_ = 0;
  pid_t bus_daemon_ = -1;
  pid_t portal_ = -1;
  std::string address_;
  QString bus_name_;
  std::unique_ptr<QDBusConnection> bus_;
};

}  // namespace quorvandel::testing
