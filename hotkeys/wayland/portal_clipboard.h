// The clipboard through the desktop portal's Clipboard interface
// (xdg-desktop-portal 1.18 and later, on GNOME), within the RemoteDesktop
// session that sends the keys: every format read and given back, another
// program's copies and the fetches of this program's data counted. Until
// that session runs with the clipboard, and for the primary selection,
// which the portal does not have, the toolkit's clipboard serves.
#pragma once

#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/clipboard_service.h"

class QDBusObjectPath;

namespace quorvandel {

class Portal_clipboard : public QObject, public Clipboard_service {
  Q_OBJECT

 public:
  // Whether the bus's portal has a clipboard for RemoteDesktop sessions.
  static bool Offered(const QDBusConnection& bus);

  Portal_clipboard(const QDBusConnection& bus, std::shared_ptr<Clipboard_service> until_started);

  // The RemoteDesktop session has started with the clipboard granted.
  void Session_started(const QString& session);
  bool Started() const { return !session_.isEmpty(); }

  std::optional<Clipboard_contents> Read_all(std::size_t max_bytes) override;
  bool Write_all(const Clipboard_contents& contents) override;
  std::optional<std::string> Read_text() override;
  bool Write_text(const std::string& text, bool transient) override;
  std::optional<std::string> Read_primary_text() override { return until_started_->Read_primary_text(); }
  bool Write_primary_text(const std::string& text) override { return until_started_->Write_primary_text(text); }
  std::uint64_t Change_count() override { return until_started_->Change_count() + change_count_; }
  std::uint64_t Fetch_count() override { return until_started_->Fetch_count() + fetch_count_; }
  void Set_changed_handler(std::function<void()> handler) override;

 private slots:
  void On_owner_changed(const QDBusObjectPath& session, const QVariantMap& options);
  void On_transfer(const QDBusObjectPath& session, const QString& mime_type, uint serial);

 private:
  // The other program's data in that type; nothing when it does not come.
  std::optional<std::string> Read(const std::string& mime_type, std::size_t max_bytes);
  void Tell_changed();

  QDBusConnection bus_;
  std::shared_ptr<Clipboard_service> until_started_;
  QString session_;
  bool owned_ = false;                    // the clipboard holds our contents_
  Clipboard_contents contents_;           // what we offered last
  std::vector<std::string> offered_types_;  // another owner's, while not owned
  std::uint64_t change_count_ = 0;
  std::uint64_t fetch_count_ = 0;
  std::function<void()> changed_handler_;
};

}  // namespace quorvandel
