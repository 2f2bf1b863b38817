// The commands of the menus and the button bar.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QProgressBar>
#include <QSaveFile>
#include <cmath>

#include "engine/convert_document.h"
#include "engine/cp1255.h"
#include "mainwindow/main_form.h"
#include "mainwindow/pane_document.h"
#include "mainwindow/pane_text.h"
#include "tools/u_prog_bar.h"

namespace quorvandel {
namespace {

constexpr qint64 open_block_size = 10000;
constexpr int progress_maximum = 1000;
const QString file_filter = "All files (*);;Text files (*.txt *.asc);;HTML files (*.htm *.html)";

// progress_maximum x read / size, rounded to the nearest integer, a half to
// even. A file that reports no size (a pipe, a file of /proc) shows 0.
int Reading_progress(qint64 read, qint64 size) {
  if (size <= 0) return 0;
  const double share = std::min(static_cast<double>(read) / static_cast<double>(size), 1.0);
  return static_cast<int>(std::nearbyint(progress_maximum * share));
}

QString Lead_in_error(const char* lead_in, const QString& error) { return lead_in + error + "'."; }

QString Run_open_dialog(QWidget* parent, const File_dialog_request& request) {
  return QFileDialog::getOpenFileName(parent, request.caption, request.folder, request.filter);
}

QString Run_save_dialog(QWidget* parent, const File_dialog_request& request) {
  const QString start = request.proposed_name.isEmpty() ? request.folder : QDir(request.folder).filePath(request.proposed_name);
  const QFileDialog::Options options =
      request.confirm_overwrite ? QFileDialog::Options() : QFileDialog::DontConfirmOverwrite;
  return QFileDialog::getSaveFileName(parent, request.caption, start, request.filter, nullptr, options);
}

}  // namespace

// ---- Open ----

bool TMainForm::Read_source_file(const std::string& path, std::string& bytes, QString& error) {
  QFile file(QString::fromStdString(path));
  if (!file.open(QIODevice::ReadOnly)) {
    error = file.errorString();
    return false;
  }
  const qint64 size = file.size();
  TProgBar& progress = *dialogs_.prog_bar;
  progress.setWindowTitle("Opening File...");
  progress.show();
  qint64 read = 0;
  char block[open_block_size];
  // A file that reports no size (a pipe, a file of /proc) is read until a
  // read gives nothing; the others until their end.
  const bool sized = size > 0;
  while (sized ? !file.atEnd() : true) {
    progress.Progress->setValue(Reading_progress(read, size));
    const qint64 count = file.read(block, open_block_size);
    if (count < 0) {
      error = file.errorString();
      progress.hide();
      return false;
    }
    std::replace(block, block + count, '\0', 'A');
    bytes.append(block, static_cast<std::size_t>(count));
    read += count;
    QApplication::processEvents();
    if (count == 0) break;
  }
  file.close();
  progress.hide();
  QApplication::processEvents();
  return true;
}

void TMainForm::Open1Click() {
  if (busy) return;
  const TOperation& operation = *Holder()->operation;
  const File_dialog_request request{"Open Source", QString::fromStdString(operation.default_source_path), {},
                                    file_filter, false};
  const QString chosen = hooks.open_file ? hooks.open_file(request) : Run_open_dialog(this, request);
  if (chosen.isEmpty()) return;

  Begin_busy();
  RichEdit1->clear();
  const std::string previous_name = source_file_name;
  source_file_name = chosen.toStdString();
  std::string bytes;
  QString error;
  if (!Read_source_file(source_file_name, bytes, error)) {
    source_file_name = previous_name;  // the title keeps the name that goes with its status
    End_busy();
    My_show_message(Lead_in_error("Couldn't read input file due to the following error: '", error));
    return;
  }
  RichEdit1->Set_pane_bytes(std::move(bytes), true);  // each line followed by a break, the last one too
  source_status = ps_loaded;
  source_modified = false;
  Show_status();
  End_busy();
}

// ---- Save As ----

void TMainForm::SaveAs1Click() {
  if (busy) return;
  const TOperation& operation = *Holder()->operation;
  const File_dialog_request request{"Save Destination As", QString::fromStdString(operation.default_dest_path),
                                    QString::fromStdString(File_name_part(dest_file_name)), file_filter,
                                    operation.confirm_overwrites};
  const QString chosen = hooks.save_file ? hooks.save_file(request) : Run_save_dialog(this, request);
  if (chosen.isEmpty()) return;

  QString error;
  std::string bytes;
  if (const auto bad = destination_text_.Append_as_bytes_checked(bytes)) {
    const char32_t c = Unicode_from_unit(destination_text_.At(*bad));
    const QString code = QString::number(static_cast<uint>(c), 16).toUpper().rightJustified(4, '0');
    error = "the character U+" + code + " has no byte in code page 1255";
  } else {
    QSaveFile file(chosen);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes.data(), static_cast<qint64>(bytes.size())) < 0 ||
        !file.commit()) {
      error = file.errorString();
    }
  }
  if (!error.isEmpty()) {
    My_show_message(Lead_in_error("Couldn't save converted file due to the following error: '", error));
    return;
  }
  dest_file_name = chosen.toStdString();
  dest_status = ps_saved;
  Show_status();
}

