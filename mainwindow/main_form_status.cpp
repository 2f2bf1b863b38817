// The pane titles, the info bars and the status line.
#include <iterator>

#include "engine/char_sets.h"
#include "engine/convert_document.h"
#include "mainwindow/info_bar.h"
#include "mainwindow/main_form.h"

namespace quorvandel {
namespace {

// The short names of the character sets, as the engine names them.
constexpr const char* char_set_captions[] = {
    QT_TRANSLATE_NOOP("quorvandel::TMainForm", "Windows"),    QT_TRANSLATE_NOOP("quorvandel::TMainForm", "DOS"),
    QT_TRANSLATE_NOOP("quorvandel::TMainForm", "Upper"),      QT_TRANSLATE_NOOP("quorvandel::TMainForm", "Lower"),
    QT_TRANSLATE_NOOP("quorvandel::TMainForm", "Qwerty (U)"), QT_TRANSLATE_NOOP("quorvandel::TMainForm", "Qwerty (L)"),
};

}  // namespace

QString TMainForm::Char_set_caption(int set) {
  if (set < 0 || set >= static_cast<int>(std::size(char_set_captions))) return QString::fromLatin1(Char_set_name(set));
  return tr(char_set_captions[set]);
}

QString TMainForm::Shown_name(const std::string& file_name) const {
  const TPrefs* holder = Holder();
  const bool full = holder && holder->operation->show_full_pathnames;
  return QString::fromStdString(full ? file_name : File_name_part(file_name));
}

QString TMainForm::Status_to_str(int status, bool with_mark) const {
  QString text;
  switch (status) {
    case ps_blank: text = tr("Blank"); break;
    case ps_loaded: text = tr("Loaded: %1").arg(Shown_name(source_file_name)); break;
    case ps_from_clipboard: text = tr("From Clipboard"); break;
    case ps_converted: text = tr("Converted"); break;
    case ps_converted_named: text = tr("Converted: %1").arg(Shown_name(dest_file_name)); break;
    case ps_saved: text = tr("Saved: %1").arg(Shown_name(dest_file_name)); break;
    default: break;
  }
  if (with_mark && source_modified) text += tr(" (modified)");
  return text;
}

void TMainForm::Update_lines() {
  SourceInfo->Set_text(0, tr("Bytes: %1").arg(RichEdit1->Byte_count()));
  SourceInfo->Set_text(1, tr("Lines: %1").arg(RichEdit1->Line_count()));
  DestInfo->Set_text(0, tr("Bytes: %1").arg(RichEdit2->Byte_count()));
  DestInfo->Set_text(1, tr("Lines: %1").arg(RichEdit2->Line_count()));
  Update_encodings();
}

// Each pane's encoding; the destination's warns before any save that a
// single-byte file cannot hold some of its characters.
void TMainForm::Update_encodings() {
  SourceInfo->Set_text(2, Encoding_short_name(source_encoding));
  const bool lossy = dest_encoding == File_encoding::single_byte && dest_units_without_byte_ > 0;
  QLabel* dest = DestInfo->Panel(2);
  if (!lossy) {
    dest->setText(Encoding_short_name(dest_encoding));
    dest->setToolTip({});
    dest->setStyleSheet({});
    return;
  }
  dest->setText(tr("No byte: %1").arg(dest_units_without_byte_));
  dest->setToolTip(tr("%1 characters have no byte in code page 1255; save as UTF-8 to keep them.")
                       .arg(dest_units_without_byte_));
  dest->setStyleSheet("color: red;");
}

void TMainForm::Show_status() {
  SourceTitle->setText(Status_to_str(source_status, true));
  DestTitle->setText(Status_to_str(dest_status, false));
  Update_lines();
  TPrefs* holder = Holder();
  if (!holder || !active_settings) return;
  const TOptProfiles& profiles = *holder->profiles;
  const int active = profiles.active_profile;
  // The default profile's name is shown in the interface's language.
  const QString shown_profile_name =
      active == 0 ? tr("Default profile")
                  : QString::fromStdString(profiles.profile_names[static_cast<std::size_t>(active - 1)]);
  StatusBar1->Set_text(0, tr("Active profile: '%1'").arg(shown_profile_name));
  if (!detection_status.isEmpty()) {
    StatusBar1->Set_text(1, detection_status);
    return;
  }
  StatusBar1->Set_text(1, tr("%1 --> %2")
                             .arg(Char_set_caption(active_settings->source_props->source_char_set),
                                  Char_set_caption(active_settings->dest_props->destination_char_set)));
}

}  // namespace quorvandel
