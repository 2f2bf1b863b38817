#include "platform/posix/lock_file.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform_test_support.h"

namespace quorvandel {
namespace {

using testing::Scratch_folder;
namespace fs = std::filesystem;

// Another copy of the program: a process that takes the given lock files in
// order, reports whether each existed, and keeps what it took until it is
// killed or told to end.
class Holder_process {
 public:
  explicit Holder_process(const std::vector<std::string>& lock_paths) {
    int report[2];
    int hold[2];
    if (::pipe(report) != 0 || ::pipe(hold) != 0) std::abort();
    pid_ = ::fork();
    if (pid_ == 0) Hold(lock_paths, report, hold);
    ::close(report[1]);
    ::close(hold[0]);
    hold_fd_ = hold[1];
    char byte = 0;
    while (::read(report[0], &byte, 1) == 1) existed.push_back(byte == '1');
    ::close(report[0]);
  }
  ~Holder_process() { Kill(); }
  Holder_process(const Holder_process&) = delete;
  Holder_process& operator=(const Holder_process&) = delete;

  void Kill() {
    if (pid_ > 0) ::kill(pid_, SIGKILL);
    End();
  }
  void End() {
    if (hold_fd_ >= 0) ::close(hold_fd_);
    if (pid_ > 0) ::waitpid(pid_, nullptr, 0);
    hold_fd_ = pid_ = -1;
  }

  std::vector<bool> existed;

 private:
  [[noreturn]] static void Hold(const std::vector<std::string>& lock_paths, const int report[2], const int hold[2]) {
    ::close(report[0]);
    ::close(hold[1]);
    std::vector<Semaphore_handle> handles(lock_paths.size());
    for (std::size_t i = 0; i < lock_paths.size(); ++i) {
      const char byte = Semaphore_exists_at(lock_paths[i], handles[i]) ? '1' : '0';
      if (::write(report[1], &byte, 1) != 1) ::_exit(1);
    }
    ::close(report[1]);
    char byte = 0;
    ::_exit(static_cast<int>(::read(hold[0], &byte, 1)));
  }

  pid_t pid_ = -1;
  int hold_fd_ = -1;
};

bool Held_elsewhere(const std::string& lock_path) { return Holder_process({lock_path}).existed == std::vector{true}; }

TEST(SemaphoreExists, LetsOneCopyRunAndOneOtherCopyTellTheUser) {
  Scratch_folder scratch;
  const std::string exe = Lock_file_path(exe_semaphore_name, scratch.path().string());
  const std::string msg = Lock_file_path(msg_semaphore_name, scratch.path().string());

  Holder_process running({exe});
  EXPECT_EQ(running.existed, std::vector({false}));
  Holder_process telling({exe, msg});
  EXPECT_EQ(telling.existed, std::vector({true, false}));

  Semaphore_handle third;
  EXPECT_TRUE(Semaphore_exists_at(exe, third));
  EXPECT_TRUE(Semaphore_exists_at(msg, third));
  EXPECT_FALSE(third.Holds());

  running.Kill();
  EXPECT_FALSE(Semaphore_exists_at(exe, third)) << "a crashed copy leaves no lock behind";
  EXPECT_TRUE(Held_elsewhere(exe));
  Close_semaphore(third);
  EXPECT_FALSE(Held_elsewhere(exe));
  EXPECT_TRUE(Held_elsewhere(msg));
  telling.End();
  EXPECT_FALSE(Held_elsewhere(msg));
}

TEST(SemaphoreExists, AMovedHandleKeepsTheLockUntilItIsDestroyed) {
  Scratch_folder scratch;
  const std::string lock = scratch.File("lock");
  Semaphore_handle handle;
  ASSERT_FALSE(Semaphore_exists_at(lock, handle));
  EXPECT_EQ(testing::Mode_of(lock), 0600u);
  {
    const Semaphore_handle moved = std::move(handle);
    EXPECT_TRUE(Held_elsewhere(lock));
  }
  EXPECT_FALSE(Held_elsewhere(lock));
}

TEST(SemaphoreExists, ProgramsStartedByTheHolderDoNotKeepTheLock) {
  Scratch_folder scratch;
  const std::string lock = scratch.File("lock");
  // The started program (cat) echoes a byte once it runs: its start has
  // then closed everything the holder did not pass on. The end of the
  // holder's other descriptors alone is no such sign, as the start may
  // close them before it lets the lock go.
  int input[2];
  int output[2];
  ASSERT_EQ(::pipe(input), 0);
  ASSERT_EQ(::pipe(output), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(input[1]);
    ::close(output[0]);
    Semaphore_handle handle;
    if (Semaphore_exists_at(lock, handle) || !handle.Holds() || ::dup2(input[0], 0) != 0 ||
        ::dup2(output[1], 1) != 1) {
      ::_exit(1);
    }
    ::execl("/bin/cat", "cat", static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(input[0]);
  ::close(output[1]);
  char byte = 'x';
  ASSERT_EQ(::write(input[1], &byte, 1), 1);
  EXPECT_EQ(::read(output[0], &byte, 1), 1) << "the started program runs";
  EXPECT_FALSE(Held_elsewhere(lock));
  ::close(input[1]);
  ::close(output[0]);
  ::waitpid(pid, nullptr, 0);
}

TEST(SemaphoreExists, AFileItCannotTrustCountsAsARefusal) {
  struct Case {
    const char* what;
    const char* lock_name;
    std::function<bool(const fs::path&)> prepare;  // false: cannot be set up here
  };
  const std::vector<Case> cases = {
      {"folder missing", "missing/lock", [](const fs::path&) { return true; }},
      {"symbolic link", "lock",
       [](const fs::path& lock) {
         fs::create_symlink(lock.parent_path() / "target", lock);
         return true;
       }},
      {"another user's file", "lock",
       [](const fs::path& lock) {
         testing::Write_text(lock, "");
         return ::chown(lock.c_str(), 65534, 65534) == 0;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Scratch_folder scratch;
    if (!c.prepare(scratch.path() / c.lock_name)) continue;
    Semaphore_handle handle;
    EXPECT_FALSE(Semaphore_exists_at(scratch.File(c.lock_name), handle));
    EXPECT_FALSE(handle.Holds());
    EXPECT_FALSE(fs::exists(scratch.File("target"))) << "nothing is made through a link";
  }
}

TEST(LockFilePath, UsesTheRuntimeFolderOrAPerUserNameInTheTemporaryFolder) {
  const std::string per_user = (fs::temp_directory_path() / ("Name-" + std::to_string(::geteuid()) + ".lock")).string();
  EXPECT_EQ(Lock_file_path("Name", "/run/user/1000"), "/run/user/1000/Name.lock");
  EXPECT_EQ(Lock_file_path("Name", ""), per_user);
  EXPECT_EQ(Lock_file_path("Name", "relative/run"), per_user);
}

}  // namespace
}  // namespace quorvandel
