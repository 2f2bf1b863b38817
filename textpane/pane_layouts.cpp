#include "textpane/pane_layouts.h"

#include <QFontMetricsF>
#include <QTextBoundaryFinder>
#include <algorithm>
#include <array>
#include <cmath>

#include "engine/cp1255.h"

namespace quorvandel {
namespace {

constexpr std::size_t layouts_kept = 512;  // laid-out lines kept before the cache starts over

std::uint64_t Key(int line, int piece) {
  return (static_cast<std::uint64_t>(static_cast<std::uint32_t>(line)) << 32) | static_cast<std::uint32_t>(piece);
}

int Line_of_key(std::uint64_t key) { return static_cast<int>(key >> 32); }

}  // namespace

void Pane_layouts::Set_font(const QFont& font) {
  font_ = font;
  metrics_ = QFontMetricsF(font);
  advance_ = std::max<qreal>(1, metrics_.horizontalAdvance(QChar('x')));
  row_height_ = std::max(1, static_cast<int>(std::ceil(metrics_.lineSpacing())));
  unit_widths_.clear();
  Forget_all();
}

void Pane_layouts::Set_width(qreal width) {
  width = std::max(advance_, width);
  if (width == width_) return;
  width_ = width;
  Forget_layouts();  // wrapped lines and right-to-left lines follow the width
}

void Pane_layouts::Set_word_wrap(bool on) {
  word_wrap_ = on;
  Forget_layouts();
}

void Pane_layouts::Forget(int first, int last) {
  text_width_ = -1;
  long_lines_known_ = false;
  long_right_to_left_.clear();
  std::erase_if(measures_, [&](const auto& entry) { return entry.first >= first && entry.first <= last; });
  std::erase_if(row_starts_, [&](const auto& entry) { return entry.first >= first && entry.first <= last; });
  std::erase_if(layouts_, [&](const auto& entry) {
    const int line = Line_of_key(entry.first);
    return line >= first && line <= last;
  });
}

std::unique_ptr<QTextLayout> Pane_layouts::Make_layout(QString text, bool right_to_left, bool wrap_words) const {
  // A line is one line of the pane: separators that would break it show as spaces.
  text.replace(QChar::LineSeparator, QChar(' '));
  text.replace(QChar::ParagraphSeparator, QChar(' '));
  // A line whose first letter is written right to left, Hebrew for one,
  // runs right to left and keeps to the right edge of the text: wrapped, of
  // the view; unwrapped, of the widest line (Line_offset).
  auto layout = std::make_unique<QTextLayout>(text, font_);
  QTextOption option;
  option.setTextDirection(right_to_left ? Qt::RightToLeft : Qt::LeftToRight);
  option.setWrapMode(wrap_words ? QTextOption::WrapAtWordBoundaryOrAnywhere : QTextOption::NoWrap);
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
  return layout;
}

const QTextLayout& Pane_layouts::Keep(std::uint64_t key, std::unique_ptr<QTextLayout> layout) const {
  if (layouts_.size() >= layouts_kept) layouts_.clear();
  return *layouts_.emplace(key, std::move(layout)).first->second;
}

const QTextLayout& Pane_layouts::Layout(int line) const {
  const auto found = layouts_.find(Key(line, 0));
  if (found != layouts_.end()) return *found->second;
  const QString text = lines_.Line_text(line);
  const bool right_to_left = text.isRightToLeft();
  return Keep(Key(line, 0), Make_layout(text, right_to_left, word_wrap_));
}

// ---- The pieces of long lines ----

qreal Pane_layouts::Unit_width(char16_t unit) const {
  if (unit_widths_.empty()) unit_widths_.assign(0x10000, -1);
  qreal& width = unit_widths_[unit];
  if (width < 0) {
    if (QChar::isHighSurrogate(unit)) {
      width = advance_;  // for the pair
    } else if (QChar::isLowSurrogate(unit)) {
      width = 0;
    } else {
      width = metrics_.horizontalAdvance(QChar(unit == '\t' ? u' ' : unit));  // pieces show tabs as spaces
    }
  }
  return width;
}

const Pane_layouts::Long_measure& Pane_layouts::Measure(int line) const {
  const auto found = measures_.find(line);
  if (found != measures_.end()) return found->second;
  Long_measure measure;
  const qsizetype length = lines_.Length(line);
  measure.piece_x.reserve(static_cast<std::size_t>(length / unwrapped_piece + 2));
  qreal x = 0;
  if (lines_.Is_byte_line(line)) {
    // By how often each byte comes in a piece: a count for each character
    // of the line, a multiplication for each kind of byte of a piece.
    std::array<qreal, 256> widths{};
    for (int b = 0; b < 256; ++b) {
      widths[static_cast<std::size_t>(b)] = Unit_width(static_cast<char16_t>(Unicode_from_unit(static_cast<Unit>(b))));
    }
    const std::string_view bytes = lines_.Byte_view(line);
    for (qsizetype from = 0; from < length; from += unwrapped_piece) {
      measure.piece_x.push_back(x);
      std::array<std::uint32_t, 256> counts{};
      const qsizetype to = std::min(length, from + unwrapped_piece);
      for (qsizetype i = from; i < to; ++i) ++counts[static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)])];
      for (std::size_t b = 0; b < 256; ++b) {
        if (counts[b] == 0) continue;
        x += counts[b] * widths[b];
      }
    }
  } else {
    for (qsizetype from = 0; from < length; from += unwrapped_piece) {
      measure.piece_x.push_back(x);
      const QString piece = lines_.Line_text(line, from, std::min(unwrapped_piece, length - from));
      for (const QChar c : piece) x += Unit_width(c.unicode());
    }
  }
  measure.piece_x.push_back(x);
  return measures_.emplace(line, std::move(measure)).first->second;
}

