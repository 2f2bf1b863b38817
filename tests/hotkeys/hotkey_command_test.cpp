// The hotkey command's hand-over over a fake channel and fake locks: what it
// sends, what it says, and that it waits only for a copy that is starting.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "hotkeys/hotkey_command.h"
#include "platform/named_semaphore.h"

namespace quorvandel::testing {
namespace {

using Message = std::vector<std::string>;

// A running copy that takes the message at the given try (0: never).
class Counting_channel : public Instance_channel_service {
 public:
  explicit Counting_channel(int taking_try) : taking_try_(taking_try) {}
  bool Listen(std::function<void(const Message&)>) override { return false; }
  bool Send(const Message& message) override {
    sent.push_back(message);
    return static_cast<int>(sent.size()) == taking_try_;
  }
  std::vector<Message> sent;

 private:
  int taking_try_;
};

class Fake_locks : public Instance_locks {
 public:
  explicit Fake_locks(bool copy_starting) : copy_starting_(copy_starting) {}
  bool Held_elsewhere(std::string_view name) override {
    if (copy_starting_) return true;
    held.insert(std::string(name));
    return false;
  }
  void Release(std::string_view name) override { held.erase(std::string(name)); }
  std::set<std::string> held;  // by this process

 private:
  bool copy_starting_;
};

TEST(Hand_hotkey_over, SendsTheHotkeyWaitingOnlyForACopyThatIsStarting) {
  const struct {
    const char* word;
    int taking_try;
    bool copy_starting;
    int exit_status;
    const char* error;
    std::size_t tries;
  } cases[] = {
      {"default", 1, false, 0, "", 1},
      {"active", 1, false, 0, "", 1},
      {"active", 3, true, 0, "", 3},
      {"default", 0, false, 1, "quorvandel: Quorvandel is not running.\n", 1},
      {"other", 1, false, 2, "usage: quorvandel-hotkey default|active\n", 0},
      {"", 1, false, 2, "usage: quorvandel-hotkey default|active\n", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.word << " " << c.taking_try << " " << c.copy_starting);
    Counting_channel channel(c.taking_try);
    Fake_locks locks(c.copy_starting);
    const Hotkey_command_result result = Hand_hotkey_over(c.word, channel, locks, "quorvandel-hotkey");
    EXPECT_EQ(result.exit_status, c.exit_status);
    EXPECT_EQ(result.error, c.error);
    EXPECT_EQ(channel.sent, std::vector<Message>(c.tries, Message{"hotkey", c.word}));
    EXPECT_TRUE(locks.held.empty());  // a copy started next is not kept out
  }
}

}  // namespace
}  // namespace quorvandel::testing
