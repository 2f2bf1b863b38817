#include "platform/qt/qt_tray_service.h"

#include <QCursor>

namespace quorvandel {
namespace {
constexpr int balloon_ms = 4000;
}  // namespace

Qt_tray_service::Qt_tray_service(QIcon enabled_icon, QIcon disabled_icon, QObject* parent)
    : QObject(parent), enabled_icon_(std::move(enabled_icon)), disabled_icon_(std::move(disabled_icon)) {
  // No context menu of Qt's own: the right click goes to the handler, which
  // sets the menu's captions before it opens it.
  connect(&icon_, &QSystemTrayIcon::activated, this, &Qt_tray_service::Activated);
}

bool Qt_tray_service::Available() { return QSystemTrayIcon::isSystemTrayAvailable(); }

bool Qt_tray_service::Show_balloon(const std::string& text) {
  if (!Available() || !icon_.isVisible() || !QSystemTrayIcon::supportsMessages()) return false;
  icon_.showMessage("Quorvandel", QString::fromStdString(text), QSystemTrayIcon::Information, balloon_ms);
  return true;
}

void Qt_tray_service::Set_look(bool enabled, const std::string& tip) {
  icon_.setIcon(enabled ? enabled_icon_ : disabled_icon_);
  icon_.setToolTip(QString::fromStdString(tip));
}

void Qt_tray_service::Add(bool enabled, const std::string& tip) {
  Set_look(enabled, tip);
  icon_.show();
}

void Qt_tray_service::Modify(bool enabled, const std::string& tip) { Set_look(enabled, tip); }

void Qt_tray_service::Remove() { icon_.hide(); }

void Qt_tray_service::Set_handlers(Handlers handlers) { handlers_ = std::move(handlers); }

// Qt reports the left button going down as Trigger (and again for the
// second press of a double click, before DoubleClick), which is what the
// click timer expects.
void Qt_tray_service::Activated(QSystemTrayIcon::ActivationReason reason) {
  switch (reason) {
    case QSystemTrayIcon::Trigger:
      if (handlers_.left_button_down) handlers_.left_button_down();
      break;
    case QSystemTrayIcon::DoubleClick:
      if (handlers_.double_click) handlers_.double_click();
      break;
    case QSystemTrayIcon::Context:
      if (handlers_.right_click) {
        const QPoint at = QCursor::pos();
        handlers_.right_click(at.x(), at.y());
      }
      break;
    default:
      break;
  }
}

}  // namespace quorvandel
