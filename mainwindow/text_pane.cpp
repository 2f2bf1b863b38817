#include "mainwindow/text_pane.h"

#include <QFontDatabase>
#include <QKeyEvent>
#include <QScrollBar>

#include "mainwindow/pane_text.h"

namespace quorvandel {
namespace {

constexpr int pane_font_pixels = 18;

QFont Pane_font() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setFamilies({"Courier New", "Liberation Mono", "DejaVu Sans Mono", font.family()});
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(pane_font_pixels);
  return font;
}

}  // namespace

TText_pane::TText_pane(QWidget* parent) : QPlainTextEdit(parent) {
  setFont(Pane_font());
  setLineWrapMode(QPlainTextEdit::NoWrap);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QPalette colours = palette();
  colours.setColor(QPalette::Base, Qt::white);
  colours.setColor(QPalette::Text, Qt::black);
  setPalette(colours);
  connect(document(), &QTextDocument::contentsChanged, this, [this] { last_index_ = -1; });
}

int TText_pane::Line_count() const {
  const QTextDocument* doc = document();
  int count = doc->blockCount();
  if (doc->lastBlock().length() <= 1) --count;  // an empty last line does not count
  return count;
}

qint64 TText_pane::Byte_count() const {
  const QTextDocument* doc = document();
  // characterCount() counts one separator per block, the last one included.
  return static_cast<qint64>(doc->characterCount()) - 1 + (doc->blockCount() - 1);
}

Text TText_pane::Line(int index) const {
  if (last_index_ >= 0 && index == last_index_ + 1 && last_block_.isValid()) {
    last_block_ = last_block_.next();
  } else {
    last_block_ = document()->findBlockByNumber(index);
  }
  last_index_ = index;
  return last_block_.isValid() ? Text_from_qstring(last_block_.text()) : Text();
}

void TText_pane::Set_pane_text(const QString& pane_text) {
  setPlainText(pane_text);
  last_index_ = -1;
}

void TText_pane::Set_word_wrap(bool on) { setLineWrapMode(on ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap); }

void TText_pane::keyPressEvent(QKeyEvent* event) {
  emit Key_down(event);
  QPlainTextEdit::keyPressEvent(event);
}

}  // namespace quorvandel
