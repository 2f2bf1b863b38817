#include "hotkeys/wayland/portal_hotkeys.h"

#include <QDBusArgument>
#include <QDBusMetaType>
#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QTimer>

#include <cstdlib>

#include "hotkeys/hotkey_conversion.h"
#include "hotkeys/wayland/desktop_portal.h"

namespace {

// One shortcut as the portal takes and gives it: (sa{sv}).
struct Portal_shortcut {
  QString id;
  QVariantMap properties;
};

QDBusArgument& operator<<(QDBusArgument& argument, const Portal_shortcut& shortcut) {
  argument.beginStructure();
  argument << shortcut.id << shortcut.properties;
  argument.endStructure();
  return argument;
}

const QDBusArgument& operator>>(const QDBusArgument& argument, Portal_shortcut& shortcut) {
  argument.beginStructure();
  argument >> shortcut.id >> shortcut.properties;
  argument.endStructure();
  return argument;
}

}  // namespace

Q_DECLARE_METATYPE(Portal_shortcut)

namespace quorvandel {
namespace {

const QString shortcuts_interface = QStringLiteral("org.freedesktop.portal.GlobalShortcuts");
const QString request_interface = QStringLiteral("org.freedesktop.portal.Request");

// The shortcut ids and what the desktop shows the user for them.
struct Shortcut_name {
  int id;
  const char* name;
  const char* description;
};
constexpr Shortcut_name shortcut_names[] = {
    {default_hotkey_id, "default",
     QT_TRANSLATE_NOOP("quorvandel::Portal_hotkeys", "Convert the selection with the default profile")},
    {active_hotkey_id, "active",
     QT_TRANSLATE_NOOP("quorvandel::Portal_hotkeys", "Convert the selection with the active profile")},
};

const Shortcut_name* Name_of(int id) {
  for (const Shortcut_name& name : shortcut_names)
    if (name.id == id) return &name;
  return nullptr;
}

}  // namespace

std::string Portal_trigger(bool ctrl, bool shift, bool alt, int fkey) {
  std::string trigger;
  if (ctrl) trigger += "CTRL+";
  if (alt) trigger += "ALT+";
  if (shift) trigger += "SHIFT+";
  return trigger + "F" + std::to_string(fkey);
}

std::unique_ptr<Portal_hotkeys> Portal_hotkeys::Open(const QDBusConnection& bus) {
  if (Portal_property(bus, shortcuts_interface, QStringLiteral("version")).value_or(0) < 1) return nullptr;
  std::unique_ptr<Portal_hotkeys> hotkeys(new Portal_hotkeys(bus));
  hotkeys->session_token_ = hotkeys->New_token();
  QVariantMap options;
  options["handle_token"] = hotkeys->session_token_;
  options["session_handle_token"] = hotkeys->New_token();
  if (!hotkeys->Request("CreateSession", {options})) return nullptr;
  return hotkeys;
}

Portal_hotkeys::Portal_hotkeys(const QDBusConnection& bus) : bus_(bus) {
  qDBusRegisterMetaType<Portal_shortcut>();
  qDBusRegisterMetaType<QList<Portal_shortcut>>();
  // Every request's answer, whatever its path: a request's path is known
  // only once its call returns, and the answer may come first.
  bus_.connect(QString(), QString(), request_interface, "Response", this,
               SLOT(On_response(uint, QVariantMap, QDBusMessage)));
  bus_.connect(portal_service, portal_path, shortcuts_interface, "Deactivated", this,
               SLOT(On_deactivated(QDBusObjectPath, QString, qulonglong, QVariantMap)));
}

QString Portal_hotkeys::New_token() {
  return QStringLiteral("quorvandel%1_%2").arg(++tokens_).arg(std::rand() % 1000000);
}

bool Portal_hotkeys::Request(const QString& method, const QList<QVariant>& arguments) {
  QDBusMessage call = QDBusMessage::createMethodCall(portal_service, portal_path, shortcuts_interface, method);
  call.setArguments(arguments);
  const QDBusMessage reply = bus_.call(call, QDBus::Block, portal_call_timeout_ms);
  if (reply.type() == QDBusMessage::ReplyMessage) return true;
  Fail(QT_TR_NOOP("The desktop's shortcut service refused: "), reply.errorMessage().toStdString());
  return false;
}

bool Portal_hotkeys::Register(int id, bool ctrl, bool shift, bool alt, int fkey) {
  if (!Name_of(id)) return false;
  wanted_[id] = Portal_trigger(ctrl, shift, alt, fkey);
  // Both hotkeys are registered one after the other: bind them together.
  QTimer::singleShot(0, this, [this] { Bind_when_ready(); });
  return true;
}

void Portal_hotkeys::Unregister(int id) { wanted_.erase(id); }

void Portal_hotkeys::Bind_when_ready() {
  // Every opening of the preferences registers again; the desktop is asked
  // only when the combinations changed, since it may ask the user.
  if (session_.isEmpty() || !bind_token_.isEmpty() || wanted_.empty() || wanted_ == sent_) return;
  QList<Portal_shortcut> shortcuts;
  for (const auto& [id, trigger] : wanted_) {
    const Shortcut_name* name = Name_of(id);
    QVariantMap properties;
    properties["description"] = tr(name->description);  // the desktop shows it to the user
    properties["preferred_trigger"] = QString::fromStdString(trigger);
    shortcuts.push_back({QString::fromUtf8(name->name), properties});
  }
  sent_ = wanted_;
  bind_token_ = New_token();
  QVariantMap options;
  options["handle_token"] = bind_token_;
  if (!Request("BindShortcuts",
               {QVariant::fromValue(QDBusObjectPath(session_)), QVariant::fromValue(shortcuts), QString(), options})) {
    bind_token_.clear();
    emit Answered();
  }
}

void Portal_hotkeys::On_response(uint response, const QVariantMap& results, const QDBusMessage& message) {
  const QString token = message.path().section('/', -1);
  if (token == session_token_ && session_.isEmpty()) {
    if (response != 0) {
      Fail(QT_TR_NOOP("The desktop did not open a shortcut session."));
      emit Answered();
      return;
    }
    session_ = results.value("session_handle").toString();
    Bind_when_ready();
    return;
  }
  if (token != bind_token_ || bind_token_.isEmpty()) return;
  bind_token_.clear();
  if (response != 0) {
    bound_.clear();
    Fail(response == portal_response_cancelled
             ? QT_TR_NOOP("The hotkeys were not bound: the desktop's shortcut dialog was cancelled.")
             : QT_TR_NOOP("The hotkeys were not bound: the desktop refused them."));
    sent_.clear();  // asked again at the next registration
    emit Answered();
    return;
  }
  failure_ = nullptr;
  failure_detail_.clear();
  bound_.clear();
  for (const Portal_shortcut& shortcut : qdbus_cast<QList<Portal_shortcut>>(results.value("shortcuts"))) {
    for (const Shortcut_name& name : shortcut_names) {
      if (shortcut.id == QLatin1String(name.name))
        bound_[name.id] = shortcut.properties.value("trigger_description").toString().toStdString();
    }
  }
  emit Answered();
  Bind_when_ready();  // a change that came while this one was asked
}

void Portal_hotkeys::On_deactivated(const QDBusObjectPath& session, const QString& shortcut, qulonglong,
                                    const QVariantMap&) {
  if (session.path() != session_ || !handler_) return;
  for (const Shortcut_name& name : shortcut_names) {
    if (shortcut == QLatin1String(name.name) && wanted_.count(name.id) != 0) handler_(name.id);
  }
}

std::string Portal_hotkeys::Failure() const {
  if (!failure_) return {};
  return tr(failure_).toStdString() + failure_detail_;
}

// Translated when shown, so that a change of the interface's language
// reaches it.
std::string Portal_hotkeys::Trigger_note() const {
  if (failure_) return Failure();
  QString note = tr("The hotkeys are the desktop's global shortcuts; change them in its settings.");
  for (const Shortcut_name& name : shortcut_names) {
    const auto bound = bound_.find(name.id);
    note += QStringLiteral("\n") + tr(name.description) + QStringLiteral(": ") +
            (bound == bound_.end() ? tr("waiting for the desktop") : QString::fromStdString(bound->second));
  }
  return note.toStdString();
}

void Portal_hotkeys::Fail(const char* why, std::string detail) {
  failure_ = why;
  failure_detail_ = std::move(detail);
}

}  // namespace quorvandel
