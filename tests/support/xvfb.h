// An X server of the test program's own: Xvfb on a display it chooses
// itself, which it names once it accepts clients, stopped with the object
// or when the program ends in any way.
#pragma once

#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstddef>
#include <string>

namespace quorvandel::testing {

class Xvfb {
 public:
  explicit Xvfb(const char* screen = "640x480x24") {
    int pipe_fds[2];
    if (::pipe(pipe_fds) != 0) return;
    pid_ = ::fork();
    if (pid_ == 0) {
      // The server ends with the test program, also when it crashes.
      ::prctl(PR_SET_PDEATHSIG, SIGTERM);
      ::close(pipe_fds[0]);
      const std::string fd = std::to_string(pipe_fds[1]);
      ::execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", screen, "-nolisten", "tcp",
               "-noreset",  // a server that starts afresh when its last client leaves refuses clients meanwhile
               static_cast<char*>(nullptr));
      ::_exit(127);
    }
    ::close(pipe_fds[1]);
    char buffer[32] = {};
    std::size_t length = 0;
    while (length < sizeof buffer - 1) {
      const ssize_t got = ::read(pipe_fds[0], buffer + length, 1);
      if (got <= 0 || buffer[length] == '\n') break;
      ++length;
    }
    ::close(pipe_fds[0]);
    buffer[length] = '\0';
    if (length > 0) display_ = std::string(":") + buffer;
  }
  ~Xvfb() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  Xvfb(const Xvfb&) = delete;
  Xvfb& operator=(const Xvfb&) = delete;

  // ":N"; empty when the server did not start.
  const std::string& display() const { return display_; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

}  // namespace quorvandel::testing
