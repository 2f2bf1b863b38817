// The hotkey command's sender against a listener of the test's own on a
// real local socket: the frame arrives whole, and every way a running copy
// can fail to take it ends in false, soon, without a signal.
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "platform/instance_message_frame.h"
#include "platform/posix/socket_instance_sender.h"
#include "support/scratch_files.h"

namespace quorvandel::testing {
namespace {

using Message = std::vector<std::string>;

// What the listener does once it holds the whole message.
enum class Answer { taken, other_byte, close, nothing };

// A running copy in a thread: accepts one connection, reads one frame and
// answers as told; then waits for the sender to go.
class Fake_listener {
 public:
  Fake_listener(const std::string& path, Answer answer) : fd_(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0)) {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, path.data(), path.size());
    EXPECT_EQ(::bind(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    EXPECT_EQ(::listen(fd_, 4), 0);
    thread_ = std::thread([this, answer] { Serve(answer); });
  }
  ~Fake_listener() {
    Join();
    ::close(fd_);
  }
  void Join() {
    if (thread_.joinable()) thread_.join();
  }

  Message received;  // once joined

 private:
  void Serve(Answer answer) {
    const int connection = ::accept(fd_, nullptr, nullptr);
    if (connection < 0) return;
    std::string bytes;
    char buffer[4096];
    Received_instance_message unframed;
    while (unframed.state == Received_instance_message::State::incomplete) {
      const ssize_t got = ::read(connection, buffer, sizeof(buffer));
      if (got <= 0) break;
      bytes.append(buffer, static_cast<std::size_t>(got));
      unframed = Unframe_instance_message(bytes);
    }
    received = unframed.message;
    const char other = 'x';
    if (answer == Answer::taken) (void)!::write(connection, &instance_message_taken, 1);
    if (answer == Answer::other_byte) (void)!::write(connection, &other, 1);
    if (answer != Answer::close) {
      // Until the sender has given up or is done.
      while (::read(connection, buffer, sizeof(buffer)) > 0) {
      }
    }
    ::close(connection);
  }

  int fd_;
  std::thread thread_;
};

TEST(Socket_instance_sender, TheMessageArrivesWholeAndOnlyATakenAnswerCounts) {
  const struct {
    Answer answer;
    bool sent;
  } cases[] = {
      {Answer::taken, true},
      {Answer::other_byte, false},
      {Answer::close, false},
      {Answer::nothing, false},  // after the timeout
  };
  // Larger than a socket's buffer, so that it goes in more than one write.
  const Message message = {"open", std::string(60000, 'x'), ""};
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.answer));
    Scratch_folder folder;
    const std::string path = (folder.path() / "channel.socket").string();
    Message received;
    {
      Fake_listener listener(path, c.answer);
      EXPECT_EQ(Socket_instance_sender(path, 300).Send(message), c.sent);
      listener.Join();
      received = listener.received;
    }
    EXPECT_EQ(received, message);
  }
}

TEST(Socket_instance_sender, NoListenerFailsAtOnce) {
  Scratch_folder folder;
  const std::string missing = (folder.path() / "channel.socket").string();
  // A socket left behind by a copy that ended.
  const std::string left_behind = (folder.path() / "left.socket").string();
  {
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::memcpy(address.sun_path, left_behind.data(), left_behind.size());
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address)), 0);
    ::close(fd);
  }
  const std::string too_long = (folder.path() / std::string(200, 'n')).string();
  for (const std::string& path : {missing, left_behind, too_long, std::string()}) {
    // A minute's timeout: these must not wait for it.
    EXPECT_FALSE(Socket_instance_sender(path, 60000).Send({"hotkey", "active"})) << path;
  }
}

}  // namespace
}  // namespace quorvandel::testing
