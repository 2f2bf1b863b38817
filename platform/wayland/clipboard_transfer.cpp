#include "platform/wayland/clipboard_transfer.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QEventLoop>

#include <cerrno>
#include <chrono>

namespace quorvandel {
namespace {

// The types our own text is offered in.
const std::vector<std::string> offered_text_types = {"text/plain;charset=utf-8", "text/plain", "UTF8_STRING"};
// The format that asks clipboard managers not to keep an entry.
constexpr const char* password_manager_hint = "x-kde-passwordManagerHint";

// How long an owner may stay silent while it sends its data, and while a
// reader takes ours.
constexpr int silence_limit_ms = 2000;
// While waiting for an owner, the user interface runs in slices this long.
constexpr int slice_ms = 10;

}  // namespace

const std::vector<std::string> clipboard_text_types = {"text/plain;charset=utf-8", "UTF8_STRING", "text/plain",
                                                       "text/plain;charset=UTF-8"};

Clipboard_contents Offered_text(const std::string& text, bool transient) {
  Clipboard_contents contents;
  for (const std::string& type : offered_text_types) contents.push_back({type, text});
  if (transient) contents.push_back({password_manager_hint, "secret"});
  return contents;
}

const std::string* Text_in(const Clipboard_contents& contents) {
  for (const std::string& type : clipboard_text_types) {
    for (const Clipboard_format& format : contents)
      if (format.mime_type == type) return &format.data;
  }
  return nullptr;
}

void Write_to_reader(int fd, const std::string& data) {
  const int flags = fcntl(fd, F_GETFL);
  if (flags >= 0) fcntl(fd, F_SETFL, flags | O_NONBLOCK);
  std::size_t written = 0;
  while (written < data.size()) {
    pollfd ready = {fd, POLLOUT, 0};
    if (poll(&ready, 1, silence_limit_ms) <= 0) return;
    const ssize_t n = write(fd, data.data() + written, data.size() - written);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    if (n <= 0) return;
    written += static_cast<std::size_t>(n);
  }
}

std::optional<std::string> Read_from_writer(int fd, std::size_t max_bytes) {
  std::string data;
  char buffer[65536];
  auto silent_since = std::chrono::steady_clock::now();
  for (;;) {
    pollfd ready = {fd, POLLIN, 0};
    const int polled = poll(&ready, 1, slice_ms);
    if (polled < 0 && errno != EINTR) break;
    if (polled <= 0) {
      if (std::chrono::steady_clock::now() - silent_since > std::chrono::milliseconds(silence_limit_ms)) break;
      QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
      continue;
    }
    const ssize_t n = read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) break;
    if (n == 0) {
      close(fd);
      return data;
    }
    data.append(buffer, static_cast<std::size_t>(n));
    if (data.size() > max_bytes) break;
    silent_since = std::chrono::steady_clock::now();
  }
  close(fd);
  return std::nullopt;
}

}  // namespace quorvandel