qreal Pane_layouts::Line_width(int line) const { return Measure(line).piece_x.back(); }

const std::vector<qsizetype>& Pane_layouts::Row_starts(int line) const {
  const auto found = row_starts_.find(line);
  if (found != row_starts_.end()) return found->second;
  std::vector<qsizetype> starts{0};
  qsizetype row_start = 0;
  qsizetype after_space = -1;  // where the row may break: after its last space
  qreal row_width = 0;
  qreal width_after_space = 0;
  // Each unit in turn with its width; a space may hang past the edge.
  const auto next = [&](qsizetype i, char16_t unit, qreal width) {
    const bool space = unit == u' ' || unit == u'\t';
    if (!space && i > row_start && row_width + width > width_) {
      if (after_space > row_start) {
        row_start = after_space;
        row_width = width_after_space;
      } else {
        row_start = QChar::isLowSurrogate(unit) && i - 1 > row_start ? i - 1 : i;  // a pair stays whole
        row_width = row_start < i ? Unit_width(lines_.Line_text(line, row_start, 1)[0].unicode()) : 0;
      }
      starts.push_back(row_start);
      after_space = -1;
    }
    row_width += width;
    width_after_space += width;
    if (space) {
      after_space = i + 1;
      width_after_space = 0;
    }
  };
  const qsizetype length = lines_.Length(line);
  if (lines_.Is_byte_line(line)) {
    std::array<qreal, 256> widths{};
    for (int b = 0; b < 256; ++b) {
      widths[static_cast<std::size_t>(b)] = Unit_width(static_cast<char16_t>(Unicode_from_unit(static_cast<Unit>(b))));
    }
    const std::string_view bytes = lines_.Byte_view(line);
    for (qsizetype i = 0; i < length; ++i) {
      const auto byte = static_cast<unsigned char>(bytes[static_cast<std::size_t>(i)]);
      next(i, byte, widths[byte]);
    }
  } else {
    for (qsizetype from = 0; from < length; from += unwrapped_piece) {
      const QString piece = lines_.Line_text(line, from, std::min(unwrapped_piece, length - from));
      for (qsizetype k = 0; k < piece.size(); ++k) next(from + k, piece[k].unicode(), Unit_width(piece[k].unicode()));
    }
  }
  return row_starts_.emplace(line, std::move(starts)).first->second;
}

qsizetype Pane_layouts::Piece_start(int line, int piece) const {
  if (word_wrap_) return Row_starts(line)[static_cast<std::size_t>(piece)];
  return piece * unwrapped_piece;
}

int Pane_layouts::Piece_count(int line) const {
  if (word_wrap_) return static_cast<int>(Row_starts(line).size());
  return static_cast<int>(std::max<qsizetype>(1, (lines_.Length(line) + unwrapped_piece - 1) / unwrapped_piece));
}

int Pane_layouts::Piece_of(Pane_position position) const {
  if (word_wrap_) {
    const std::vector<qsizetype>& starts = Row_starts(position.line);
    return static_cast<int>(std::upper_bound(starts.begin() + 1, starts.end(), position.column) - starts.begin()) - 1;
  }
  return static_cast<int>(std::min<qsizetype>(position.column / unwrapped_piece, Piece_count(position.line) - 1));
}

qsizetype Pane_layouts::Piece_size(int line, int piece) const {
  const qsizetype end = piece + 1 < Piece_count(line) ? Piece_start(line, piece + 1) : lines_.Length(line);
  return end - Piece_start(line, piece);
}

