// How a pane's lines lie in its view: rows of one height, each line taking
// one row, or more when word wrap breaks it at the view's width. A line is
// laid out with the platform's bidirectional text layout when something
// asks about it, and only a bounded number of laid-out lines are kept, so
// the lines near the view are the only ones that cost anything.
//
// A line too long to lay out at once is laid out in pieces, each on its
// own, placed by the widths of their characters: unwrapped pieces of a
// fixed number of characters side by side on the line's one row, wrapped
// one piece a row, broken after a space as word wrap breaks the other
// lines. Only the pieces near the view are laid out. The widths are
// measured once for a line's text, character by character, since letters
// that the fixed-width font lacks (Hebrew, in many of them) come from
// another font, of other widths.
#pragma once

#include <QFont>
#include <QFontMetricsF>
#include <QTextLayout>
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

#include "textpane/pane_lines.h"

namespace quorvandel {

class Pane_layouts {
 public:
  explicit Pane_layouts(const Pane_lines& lines) : lines_(lines) {}

  // Each of these forgets the lines laid out so far.
  void Set_font(const QFont& font);
  void Set_width(qreal width);  // the width the text has in the view
  void Set_word_wrap(bool on);
  void Forget_all() {
    Forget_layouts();
    measures_.clear();
  }
  // Forgets lines `first` to `last` after their text changed.
  void Forget(int first, int last);

  bool Word_wrap() const { return word_wrap_; }
  qreal Advance() const { return advance_; }  // of a character of the fixed-width font
  int Row_height() const { return row_height_; }

  // A line longer than this is laid out in pieces.
  static constexpr qsizetype long_line = 20000;
  static constexpr qsizetype unwrapped_piece = 2000;  // characters of a piece when unwrapped
  bool Pieced(int line) const { return lines_.Length(line) > long_line; }

  // One laid-out part of a line: the whole line, or a piece of a long one,
  // from column `first`, drawn `offset` from the line's origin.
  struct Piece {
    const QTextLayout& layout;
    qsizetype first;
    QPointF offset;
  };
  // Calls `draw` for the parts of `line` that meet the line's rows
  // `first_row` to `last_row` and its x from `left` to `right`, as measured
  // from its origin (which Line_offset places). The part is valid during the
  // call only.
  void For_each_piece(int line, int first_row, int last_row, qreal left, qreal right,
                      const std::function<void(const Piece&)>& draw) const;
  // Whether the line runs right to left.
  bool Right_to_left(int line) const;

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

  // ---- Scrolling a view of `rows_in_view` rows ----
  // The view scrolls by lines, and through a long wrapped line by its rows:
  // a scroll value stands for a line and a row of it, the row 0 but in
  // long wrapped lines.
  struct Row_place {
    int line = 0;
    int row = 0;
  };
  Row_place Place_at(int value) const;
  int Value_of(Row_place place) const;
  int Value_of(Pane_position position) const;  // of the row that shows it
  // The top place that shows the end of the text on the view's bottom row.
  int Last_top_value(int rows_in_view) const;
  // The top place that shows `position` on the view's bottom row.
  int Top_value_showing(Pane_position position, int rows_in_view) const;

 private:
  void Forget_layouts() {
    layouts_.clear();
    row_starts_.clear();
    long_right_to_left_.clear();
    long_lines_known_ = false;
    text_width_ = -1;
  }
  const QTextLayout& Layout(int line) const;  // of a line that is not pieced
  int Piece_count(int line) const;
  int Piece_of(Pane_position position) const;
  qsizetype Piece_start(int line, int piece) const;
  qsizetype Piece_size(int line, int piece) const;
  // Where the rows of a long wrapped line start: after the last space that
  // lets a row keep within the width, or where a row without one fills it.
  const std::vector<qsizetype>& Row_starts(int line) const;
  const QTextLayout& Piece_layout(int line, int piece) const;
  qreal Piece_x(int line, int piece) const;  // from the line's origin, unwrapped
  // The piece of an unwrapped long line that reaches `x` from the line's start.
  int Piece_at_x(int line, qreal x) const;

  // What the widths of a long line's characters give: where each of its
  // unwrapped pieces starts, from the line's start, the line's width last.
  struct Long_measure {
    std::vector<qreal> piece_x;
  };
  const Long_measure& Measure(int line) const;
  qreal Unit_width(char16_t unit) const;
  qreal Line_width(int line) const;  // of a pieced line
  Pane_position Word_step_in_part(Pane_position from, bool forwards) const;
  // The part of a line that holds `position`, with the column within it.
  std::pair<const QTextLayout*, qsizetype> Part_of(Pane_position position) const;
  std::unique_ptr<QTextLayout> Make_layout(QString text, bool right_to_left, bool wrap_words) const;
  const QTextLayout& Keep(std::uint64_t key, std::unique_ptr<QTextLayout> layout) const;

  // The long lines with the scroll value of their first row, when wrapped.
  struct Long_line {
    int line;
    int rows;
    int value;
  };
  const std::vector<Long_line>& Long_lines() const;

  const Pane_lines& lines_;
  QFont font_;
  QFontMetricsF metrics_{QFont()};
  qreal width_ = 1;
  bool word_wrap_ = false;
  qreal advance_ = 1;
  int row_height_ = 1;
  mutable qreal text_width_ = -1;  // -1 until measured
  // Laid-out lines and pieces by line and piece.
  mutable std::unordered_map<std::uint64_t, std::unique_ptr<QTextLayout>> layouts_;
  mutable std::unordered_map<int, bool> long_right_to_left_;
  mutable std::vector<Long_line> long_lines_;
  mutable bool long_lines_known_ = false;
  mutable std::unordered_map<int, Long_measure> measures_;
  mutable std::unordered_map<int, std::vector<qsizetype>> row_starts_;  // of long lines, when wrapped
  mutable std::vector<qreal> unit_widths_;  // by UTF-16 unit, < 0 until measured
};

}  // namespace quorvandel
