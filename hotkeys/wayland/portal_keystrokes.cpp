#include "hotkeys/wayland/portal_keystrokes.h"

#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QEventLoop>
#include <QTimer>

#include <cstdlib>

#include "hotkeys/wayland/desktop_portal.h"

namespace quorvandel {
namespace {

const QString remote_desktop_interface = QStringLiteral("org.freedesktop.portal.RemoteDesktop");
// The user may take a while to read the consent dialog.
constexpr int consent_limit_ms = 120000;
constexpr uint keyboard_device = 1;
// Consent kept until the user revokes it; the portal has it from version 2.
constexpr uint persist_until_revoked = 2;
constexpr uint first_persisting_version = 2;

// The keys as the kernel's input codes (linux/input-event-codes.h).
int Code_of(Key key) {
  switch (key) {
    case Key::shift: return 42;
    case Key::control: return 29;
    case Key::c: return 46;
    case Key::v: return 47;
    case Key::insert: return 110;
  }
  return 0;
}

}  // namespace

std::unique_ptr<Portal_keystrokes> Portal_keystrokes::Open(const QDBusConnection& bus) {
  const std::optional<uint> version = Portal_property(bus, remote_desktop_interface, QStringLiteral("version"));
  const std::optional<uint> devices =
      Portal_property(bus, remote_desktop_interface, QStringLiteral("AvailableDeviceTypes"));
  if (!version || *version < 1 || !devices || (*devices & keyboard_device) == 0) return nullptr;
  return std::unique_ptr<Portal_keystrokes>(new Portal_keystrokes(bus, *version));
}

Portal_keystrokes::Portal_keystrokes(const QDBusConnection& bus, uint version) : bus_(bus), version_(version) {
  bus_.connect(QString(), QString(), "org.freedesktop.portal.Request", "Response", this,
               SLOT(On_response(uint, QVariantMap, QDBusMessage)));
}

void Portal_keystrokes::On_response(uint response, const QVariantMap& results, const QDBusMessage& message) {
  if (!awaited_.isEmpty() && message.path().section('/', -1) == awaited_) answer_ = std::make_pair(response, results);
}

std::optional<std::pair<uint, QVariantMap>> Portal_keystrokes::Ask(const QString& method, QList<QVariant> arguments) {
  awaited_ = QStringLiteral("quorvandel%1_%2").arg(++tokens_).arg(std::rand() % 1000000);
  answer_.reset();
  QVariantMap options = arguments.back().toMap();
  options["handle_token"] = awaited_;
  arguments.back() = options;
  QDBusMessage call = QDBusMessage::createMethodCall(portal_service, portal_path, remote_desktop_interface, method);
  call.setArguments(arguments);
  const QDBusMessage reply = bus_.call(call, QDBus::Block, portal_call_timeout_ms);
  if (reply.type() != QDBusMessage::ReplyMessage) return std::nullopt;
  // The answer may have come with the reply already.
  QEventLoop loop;
  QTimer limit;
  limit.setSingleShot(true);
  QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
  limit.start(consent_limit_ms);
  while (!answer_ && limit.isActive()) loop.processEvents(QEventLoop::WaitForMoreEvents);
  awaited_.clear();
  return answer_;
}

std::string Portal_keystrokes::Prepare() {
  if (!session_.isEmpty()) return {};
  QVariantMap session_options;
  session_options["session_handle_token"] = QStringLiteral("quorvandel_session%1").arg(std::rand() % 1000000);
  const auto created = Ask("CreateSession", {session_options});
  if (!created || created->first != 0) return tr(keys_refused_message).toStdString();
  const QDBusObjectPath session(created->second.value("session_handle").toString());

  QVariantMap devices;
  devices["types"] = keyboard_device;
  if (version_ >= first_persisting_version) {
    devices["persist_mode"] = persist_until_revoked;
    if (!restore_token_.empty()) devices["restore_token"] = QString::fromStdString(restore_token_);
  }
  const auto selected = Ask("SelectDevices", {QVariant::fromValue(session), devices});
  if (!selected || selected->first != 0) return tr(keys_refused_message).toStdString();
  if (clipboard_started_) {  // asked before the start, or never
    QDBusMessage request = QDBusMessage::createMethodCall(portal_service, portal_path,
                                                          "org.freedesktop.portal.Clipboard", "RequestClipboard");
    request << QVariant::fromValue(session) << QVariantMap();
    bus_.call(request, QDBus::Block, portal_call_timeout_ms);
  }

  const auto started = Ask("Start", {QVariant::fromValue(session), QString(), QVariantMap()});
  if (!started) return tr(keys_refused_message).toStdString();
  if (started->first == portal_response_cancelled) return tr(keys_cancelled_message).toStdString();
  if (started->first != 0 || (started->second.value("devices").toUInt() & keyboard_device) == 0)
    return tr(keys_refused_message).toStdString();
  session_ = session.path();
  if (clipboard_started_ && started->second.value("clipboard_enabled").toBool()) clipboard_started_(session_);
  const QString token = started->second.value("restore_token").toString();
  if (!token.isEmpty() && token.toStdString() != restore_token_) {
    restore_token_ = token.toStdString();
    if (token_handler_) token_handler_(restore_token_);
  }
  return {};
}

void Portal_keystrokes::Send_key(Key key, bool release) {
  if (session_.isEmpty()) return;
  QDBusMessage notify =
      QDBusMessage::createMethodCall(portal_service, portal_path, remote_desktop_interface, "NotifyKeyboardKeycode");
  notify << QVariant::fromValue(QDBusObjectPath(session_)) << QVariantMap() << Code_of(key) << uint{release ? 0u : 1u};
  bus_.send(notify);  // in order with the other keys; no answer is awaited
}

}  // namespace quorvandel
