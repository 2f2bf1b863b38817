#include "mainwindow/notice_popup.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QScreen>

namespace quorvandel {
namespace {

constexpr int stay_ms = 3500;
constexpr int fade_ms = 700;
constexpr int screen_margin = 16;

}  // namespace

Notice_popup::Notice_popup() : QLabel(nullptr, Qt::ToolTip | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
  // A tool tip window is left alone by the window manager: it is neither
  // activated nor given the focus.
  setAttribute(Qt::WA_ShowWithoutActivating);
  setObjectName("Notice");
  setWindowTitle(QCoreApplication::translate("quorvandel::TMainForm", "Quorvandel notice"));
  setMargin(12);
  setFrameShape(QFrame::Box);
  stay_.setSingleShot(true);
  stay_.setInterval(stay_ms);
  connect(&stay_, &QTimer::timeout, this, [this] { fade_.start(); });
  fade_.setTargetObject(this);
  fade_.setPropertyName("windowOpacity");
  fade_.setDuration(fade_ms);
  fade_.setStartValue(1.0);
  fade_.setEndValue(0.0);
  connect(&fade_, &QPropertyAnimation::finished, this, &QWidget::hide);
}

void Notice_popup::Show_notice(const QString& text) {
  fade_.stop();
  setText(text);
  adjustSize();
  setWindowOpacity(1.0);
  if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    const QRect area = screen->availableGeometry();
    move(area.right() - width() - screen_margin, area.bottom() - height() - screen_margin);
  }
  show();
  raise();
  stay_.start();
}

}  // namespace quorvandel
