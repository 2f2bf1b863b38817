#include "platform/qt/qt_instance_channel.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QTimer>

#include <memory>
#include <string>
#include <string_view>
#include <utility>

namespace quorvandel {
namespace {

int Remaining_ms(const QDeadlineTimer& deadline) { return static_cast<int>(deadline.remainingTime()); }

bool Answers(const QString& server_name) {
  QLocalSocket probe;
  probe.connectToServer(server_name);
  return probe.waitForConnected(1000);
}

}  // namespace

Qt_instance_channel::Qt_instance_channel(QString server_name, int send_timeout_ms)
    : server_name_(std::move(server_name)), send_timeout_ms_(send_timeout_ms) {
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  QObject::connect(&server_, &QLocalServer::newConnection, &server_, [this] { Accept(); });
}

bool Qt_instance_channel::Listen(std::function<void(const Message& message)> on_message) {
  on_message_ = std::move(on_message);
  if (server_.isListening()) return true;
  // Listening would take the name from a copy that listens there already
  // (a socket made aside is renamed over it).
  if (Answers(server_name_)) return false;
  // Left behind by a copy that ended without taking its socket away.
  QLocalServer::removeServer(server_name_);
  return server_.listen(server_name_);
}

void Qt_instance_channel::Accept() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    QObject::connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    // A sender that stops halfway is not waited for.
    QTimer::singleShot(send_timeout_ms_, socket, [socket] { socket->abort(); });
    auto received = std::make_shared<QByteArray>();
    QObject::connect(socket, &QLocalSocket::readyRead, socket, [this, socket, received] {
      received->append(socket->readAll());
      Received_instance_message unframed =
          Unframe_instance_message(std::string_view(received->constData(), static_cast<std::size_t>(received->size())));
      if (unframed.state == Received_instance_message::State::malformed) {
        socket->abort();
        return;
      }
      if (unframed.state != Received_instance_message::State::whole) return;
      socket->write(&instance_message_taken, 1);
      socket->flush();
      socket->disconnectFromServer();
      QMetaObject::invokeMethod(
          &server_, [this, message = std::move(unframed.message)] { if (on_message_) on_message_(message); },
          Qt::QueuedConnection);
    });
  }
}

bool Qt_instance_channel::Send(const Message& message) {
  const std::string frame = Frame_instance_message(message);
  if (frame.empty()) return false;
  const QDeadlineTimer deadline(send_timeout_ms_);
  QLocalSocket socket;
  socket.connectToServer(server_name_);
  if (!socket.waitForConnected(Remaining_ms(deadline))) return false;
  socket.write(frame.data(), static_cast<qint64>(frame.size()));
  while (socket.bytesToWrite() > 0) {
    if (!socket.waitForBytesWritten(Remaining_ms(deadline))) return false;
  }
  while (socket.bytesAvailable() < 1) {
    if (!socket.waitForReadyRead(Remaining_ms(deadline))) return false;
  }
  char answer = 0;
  return socket.read(&answer, 1) == 1 && answer == instance_message_taken;
}

}  // namespace quorvandel
