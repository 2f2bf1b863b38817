// The single-instance guard and the hand-over with real copies of the
// program, each started from a folder of its own.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "platform/posix/lock_file.h"

extern char** environ;

namespace quorvandel::testing {
namespace {

namespace fs = std::filesystem;
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

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

class Single_instance : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(folder_.isValid());
    folder_path_ = folder_.path().toStdString();
    runtime_ = folder_path_ + "/run";
    fs::create_directories(runtime_);
    // The program's own folder holds its settings, apart from the build's.
    program_ = folder_path_ + "/quorvandel";
    fs::copy_file(QUORVANDEL_GUI_EXE, program_);
    hotkey_command_ = folder_path_ + "/quorvandel-hotkey";
    fs::copy_file(QUORVANDEL_HOTKEY_EXE, hotkey_command_);
    std::ofstream(folder_path_ + "/Quorvandel.ini") << "[Configuration]\nsave_size_and_pos=0\n";
  }

  void TearDown() override {
    for (const pid_t pid : started_) {
      ::kill(pid, SIGKILL);
      ::waitpid(pid, nullptr, 0);
    }
  }

  // Starts a copy in the program's folder, its standard error into a file.
  pid_t Start_copy(std::vector<std::string> arguments = {}) { return Start(program_, std::move(arguments)); }

  // Starts the executable as Start_copy starts the program.
  pid_t Start(const std::string& executable, std::vector<std::string> arguments) {
    std::vector<std::string> environment = {"QT_QPA_PLATFORM=offscreen", "XDG_RUNTIME_DIR=" + runtime_,
                                            "HOME=" + folder_path_, "XDG_CONFIG_HOME=" + folder_path_ + "/config",
                                            "PATH=/usr/bin:/bin"};
    std::vector<char*> envp;
    for (std::string& entry : environment) envp.push_back(entry.data());
    envp.push_back(nullptr);
    arguments.insert(arguments.begin(), executable);
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder_path_.c_str());
    const std::string error_file = folder_path_ + "/stderr-" + std::to_string(started_.size());
    posix_spawn_file_actions_addopen(&actions, 2, error_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    pid_t pid = 0;
    EXPECT_EQ(::posix_spawn(&pid, executable.c_str(), &actions, nullptr, argv.data(), envp.data()), 0);
    posix_spawn_file_actions_destroy(&actions);
    error_files_[pid] = error_file;
    started_.push_back(pid);
    return pid;
  }

  // Whether another process holds the lock of that name now.
  bool Held(std::string_view name) {
    Semaphore_handle handle;
    return Semaphore_exists_at(Lock_file_path(name, runtime_), handle);
  }

  static bool Exited(pid_t pid, int& status) { return ::waitpid(pid, &status, WNOHANG) == pid; }

  // Waits for the copy to end; its exit status, -1 when it did not end normally.
  int Exit_status(pid_t pid) {
    int status = -1;
    if (!Eventually([&] { return Exited(pid, status); })) return -1;
    std::erase(started_, pid);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string Error_output(pid_t pid) { return Read(error_files_[pid]); }

  void Stop(pid_t pid) {
    ::kill(pid, SIGKILL);
    ::waitpid(pid, nullptr, 0);
    std::erase(started_, pid);
  }

  QTemporaryDir folder_;
  std::string folder_path_;
  std::string runtime_;
  std::string program_;
  std::string hotkey_command_;  // quorvandel-hotkey
  std::vector<pid_t> started_;
  std::map<pid_t, std::string> error_files_;
};

TEST_F(Single_instance, SecondCopyHandsItsFileOverAndEndsQuietly) {
  std::ofstream(folder_path_ + "/handed.txt") << "abc\n";
  const pid_t first = Start_copy();
  ASSERT_TRUE(Eventually([&] { return Held(exe_semaphore_name); }));

  const pid_t second = Start_copy({"handed.txt"});  // relative to its working folder
  EXPECT_EQ(Exit_status(second), 0);
  EXPECT_FALSE(Held(msg_semaphore_name));
  // The running copy opened it, and so lists it among its recent files.
  EXPECT_TRUE(Eventually([&] {
    return Read(folder_path_ + "/Quorvandel.ini").find("file1=" + folder_path_ + "/handed.txt") != std::string::npos;
  }));
  int status = -1;
  EXPECT_FALSE(Exited(first, status));
}

// A running copy that takes nothing (this test holds its lock and does not
// listen): the second copy tells the user, a third leaves silently meanwhile.
TEST_F(Single_instance, CopyThatCannotHandOverRefusesThirdLeavesSilentlyAndLocksDieWithTheirProcess) {
  Semaphore_handle running;
  ASSERT_FALSE(Semaphore_exists_at(Lock_file_path(exe_semaphore_name, runtime_), running));
  ASSERT_TRUE(running.Holds());

  const pid_t second = Start_copy();  // shows its refusal and waits for OK
  ASSERT_TRUE(Eventually([&] { return Held(msg_semaphore_name); }));

  const pid_t third = Start_copy();
  EXPECT_EQ(Exit_status(third), 0);
  int status = -1;
  EXPECT_FALSE(Exited(second, status));  // still telling the user

  running.Close();  // as a crash would end it
  Stop(second);
  EXPECT_FALSE(Held(exe_semaphore_name));
  EXPECT_FALSE(Held(msg_semaphore_name));

  Start_copy();
  EXPECT_TRUE(Eventually([&] { return Held(exe_semaphore_name); }));
  EXPECT_FALSE(Held(msg_semaphore_name));
}

// The program's --hotkey and the small quorvandel-hotkey alike.
TEST_F(Single_instance, HotkeyCommandsReachTheRunningCopyOrSayNoneRuns) {
  const struct {
    std::string executable;
    std::vector<std::string> words;  // before the hotkey's word
    const char* usage;
  } commands[] = {
      {program_, {"--hotkey"}, "usage: quorvandel --hotkey default|active\n"},
      {hotkey_command_, {}, "usage: quorvandel-hotkey default|active\n"},
  };
  auto start = [this](const auto& command, const std::string& hotkey) {
    std::vector<std::string> arguments = command.words;
    arguments.push_back(hotkey);
    return Start(command.executable, arguments);
  };
  for (const auto& command : commands) {
    const pid_t alone = start(command, "default");
    EXPECT_EQ(Exit_status(alone), 1) << command.executable;
    EXPECT_EQ(Error_output(alone), "quorvandel: Quorvandel is not running.\n") << command.executable;
    EXPECT_FALSE(Held(exe_semaphore_name));
  }

  Start_copy();
  ASSERT_TRUE(Eventually([&] { return Held(exe_semaphore_name); }));
  for (const auto& command : commands) {
    for (const char* hotkey : {"default", "active"}) {
      const pid_t sender = start(command, hotkey);
      EXPECT_EQ(Exit_status(sender), 0) << command.executable << " " << hotkey;
      EXPECT_EQ(Error_output(sender), "") << command.executable << " " << hotkey;
    }
    const pid_t wrong = start(command, "other");
    EXPECT_EQ(Exit_status(wrong), 2) << command.executable;
    EXPECT_EQ(Error_output(wrong), command.usage);
  }
}

}  // namespace
}  // namespace quorvandel::testing
