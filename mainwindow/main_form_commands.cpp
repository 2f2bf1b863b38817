// The commands of the menus and the button bar.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QKeyEvent>
#include <QProgressBar>
#include <QSaveFile>
#include <cmath>

#include "engine/convert_document.h"
#include "engine/cp1255.h"
#include "engine/detection/auto_document.h"
#include "mainwindow/file_dialogs.h"
#include "mainwindow/file_encoding.h"
#include "mainwindow/main_form.h"
#include "mainwindow/pane_document.h"
#include "textpane/pane_text.h"
#include "tools/u_prog_bar.h"

namespace quorvandel {
namespace {

constexpr qint64 open_block_size = 10000;
constexpr int progress_maximum = 1000;
QString File_filter() {
  return QCoreApplication::translate("quorvandel::TMainForm",
                                     "All files (*);;Text files (*.txt *.asc);;HTML files (*.htm *.html)");
}

// progress_maximum x read / size, rounded to the nearest integer, a half to
// even. A file that reports no size (a pipe, a file of /proc) shows 0.
int Reading_progress(qint64 read, qint64 size) {
  if (size <= 0) return 0;
  const double share = std::min(static_cast<double>(read) / static_cast<double>(size), 1.0);
  return static_cast<int>(std::nearbyint(progress_maximum * share));
}

QString Lead_in_error(const QString& lead_in, const QString& error) { return lead_in + error + "'."; }

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
  progress.setWindowTitle(tr("Opening File..."));
  progress.show();
  qint64 read = 0;
  char block[open_block_size];
  // A file that reports no size (a pipe, a file of /proc) is read until a
  // read gives nothing; the others until their end.
  const bool sized = size > 0;
  if (sized) bytes.reserve(static_cast<std::size_t>(size));
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
  File_dialog_request request{tr("Open Source"), QString::fromStdString(operation.default_source_path), {},
                              File_filter(), false, File_encoding::automatic};
  const QString chosen = hooks.open_file ? hooks.open_file(request) : Run_open_dialog(this, request);
  if (chosen.isEmpty()) return;
  Open_source_file(chosen, request.encoding);
}

bool TMainForm::Open_source_file(const QString& path, File_encoding encoding) {
  if (busy) return false;
  Begin_busy();
  std::string bytes;
  QString error;
  if (!Read_source_file(path.toStdString(), bytes, error)) {
    End_busy();
    My_show_message(Lead_in_error(tr("Couldn't read input file due to the following error: '"), error));
    return false;  // the pane, its title and status keep what they had
  }
  source_file_name = path.toStdString();
  source_encoding = encoding == File_encoding::automatic ? Detect_encoding(bytes) : encoding;
  dest_encoding = source_encoding;
  source_utf8_bom = source_encoding == File_encoding::utf8 && Starts_with_utf8_bom(bytes);
  const bool had_break = !bytes.empty() && (bytes.back() == '\n' || bytes.back() == '\r');
  source_break_added_ = !bytes.empty() && !had_break;
  if (source_encoding == File_encoding::single_byte) {
    RichEdit1->Set_pane_bytes(std::move(bytes), true);  // each line followed by a break, the last one too
  } else {
    Text text = Text_of_file(bytes, source_encoding);
    if (source_break_added_) text.push_back('\n');
    if (First_non_byte(text)) {
      RichEdit1->Set_pane_units(text);
    } else {
      std::string pane_bytes = Bytes_from_text(text);
      text = Text();
      RichEdit1->Set_pane_bytes(std::move(pane_bytes), false);
    }
  }
  source_status = ps_loaded;
  source_modified = false;
  detection_status.clear();  // it told of the text this file replaced
  Remember_recent_file(path);
  Show_status();
  End_busy();
  return true;
}

void TMainForm::Set_dest_status(int status, const std::string& file_name) {
  dest_status = status;
  dest_file_name = file_name;
}

bool TMainForm::Source_ends_with_break() const { return RichEdit1->Ends_with_line_break() && !source_break_added_; }

// ---- Save As ----

void TMainForm::SaveAs1Click() {
  if (busy) return;
  const TOperation& operation = *Holder()->operation;
  File_dialog_request request{tr("Save Destination As"), QString::fromStdString(operation.default_dest_path),
                              QString::fromStdString(File_name_part(dest_file_name)), File_filter(),
                              operation.confirm_overwrites, dest_encoding};
  const QString chosen = hooks.save_file ? hooks.save_file(request) : Run_save_dialog(this, request);
  if (chosen.isEmpty()) return;
  const File_encoding encoding =
      request.encoding == File_encoding::automatic ? File_encoding::single_byte : request.encoding;

  QString error;
  Unit bad = 0;
  std::optional<std::string> bytes = Destination_file(encoding, bad);
  if (bytes && encoding == File_encoding::utf8 && source_utf8_bom) bytes->insert(0, utf8_byte_order_mark);
  if (!bytes) {
    const char32_t c = Unicode_from_unit(bad);
    const QString code = QString::number(static_cast<uint>(c), 16).toUpper().rightJustified(4, '0');
    error = tr("the character U+%1 has no byte in code page 1255").arg(code);
  } else {
    QSaveFile file(chosen);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes->data(), static_cast<qint64>(bytes->size())) < 0 ||
        !file.commit()) {
      error = file.errorString();
    }
  }
  if (!error.isEmpty()) {
    My_show_message(Lead_in_error(tr("Couldn't save converted file due to the following error: '"), error));
    return;
  }
  dest_file_name = chosen.toStdString();
  dest_encoding = encoding;
  dest_status = ps_saved;
  Show_status();
}

