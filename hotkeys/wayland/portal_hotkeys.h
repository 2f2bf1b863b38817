// The hotkeys through the desktop portal's GlobalShortcuts interface
// (KDE Plasma 5.27 and later, GNOME 48 and later, Hyprland): one session,
// the two hotkeys bound with their descriptions and the user's preferred
// combinations, and a press acted on when the portal reports its release,
// as on X11. The desktop may let the user choose other combinations or
// refuse; what it answered is kept for the preferences to show.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <map>
#include <memory>
#include <string>

#include "hotkeys/hotkey_service.h"

class QDBusObjectPath;

namespace quorvandel {

// A combination in the portal's trigger format: "CTRL+SHIFT+F12".
std::string Portal_trigger(bool ctrl, bool shift, bool alt, int fkey);

class Portal_hotkeys : public QObject, public Hotkey_service {
  Q_OBJECT

 public:
  // Nothing when the bus has no GlobalShortcuts portal, or one too old.
  static std::unique_ptr<Portal_hotkeys> Open(const QDBusConnection& bus);

  // The registration is sent to the portal once the session exists and
  // both hotkeys are known; the portal answers later.
  bool Register(int id, bool ctrl, bool shift, bool alt, int fkey) override;
  void Unregister(int id) override;
  void Set_pressed_handler(Pressed_handler handler) override { handler_ = std::move(handler); }

  // The combination the desktop bound for each hotkey, as it describes it;
  // empty until it has answered.
  const std::map<int, std::string>& Bound() const { return bound_; }
  // Why the hotkeys are not bound, empty while nothing failed.
  std::string Failure() const;
  std::string Trigger_note() const override;

 signals:
  // The desktop answered a binding, or refused one.
  void Answered();

 private slots:
  void On_response(uint response, const QVariantMap& results, const QDBusMessage& message);
  void On_deactivated(const QDBusObjectPath& session, const QString& shortcut, qulonglong timestamp,
                      const QVariantMap& options);

 private:
  explicit Portal_hotkeys(const QDBusConnection& bus);
  // A call whose answer comes as a Response of the request it returns,
  // named by the handle_token of its options. False when the call failed.
  bool Request(const QString& method, const QList<QVariant>& arguments);
  QString New_token();
  void Bind_when_ready();
  // `why` is an untranslated text, `detail` the desktop's own words.
  void Fail(const char* why, std::string detail = {});

  QDBusConnection bus_;
  QString session_;                    // the session's object path, once created
  QString session_token_;              // the token of the CreateSession request
  QString bind_token_;                 // the token of the BindShortcuts request under way
  std::map<int, std::string> wanted_;  // id -> trigger, as registered
  std::map<int, std::string> sent_;    // what the last binding asked for
  std::map<int, std::string> bound_;
  const char* failure_ = nullptr;
  std::string failure_detail_;
  int tokens_ = 0;
  Pressed_handler handler_;
};

}  // namespace quorvandel
