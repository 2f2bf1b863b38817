// The single-instance guard with real copies of the program.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/lock_file.h"

extern char** environ;

namespace quorvandel::testing {
namespace {

using namespace std::chrono_literals;

// Waits for a condition, giving up after a generous while.
bool Eventually(const std::function<bool()>& condition) {
  const auto deadline = std::chrono::steady_clock::now() + 60s;
  while (std::chrono::steady_clock::now() < deadline) {
    if (condition()) return true;
    std::this_thread::sleep_for(20ms);
  }
  return false;
}

class Single_instance : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    runtime_ = folder_.path().toStdString();
  }

  void TearDown() override {
    for (const pid_t pid : started_) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, nullptr, 0);
    }
  }

  pid_t Start_copy() {
    std::vector<std::string> environment = {"QT_QPA_PLATFORM=offscreen", "XDG_RUNTIME_DIR=" + runtime_,
                                            "HOME=" + runtime_, "XDG_CONFIG_HOME=" + runtime_ + "/config",
                                            "PATH=/usr/bin:/bin"};
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);
    std::string program = QUORVANDEL_GUI_EXE;
    char* argv[] = {program.data(), nullptr};
    pid_t pid = 0;
    EXPECT_EQ(::posix_spawn(&pid, program.c_str(), nullptr, nullptr, argv, envp.data()), 0);
    started_.push_back(pid);
    return pid;
  }

  // Whether another process holds the lock of that name now.
  bool Held(std::string_view name) {
    Semaphore_handle handle;
    return Semaphore_exists_at(Lock_file_path(name, runtime_), handle);
  }

  static bool Exited(pid_t pid, int& status) { return ::waitpid(pid, &status, WNOHANG) == pid; }

  void Stop(pid_t pid) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    std::erase(started_, pid);
  }

  QTemporaryDir folder_;
  std::string runtime_;
  std::vector<pid_t> started_;
};

TEST_F(Single_instance, SecondCopyRefusesThirdLeavesSilentlyAndLocksDieWithTheirProcess) {
  const pid_t first = Start_copy();
  ASSERT_TRUE(Eventually([&] { return Held(exe_semaphore_name); }));

  const pid_t second = Start_copy();  // shows its refusal and waits for OK
  ASSERT_TRUE(Eventually([&] { return Held(msg_semaphore_name); }));

  const pid_t third = Start_copy();
  int status = -1;
  ASSERT_TRUE(Eventually([&] { return Exited(third, status); }));
  std::erase(started_, third);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_FALSE(Exited(second, status));  // still telling the user
  EXPECT_FALSE(Exited(first, status));

  Stop(first);  // as a crash would end it
  Stop(second);
  EXPECT_FALSE(Held(exe_semaphore_name));
  EXPECT_FALSE(Held(msg_semaphore_name));

  Start_copy();
  EXPECT_TRUE(Eventually([&] { return Held(exe_semaphore_name); }));
  EXPECT_FALSE(Held(msg_semaphore_name));
}

}  // namespace
}  // namespace quorvandel::testing