bool Pane_layouts::Right_to_left(int line) const {
  if (!Pieced(line)) return Layout(line).textOption().textDirection() == Qt::RightToLeft;
  const auto found = long_right_to_left_.find(line);
  if (found != long_right_to_left_.end()) return found->second;
  // The first letter of a strong direction decides, looked for in the
  // line's start only.
  const bool right_to_left = lines_.Line_text(line, 0, long_line).isRightToLeft();
  long_right_to_left_.emplace(line, right_to_left);
  return right_to_left;
}

const QTextLayout& Pane_layouts::Piece_layout(int line, int piece) const {
  const auto found = layouts_.find(Key(line, piece));
  if (found != layouts_.end()) return *found->second;
  const bool right_to_left = Right_to_left(line);
  QString text = lines_.Line_text(line, Piece_start(line, piece), Piece_size(line, piece));
  text.replace(QChar('\t'), QChar(' '));  // a tab's width would follow the piece's start
  return Keep(Key(line, piece), Make_layout(std::move(text), right_to_left, false));
}

qreal Pane_layouts::Piece_x(int line, int piece) const {
  if (word_wrap_) return 0;
  const std::vector<qreal>& piece_x = Measure(line).piece_x;
  const auto index = static_cast<std::size_t>(piece);
  if (!Right_to_left(line)) return piece_x[index];
  return piece_x.back() - piece_x[index + 1];
}

int Pane_layouts::Piece_at_x(int line, qreal x) const {
  const std::vector<qreal>& piece_x = Measure(line).piece_x;
  const auto after = std::upper_bound(piece_x.begin(), piece_x.end() - 1, x);
  return std::clamp(static_cast<int>(after - piece_x.begin()) - 1, 0, Piece_count(line) - 1);
}

std::pair<const QTextLayout*, qsizetype> Pane_layouts::Part_of(Pane_position position) const {
  if (!Pieced(position.line)) return {&Layout(position.line), position.column};
  const int piece = Piece_of(position);
  return {&Piece_layout(position.line, piece), position.column - Piece_start(position.line, piece)};
}

void Pane_layouts::For_each_piece(int line, int first_row, int last_row, qreal left, qreal right,
                                  const std::function<void(const Piece&)>& draw) const {
  if (!Pieced(line)) {
    draw({Layout(line), 0, QPointF()});
    return;
  }
  const int count = Piece_count(line);
  int first = 0;
  int last = count - 1;
  if (word_wrap_) {
    first = std::max(first, first_row);
    last = std::min(last, last_row);
  } else {
    const qreal line_width = Line_width(line);
    const bool right_to_left = Right_to_left(line);
    const qreal from = right_to_left ? line_width - right : left;
    const qreal to = right_to_left ? line_width - left : right;
    first = std::max(first, Piece_at_x(line, from) - 1);
    last = std::min(last, Piece_at_x(line, to) + 1);
  }
  for (int piece = first; piece <= last; ++piece) {
    const QPointF offset(Piece_x(line, piece), word_wrap_ ? piece * row_height_ : 0);
    draw({Piece_layout(line, piece), Piece_start(line, piece), offset});
  }
}

// ---- Measures ----

qreal Pane_layouts::Text_width() const {
  if (!word_wrap_ && text_width_ < 0) {
    // The longest line in characters is taken for the widest: one layout
    // instead of one for every line of a file of millions.
    const qsizetype longest = lines_.Longest_length();
    qreal widest = 0;
    for (int line = 0; line < lines_.Count(); ++line) {
      if (lines_.Length(line) != longest) continue;
      widest = longest > long_line ? Line_width(line) : Layout(line).lineAt(0).naturalTextWidth();
      break;
    }
    text_width_ = std::max(width_, std::ceil(widest));
  }
  return word_wrap_ ? width_ : text_width_;
}

qreal Pane_layouts::Line_offset(int line) const {
  if (word_wrap_ || !Right_to_left(line)) return 0;
  const qreal width = Pieced(line) ? Line_width(line) : Layout(line).lineAt(0).naturalTextWidth();
  return std::max<qreal>(0, Text_width() - width);
}

int Pane_layouts::Rows_of(int line) const {
  if (!word_wrap_) return 1;
  return Pieced(line) ? Piece_count(line) : Layout(line).lineCount();
}

int Pane_layouts::Row_of(Pane_position position) const {
  if (!word_wrap_) return 0;
  if (Pieced(position.line)) return Piece_of(position);
  const QTextLine text_line = Layout(position.line).lineForTextPosition(static_cast<int>(position.column));
  return text_line.isValid() ? text_line.lineNumber() : 0;
}

