// The channel between copies of the program over a real local socket: the
// running copy listens, a second copy sends from another thread, as it
// would from its own process.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QTemporaryDir>

#include <gmock/gmock.h>

#include <atomic>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/qt/qt_instance_channel.h"

namespace quorvandel::testing {
namespace {

using Message = std::vector<std::string>;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

class Instance_channel : public ::testing::Test {
 protected:
  QString Name() const { return folder_.path() + "/channel.socket"; }

  // Runs the event loop until the condition holds, for at most a while.
  static bool Eventually(const std::function<bool()>& condition) {
    const QDeadlineTimer deadline(20000);
    while (!condition() && !deadline.hasExpired()) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
  }

  // Sends from another thread while this one runs the listener's loop;
  // returns what Send answered.
  bool Send_from_elsewhere(const Message& message) {
    std::atomic<int> result = -1;
    std::thread sender([&] { result = Qt_instance_channel(Name()).Send(message) ? 1 : 0; });
    Eventually([&] { return result != -1; });
    sender.join();
    return result == 1;
  }

  // Listens, recording what arrives.
  bool Listen(Qt_instance_channel& channel) {
    return channel.Listen([this](const Message& message) { received.push_back(message); });
  }

  QTemporaryDir folder_;
  std::vector<Message> received;
};

TEST_F(Instance_channel, MessagesArriveWholeAndInOrder) {
  const std::vector<Message> messages = {
      {"open", "/home/user/a file with spaces/\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d.txt"},
      {"raise"},
      {"hotkey", "default"},
      {"hotkey", "active"},
      {},
      {"", ""},
      {"open", std::string(40000, 'x')},
  };
  Qt_instance_channel running(Name());
  ASSERT_TRUE(Listen(running));
  for (const Message& message : messages) {
    EXPECT_TRUE(Send_from_elsewhere(message));
  }
  ASSERT_TRUE(Eventually([&] { return received.size() == messages.size(); }));
  EXPECT_EQ(received, messages);
}

TEST_F(Instance_channel, NothingListeningIsReportedAtOnce) {
  EXPECT_FALSE(Qt_instance_channel(Name()).Send({"raise"}));
}

TEST_F(Instance_channel, TooLargeAMessageIsNotSent) {
  Qt_instance_channel running(Name());
  ASSERT_TRUE(Listen(running));
  EXPECT_FALSE(Send_from_elsewhere({"open", std::string(Qt_instance_channel::max_message_size, 'x')}));
  EXPECT_TRUE(Send_from_elsewhere({"raise"}));
  ASSERT_TRUE(Eventually([&] { return !received.empty(); }));
  EXPECT_THAT(received, ElementsAre(Message{"raise"}));
}

TEST_F(Instance_channel, SecondListenerIsRefusedWhileTheFirstListens) {
  Qt_instance_channel running(Name());
  ASSERT_TRUE(Listen(running));
  Qt_instance_channel other(Name());
  EXPECT_FALSE(other.Listen([](const Message&) {}));
  EXPECT_TRUE(Send_from_elsewhere({"raise"}));
  EXPECT_TRUE(Eventually([&] { return received.size() == 1; }));
}

TEST_F(Instance_channel, SocketLeftByACrashedCopyIsTakenOver) {
  // A socket bound and never removed, as a copy that was killed leaves it.
  const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
  ASSERT_GE(fd, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const QByteArray path = Name().toLocal8Bit();
  std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
  ASSERT_EQ(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
  ::close(fd);

  Qt_instance_channel running(Name());
  ASSERT_TRUE(Listen(running));
  EXPECT_TRUE(Send_from_elsewhere({"raise"}));
  EXPECT_TRUE(Eventually([&] { return received.size() == 1; }));
}

// What is not a message is dropped with its connection; the channel goes on.
TEST_F(Instance_channel, ForeignBytesAreDroppedAndTheChannelGoesOn) {
  const std::vector<QByteArray> foreign = {
      "GET / HTTP/1.0\r\n\r\n",
      QByteArray("QVC1\x00\x00\x00\x03" "abc", 11),  // a part without its end
      QByteArray("QVC1\x7f\xff\xff\xff", 8),         // longer than any message
  };
  Qt_instance_channel running(Name());
  ASSERT_TRUE(Listen(running));
  for (const QByteArray& bytes : foreign) {
    SCOPED_TRACE(bytes.toStdString());
    QLocalSocket socket;
    socket.connectToServer(Name());
    ASSERT_TRUE(socket.waitForConnected(5000));
    socket.write(bytes);
    socket.flush();
    EXPECT_TRUE(Eventually([&] { return socket.state() == QLocalSocket::UnconnectedState; }));
    EXPECT_EQ(socket.bytesAvailable(), 0);  // no answer that it was taken
  }
  EXPECT_TRUE(Send_from_elsewhere({"raise"}));
  ASSERT_TRUE(Eventually([&] { return !received.empty(); }));
  EXPECT_THAT(received, ElementsAre(Message{"raise"}));
}

// A sender that stops halfway holds no one else up.
TEST_F(Instance_channel, HalfASendDoesNotBlockTheNext) {
  Qt_instance_channel running(Name());
  ASSERT_TRUE(Listen(running));
  QLocalSocket stalled;
  stalled.connectToServer(Name());
  ASSERT_TRUE(stalled.waitForConnected(5000));
  stalled.write("QVC1");
  stalled.flush();
  EXPECT_TRUE(Send_from_elsewhere({"hotkey", "active"}));
  ASSERT_TRUE(Eventually([&] { return !received.empty(); }));
  EXPECT_THAT(received, ElementsAre(Message{"hotkey", "active"}));
}

}  // namespace
}  // namespace quorvandel::testing
