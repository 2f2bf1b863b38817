#include "hotkeys/wayland/portal_clipboard.h"

#include <fcntl.h>
#include <unistd.h>

#include <QDBusMessage>
#include <QDBusObjectPath>
#include <QDBusUnixFileDescriptor>
#include <QStringList>

#include <algorithm>

#include "hotkeys/wayland/desktop_portal.h"
#include "platform/wayland/clipboard_transfer.h"

namespace quorvandel {
namespace {

const QString clipboard_interface = QStringLiteral("org.freedesktop.portal.Clipboard");

// The descriptor of a reply's first argument, a copy of our own; -1 when
// the call failed.
int Descriptor_of(const QDBusMessage& reply) {
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return -1;
  const auto descriptor = reply.arguments().front().value<QDBusUnixFileDescriptor>();
  return descriptor.isValid() ? fcntl(descriptor.fileDescriptor(), F_DUPFD_CLOEXEC, 0) : -1;
}

}  // namespace

bool Portal_clipboard::Offered(const QDBusConnection& bus) {
  return Portal_property(bus, clipboard_interface, QStringLiteral("version")).value_or(0) >= 1;
}

Portal_clipboard::Portal_clipboard(const QDBusConnection& bus, std::shared_ptr<Clipboard_service> until_started)
    : bus_(bus), until_started_(std::move(until_started)) {
  bus_.connect(portal_service, portal_path, clipboard_interface, "SelectionOwnerChanged", this,
               SLOT(On_owner_changed(QDBusObjectPath, QVariantMap)));
  bus_.connect(portal_service, portal_path, clipboard_interface, "SelectionTransfer", this,
               SLOT(On_transfer(QDBusObjectPath, QString, uint)));
}

void Portal_clipboard::Session_started(const QString& session) { session_ = session; }

void Portal_clipboard::Set_changed_handler(std::function<void()> handler) {
  changed_handler_ = handler;
  until_started_->Set_changed_handler(std::move(handler));
}

void Portal_clipboard::Tell_changed() {
  if (changed_handler_) changed_handler_();
}

void Portal_clipboard::On_owner_changed(const QDBusObjectPath& session, const QVariantMap& options) {
  if (session.path() != session_) return;
  // Our own SetSelection comes back as a change whose owner is the
  // session: it was counted when it was made. Another program's copy made
  // just before it may be told first.
  if (options.value("session_is_owner").toBool()) {
    owned_ = true;
    return;
  }
  owned_ = false;
  offered_types_.clear();
  for (const QString& type : options.value("mime_types").toStringList()) offered_types_.push_back(type.toStdString());
  ++change_count_;
  Tell_changed();
}

void Portal_clipboard::On_transfer(const QDBusObjectPath& session, const QString& mime_type, uint serial) {
  if (session.path() != session_) return;
  QDBusMessage write = QDBusMessage::createMethodCall(portal_service, portal_path, clipboard_interface, "SelectionWrite");
  write << QVariant::fromValue(session) << serial;
  const int fd = Descriptor_of(bus_.call(write, QDBus::Block, portal_call_timeout_ms));
  const std::string type = mime_type.toStdString();
  const auto format = std::find_if(contents_.begin(), contents_.end(),
                                   [&](const Clipboard_format& f) { return f.mime_type == type; });
  const bool served = fd >= 0 && format != contents_.end();
  if (served) Write_to_reader(fd, format->data);
  if (fd >= 0) close(fd);
  QDBusMessage done =
      QDBusMessage::createMethodCall(portal_service, portal_path, clipboard_interface, "SelectionWriteDone");
  done << QVariant::fromValue(session) << serial << served;
  bus_.send(done);
  if (!served) return;
  ++fetch_count_;
  Tell_changed();
}

std::optional<std::string> Portal_clipboard::Read(const std::string& mime_type, std::size_t max_bytes) {
  QDBusMessage read = QDBusMessage::createMethodCall(portal_service, portal_path, clipboard_interface, "SelectionRead");
  read << QVariant::fromValue(QDBusObjectPath(session_)) << QString::fromStdString(mime_type);
  const int fd = Descriptor_of(bus_.call(read, QDBus::Block, portal_call_timeout_ms));
  if (fd < 0) return std::nullopt;
  return Read_from_writer(fd, max_bytes);
}

std::optional<Clipboard_contents> Portal_clipboard::Read_all(std::size_t max_bytes) {
  if (!Started()) return until_started_->Read_all(max_bytes);
  if (owned_) return contents_;
  Clipboard_contents contents;
  std::size_t total = 0;
  // A copy: the reads run the events, and a new owner may replace the types.
  for (const std::string& type : std::vector<std::string>(offered_types_)) {
    std::optional<std::string> data = Read(type, max_bytes - total);
    if (!data) return std::nullopt;
    total += data->size();
    contents.push_back({type, std::move(*data)});
  }
  return contents;
}

std::optional<std::string> Portal_clipboard::Read_text() {
  if (!Started()) return until_started_->Read_text();
  if (owned_) {
    const std::string* text = Text_in(contents_);
    return text ? std::optional<std::string>(*text) : std::nullopt;
  }
  for (const std::string& type : clipboard_text_types) {
    if (std::find(offered_types_.begin(), offered_types_.end(), type) != offered_types_.end())
      return Read(type, clipboard_text_limit);
  }
  return std::nullopt;
}

bool Portal_clipboard::Write_all(const Clipboard_contents& contents) {
  if (!Started()) return until_started_->Write_all(contents);
  QStringList types;
  for (const Clipboard_format& format : contents) types << QString::fromStdString(format.mime_type);
  QVariantMap options;
  options["mime_types"] = types;
  QDBusMessage set = QDBusMessage::createMethodCall(portal_service, portal_path, clipboard_interface, "SetSelection");
  set << QVariant::fromValue(QDBusObjectPath(session_)) << options;
  if (bus_.call(set, QDBus::Block, portal_call_timeout_ms).type() != QDBusMessage::ReplyMessage) return false;
  owned_ = true;
  contents_ = contents;
  offered_types_.clear();
  ++change_count_;
  Tell_changed();
  return true;
}

bool Portal_clipboard::Write_text(const std::string& text, bool transient) {
  if (!Started()) return until_started_->Write_text(text, transient);
  return Write_all(Offered_text(text, transient));
}

}  // namespace quorvandel
