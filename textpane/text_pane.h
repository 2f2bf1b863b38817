// A plain-text pane: the source pane (RichEdit1) or the destination pane
// (RichEdit2). It shows engine text through the code page 1255 mapping in a
// fixed-width font with Hebrew glyphs, without wrapping unless asked to.
// The lines live in a compact store and only the lines in view are laid
// out and drawn, so that files of many megabytes open and scroll quickly.
#pragma once

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QString>
#include <string>
#include <utility>
#include <vector>

#include "engine/text.h"
#include "platform/clipboard_service.h"
#include "textpane/pane_layouts.h"
#include "textpane/pane_lines.h"
#include "textpane/pane_text.h"

class QMenu;

namespace quorvandel {

class TText_pane : public QAbstractScrollArea {
  Q_OBJECT

 public:
  // Cut, copy and paste go through `clipboard`, which outlives the pane.
  explicit TText_pane(Clipboard_service& clipboard, QWidget* parent = nullptr);
  ~TText_pane() override;

  // ---- The text ----

  // The lines as the pane reports them: a last line that is empty does
  // not count, so an empty pane has none.
  int Line_count() const;

  // The characters of the whole text with each line break counted as the
  // two characters CR LF.
  qint64 Byte_count() const;

  // Line `index` (from 0) as engine text.
  Text Line(int index) const;
  // The same as bytes, when the line holds only bytes.
  bool Line_bytes(int index, std::string& bytes) const {
    return index >= 0 && index < lines_.Count() && lines_.Line_bytes(index, bytes);
  }

  // Replaces the whole text; `pane_text` holds '\n' between lines.
  void Set_pane_text(const QString& pane_text);
  // Replaces the whole text by bytes shown through code page 1255, lines
  // ending in CR LF, CR or LF; with `break_after_last` a last line without a
  // break is given one.
  void Set_pane_bytes(std::string bytes, bool break_after_last);
  // Replaces the whole text by units, lines ending in CR LF, CR or LF.
  void Set_pane_units(Text_view units);
  // Replaces the whole text by lines made elsewhere.
  void Set_lines(Pane_lines lines);

  // The lines with the breaks that ended them when the text was set.
  const Pane_lines& Lines() const { return lines_; }
  Text Text_with_breaks() const;
  QString Qstring_with_breaks() const;

  void clear();
  // Whether the text ends with a line break: its last line is empty.
  bool Ends_with_line_break() const { return lines_.Count() > 1 && lines_.Length(lines_.Count() - 1) == 0; }
  // Lines break at '\n', "\r\n" and '\r'.
  void setPlainText(const QString& text);
  // The lines joined by '\n'.
  QString toPlainText() const;

  // ---- Editing ----

  // A read-only pane lets its text be selected and copied, nothing more.
  void setReadOnly(bool read_only);
  bool isReadOnly() const { return read_only_; }

  void cut();
  void copy();
  void paste();
  void selectAll();
  void undo();
  void redo();

  // The caret, and the anchor where the selection starts; they are equal
  // when nothing is selected.
  Pane_position Caret() const { return caret_; }
  Pane_position Anchor() const { return anchor_; }
  bool Has_selection() const { return caret_ != anchor_; }
  QString Selected_text() const;  // '\n' between lines
  // Puts the caret at `caret` with the selection running from `anchor`;
  // both are brought within the text.
  void Select(Pane_position anchor, Pane_position caret);

  // ---- Appearance ----

  void Set_word_wrap(bool on);
  bool Word_wrap() const { return layouts_.Word_wrap(); }

 signals:
  // A key press reached the pane, before the pane handles it.
  void Key_down(QKeyEvent* event);
  // The text changed, whatever changed it.
  void textChanged();

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void scrollContentsBy(int dx, int dy) override;
  void changeEvent(QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void inputMethodEvent(QInputMethodEvent* event) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;
  void timerEvent(QTimerEvent* event) override;

 private:
  QString Clipboard_text() const;  // the clipboard's text; empty when it has none
  // One change of the text, as undo and redo replay it.
  struct Edit {
    Pane_position from;
    QString removed;
    QString inserted;
  };

  // ---- Changing the text ----
  void Text_replaced();  // after the whole text changed
  void Replace_selection(const QString& text, bool typed = false);
  void Replace(Pane_position from, Pane_position to, const QString& text);
  void Replay(std::vector<Edit>& from_stack, std::vector<Edit>& to_stack, bool backwards);
  void Delete_or_select(Pane_position target);
  bool Edit_key(QKeyEvent* event);

  // ---- Caret movement ----
  bool Movement_key(QKeyEvent* event);
  void Move_caret(Pane_position position, bool keep_anchor, bool keep_goal_x = false);
  void Move_rows(int rows, bool select);
  std::pair<Pane_position, Pane_position> Ordered_selection() const;

  // ---- The view: the top line is the vertical scroll bar's value ----
  int Rows_in_view() const;
  Pane_layouts::Row_place Top_place() const;
  int Line_top(int line) const;  // in the view's coordinates
  QRect Caret_rect() const;
  Pane_position Position_at(QPointF point) const;
  void Update_scroll_bars();
  void Offer_selection();
  void Paste_primary_at(Pane_position position);
  void Scroll_to_line_starts();
  void Ensure_caret_visible();
  void Restart_blink();

  QMenu* Make_context_menu();

  Pane_lines lines_;
  Pane_layouts layouts_{lines_};
  Pane_position caret_;
  Pane_position anchor_;
  qreal goal_x_ = -1;  // where Up and Down aim, or -1 for the caret's own place
  Clipboard_service& clipboard_;
  bool read_only_ = false;
  bool caret_shown_ = false;
  bool mouse_selecting_ = false;
  QPointF last_mouse_point_;
  QBasicTimer blink_timer_;
  QBasicTimer drag_scroll_timer_;
  std::vector<Edit> undo_stack_;
  std::vector<Edit> redo_stack_;
  bool typing_run_ = false;  // the last edit was typing that the next keystroke may join
};

}  // namespace quorvandel
