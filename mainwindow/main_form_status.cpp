// The pane titles, the info bars and the status line.
#include "engine/char_sets.h"
#include "engine/convert_document.h"
#include "mainwindow/info_bar.h"
#include "mainwindow/main_form.h"

namespace quorvandel {

QString TMainForm::Shown_name(const std::string& file_name) const {
  const TPrefs* holder = Holder();
  const bool full = holder && holder->operation->show_full_pathnames;
  return QString::fromStdString(full ? file_name : File_name_part(file_name));
}

QString TMainForm::Status_to_str(int status, bool with_mark) const {
  QString text;
  switch (status) {
    case ps_blank: text = "Blank"; break;
    case ps_loaded: text = "Loaded: " + Shown_name(source_file_name); break;
    case ps_from_clipboard: text = "From Clipboard"; break;
    case ps_converted: text = "Converted"; break;
    case ps_converted_named: text = "Converted: " + Shown_name(dest_file_name); break;
    case ps_saved: text = "Saved: " + Shown_name(dest_file_name); break;
    default: break;
  }
  if (with_mark && source_modified) text += " (modified)";
  return text;
}

void TMainForm::Update_lines() {
  SourceInfo->Set_text(0, "Bytes: " + QString::number(RichEdit1->Byte_count()));
  SourceInfo->Set_text(1, "Lines: " + QString::number(RichEdit1->Line_count()));
  DestInfo->Set_text(0, "Bytes: " + QString::number(RichEdit2->Byte_count()));
  DestInfo->Set_text(1, "Lines: " + QString::number(RichEdit2->Line_count()));
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
  dest->setText("No byte: " + QString::number(dest_units_without_byte_));
  dest->setToolTip(QString::number(dest_units_without_byte_) +
                   " characters have no byte in code page 1255; save as UTF-8 to keep them.");
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
  const std::string profile_name =
      active == 0 ? default_profile_name : profiles.profile_names[static_cast<std::size_t>(active - 1)];
  StatusBar1->Set_text(0, "Active profile: '" + QString::fromStdString(profile_name) + "'");
  if (!detection_status.isEmpty()) {
    StatusBar1->Set_text(1, detection_status);
    return;
  }
  StatusBar1->Set_text(1, QString(Char_set_name(active_settings->source_props->source_char_set)) + " --> " +
                              Char_set_name(active_settings->dest_props->destination_char_set));
}

}  // namespace quorvandel