// ---- Clear, Convert, From Clipboard ----

void TMainForm::Clear1Click() {
  if (busy) return;
  RichEdit1->clear();
  source_status = ps_blank;
  source_modified = false;
  Show_status();
}

void TMainForm::Convert1Click() {
  if (busy || !active_settings) return;
  Begin_busy();
  TPane_document document(*this);
  Convert_document(document);
  End_busy();
}

void TMainForm::Begin_busy() {
  busy = true;
  RichEdit1->setReadOnly(true);
}

void TMainForm::End_busy() {
  busy = false;
  RichEdit1->setReadOnly(false);
  if (close_requested_) {
    close_requested_ = false;
    close();
  }
}

void TMainForm::FromClipboardClick() {
  if (busy) return;
  source_status = ps_from_clipboard;
  Quick_convert();
}

void TMainForm::Quick_convert() {
  RichEdit1->clear();
  const QString text = Get_clipboard_text(false);
  RichEdit1->Set_pane_text(Pane_text_from_text(Text_from_qstring(text)));
  Convert1Click();
  Put_clipboard_text(destination_text_.To_qstring());
}

QString TMainForm::Get_clipboard_text(bool empty_after) {
  const std::string text = services_.clipboard->Read_text().value_or(std::string());
  if (empty_after) services_.clipboard->Write_all({});
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

void TMainForm::Put_clipboard_text(const QString& text) {
  if (text.isEmpty()) return;
  services_.clipboard->Write_text(text.toUtf8().toStdString(), false);
}

// ---- The destination pane ----

void TMainForm::Set_destination_text(Text text) {
  destination_text_.Assign(std::move(text));
  RichEdit2->Set_pane_text(destination_text_);
}

void TMainForm::Clear_destination() {
  destination_text_.clear();
  RichEdit2->clear();
}

// ---- Editing ----

TText_pane* TMainForm::Focused_pane() const { return RichEdit2->hasFocus() ? RichEdit2 : RichEdit1; }

void TMainForm::Cut1Click() {
  TText_pane* pane = Focused_pane();
  if (pane == RichEdit1 && !busy) pane->cut();
}

void TMainForm::Copy1Click() { Focused_pane()->copy(); }

void TMainForm::Paste1Click() {
  TText_pane* pane = Focused_pane();
  if (pane == RichEdit1 && !busy) pane->paste();
}

void TMainForm::Source1Click() { RichEdit1->Set_word_wrap(SourceWrapItem->isChecked()); }

void TMainForm::Destination1Click() { RichEdit2->Set_word_wrap(DestinationWrapItem->isChecked()); }

void TMainForm::RichEdit1KeyDown(QKeyEvent* /*event*/) {
  source_modified = true;
  Show_status();
}

}  // namespace quorvandel
