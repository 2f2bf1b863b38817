// The main window's side of the system-wide hotkeys: their presses, their
// switch in the tray, and the panes, profiles, waits and messages that a
// hotkey conversion uses.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QThread>
#include <string_view>

#include "mainwindow/main_form.h"
#include "mainwindow/notice_popup.h"
#include "mainwindow/pane_document.h"
#include "settings/dialogs/u_preferences.h"

namespace quorvandel {
namespace {

// The panes' conversion, with its error kept for later instead of shown.
class Quiet_pane_document : public TPane_document {
 public:
  using TPane_document::TPane_document;
  void Show_message(const std::string& text) override { error = text; }
  std::string error;
};

}  // namespace

class TMainForm::Main_form_hotkey_window : public Hotkey_window {
 public:
  explicit Main_form_hotkey_window(TMainForm& form) : form_(form) {}

  bool Hotkeys_enabled() const override { return form_.hotkeys_enabled; }
  bool Hotkey_busy() const override { return form_.hotkey_busy; }
  void Set_hotkey_busy(bool busy) override { form_.hotkey_busy = busy; }
  int Active_profile() const override {
    return form_.Holder() ? form_.Holder()->profiles->active_profile : 0;
  }
  void Change_profile(int index) override {
    if (form_.dialogs().pref_form) form_.dialogs().pref_form->Change_profile(index);
  }
  Pane_conversion Convert_through_panes(const std::string& text) override { return form_.Convert_through_panes(text); }
  void Wait_milliseconds(int n) override { form_.Wait_milliseconds(n); }
  void Show_message(const std::string& text) override { form_.Show_message(text); }
  void Show_notice(const std::string& text) override { form_.Show_notice(text); }

 private:
  TMainForm& form_;
};

void TMainForm::Create_hotkey_conversion() {
  hotkey_window_ = std::make_unique<Main_form_hotkey_window>(*this);
  hotkey_conversion_ =
      std::make_unique<Hotkey_conversion>(*hotkey_window_, *services_.keystrokes, *services_.clipboard);
  services_.hotkeys->Set_pressed_handler([this](int id) { WMHotKey(id); });
  services_.keystrokes->Set_own_window(static_cast<std::uint64_t>(winId()));
}

void TMainForm::WMHotKey(int id) { hotkey_conversion_->WMHotKey(id); }

void TMainForm::Hotkey_convert_by_keyboard_event() {
  const std::string message = hotkey_conversion_->Hotkey_convert_by_keyboard_event();
  if (!message.empty()) Show_message(message);
}

std::string TMainForm::Hotkey_trigger_note() const {
  const std::string note = services_.hotkeys->Trigger_note();
  if (services_.clipboard_reaches_other_programs) return note;
  const std::string missing =
      tr("This desktop gives no program the clipboard of other programs (its desktop portal has one from "
         "xdg-desktop-portal 1.18 on), so the hotkeys cannot convert here. Start Quorvandel on XWayland "
         "instead, with QT_QPA_PLATFORM=xcb.")
          .toStdString();
  return note.empty() ? missing : note + "\n" + missing;
}

void TMainForm::Send_key(Key key, bool release) { hotkey_conversion_->Send_key(key, release); }

void TMainForm::Send_copy_keys() { hotkey_conversion_->Send_copy_keys(services_.keystrokes->Foreground_style()); }

void TMainForm::Send_paste_keys() { hotkey_conversion_->Send_paste_keys(services_.keystrokes->Foreground_style()); }

namespace {

// The hotkey conversion's notices, for the translators.
constexpr const char* notice_sources[] = {
    QT_TRANSLATE_NOOP("quorvandel::TMainForm", "Nothing was selected in the active window."),
    QT_TRANSLATE_NOOP("quorvandel::TMainForm", "The converted text was not pasted; it is in the Quorvandel window."),
};
static_assert(std::string_view(notice_sources[0]) == nothing_selected_notice);
static_assert(std::string_view(notice_sources[1]) == not_pasted_notice);

}  // namespace

void TMainForm::Show_notice(const std::string& text) {
  if (Holder() && !Holder()->profiles->show_hotkey_notices) return;
  // The notices are texts of the hotkey conversion, which knows no
  // language: they are translated here by their English text.
  const QString shown = tr(text.c_str());
  if (services_.tray->Show_balloon(shown.toStdString())) return;
  if (!notice_popup_) notice_popup_ = std::make_unique<Notice_popup>();
  notice_popup_->Show_notice(shown);
}

void TMainForm::Wait_milliseconds(int n) {
  Waiting.setInterval(n);
  Waiting.start();
  // The wait ends by the clock too, and never blocks for events: under
  // Wine the short timer's event was seen never to come, and a wait
  // blocked for it hung the hotkey for good.
  const QDeadlineTimer deadline(n);
  while (Waiting.isActive() && !deadline.hasExpired()) {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QThread::msleep(1);
  }
  Waiting.stop();
}

Pane_conversion TMainForm::Convert_through_panes(const std::string& text) {
  Pane_conversion conversion;
  // A file being read or converted owns the panes meanwhile.
  if (busy || !active_settings) return conversion;
  RichEdit1->clear();
  source_break_added_ = false;
  // The text is the clipboard's now, whatever file the pane held before:
  // the titles say so, and Save As proposes no file of that earlier text.
  source_status = ps_from_clipboard;
  source_modified = false;
  source_utf8_bom = false;
  RichEdit1->Set_pane_text(
      Pane_text_from_text(Text_from_qstring(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())))));
  Begin_busy();
  Quiet_pane_document document(*this);
  conversion.converted = Convert_document(document);
  End_busy();
  if (conversion.converted) {
    conversion.text = Destination_qstring().toUtf8().toStdString();
  } else {
    conversion.error = document.error;
  }
  return conversion;
}

}  // namespace quorvandel
