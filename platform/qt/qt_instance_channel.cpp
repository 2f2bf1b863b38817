#include "platform/qt/qt_instance_channel.h"

#include <QDeadlineTimer>
#include <QLocalSocket>
#include <QTimer>

#include <memory>
#include <utility>

namespace quorvandel {
namespace {

const QByteArray magic = "QVC1";
constexpr qsizetype header_size = 8;  // the magic and the length
constexpr char taken = 0x06;

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

QByteArray Qt_instance_channel::Frame(const Message& message) {
  QByteArray body;
  for (const std::string& part : message) {
    body.append(part.data(), static_cast<qsizetype>(part.size()));
    body.append('\0');
  }
  QByteArray frame = magic;
  const auto length = static_cast<std::uint32_t>(body.size());
  for (int shift = 24; shift >= 0; shift -= 8) frame.append(static_cast<char>((length >> shift) & 0xff));
  return frame + body;
}

std::optional<Qt_instance_channel::Message> Qt_instance_channel::Unframe(const QByteArray& bytes, bool& malformed) {
  malformed = false;
  if (!magic.startsWith(bytes.left(magic.size()))) {
    malformed = true;
    return std::nullopt;
  }
  if (bytes.size() < header_size) return std::nullopt;
  std::uint32_t length = 0;
  for (qsizetype i = magic.size(); i < header_size; ++i) length = (length << 8) | static_cast<unsigned char>(bytes[i]);
  if (length > max_message_size || bytes.size() > header_size + length) {
    malformed = true;
    return std::nullopt;
  }
  if (bytes.size() < header_size + length) return std::nullopt;
  const QByteArray body = bytes.mid(header_size, length);
  if (!body.isEmpty() && !body.endsWith('\0')) {
    malformed = true;
    return std::nullopt;
  }
  Message message;
  qsizetype start = 0;
  while (start < body.size()) {
    const qsizetype end = body.indexOf('\0', start);
    message.emplace_back(body.constData() + start, static_cast<std::size_t>(end - start));
    start = end + 1;
  }
  return message;
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
      bool malformed = false;
      std::optional<Message> message = Unframe(*received, malformed);
      if (malformed) {
        socket->abort();
        return;
      }
      if (!message) return;
      socket->write(&taken, 1);
      socket->flush();
      socket->disconnectFromServer();
      QMetaObject::invokeMethod(
          &server_, [this, message = std::move(*message)] { if (on_message_) on_message_(message); },
          Qt::QueuedConnection);
    });
  }
}

bool Qt_instance_channel::Send(const Message& message) {
  const QByteArray frame = Frame(message);
  if (frame.size() - header_size > max_message_size) return false;
  const QDeadlineTimer deadline(send_timeout_ms_);
  QLocalSocket socket;
  socket.connectToServer(server_name_);
  if (!socket.waitForConnected(Remaining_ms(deadline))) return false;
  socket.write(frame);
  while (socket.bytesToWrite() > 0) {
    if (!socket.waitForBytesWritten(Remaining_ms(deadline))) return false;
  }
  while (socket.bytesAvailable() < 1) {
    if (!socket.waitForReadyRead(Remaining_ms(deadline))) return false;
  }
  char answer = 0;
  return socket.read(&answer, 1) == 1 && answer == taken;
}

}  // namespace quorvandel