// ---- Clear, Convert, From Clipboard ----

void TMainForm::Clear1Click() {
  if (busy) return;
  RichEdit1->clear();
  source_break_added_ = false;
  source_status = ps_blank;
  source_modified = false;
  detection_status.clear();
  Show_status();
}

void TMainForm::Convert1Click() {
  if (busy || !active_settings) return;
  if (active_settings->source_props->convert_automatically) {
    Convert_automatically();
    return;
  }
  Begin_busy();
  detection_status.clear();
  if (RichEdit1->Byte_count() >= background_conversion_size) {
    Convert_in_background(false);
    return;
  }
  TPane_document document(*this);
  Convert_document(document);
  End_busy();
}

void TMainForm::AutomaticClick() {
  if (busy || !active_settings) return;
  Convert_automatically();
}

namespace {

// What the detector found, in the interface's language.
QString Detection_status(const Detection& found) {
  const auto text = [](const char* source) { return QCoreApplication::translate("quorvandel::TMainForm", source); };
  if (!found.judged) {
    return text(QT_TRANSLATE_NOOP("quorvandel::TMainForm", "Nothing detected (too short, or no Hebrew)"));
  }
  if (found.wrong_layout != layout_right) {
    QStringList kinds;
    if ((found.wrong_layout & layout_hebrew_on_english) != 0)
      kinds << text(QT_TRANSLATE_NOOP("quorvandel::TMainForm", "Hebrew typed on English keys"));
    if ((found.wrong_layout & layout_english_on_hebrew) != 0)
      kinds << text(QT_TRANSLATE_NOOP("quorvandel::TMainForm", "English typed on Hebrew keys"));
    return text(QT_TRANSLATE_NOOP("quorvandel::TMainForm", "Detected: wrong layout: %1")).arg(kinds.join(", "));
  }
  QString what;
  switch (found.mojibake) {
    case detection::Mojibake::western_characters:
      what = text(QT_TRANSLATE_NOOP("quorvandel::TMainForm", "UTF-8 read as code page 1252"));
      break;
    case detection::Mojibake::raw_bytes:
      what = text(QT_TRANSLATE_NOOP("quorvandel::TMainForm", "UTF-8 read as bytes"));
      break;
    default: what = TMainForm::Char_set_caption(found.source_char_set); break;
  }
  if (found.entities) what += text(QT_TRANSLATE_NOOP("quorvandel::TMainForm", ", numeric references"));
  if (found.quoted_printable) what += text(QT_TRANSLATE_NOOP("quorvandel::TMainForm", ", quoted-printable"));
  what += found.visual ? text(QT_TRANSLATE_NOOP("quorvandel::TMainForm", ", visual order"))
                       : text(QT_TRANSLATE_NOOP("quorvandel::TMainForm", ", logical order"));
  return text(QT_TRANSLATE_NOOP("quorvandel::TMainForm", "Detected: %1")).arg(what);
}

}  // namespace

void TMainForm::Convert_automatically() {
  Begin_busy();
  if (RichEdit1->Byte_count() >= background_conversion_size) {
    Convert_in_background(true);
    return;
  }
  TPane_document document(*this);
  Detection found;
  if (Convert_document_automatically(document, found)) {
    detection_status = Detection_status(found);
    Show_status();
  }
  End_busy();
}

// The window stays busy until the worker ends: the source pane keeps its
// lines for it, a second Convert is refused, and closing the window waits
// for the end. The destination is emptied now, as the conversion's start
// does, and filled whole at the end.
void TMainForm::Convert_in_background(bool automatically) {
  Background_conversion::Source source;
  source.lines = &RichEdit1->Lines();
  source.line_count = RichEdit1->Line_count();
  source.ends_with_break = Source_ends_with_break();
  source.size_hint = static_cast<std::size_t>(RichEdit1->Byte_count());
  source.status = source_status;
  source.file_name = source_file_name;
  source.settings = Copy_of_conversion_settings(*active_settings);
  Clear_destination();
  // The progress of a few long lines is not known: the bar then only shows
  // that the work goes on.
  TProgBar& progress = *dialogs_.prog_bar;
  progress.setWindowTitle(tr("Converting..."));
  progress.Progress->setRange(0, source.line_count > progress_line_threshold ? progress_maximum : 0);
  progress.Progress->setValue(0);
  progress.show();
  Background_conversion::Work work;
  if (automatically) {
    work = [](TConversion_document& document, Detection& found) {
      return Convert_document_automatically(document, found);
    };
  } else {
    work = [](TConversion_document& document, Detection&) { return Convert_document(document); };
  }
  if (!background_) background_ = std::make_unique<Background_conversion>();
  background_->Start(
      std::move(source), std::move(work),
      [&progress](int position) {
        if (position >= 0 && progress.Progress->maximum() > 0) progress.Progress->setValue(position);
      },
      [this, automatically](Background_conversion::Outcome outcome) {
        Background_conversion_ended(std::move(outcome), automatically);
      });
}

