// A plain-text pane: the source pane (RichEdit1) or the destination pane
// (RichEdit2). It shows engine text through the code page 1255 mapping, in
// a fixed-width font with Hebrew glyphs, without wrapping.
#pragma once

#include <QPlainTextEdit>
#include <QTextBlock>

#include "engine/text.h"

namespace quorvandel {

class TText_pane : public QPlainTextEdit {
  Q_OBJECT

 public:
  explicit TText_pane(QWidget* parent = nullptr);

  // The lines as the pane reports them: a last line that is empty does
  // not count, so an empty pane has none.
  int Line_count() const;

  // The characters of the whole text with each line break counted as the
  // two characters CR LF.
  qint64 Byte_count() const;

  // Line `index` (from 0) as engine text. Reading the lines in order costs
  // one step each.
  Text Line(int index) const;

  // Replaces the whole text; `pane_text` holds '\n' between lines.
  void Set_pane_text(const QString& pane_text);

  void Set_word_wrap(bool on);

 signals:
  // A key press reached the pane, before the pane handles it.
  void Key_down(QKeyEvent* event);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  mutable QTextBlock last_block_;  // the line Line() gave last
  mutable int last_index_ = -1;
};

}  // namespace quorvandel
