#include "hotkeys/wayland/desktop_portal.h"

#include <QDBusMessage>
#include <QDBusVariant>

namespace quorvandel {

std::optional<uint> Portal_property(const QDBusConnection& bus, const QString& interface, const QString& name) {
  if (!bus.isConnected()) return std::nullopt;
  QDBusMessage get =
      QDBusMessage::createMethodCall(portal_service, portal_path, "org.freedesktop.DBus.Properties", "Get");
  get << interface << name;
  const QDBusMessage reply = bus.call(get, QDBus::Block, portal_call_timeout_ms);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return std::nullopt;
  return reply.arguments().front().value<QDBusVariant>().variant().toUInt();
}

}  // namespace quorvandel