qreal Pane_layouts::X_of(Pane_position position) const {
  const qreal offset = Line_offset(position.line);
  qreal piece_x = 0;
  if (Pieced(position.line)) piece_x = Piece_x(position.line, Piece_of(position));
  const auto [layout, column] = Part_of(position);
  const QTextLine text_line = layout->lineForTextPosition(static_cast<int>(column));
  return text_line.isValid() ? offset + piece_x + text_line.cursorToX(static_cast<int>(column)) : 0;
}

Pane_position Pane_layouts::At(int line, int row, qreal x) const {
  const qreal in_line = x - Line_offset(line);
  if (!Pieced(line)) {
    const QTextLayout& layout = Layout(line);
    return {line, layout.lineAt(std::clamp(row, 0, layout.lineCount() - 1)).xToCursor(in_line)};
  }
  const int count = Piece_count(line);
  int piece = 0;
  if (word_wrap_) {
    piece = std::clamp(row, 0, count - 1);
  } else {
    piece = Piece_at_x(line, Right_to_left(line) ? Line_width(line) - in_line : in_line);
  }
  const qreal piece_x = Piece_x(line, piece);
  return {line, Piece_start(line, piece) + Piece_layout(line, piece).lineAt(0).xToCursor(in_line - piece_x)};
}

// ---- Moving through the text as it is shown ----

Pane_position Pane_layouts::Visual_step(Pane_position from, bool rightwards) const {
  const auto [layout, column] = Part_of(from);
  const qsizetype start = from.column - column;
  const int local = static_cast<int>(column);
  const int next = rightwards ? layout->rightCursorPosition(local) : layout->leftCursorPosition(local);
  if (next != local) return {from.line, start + next};
  // At the edge of a line or of a piece of one: on to the next piece or
  // line, or back to the previous one's end, as the line runs.
  const bool forwards = rightwards == !Right_to_left(from.line);
  if (Pieced(from.line)) {
    const int piece = Piece_of(from);
    if (forwards && piece + 1 < Piece_count(from.line)) return {from.line, Piece_start(from.line, piece + 1)};
    if (!forwards && piece > 0) {
      const QTextLayout& previous = Piece_layout(from.line, piece - 1);
      const int end = static_cast<int>(Piece_size(from.line, piece - 1));
      int step = rightwards ? previous.rightCursorPosition(end) : previous.leftCursorPosition(end);
      if (step == end) step = end - 1;
      return {from.line, Piece_start(from.line, piece - 1) + step};
    }
  }
  if (forwards) return from.line + 1 < lines_.Count() ? Pane_position{from.line + 1, 0} : from;
  return from.line > 0 ? Pane_position{from.line - 1, lines_.Length(from.line - 1)} : from;
}

Pane_position Pane_layouts::Next_character(Pane_position from) const {
  if (from.column >= lines_.Length(from.line)) return lines_.Clamped({from.line + 1, 0});
  const auto [layout, column] = Part_of(from);
  return {from.line, from.column - column + layout->nextCursorPosition(static_cast<int>(column))};
}

Pane_position Pane_layouts::Word_step(Pane_position from, bool forwards) const {
  Pane_position to = Word_step_in_part(from, forwards);
  // The edge of a piece stops a step as the end of a text would: unless a
  // word starts there, the step goes on in the next piece.
  const auto word_starts = [this](Pane_position at) {
    const QString around = lines_.Line_text(at.line, at.column - 1, 2);
    return around[0].isSpace() && !around[1].isSpace();
  };
  while (to.line == from.line && Pieced(to.line) && to.column > 0 && to.column < lines_.Length(to.line) &&
         to.column == Piece_start(to.line, Piece_of(to)) && !word_starts(to)) {
    to = Word_step_in_part(to, forwards);
  }
  return to;
}

