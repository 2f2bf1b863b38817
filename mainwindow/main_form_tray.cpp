// The tray icon with its clicks and menu, minimizing and restoring the
// program, and the help.
#include <QApplication>
#include <QMenu>
#include <QShortcut>
#include <QWindowStateChangeEvent>

#include "mainwindow/main_form.h"
#include "settings/prefs.h"
#include "tools/context_help.h"

namespace quorvandel {
namespace {

constexpr const char* tray_tip_enabled = QT_TRANSLATE_NOOP("quorvandel::TMainForm", "Quorvandel");
constexpr const char* tray_tip_disabled = QT_TRANSLATE_NOOP("quorvandel::TMainForm", "Quorvandel (disabled)");
constexpr int left_click_detect_ms = 500;

}  // namespace

void TMainForm::Create_tray_menu() {
  SysTrayPopup = new QMenu(this);
  PopRestore = SysTrayPopup->addAction(tr("Restore"), this, &TMainForm::PopRestoreClick);
  SysTrayPopup->addSeparator();
  EnableHotkeys = SysTrayPopup->addAction(tr("Enable Hotkeys"), this, &TMainForm::EnableHotkeysClick);
  SysTrayPopup->addSeparator();
  BonusIDValidator1 = SysTrayPopup->addAction(tr("Bonus: ID Validator"), this, &TMainForm::BonusIDValidator1Click);
  SysTrayPopup->addSeparator();
  PopHelp = SysTrayPopup->addAction(tr("Help"), this, &TMainForm::PopHelpClick);
  PopAbout = SysTrayPopup->addAction(tr("About Quorvandel"), this, &TMainForm::PopAboutClick);
  SysTrayPopup->addSeparator();
  PopExit = SysTrayPopup->addAction(tr("Exit Quorvandel"), this, &TMainForm::PopExitClick);
  connect(SysTrayPopup, &QMenu::aboutToShow, this, &TMainForm::SysTrayPopupPopup);

  // Running from the start: its first tick finds no click pending and only
  // stops it.
  LeftClickDetectTimer.setInterval(left_click_detect_ms);
  connect(&LeftClickDetectTimer, &QTimer::timeout, this, &TMainForm::LeftClickDetectTimerTimer);
  LeftClickDetectTimer.start();

  services_.tray->Set_handlers({
      [this] { TrayNotify(tray_left_button_down); },
      [this] { TrayNotify(tray_left_double_click); },
      [this](int x, int y) { TrayNotify(tray_right_button_down, QPoint(x, y)); },
  });
}

void TMainForm::Set_help_keywords() {
  Set_help_keyword(this, "Contents");
  Set_help_keyword(OuterPanel, "StraightConversion");
  Set_help_keyword(OpenBut, "StraightConversion");
  Set_help_keyword(Convert, "StraightConversion");
  Set_help_keyword(Preferences, "Contents");
  Set_help_keyword(FromClipboard, "ClipboardConversion");
  Install_context_help(*this, *services_.help);
}

std::string TMainForm::Help_keyword_of(const QWidget* widget) const { return quorvandel::Help_keyword_of(widget); }

void TMainForm::Show_context_help(const QWidget* focused) { services_.help->Show_topic(Help_keyword_of(focused)); }

// ---- The icon ----

void TMainForm::Add_systray_icon() { services_.tray->Add(true, tr(tray_tip_enabled).toStdString()); }

void TMainForm::Modify_systray_icon(bool enabled) {
  services_.tray->Modify(enabled, tr(enabled ? tray_tip_enabled : tray_tip_disabled).toStdString());
  QApplication::processEvents();
}

void TMainForm::Delete_systray_icon() { services_.tray->Remove(); }

void TMainForm::TrayNotify(Tray_event event, QPoint at) {
  switch (event) {
    case tray_left_button_down:
      left_click_pending = true;
      if (!LeftClickDetectTimer.isActive()) LeftClickDetectTimer.start();  // a running timer keeps its course
      break;
    case tray_left_double_click:
      left_click_pending = false;
      if (minimized) {
        RestoreIt();
      } else {
        MinimizeIt();
      }
      break;
    case tray_right_button_down:
      QApplication::processEvents();
      SysTrayPopup->popup(at);
      break;
  }
}

void TMainForm::LeftClickDetectTimerTimer() {
  LeftClickDetectTimer.stop();
  if (left_click_pending) Toggle_hotkeys();
}

void TMainForm::SysTrayPopupPopup() {
  PopRestore->setText(minimized ? tr("Restore") : tr("Minimize"));
  EnableHotkeys->setText(hotkeys_enabled ? tr("Disable hotkeys") : tr("Enable hotkeys"));
}

void TMainForm::PopRestoreClick() {
  if (minimized) {
    RestoreIt();
  } else {
    MinimizeIt();
  }
}

void TMainForm::Toggle_hotkeys() {
  hotkeys_enabled = !hotkeys_enabled;
  Modify_systray_icon(hotkeys_enabled);
}

void TMainForm::EnableHotkeysClick() { Toggle_hotkeys(); }

void TMainForm::BonusIDValidator1Click() { CheckID1Click(); }

void TMainForm::PopHelpClick() { ContentsClick(); }

void TMainForm::PopAboutClick() { About2Click(); }

void TMainForm::PopExitClick() { close(); }

void TMainForm::ContentsClick() { services_.help->Show_topic("IDH_Contents"); }

// ---- Minimizing and restoring ----

bool TMainForm::Minimizes_to_tray() const {
  // Without a tray to click, a hidden window could not be brought back.
  return Holder() && Holder()->operation->min_to_systray && services_.tray->Available();
}

void TMainForm::MinimizeIt() {
  if (modal_open) return;
  if (Minimizes_to_tray()) {
    hide();  // the window's taskbar button goes with it
    hidden_to_tray = true;
  }
  if (!isHidden() && !isMinimized()) setWindowState(windowState() | Qt::WindowMinimized);
  minimized = true;
}

void TMainForm::RestoreIt() {
  if (modal_open) return;
  if (isMinimized()) setWindowState(windowState() & ~Qt::WindowMinimized);
  // Showing the window brings its taskbar button back as well.
  if (hidden_to_tray || !started_normally || isHidden()) show();
  raise();
  activateWindow();
  QApplication::processEvents();
  minimized = false;
}

// The window system's minimize and restore: the title bar's button, the
// taskbar, the window manager's keys.
void TMainForm::MinimizeToTray(const QWindowStateChangeEvent& event) {
  const bool was_minimized = event.oldState().testFlag(Qt::WindowMinimized);
  if (isMinimized() && !was_minimized) {
    ApplicationEvents1Minimize();
  } else if (!isMinimized() && was_minimized) {
    ApplicationEvents1Restore();
  }
}

void TMainForm::ApplicationEvents1Minimize() {
  if (!minimized) MinimizeIt();
}

void TMainForm::ApplicationEvents1Restore() {
  if (minimized) RestoreIt();
}

void TMainForm::HandleResizeBegin() {
  RichEdit1->hide();
  RichEdit2->hide();
}

void TMainForm::HandleResizeEnd() {
  RichEdit1->show();
  RichEdit2->show();
}

}  // namespace quorvandel
