// Keys through the desktop portal's RemoteDesktop interface (GNOME 43 and
// later, KDE Plasma 5.27 and later): a session with the keyboard device,
// started at the first conversion after the user's consent, and the keys
// sent as evdev codes with NotifyKeyboardKeycode, so the layout does not
// matter. Where the portal keeps consent (version 2), the restore token it
// gives lets the next start skip the dialog.
#pragma once

#include <QDBusConnection>
#include <QDBusMessage>
#include <QObject>
#include <QString>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "hotkeys/keystroke_service.h"

namespace quorvandel {

// The messages of a session that could not start; the clipboard is left
// as it was. Prepare gives them translated.
inline constexpr const char* keys_cancelled_message =
    QT_TRANSLATE_NOOP("quorvandel::Portal_keystrokes",
                      "The desktop's permission to send keys was cancelled, so the selection was not converted; "
                      "the next hotkey asks again.");
inline constexpr const char* keys_refused_message = QT_TRANSLATE_NOOP(
    "quorvandel::Portal_keystrokes", "The desktop did not let this program send keys, so the selection was not converted.");

class Portal_keystrokes : public QObject, public Keystroke_service {
  Q_OBJECT

 public:
  // Nothing when the bus has no RemoteDesktop portal with a keyboard.
  static std::unique_ptr<Portal_keystrokes> Open(const QDBusConnection& bus);

  // The token a former session left, to start without the dialog; and the
  // handler told of each new one, to keep it.
  void Set_restore_token(const std::string& token) { restore_token_ = token; }
  void Set_token_handler(std::function<void(const std::string&)> handler) { token_handler_ = std::move(handler); }

  // Asks for the portal's clipboard with the session; `started` is told
  // the session once it runs with the clipboard granted.
  void Share_clipboard(std::function<void(const QString& session)> started) {
    clipboard_started_ = std::move(started);
  }

  bool Is_down(Key) override { return false; }
  void Send_key(Key key, bool release) override;
  Copy_paste_style Foreground_style() override { return Copy_paste_style::control_keys; }
  // Starts the session when none runs, waiting for the user's answer.
  std::string Prepare() override;

 private slots:
  void On_response(uint response, const QVariantMap& results, const QDBusMessage& message);

 private:
  Portal_keystrokes(const QDBusConnection& bus, uint version);
  // Calls the method and waits for its request's answer; nothing when the
  // call failed or no answer came.
  std::optional<std::pair<uint, QVariantMap>> Ask(const QString& method, QList<QVariant> arguments);

  QDBusConnection bus_;
  uint version_ = 0;
  QString session_;
  std::string restore_token_;
  std::function<void(const std::string&)> token_handler_;
  std::function<void(const QString&)> clipboard_started_;
  int tokens_ = 0;
  QString awaited_;  // the token of the request whose answer is awaited
  std::optional<std::pair<uint, QVariantMap>> answer_;
};

}  // namespace quorvandel