Pane_position Pane_layouts::Word_step_in_part(Pane_position from, bool forwards) const {
  if (forwards) {
    if (from.column >= lines_.Length(from.line)) {
      return from.line + 1 < lines_.Count() ? Pane_position{from.line + 1, 0} : from;
    }
    const auto [layout, column] = Part_of(from);
    return {from.line,
            from.column - column + layout->nextCursorPosition(static_cast<int>(column), QTextLayout::SkipWords)};
  }
  if (from.column == 0) return from.line > 0 ? Pane_position{from.line - 1, lines_.Length(from.line - 1)} : from;
  auto [layout, column] = Part_of(from);
  qsizetype start = from.column - column;
  if (column == 0) {  // at the start of a piece of a long line: back into the piece before
    const int piece = Piece_of(from) - 1;
    layout = &Piece_layout(from.line, piece);
    column = Piece_size(from.line, piece);
    start = Piece_start(from.line, piece);
  }
  return {from.line, start + layout->previousCursorPosition(static_cast<int>(column), QTextLayout::SkipWords)};
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
  // In a long line, the word as far as the piece that holds the position.
  qsizetype start_of_text = 0;
  QString text;
  if (Pieced(position.line)) {
    const int piece = Piece_of(position);
    start_of_text = Piece_start(position.line, piece);
    text = lines_.Line_text(position.line, start_of_text, Piece_size(position.line, piece));
  } else {
    text = lines_.Line_text(position.line);
  }
  if (text.isEmpty()) return {position, position};
  const qsizetype column = std::min(position.column - start_of_text, text.size() - 1);
  QTextBoundaryFinder finder(QTextBoundaryFinder::Word, text);
  finder.setPosition(column);
  qsizetype start = finder.isAtBoundary() ? column : finder.toPreviousBoundary();
  finder.setPosition(column);
  qsizetype end = finder.toNextBoundary();
  if (start < 0) start = 0;
  if (end < 0) end = text.size();
  return {{position.line, start_of_text + start}, {position.line, start_of_text + end}};
}

// ---- Scrolling ----

const std::vector<Pane_layouts::Long_line>& Pane_layouts::Long_lines() const {
  if (long_lines_known_) return long_lines_;
  long_lines_.clear();
  if (word_wrap_) {
    int extra_rows = 0;
    for (int line = 0; line < lines_.Count(); ++line) {
      if (!Pieced(line)) continue;
      const int rows = Piece_count(line);
      long_lines_.push_back({line, rows, line + extra_rows});
      extra_rows += rows - 1;
    }
  }
  long_lines_known_ = true;
  return long_lines_;
}

Pane_layouts::Row_place Pane_layouts::Place_at(int value) const {
  const std::vector<Long_line>& long_lines = Long_lines();
  const auto after = std::upper_bound(long_lines.begin(), long_lines.end(), value,
                                      [](int v, const Long_line& entry) { return v < entry.value; });
  Row_place place{value, 0};
  if (after != long_lines.begin()) {
    const Long_line& before = *(after - 1);
    if (value < before.value + before.rows) {
      place = {before.line, value - before.value};
    } else {
      place = {before.line + 1 + (value - before.value - before.rows), 0};
    }
  }
  place.line = std::clamp(place.line, 0, lines_.Count() - 1);
  return place;
}

int Pane_layouts::Value_of(Row_place place) const {
  const std::vector<Long_line>& long_lines = Long_lines();
  const auto after = std::upper_bound(long_lines.begin(), long_lines.end(), place.line,
                                      [](int line, const Long_line& entry) { return line < entry.line; });
  if (after == long_lines.begin()) return place.line;
  const Long_line& before = *(after - 1);
  if (before.line == place.line) return before.value + std::clamp(place.row, 0, before.rows - 1);
  return before.value + before.rows + (place.line - before.line - 1);
}

int Pane_layouts::Value_of(Pane_position position) const {
  return Value_of(Row_place{position.line, word_wrap_ && Pieced(position.line) ? Row_of(position) : 0});
}

int Pane_layouts::Last_top_value(int rows_in_view) const {
  if (!word_wrap_) return std::max(0, lines_.Count() - rows_in_view);
  int rows = 0;
  for (int line = lines_.Count() - 1; line >= 0; --line) {
    const int line_rows = Rows_of(line);
    if (rows + line_rows > rows_in_view) {
      if (Pieced(line)) return Value_of(Row_place{line, rows + line_rows - rows_in_view});
      return Value_of(Row_place{std::min(line + 1, lines_.Count() - 1), 0});
    }
    rows += line_rows;
  }
  return 0;
}

int Pane_layouts::Top_value_showing(Pane_position position, int rows_in_view) const {
  if (!word_wrap_) return std::max(0, position.line - rows_in_view + 1);
  int line = position.line;
  int room = rows_in_view - 1 - Row_of(position);  // rows left above the line's first
  if (room < 0) return Value_of(Row_place{line, Pieced(line) ? -room : 0});
  while (line > 0) {
    const int rows = Rows_of(line - 1);
    if (rows <= room) {
      room -= rows;
      --line;
      continue;
    }
    if (Pieced(line - 1) && room > 0) return Value_of(Row_place{line - 1, rows - room});
    break;
  }
  return Value_of(Row_place{line, 0});
}

}  // namespace quorvandel
