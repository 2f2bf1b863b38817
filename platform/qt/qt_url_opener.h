// URLs opened through Qt's QDesktopServices, which asks the desktop.
#pragma once

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include <string>

#include "platform/url_opener_service.h"

namespace quorvandel {

class Qt_url_opener : public Url_opener_service {
 public:
  bool Open(const std::string& url) override { return QDesktopServices::openUrl(QUrl(QString::fromStdString(url))); }
};

}  // namespace quorvandel
