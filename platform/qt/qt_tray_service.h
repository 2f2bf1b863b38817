// The tray icon through QSystemTrayIcon: a status-notifier item where the
// desktop has a host for one, the XEmbed system tray otherwise.
#pragma once

#include <QIcon>
#include <QObject>
#include <QSystemTrayIcon>

#include "platform/tray_service.h"

namespace quorvandel {

class Qt_tray_service : public QObject, public Tray_service {
  Q_OBJECT

 public:
  // The two looks: the hotkeys switched on and off.
  Qt_tray_service(QIcon enabled_icon, QIcon disabled_icon, QObject* parent = nullptr);

  bool Available() override;
  void Add(bool enabled, const std::string& tip) override;
  void Modify(bool enabled, const std::string& tip) override;
  void Remove() override;
  void Set_handlers(Handlers handlers) override;
  bool Show_balloon(const std::string& text) override;

  QSystemTrayIcon& icon() { return icon_; }

 private:
  void Activated(QSystemTrayIcon::ActivationReason reason);
  void Set_look(bool enabled, const std::string& tip);

  QIcon enabled_icon_;
  QIcon disabled_icon_;
  QSystemTrayIcon icon_;
  Handlers handlers_;
};

}  // namespace quorvandel
