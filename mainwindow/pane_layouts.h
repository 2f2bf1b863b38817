// How a pane's lines lie in its view: rows of one height, each line taking
// one row, or more when word wrap breaks it at the view's width. A line is
// laid out with the platform's bidirectional text layout when something
// asks about it, and only a bounded number of laid-out lines are kept, so
// the lines near the view are the only ones that cost anything.
#pragma once

#include <QFont>
#include <QTextLayout>
#include <memory>
#include <unordered_map>
#include <utility>

#include "mainwindow/pane_lines.h"

namespace quorvandel {

class Pane_layouts {
 public:
  explicit Pane_layouts(const Pane_lines& lines) : lines_(lines) {}

  // Each of these forgets the lines laid out so far.
  void Set_font(const QFont& font);
  void Set_width(qreal width);  // the width the text has in the view
  void Set_word_wrap(bool on);
  void Forget_all() {
    layouts_.clear();
    text_width_ = -1;
  }
  // Forgets lines `first` to `last` after their text changed.
  void Forget(int first, int last);

  bool Word_wrap() const { return word_wrap_; }
  qreal Advance() const { return advance_; }  // of a character of the fixed-width font
  int Row_height() const { return row_height_; }

  const QTextLayout& Layout(int line) const;
  // The width the lines are laid out in: the view's, or unwrapped the
  // widest line's when that is wider. Right-to-left lines keep to its
  // right edge, each `Line_offset` from the left; X_of and At count it in.
  qreal Text_width() const;
  qreal Line_offset(int line) const;
  int Rows_of(int line) const;
  int Row_of(Pane_position position) const;  // within its line
  qreal X_of(Pane_position position) const;
  // The position of row `row` of `line` nearest to `x`.
  Pane_position At(int line, int row, qreal x) const;

  // ---- Moving through the text as it is shown ----
  // One place to the right or the left on the screen, on to the next or the
  // previous line at a line's edge.
  Pane_position Visual_step(Pane_position from, bool rightwards) const;
  // Past the character after `from`, with the marks that go with it; at a
  // line's end the start of the next line.
  Pane_position Next_character(Pane_position from) const;
  Pane_position Word_step(Pane_position from, bool forwards) const;
  // `rows` rows below `from` (above when negative), nearest to `x`; past the
  // last row lies the end of the text, before the first its start.
  Pane_position Rows_away(Pane_position from, int rows, qreal x) const;
  // The word, or the run of spaces or signs, at a position.
  std::pair<Pane_position, Pane_position> Word_at(Pane_position position) const;

  // ---- Scrolling a view of `rows_in_view` rows by lines ----
  // The top line that shows the end of the text on the view's bottom row.
  int Last_top_line(int rows_in_view) const;
  // The top line that shows `position` on the view's bottom row.
  int Top_line_showing(Pane_position position, int rows_in_view) const;

 private:
  const Pane_lines& lines_;
  QFont font_;
  qreal width_ = 1;
  bool word_wrap_ = false;
  qreal advance_ = 1;
  int row_height_ = 1;
  mutable qreal text_width_ = -1;  // -1 until measured
  mutable std::unordered_map<int, std::unique_ptr<QTextLayout>> layouts_;
};

}  // namespace quorvandel