void TMainForm::Background_conversion_ended(Background_conversion::Outcome outcome, bool automatically) {
  TProgBar& progress = *dialogs_.prog_bar;
  progress.hide();
  progress.Progress->setRange(0, progress_maximum);
  if (outcome.converted) {
    Set_destination(std::move(outcome.destination));
    if (outcome.dest_status_set) {
      dest_status = outcome.dest_status;
      dest_file_name = outcome.dest_file_name;
    }
    if (automatically) detection_status = Detection_status(outcome.found);
    Show_status();
  } else if (!outcome.error.empty()) {
    Show_message(outcome.error);
  }
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
    return;
  }
  if (!handed_over_file_.isEmpty()) {
    QMetaObject::invokeMethod(this, [this] { Open_handed_over_file(); }, Qt::QueuedConnection);
  }
}

void TMainForm::FromClipboardClick() {
  if (busy) return;
  Quick_convert();  // the source pane's title then reads "From Clipboard"
}

void TMainForm::Quick_convert() {
  const std::string error = hotkey_conversion_->Quick_convert();
  if (!error.empty()) Show_message(error);
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

// The destination pane keeps the converted text once: its lines remember
// the breaks that ended them (Destination_content for the rest).
void TMainForm::Set_destination_text(Text text) { Set_destination(Destination_from_text(std::move(text))); }

void TMainForm::Set_destination_bytes(std::string bytes) { Set_destination(Destination_from_bytes(std::move(bytes))); }

void TMainForm::Set_destination(Destination_content content) {
  RichEdit2->Set_lines(std::move(content.lines));
  destination_exact_ = std::move(content.exact);
  destination_exact_kept_ = content.exact_kept;
  dest_units_without_byte_ = content.units_without_byte;
}

void TMainForm::Clear_destination() {
  destination_exact_ = Text();
  destination_exact_kept_ = false;
  dest_units_without_byte_ = 0;
  RichEdit2->clear();
}

Text TMainForm::Destination_text() const {
  return destination_exact_kept_ ? destination_exact_ : RichEdit2->Text_with_breaks();
}

QString TMainForm::Destination_qstring() const {
  return destination_exact_kept_ ? Qstring_from_text(destination_exact_) : RichEdit2->Qstring_with_breaks();
}

// The converted text as a file in `encoding`; for single bytes nothing when
// a unit has no byte, which `bad` then holds.
std::optional<std::string> TMainForm::Destination_file(File_encoding encoding, Unit& bad) const {
  if (destination_exact_kept_) {
    std::size_t at = 0;
    std::optional<std::string> bytes = File_of_text(destination_exact_, encoding, &at);
    if (!bytes) bad = destination_exact_[at];
    return bytes;
  }
  const Pane_lines& lines = RichEdit2->Lines();
  std::string file;
  file.reserve(static_cast<std::size_t>(RichEdit2->Byte_count()));
  Text units;
  for (int line = 0; line < lines.Count(); ++line) {
    if (lines.Is_byte_line(line)) {
      if (encoding == File_encoding::utf8) {
        Append_utf8_of_bytes(file, lines.Byte_view(line));
      } else {
        file += lines.Byte_view(line);
      }
    } else {
      units = lines.Line_units(line);
      if (encoding == File_encoding::utf8) {
        Append_utf8(file, units);
      } else if (const auto at = Append_as_bytes_checked(file, units)) {
        bad = units[*at];
        return std::nullopt;
      }
    }
    file += Pane_lines::Break_bytes(lines.Break_after(line));
  }
  return file;
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

void TMainForm::Select_all_click() { Focused_pane()->selectAll(); }

void TMainForm::Undo_click() {
  if (Focused_pane() == RichEdit1 && !busy) RichEdit1->undo();
}

void TMainForm::Source1Click() { RichEdit1->Set_word_wrap(SourceWrapItem->isChecked()); }

void TMainForm::Destination1Click() { RichEdit2->Set_word_wrap(DestinationWrapItem->isChecked()); }

void TMainForm::RichEdit1KeyDown(QKeyEvent* event) {
  // Select All and Copy leave the text as it was, as their menu commands do,
  // and so do the modifier keys pressed on the way to them.
  switch (event->key()) {
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
      return;
    default:
      break;
  }
  if (event->matches(QKeySequence::SelectAll) || event->matches(QKeySequence::Copy)) return;
  source_modified = true;
  Show_status();
}

}  // namespace quorvandel
