#include "mainwindow/pane_layouts.h"

#include <QFontMetricsF>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <cmath>

namespace quorvandel {
namespace {

constexpr std::size_t layouts_kept = 512;  // laid-out lines kept before the cache starts over

}  // namespace

void Pane_layouts::Set_font(const QFont& font) {
  font_ = font;
  const QFontMetricsF metrics(font);
  advance_ = std::max<qreal>(1, metrics.horizontalAdvance(QChar('x')));
  row_height_ = std::max(1, static_cast<int>(std::ceil(metrics.lineSpacing())));
  Forget_all();
}

void Pane_layouts::Set_width(qreal width) {
  width = std::max(advance_, width);
  if (width == width_) return;
  width_ = width;
  Forget_all();  // wrapped lines and right-to-left lines follow the width
}

void Pane_layouts::Set_word_wrap(bool on) {
  word_wrap_ = on;
  Forget_all();
}

void Pane_layouts::Forget(int first, int last) {
  text_width_ = -1;
  std::erase_if(layouts_, [&](const auto& entry) { return entry.first >= first && entry.first <= last; });
}

const QTextLayout& Pane_layouts::Layout(int line) const {
  const auto found = layouts_.find(line);
  if (found != layouts_.end()) return *found->second;
  if (layouts_.size() >= layouts_kept) layouts_.clear();

  QString text = lines_.Line_text(line);
  // A line is one line of the pane: separators that would break it show as spaces.
  text.replace(QChar::LineSeparator, QChar(' '));
  text.replace(QChar::ParagraphSeparator, QChar(' '));
  // A line whose first letter is written right to left, Hebrew for one,
  // runs right to left and keeps to the right edge of the text: wrapped, of
  // the view; unwrapped, of the widest line (Line_offset).
  const bool right_to_left = text.isRightToLeft();
  auto layout = std::make_unique<QTextLayout>(text, font_);
  QTextOption option;
  option.setTextDirection(right_to_left ? Qt::RightToLeft : Qt::LeftToRight);
  option.setWrapMode(word_wrap_ ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
  option.setAlignment((right_to_left ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignAbsolute);
  option.setTabStopDistance(8 * advance_);
  layout->setTextOption(option);
  layout->setCacheEnabled(true);
  layout->beginLayout();
  int row = 0;
  for (QTextLine text_line = layout->createLine(); text_line.isValid(); text_line = layout->createLine()) {
    if (word_wrap_) text_line.setLineWidth(width_);
    text_line.setPosition(QPointF(0, row * row_height_));
    ++row;
  }
  layout->endLayout();
  return *layouts_.emplace(line, std::move(layout)).first->second;
}

qreal Pane_layouts::Text_width() const {
  if (!word_wrap_ && text_width_ < 0) {
    // The longest line in characters is taken for the widest: one layout
    // instead of one for every line of a file of millions.
    const qsizetype longest = lines_.Longest_length();
    qreal widest = 0;
    for (int line = 0; line < lines_.Count(); ++line) {
      if (lines_.Length(line) != longest) continue;
      widest = Layout(line).lineAt(0).naturalTextWidth();
      break;
    }
    text_width_ = std::max(width_, std::ceil(widest));
  }
  return word_wrap_ ? width_ : text_width_;
}

qreal Pane_layouts::Line_offset(int line) const {
  if (word_wrap_) return 0;
  const QTextLayout& layout = Layout(line);
  if (layout.textOption().textDirection() != Qt::RightToLeft) return 0;
  return std::max<qreal>(0, Text_width() - layout.lineAt(0).naturalTextWidth());
}

int Pane_layouts::Rows_of(int line) const { return word_wrap_ ? Layout(line).lineCount() : 1; }

int Pane_layouts::Row_of(Pane_position position) const {
  if (!word_wrap_) return 0;
  const QTextLine text_line = Layout(position.line).lineForTextPosition(static_cast<int>(position.column));
  return text_line.isValid() ? text_line.lineNumber() : 0;
}

qreal Pane_layouts::X_of(Pane_position position) const {
  const int column = static_cast<int>(position.column);
  const QTextLine text_line = Layout(position.line).lineForTextPosition(column);
  return text_line.isValid() ? Line_offset(position.line) + text_line.cursorToX(column) : 0;
}

Pane_position Pane_layouts::At(int line, int row, qreal x) const {
  const QTextLayout& layout = Layout(line);
  const qreal in_line = x - Line_offset(line);
  return {line, layout.lineAt(std::clamp(row, 0, layout.lineCount() - 1)).xToCursor(in_line)};
}

// ---- Moving through the text as it is shown ----

Pane_position Pane_layouts::Visual_step(Pane_position from, bool rightwards) const {
  const QTextLayout& layout = Layout(from.line);
  const int column = static_cast<int>(from.column);
  const int next = rightwards ? layout.rightCursorPosition(column) : layout.leftCursorPosition(column);
  if (next != column) return {from.line, next};
  // At the line's edge: on to the next line's start, or back to the previous
  // one's end, as the line runs.
  const bool forwards = rightwards == (layout.textOption().textDirection() == Qt::LeftToRight);
  if (forwards) return from.line + 1 < lines_.Count() ? Pane_position{from.line + 1, 0} : from;
  return from.line > 0 ? Pane_position{from.line - 1, lines_.Length(from.line - 1)} : from;
}

Pane_position Pane_layouts::Next_character(Pane_position from) const {
  if (from.column >= lines_.Length(from.line)) return lines_.Clamped({from.line + 1, 0});
  return {from.line, Layout(from.line).nextCursorPosition(static_cast<int>(from.column))};
}

Pane_position Pane_layouts::Word_step(Pane_position from, bool forwards) const {
  const int column = static_cast<int>(from.column);
  if (forwards) {
    if (from.column >= lines_.Length(from.line)) {
      return from.line + 1 < lines_.Count() ? Pane_position{from.line + 1, 0} : from;
    }
    return {from.line, Layout(from.line).nextCursorPosition(column, QTextLayout::SkipWords)};
  }
  if (from.column == 0) return from.line > 0 ? Pane_position{from.line - 1, lines_.Length(from.line - 1)} : from;
  return {from.line, Layout(from.line).previousCursorPosition(column, QTextLayout::SkipWords)};
}

Pane_position Pane_layouts::Rows_away(Pane_position from, int rows, qreal x) const {
  int line = from.line;
  int row = Row_of(from);
  for (; rows > 0; --rows) {
    if (row + 1 < Rows_of(line)) {
      ++row;
    } else if (line + 1 < lines_.Count()) {
      ++line;
      row = 0;
    } else {
      return lines_.End();
    }
  }
  for (; rows < 0; ++rows) {
    if (row > 0) {
      --row;
    } else if (line > 0) {
      --line;
      row = Rows_of(line) - 1;
    } else {
      return {};
    }
  }
  return At(line, row, x);
}

std::pair<Pane_position, Pane_position> Pane_layouts::Word_at(Pane_position position) const {
  const QString text = lines_.Line_text(position.line);
  if (text.isEmpty()) return {position, position};
  const qsizetype column = std::min(position.column, text.size() - 1);
  QTextBoundaryFinder finder(QTextBoundaryFinder::Word, text);
  finder.setPosition(column);
  qsizetype start = finder.isAtBoundary() ? column : finder.toPreviousBoundary();
  finder.setPosition(column);
  qsizetype end = finder.toNextBoundary();
  if (start < 0) start = 0;
  if (end < 0) end = text.size();
  return {{position.line, start}, {position.line, end}};
}

// ---- Scrolling by lines ----

int Pane_layouts::Last_top_line(int rows_in_view) const {
  if (!word_wrap_) return std::max(0, lines_.Count() - rows_in_view);
  int rows = 0;
  for (int line = lines_.Count() - 1; line >= 0; --line) {
    rows += Rows_of(line);
    if (rows > rows_in_view) return std::min(line + 1, lines_.Count() - 1);
  }
  return 0;
}

int Pane_layouts::Top_line_showing(Pane_position position, int rows_in_view) const {
  if (!word_wrap_) return std::max(0, position.line - rows_in_view + 1);
  int rows = Row_of(position) + 1;
  int line = position.line;
  while (line > 0 && rows + Rows_of(line - 1) <= rows_in_view) rows += Rows_of(--line);
  return line;
}

}  // namespace quorvandel
