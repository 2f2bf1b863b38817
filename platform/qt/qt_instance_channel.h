// Instance_channel_service over a local socket (QLocalServer and
// QLocalSocket: a Unix domain socket, a named pipe on Windows) that only
// this user may open.
//
// A message goes over one connection: "QVC1", the length of the rest as
// four bytes (most significant first), then each part followed by a NUL.
// The running copy answers one byte once it holds the whole message, and
// hands the message on from its event loop afterwards, so a handler that
// opens dialogs or waits never keeps the sender waiting.
#pragma once

#include <QLocalServer>
#include <QString>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/instance_channel_service.h"

namespace quorvandel {

class Qt_instance_channel : public Instance_channel_service {
 public:
  using Message = std::vector<std::string>;

  // The largest message taken: a path and a word or two.
  static constexpr std::uint32_t max_message_size = 64 * 1024;

  explicit Qt_instance_channel(QString server_name, int send_timeout_ms = 5000);

  bool Listen(std::function<void(const Message& message)> on_message) override;
  bool Send(const Message& message) override;

 private:
  // The bytes that carry a message, and the message of such bytes (none
  // when they are not one, or not yet a whole one).
  static QByteArray Frame(const Message& message);
  static std::optional<Message> Unframe(const QByteArray& bytes, bool& malformed);
  void Accept();

  QString server_name_;
  int send_timeout_ms_;
  QLocalServer server_;
  std::function<void(const Message&)> on_message_;
};

}  // namespace quorvandel
