#include "platform/posix/socket_instance_sender.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

#include "platform/instance_message_frame.h"

namespace quorvandel {
namespace {

using Clock = std::chrono::steady_clock;

// Closes the socket however Send leaves.
class Socket {
 public:
  Socket() : fd_(::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0)) {}
  ~Socket() {
    if (fd_ >= 0) ::close(fd_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

// Waits until the socket is ready for `events` or the deadline passes.
bool Ready(int fd, short events, Clock::time_point deadline) {
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd watched{fd, events, 0};
    const int result = ::poll(&watched, 1, static_cast<int>(left));
    if (result > 0) return (watched.revents & (events | POLLHUP | POLLERR)) != 0;
    if (result < 0 && errno != EINTR) return false;
  }
}

bool Connect(int fd, const std::string& path, Clock::time_point deadline) {
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  if (path.empty() || path.size() >= sizeof(address.sun_path)) return false;
  std::memcpy(address.sun_path, path.data(), path.size());
  int result = 0;
  do {
    result = ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
  } while (result != 0 && errno == EINTR);
  if (result == 0) return true;
  // A listener whose queue is full takes the connection once it has room.
  if (errno != EAGAIN && errno != EINPROGRESS) return false;
  if (!Ready(fd, POLLOUT, deadline)) return false;
  int error = 0;
  socklen_t size = sizeof(error);
  return ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
}

bool Write_all(int fd, const std::string& bytes, Clock::time_point deadline) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    // MSG_NOSIGNAL: a copy that went away is a failed send, not SIGPIPE.
    const ssize_t result = ::send(fd, bytes.data() + written, bytes.size() - written, MSG_NOSIGNAL);
    if (result > 0) {
      written += static_cast<std::size_t>(result);
    } else if (result < 0 && errno == EINTR) {
      continue;
    } else if (result < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      if (!Ready(fd, POLLOUT, deadline)) return false;
    } else {
      return false;
    }
  }
  return true;
}

bool Taken(int fd, Clock::time_point deadline) {
  for (;;) {
    char answer = 0;
    const ssize_t result = ::recv(fd, &answer, 1, 0);
    if (result == 1) return answer == instance_message_taken;
    if (result == 0) return false;  // closed without taking it
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) return false;
    if (!Ready(fd, POLLIN, deadline)) return false;
  }
}

}  // namespace

bool Socket_instance_sender::Send(const std::vector<std::string>& message) {
  const std::string frame = Frame_instance_message(message);
  if (frame.empty()) return false;
  const Clock::time_point deadline = Clock::now() + std::chrono::milliseconds(timeout_ms_);
  const Socket socket;
  return socket.fd() >= 0 && Connect(socket.fd(), socket_path_, deadline) &&
         Write_all(socket.fd(), frame, deadline) && Taken(socket.fd(), deadline);
}

}  // namespace quorvandel
