#include "cli/run_process.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>
#include <cstdlib>

namespace quorvandel::testing {
namespace {

void Make_pipe(int fds[2]) {
  if (::pipe2(fds, O_CLOEXEC) != 0) std::abort();
}

}  // namespace

Process_result Run_process(const std::vector<std::string>& arguments, const std::string& input) {
  std::signal(SIGPIPE, SIG_IGN);  // a child may exit before reading all its input
  int in[2], out[2], err[2];
  Make_pipe(in);
  Make_pipe(out);
  Make_pipe(err);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(in[0], STDIN_FILENO);
    ::dup2(out[1], STDOUT_FILENO);
    ::dup2(err[1], STDERR_FILENO);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);
  ::close(err[1]);

  Process_result result;
  std::size_t written = 0;
  if (input.empty()) ::close(in[1]);
  // A child that streams its output may wait for it to be read before it
  // reads more: writing its input must never block the reading.
  ::fcntl(in[1], F_SETFL, ::fcntl(in[1], F_GETFL) | O_NONBLOCK);
  bool input_open = !input.empty();
  bool out_open = true, err_open = true;
  while (out_open || err_open) {
    pollfd fds[3] = {{out[0], POLLIN, 0}, {err[0], POLLIN, 0}, {input_open ? in[1] : -1, POLLOUT, 0}};
    if (::poll(fds, 3, -1) < 0 && errno != EINTR) break;
    char buffer[65536];
    auto drain = [&](int index, int fd, std::string& into, bool& open) {
      if (!open || !(fds[index].revents & (POLLIN | POLLHUP))) return;
      const ssize_t count = ::read(fd, buffer, sizeof buffer);
      if (count > 0) {
        into.append(buffer, static_cast<std::size_t>(count));
      } else {
        open = false;
      }
    };
    drain(0, out[0], result.out, out_open);
    drain(1, err[0], result.err, err_open);
    if (input_open && (fds[2].revents & (POLLOUT | POLLERR))) {
      const ssize_t count = ::write(in[1], input.data() + written, input.size() - written);
      if (count > 0) written += static_cast<std::size_t>(count);
      if ((count < 0 && errno != EAGAIN) || written == input.size()) {
        ::close(in[1]);
        input_open = false;
      }
    }
  }
  if (input_open) ::close(in[1]);
  ::close(out[0]);
  ::close(err[0]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

}  // namespace quorvandel::testing
