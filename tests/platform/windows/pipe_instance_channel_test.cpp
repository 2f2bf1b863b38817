// The channel between copies of the program over a real named pipe: the
// running copy listens on this thread and runs its message loop, a second
// copy sends from another thread, as it would from its own process.
#include <windows.h>

#include <gmock/gmock.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/instance_message_frame.h"
#include "platform/windows/message_window.h"
#include "platform/windows/pipe_instance_channel.h"

namespace quorvandel {
namespace {

using Message = std::vector<std::string>;
using ::testing::ElementsAre;

// Runs this thread's message loop until the condition holds, for at most a while.
bool Eventually(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
  while (!condition() && std::chrono::steady_clock::now() < deadline) {
    windows::Dispatch_pending_messages();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
  return condition();
}

class Pipe_channel : public ::testing::Test {
 protected:
  // A name of this test alone, so that tests and their runs never meet.
  static std::string Name() {
    const ::testing::TestInfo* test = ::testing::UnitTest::GetInstance()->current_test_info();
    return "QuorvandelTest-" + std::to_string(::GetCurrentProcessId()) + "-" + test->name();
  }

  // Sends from another thread while this one runs the listener's loop;
  // returns what Send answered.
  static bool Send_from_elsewhere(const Message& message) {
    std::atomic<int> result = -1;
    std::thread sender([&] { result = Pipe_instance_channel(Name()).Send(message) ? 1 : 0; });
    Eventually([&] { return result != -1; });
    sender.join();
    return result == 1;
  }

  // Listens, recording what arrives and on which thread.
  bool Listen(Pipe_instance_channel& channel) {
    return channel.Listen([this](const Message& message) {
      received.push_back(message);
      if (std::this_thread::get_id() != listening_thread) handed_on_elsewhere = true;
    });
  }

  // The pipe opened as a client that writes what it likes.
  static HANDLE Open_raw() {
    const std::string name = Name();
    const std::wstring path = L"\\\\.\\pipe\\" + std::wstring(name.begin(), name.end());
    return ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  }

  static bool Closed_by_the_other_end(HANDLE pipe) {
    DWORD available = 0;
    return !::PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && ::GetLastError() == ERROR_BROKEN_PIPE;
  }

  const std::thread::id listening_thread = std::this_thread::get_id();
  std::vector<Message> received;
  bool handed_on_elsewhere = false;
};

TEST_F(Pipe_channel, MessagesArriveWholeInOrderOnTheListeningThread) {
  const std::vector<Message> messages = {
      {"open", "C:\\Users\\user\\a file with spaces\\\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d.txt"},
      {"raise"},
      {"hotkey", "default"},
      {"hotkey", "active"},
      {},
      {"", ""},
      {"open", std::string(40000, 'x')},  // more than the pipe's buffer
  };
  Pipe_instance_channel running(Name());
  ASSERT_TRUE(Listen(running));
  for (const Message& message : messages) {
    EXPECT_TRUE(Send_from_elsewhere(message));
  }
  ASSERT_TRUE(Eventually([&] { return received.size() == messages.size(); }));
  EXPECT_EQ(received, messages);
  EXPECT_FALSE(handed_on_elsewhere);
}

TEST_F(Pipe_channel, NothingListeningIsReported) {
  EXPECT_FALSE(Pipe_instance_channel(Name()).Send({"raise"}));
}

TEST_F(Pipe_channel, TooLargeAMessageIsNotSent) {
  Pipe_instance_channel running(Name());
  ASSERT_TRUE(Listen(running));
  EXPECT_FALSE(Send_from_elsewhere({"open", std::string(max_instance_message_size, 'x')}));
  EXPECT_TRUE(Send_from_elsewhere({"raise"}));
  ASSERT_TRUE(Eventually([&] { return !received.empty(); }));
  EXPECT_THAT(received, ElementsAre(Message{"raise"}));
}

// The name is one copy's while it listens, and free again once it has gone.
TEST_F(Pipe_channel, SecondListenerIsRefusedUntilTheFirstHasGone) {
  {
    Pipe_instance_channel running(Name());
    ASSERT_TRUE(Listen(running));
    Pipe_instance_channel other(Name());
    EXPECT_FALSE(other.Listen([](const Message&) {}));
    EXPECT_TRUE(Send_from_elsewhere({"raise"}));
    EXPECT_TRUE(Eventually([&] { return received.size() == 1; }));
  }
  EXPECT_FALSE(Send_from_elsewhere({"raise"}));
  Pipe_instance_channel next(Name());
  ASSERT_TRUE(Listen(next));
  EXPECT_TRUE(Send_from_elsewhere({"hotkey", "active"}));
  EXPECT_TRUE(Eventually([&] { return received.size() == 2; }));
}

// What is not a message is dropped with its connection, unanswered; the
// channel goes on.
TEST_F(Pipe_channel, ForeignBytesAreDroppedAndTheChannelGoesOn) {
  const std::vector<std::string> foreign = {
      "GET / HTTP/1.0\r\n\r\n",
      std::string("QVC1\x00\x00\x00\x03" "abc", 11),  // a part without its end
      std::string("QVC1\x7f\xff\xff\xff", 8),         // longer than any message
      std::string("QVC1\x00\x00\x00\x01" "\0\0", 10),  // more than it says
  };
  Pipe_instance_channel running(Name());
  ASSERT_TRUE(Listen(running));
  for (const std::string& bytes : foreign) {
    SCOPED_TRACE(bytes);
    const HANDLE pipe = Open_raw();
    ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(::WriteFile(pipe, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    EXPECT_TRUE(Eventually([&] { return Closed_by_the_other_end(pipe); }));
    ::CloseHandle(pipe);
  }
  EXPECT_TRUE(Send_from_elsewhere({"raise"}));
  ASSERT_TRUE(Eventually([&] { return !received.empty(); }));
  EXPECT_THAT(received, ElementsAre(Message{"raise"}));
}

// A sender that stops halfway holds no one else up, nor the listener's end.
TEST_F(Pipe_channel, HalfASendDoesNotBlockTheNext) {
  auto running = std::make_unique<Pipe_instance_channel>(Name());
  ASSERT_TRUE(Listen(*running));
  const HANDLE stalled = Open_raw();
  ASSERT_NE(stalled, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  EXPECT_TRUE(::WriteFile(stalled, "QVC1", 4, &written, nullptr));
  EXPECT_TRUE(Send_from_elsewhere({"hotkey", "active"}));
  ASSERT_TRUE(Eventually([&] { return !received.empty(); }));
  EXPECT_THAT(received, ElementsAre(Message{"hotkey", "active"}));
  running.reset();  // returns while the stalled sender still waits
  EXPECT_TRUE(Closed_by_the_other_end(stalled));
  ::CloseHandle(stalled);
}

}  // namespace
}  // namespace quorvandel
