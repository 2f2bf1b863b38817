// Instance_channel_service over a local socket (QLocalServer and
// QLocalSocket: a Unix domain socket, a named pipe on Windows) that only
// this user may open.
//
// A message goes over one connection, framed as instance_message_frame.h
// says. The running copy answers once it holds the whole message, and
// hands the message on from its event loop afterwards, so a handler that
// opens dialogs or waits never keeps the sender waiting.
#pragma once

#include <QLocalServer>
#include <QString>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/instance_channel_service.h"
#include "platform/instance_message_frame.h"

namespace quorvandel {

class Qt_instance_channel : public Instance_channel_service {
 public:
  using Message = std::vector<std::string>;

  static constexpr std::uint32_t max_message_size = max_instance_message_size;

  explicit Qt_instance_channel(QString server_name, int send_timeout_ms = 5000);

  bool Listen(std::function<void(const Message& message)> on_message) override;
  bool Send(const Message& message) override;

 private:
  void Accept();

  QString server_name_;
  int send_timeout_ms_;
  QLocalServer server_;
  std::function<void(const Message&)> on_message_;
};

}  // namespace quorvandel
