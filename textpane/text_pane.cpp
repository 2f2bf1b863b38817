#include "textpane/text_pane.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <climits>
#include <cmath>

#include "textpane/pane_text.h"

namespace quorvandel {
namespace {

constexpr int pane_font_pixels = 18;
constexpr int text_margin = 4;  // between the frame and the text
constexpr int caret_width = 1;
constexpr int drag_scroll_interval_ms = 50;

QFont Pane_font() {
  QFont font = QFontDatabase::systemFont(QFontDatabase::FixedFont);
  font.setFamilies({"Courier New", "Liberation Mono", "DejaVu Sans Mono", font.family()});
  font.setStyleHint(QFont::TypeWriter);
  font.setPixelSize(pane_font_pixels);
  return font;
}

enum class Move {
  left, right, word_back, word_forward, up, down, page_up, page_down, line_start, line_end, text_start, text_end,
};

struct Movement {
  QKeySequence::StandardKey key;
  Move move;
  bool select;
};

constexpr Movement movements[] = {
    {QKeySequence::MoveToNextChar, Move::right, false},
    {QKeySequence::SelectNextChar, Move::right, true},
    {QKeySequence::MoveToPreviousChar, Move::left, false},
    {QKeySequence::SelectPreviousChar, Move::left, true},
    {QKeySequence::MoveToNextWord, Move::word_forward, false},
    {QKeySequence::SelectNextWord, Move::word_forward, true},
    {QKeySequence::MoveToPreviousWord, Move::word_back, false},
    {QKeySequence::SelectPreviousWord, Move::word_back, true},
    {QKeySequence::MoveToNextLine, Move::down, false},
    {QKeySequence::SelectNextLine, Move::down, true},
    {QKeySequence::MoveToPreviousLine, Move::up, false},
    {QKeySequence::SelectPreviousLine, Move::up, true},
    {QKeySequence::MoveToNextPage, Move::page_down, false},
    {QKeySequence::SelectNextPage, Move::page_down, true},
    {QKeySequence::MoveToPreviousPage, Move::page_up, false},
    {QKeySequence::SelectPreviousPage, Move::page_up, true},
    {QKeySequence::MoveToStartOfLine, Move::line_start, false},
    {QKeySequence::SelectStartOfLine, Move::line_start, true},
    {QKeySequence::MoveToEndOfLine, Move::line_end, false},
    {QKeySequence::SelectEndOfLine, Move::line_end, true},
    {QKeySequence::MoveToStartOfBlock, Move::line_start, false},
    {QKeySequence::SelectStartOfBlock, Move::line_start, true},
    {QKeySequence::MoveToEndOfBlock, Move::line_end, false},
    {QKeySequence::SelectEndOfBlock, Move::line_end, true},
    {QKeySequence::MoveToStartOfDocument, Move::text_start, false},
    {QKeySequence::SelectStartOfDocument, Move::text_start, true},
    {QKeySequence::MoveToEndOfDocument, Move::text_end, false},
    {QKeySequence::SelectEndOfDocument, Move::text_end, true},
};

// The keys the pane takes before any shortcut of the window can.
constexpr QKeySequence::StandardKey editing_keys[] = {
    QKeySequence::Copy,   QKeySequence::Cut,    QKeySequence::Paste,  QKeySequence::SelectAll,
    QKeySequence::Undo,   QKeySequence::Redo,   QKeySequence::Delete, QKeySequence::DeleteStartOfWord,
    QKeySequence::DeleteEndOfWord,              QKeySequence::InsertParagraphSeparator,
    QKeySequence::InsertLineSeparator,
};

// Text that a key press types: no control characters, and neither Ctrl nor
// Alt alone: Ctrl with Alt is the third level of some layouts (AltGr on
// Windows), Alt alone belongs to the menu bar's letters.
bool Is_typed(const QKeyEvent* event) {
  const QString text = event->text();
  if (text.isEmpty()) return false;
  const Qt::KeyboardModifiers modifiers = event->modifiers();
  if (bool(modifiers & Qt::ControlModifier) != bool(modifiers & Qt::AltModifier)) return false;
  return std::none_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20 || c.unicode() == 0x7F; });
}

bool Is_pane_key(const QKeyEvent* event) {
  if (Is_typed(event)) return true;
  const auto matches = [event](QKeySequence::StandardKey key) { return event->matches(key); };
  return std::any_of(std::begin(editing_keys), std::end(editing_keys), matches) ||
         std::any_of(std::begin(movements), std::end(movements),
                     [&](const Movement& movement) { return matches(movement.key); });
}

// Where a text that starts at `from` ends; its breaks are '\n'.
Pane_position End_of(Pane_position from, const QString& text) {
  const qsizetype last_break = text.lastIndexOf(QChar('\n'));
  if (last_break < 0) return {from.line, from.column + text.size()};
  return {from.line + static_cast<int>(text.count(QChar('\n'))), text.size() - last_break - 1};
}

// Whether the first letter of a strong direction in the first lines is
// written right to left.
bool Runs_right_to_left(const Pane_lines& lines) {
  constexpr int lines_looked_at = 100;
  for (int line = 0; line < std::min(lines.Count(), lines_looked_at); ++line) {
    const QString text = lines.Line_text(line, 0, std::min(lines.Length(line), Pane_layouts::long_line));
    for (const QChar c : text) {
      switch (c.direction()) {
        case QChar::DirL: return false;
        case QChar::DirR:
        case QChar::DirAL: return true;
        default: break;
      }
    }
  }
  return false;
}

QString With_newlines(const QString& text) {
  if (!text.contains(QChar('\r'))) return text;
  QString normalized = text;
  normalized.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  normalized.replace(QChar('\r'), QChar('\n'));
  return normalized;
}

}  // namespace

TText_pane::TText_pane(Clipboard_service& clipboard, QWidget* parent)
    : QAbstractScrollArea(parent), clipboard_(clipboard) {
  setFont(Pane_font());
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  QPalette colours = palette();
  colours.setColor(QPalette::Base, Qt::white);
  colours.setColor(QPalette::Text, Qt::black);
  setPalette(colours);
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_InputMethodEnabled);
  viewport()->setCursor(Qt::IBeamCursor);
  layouts_.Set_font(font());
  Update_scroll_bars();
}

TText_pane::~TText_pane() = default;

QString TText_pane::Clipboard_text() const {
  const std::string text = clipboard_.Read_text().value_or(std::string());
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// ---- The text ----

int TText_pane::Line_count() const {
  const int last = lines_.Count() - 1;
  return lines_.Length(last) == 0 ? last : last + 1;
}

qint64 TText_pane::Byte_count() const { return lines_.Character_count() + 2 * static_cast<qint64>(lines_.Count() - 1); }

Text TText_pane::Line(int index) const {
  if (index < 0 || index >= lines_.Count()) return Text();
  return lines_.Line_units(index);
}

void TText_pane::Set_pane_text(const QString& pane_text) { setPlainText(pane_text); }

void TText_pane::Set_pane_bytes(std::string bytes, bool break_after_last) {
  lines_.Set_from_bytes(std::move(bytes), break_after_last);
  Text_replaced();
}

void TText_pane::Set_pane_units(Text_view units) {
  lines_.Set_from_units(units);
  Text_replaced();
}

void TText_pane::Set_lines(Pane_lines lines) {
  lines_ = std::move(lines);
  Text_replaced();
}

Text TText_pane::Text_with_breaks() const {
  Text text;
  text.reserve(static_cast<std::size_t>(Byte_count()));
  for (int line = 0; line < lines_.Count(); ++line) {
    if (lines_.Is_byte_line(line)) {
      Append_bytes(text, lines_.Byte_view(line));
    } else {
      text += lines_.Line_units(line);
    }
    Append_bytes(text, Pane_lines::Break_bytes(lines_.Break_after(line)));
  }
  return text;
}

QString TText_pane::Qstring_with_breaks() const {
  QString text;
  text.reserve(Byte_count());
  for (int line = 0; line < lines_.Count(); ++line) {
    text += lines_.Line_text(line);
    text += QLatin1StringView(Pane_lines::Break_bytes(lines_.Break_after(line)));
  }
  return text;
}

void TText_pane::clear() {
  lines_.Clear();
  Text_replaced();
}

void TText_pane::setPlainText(const QString& text) {
  lines_.Set_from_qstring(text);
  Text_replaced();
}

QString TText_pane::toPlainText() const { return lines_.Text_between({}, lines_.End()); }

void TText_pane::Text_replaced() {
  caret_ = anchor_ = {};
  goal_x_ = -1;
  undo_stack_.clear();
  redo_stack_.clear();
  typing_run_ = false;
  layouts_.Forget_all();
  Update_scroll_bars();
  verticalScrollBar()->setValue(0);
  Scroll_to_line_starts();
  viewport()->update();
  emit textChanged();
}

// ---- Editing ----

void TText_pane::setReadOnly(bool read_only) {
  read_only_ = read_only;
  setAttribute(Qt::WA_InputMethodEnabled, !read_only);
}

void TText_pane::copy() {
  if (Has_selection()) clipboard_.Write_text(Selected_text().toUtf8().toStdString(), false);
}

void TText_pane::cut() {
  if (read_only_ || !Has_selection()) return;
  copy();
  Replace_selection(QString());
}

void TText_pane::paste() {
  if (read_only_) return;
  const QString text = Clipboard_text();
  if (!text.isEmpty()) Replace_selection(text);
}

void TText_pane::selectAll() {
  anchor_ = {};
  caret_ = lines_.End();
  goal_x_ = -1;
  typing_run_ = false;
  viewport()->update();
  Offer_selection();
}

// Selected text is offered as the primary selection, which a middle click
// in any program pastes; up to a megabyte of it, since the offer copies the
// selection at every key that extends it, which for the whole of a large
// text would hold the window up each time. Copy takes any selection.
void TText_pane::Offer_selection() {
  constexpr qint64 largest_offer = qint64{1} << 20;
  if (!Has_selection()) return;
  const auto [from, to] = Ordered_selection();
  if (lines_.Size_between(from, to) <= largest_offer) {
    clipboard_.Write_primary_text(Selected_text().toUtf8().toStdString());
  }
}

void TText_pane::Paste_primary_at(Pane_position position) {
  if (read_only_) return;
  const std::optional<std::string> text = clipboard_.Read_primary_text();
  if (!text || text->empty()) return;
  Move_caret(position, false);
  Replace_selection(With_newlines(QString::fromStdString(*text)));
}

void TText_pane::undo() {
  if (!read_only_) Replay(undo_stack_, redo_stack_, true);
}

void TText_pane::redo() {
  if (!read_only_) Replay(redo_stack_, undo_stack_, false);
}

void TText_pane::Replay(std::vector<Edit>& from_stack, std::vector<Edit>& to_stack, bool backwards) {
  if (from_stack.empty()) return;
  Edit edit = std::move(from_stack.back());
  from_stack.pop_back();
  const QString& now_there = backwards ? edit.inserted : edit.removed;
  const QString& put_back = backwards ? edit.removed : edit.inserted;
  Replace(edit.from, End_of(edit.from, now_there), put_back);
  typing_run_ = false;
  to_stack.push_back(std::move(edit));
}

QString TText_pane::Selected_text() const {
  const auto [from, to] = Ordered_selection();
  return lines_.Text_between(from, to);
}

void TText_pane::Select(Pane_position anchor, Pane_position caret) {
  anchor_ = lines_.Clamped(anchor);
  Move_caret(caret, true);
}

std::pair<Pane_position, Pane_position> TText_pane::Ordered_selection() const {
  return std::minmax(anchor_, caret_);
}

void TText_pane::Replace_selection(const QString& text, bool typed) {
  const auto [from, to] = Ordered_selection();
  if (from == to && text.isEmpty()) return;
  const QString inserted = With_newlines(text);
  QString removed = lines_.Text_between(from, to);
  redo_stack_.clear();
  Edit* last = undo_stack_.empty() ? nullptr : &undo_stack_.back();
  if (typed && typing_run_ && last && removed.isEmpty() && End_of(last->from, last->inserted) == from) {
    last->inserted += inserted;  // one undo step for a run of typing
  } else {
    undo_stack_.push_back({from, std::move(removed), inserted});
  }
  Replace(from, to, inserted);
  typing_run_ = typed;
}

void TText_pane::Replace(Pane_position from, Pane_position to, const QString& text) {
  const int count_before = lines_.Count();
  const Pane_position end = lines_.Replace(from, to, text);
  layouts_.Forget(from.line, lines_.Count() == count_before ? end.line : INT_MAX);
  caret_ = anchor_ = end;
  goal_x_ = -1;
  Update_scroll_bars();
  Ensure_caret_visible();
  Restart_blink();
  viewport()->update();
  emit textChanged();
}

void TText_pane::Delete_or_select(Pane_position target) {
  if (!Has_selection()) anchor_ = lines_.Clamped(target);
  Replace_selection(QString());
}

bool TText_pane::Edit_key(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    copy();
    return true;
  }
  if (event->matches(QKeySequence::SelectAll)) {
    selectAll();
    return true;
  }
  if (read_only_) return false;
  if (event->matches(QKeySequence::Cut)) {
    cut();
  } else if (event->matches(QKeySequence::Paste)) {
    paste();
  } else if (event->matches(QKeySequence::Undo)) {
    undo();
  } else if (event->matches(QKeySequence::Redo)) {
    redo();
  } else if (event->matches(QKeySequence::InsertParagraphSeparator) ||
             event->matches(QKeySequence::InsertLineSeparator)) {
    Replace_selection(QStringLiteral("\n"));
  } else if (event->matches(QKeySequence::Delete)) {
    Delete_or_select(layouts_.Next_character(caret_));
  } else if (event->key() == Qt::Key_Backspace && !(event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier))) {
    Delete_or_select(lines_.Previous_character(caret_));
  } else if (event->matches(QKeySequence::DeleteStartOfWord)) {
    Delete_or_select(layouts_.Word_step(caret_, false));
  } else if (event->matches(QKeySequence::DeleteEndOfWord)) {
    Delete_or_select(layouts_.Word_step(caret_, true));
  } else if (Is_typed(event)) {
    Replace_selection(event->text(), true);
  } else {
    return false;
  }
  return true;
}

// ---- Keys ----

bool TText_pane::event(QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    emit Key_down(static_cast<QKeyEvent*>(event));
  } else if (event->type() == QEvent::ShortcutOverride && Is_pane_key(static_cast<QKeyEvent*>(event))) {
    event->accept();
    return true;
  }
  const bool handled = QAbstractScrollArea::event(event);
  if (event->type() == QEvent::Paint && hasFocus()) {
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Highlight));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
  }
  return handled;
}

void TText_pane::keyPressEvent(QKeyEvent* event) {
  if (Movement_key(event)) {
    if (event->modifiers() & Qt::ShiftModifier) Offer_selection();
    event->accept();
  } else if (Edit_key(event)) {
    event->accept();
  } else {
    event->ignore();
  }
}

bool TText_pane::Movement_key(QKeyEvent* event) {
  const auto found = std::find_if(std::begin(movements), std::end(movements),
                                  [event](const Movement& movement) { return event->matches(movement.key); });
  if (found == std::end(movements)) return false;
  const bool select = found->select;
  const auto [from, to] = Ordered_selection();
  switch (found->move) {
    case Move::left:
      Move_caret(Has_selection() && !select ? from : layouts_.Visual_step(caret_, false), select);
      break;
    case Move::right:
      Move_caret(Has_selection() && !select ? to : layouts_.Visual_step(caret_, true), select);
      break;
    case Move::word_back:
      Move_caret(layouts_.Word_step(caret_, false), select);
      break;
    case Move::word_forward:
      Move_caret(layouts_.Word_step(caret_, true), select);
      break;
    case Move::up:
      Move_rows(-1, select);
      break;
    case Move::down:
      Move_rows(1, select);
      break;
    case Move::page_up:
    case Move::page_down: {
      // The view moves by as many lines as the caret does.
      const int caret_before = layouts_.Value_of(caret_);
      const int top_before = verticalScrollBar()->value();
      Move_rows(found->move == Move::page_up ? -Rows_in_view() : Rows_in_view(), select);
      verticalScrollBar()->setValue(top_before + layouts_.Value_of(caret_) - caret_before);
      Ensure_caret_visible();
      break;
    }
    case Move::line_start:
      Move_caret({caret_.line, 0}, select);
      break;
    case Move::line_end:
      Move_caret({caret_.line, lines_.Length(caret_.line)}, select);
      break;
    case Move::text_start:
      Move_caret({}, select);
      break;
    case Move::text_end:
      Move_caret(lines_.End(), select);
      break;
  }
  return true;
}

void TText_pane::inputMethodEvent(QInputMethodEvent* event) {
  if (read_only_) {
    event->ignore();
    return;
  }
  const bool replaces = event->replacementLength() > 0;
  if (replaces && !Has_selection()) {
    const qsizetype start = std::max<qsizetype>(0, caret_.column + event->replacementStart());
    anchor_ = lines_.Clamped({caret_.line, start});
    caret_ = lines_.Clamped({caret_.line, start + event->replacementLength()});
  }
  if (replaces || !event->commitString().isEmpty()) Replace_selection(event->commitString(), true);
  event->accept();
}

QVariant TText_pane::inputMethodQuery(Qt::InputMethodQuery query) const {
  switch (query) {
    case Qt::ImEnabled:
      return !read_only_;
    case Qt::ImCursorRectangle:
      return Caret_rect().translated(viewport()->pos());
    case Qt::ImFont:
      return font();
    case Qt::ImCursorPosition:
      return static_cast<int>(caret_.column);
    case Qt::ImAnchorPosition:
      return static_cast<int>(anchor_.line == caret_.line ? anchor_.column : caret_.column);
    case Qt::ImSurroundingText:  // not the whole of a long line
      return layouts_.Pieced(caret_.line) ? QString() : lines_.Line_text(caret_.line);
    case Qt::ImCurrentSelection:
      return anchor_.line == caret_.line ? Selected_text() : QString();
    case Qt::ImHints:
      return static_cast<int>(Qt::ImhMultiLine);
    default:
      return QAbstractScrollArea::inputMethodQuery(query);
  }
}

// ---- Caret movement ----

void TText_pane::Move_caret(Pane_position position, bool keep_anchor, bool keep_goal_x) {
  caret_ = lines_.Clamped(position);
  if (!keep_anchor) anchor_ = caret_;
  if (!keep_goal_x) goal_x_ = -1;
  typing_run_ = false;
  Ensure_caret_visible();
  Restart_blink();
  viewport()->update();
}

// Up, Down, PageUp and PageDown aim at the x where the caret was before the
// first of them, whatever shorter lines they pass.
void TText_pane::Move_rows(int rows, bool select) {
  const qreal x = goal_x_ >= 0 ? goal_x_ : layouts_.X_of(caret_);
  Move_caret(layouts_.Rows_away(caret_, rows, x), select, true);
  goal_x_ = x;
}

// ---- The view ----

int TText_pane::Rows_in_view() const {
  return std::max(1, (viewport()->height() - text_margin) / layouts_.Row_height());
}

Pane_layouts::Row_place TText_pane::Top_place() const { return layouts_.Place_at(verticalScrollBar()->value()); }

int TText_pane::Line_top(int line) const {
  const Pane_layouts::Row_place top = Top_place();
  const int row_height = layouts_.Row_height();
  if (line < top.line) return text_margin - (top.line - line + top.row) * row_height;
  int y = text_margin - top.row * row_height;
  for (int above = top.line; above < line && y <= viewport()->height(); ++above) {
    y += layouts_.Rows_of(above) * row_height;
  }
  return y;
}

QRect TText_pane::Caret_rect() const {
  const int x = text_margin - horizontalScrollBar()->value() + static_cast<int>(std::floor(layouts_.X_of(caret_)));
  const int y = Line_top(caret_.line) + layouts_.Row_of(caret_) * layouts_.Row_height();
  return QRect(x, y, caret_width, layouts_.Row_height());
}

Pane_position TText_pane::Position_at(QPointF point) const {
  const int row_height = layouts_.Row_height();
  const Pane_layouts::Row_place top = Top_place();
  int line = top.line;
  qreal y = point.y() - text_margin + top.row * row_height;
  if (y < 0) {
    line = std::max(0, line - 1);  // above the view: the line just above it
    y = 0;
  }
  for (;;) {
    const int height = layouts_.Rows_of(line) * row_height;
    if (y < height || line + 1 == lines_.Count()) break;
    y -= height;
    ++line;
  }
  return layouts_.At(line, static_cast<int>(y / row_height), point.x() - text_margin + horizontalScrollBar()->value());
}

void TText_pane::Update_scroll_bars() {
  QScrollBar* vertical = verticalScrollBar();
  vertical->setRange(0, layouts_.Last_top_value(Rows_in_view()));
  vertical->setPageStep(Rows_in_view());
  vertical->setSingleStep(1);
  QScrollBar* horizontal = horizontalScrollBar();
  const int width = viewport()->width();
  const double text_width = layouts_.Text_width() + 2 * text_margin + caret_width;
  const int widest = static_cast<int>(std::min<double>(std::ceil(text_width), INT_MAX / 2));
  horizontal->setRange(0, layouts_.Word_wrap() ? 0 : std::max(0, widest - width));
  horizontal->setPageStep(std::max(1, width));
  horizontal->setSingleStep(std::max(1, static_cast<int>(layouts_.Advance())));
}

void TText_pane::Ensure_caret_visible() {
  QScrollBar* vertical = verticalScrollBar();
  const int caret_value = layouts_.Value_of(caret_);
  if (caret_value < vertical->value()) {
    vertical->setValue(caret_value);
  } else {
    const int lowest_top = layouts_.Top_value_showing(caret_, Rows_in_view());
    if (vertical->value() < lowest_top) vertical->setValue(lowest_top);
  }
  if (layouts_.Word_wrap()) return;
  QScrollBar* horizontal = horizontalScrollBar();
  const int x = static_cast<int>(std::floor(layouts_.X_of(caret_)));
  const int width = viewport()->width() - 2 * text_margin - caret_width;
  int left = horizontal->value();
  if (x < left) left = x;
  if (x > left + width) left = x - width;
  if (left > horizontal->maximum()) horizontal->setMaximum(left);
  horizontal->setValue(left);
}

// Lines start at the left of a text that runs left to right and at the
// right of one that runs right to left, as its first strongly directed
// letter says.
void TText_pane::Scroll_to_line_starts() {
  QScrollBar* horizontal = horizontalScrollBar();
  horizontal->setValue(Runs_right_to_left(lines_) ? horizontal->maximum() : 0);
}

void TText_pane::Set_word_wrap(bool on) {
  if (on == layouts_.Word_wrap()) return;
  layouts_.Set_word_wrap(on);
  Update_scroll_bars();
  Ensure_caret_visible();
  viewport()->update();
}

// ---- Painting ----

void TText_pane::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QRect area = event->rect();
  painter.fillRect(area, palette().base());
  painter.setPen(palette().text().color());
  const QPalette::ColorGroup group = hasFocus() ? QPalette::Active : QPalette::Inactive;
  QTextCharFormat selected;
  selected.setBackground(palette().brush(group, QPalette::Highlight));
  selected.setForeground(palette().brush(group, QPalette::HighlightedText));
  const auto [from, to] = Ordered_selection();
  const qreal left = text_margin - horizontalScrollBar()->value();
  const qreal advance = layouts_.Advance();
  const int row_height = layouts_.Row_height();
  const Pane_layouts::Row_place top = Top_place();
  int y = text_margin - top.row * row_height;
  for (int line = top.line; line < lines_.Count() && y < area.bottom() + 1; ++line) {
    const int height = layouts_.Rows_of(line) * row_height;
    if (y + height > area.top()) {
      const QPointF origin(left + layouts_.Line_offset(line), y);
      const qsizetype length = lines_.Length(line);
      const bool selected_here = from != to && from.line <= line && line <= to.line;
      const qsizetype start = line == from.line ? from.column : 0;
      const qsizetype end = line == to.line ? to.column : length;
      // Of a long line, only the pieces in view.
      const int first_row = (area.top() - y) / row_height;
      const int last_row = (area.bottom() - y) / row_height;
      layouts_.For_each_piece(line, first_row, last_row, area.left() - origin.x(), area.right() + 1 - origin.x(),
                              [&](const Pane_layouts::Piece& piece) {
        const QTextLayout& layout = piece.layout;
        const QPointF piece_origin = origin + piece.offset;
        const qsizetype size = layout.text().size();
        const bool holds_end = piece.first + size == length;
        QList<QTextLayout::FormatRange> selections;
        if (selected_here) {
          const qsizetype piece_start = std::max(start, piece.first) - piece.first;
          const qsizetype piece_end = std::min(end, piece.first + size) - piece.first;
          if (piece_end > piece_start) {
            selections.append({static_cast<int>(piece_start), static_cast<int>(piece_end - piece_start), selected});
          }
          if (line < to.line && holds_end) {  // the line break is selected too: a cell past the line's end
            const QTextLine last = layout.lineAt(layout.lineCount() - 1);
            const qreal end_x = last.cursorToX(static_cast<int>(size));
            const bool leftwards = layout.textOption().textDirection() == Qt::RightToLeft;
            painter.fillRect(QRectF(piece_origin.x() + end_x - (leftwards ? advance : 0), piece_origin.y() + last.y(),
                                    advance, row_height),
                             selected.background());
          }
        }
        layout.draw(&painter, piece_origin, selections);
        const bool caret_here = caret_.column >= piece.first &&
                                (caret_.column < piece.first + size || (holds_end && caret_.column == length));
        if (caret_shown_ && line == caret_.line && caret_here) {
          layout.drawCursor(&painter, piece_origin, static_cast<int>(caret_.column - piece.first), caret_width);
        }
      });
    }
    y += height;
  }
}

void TText_pane::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  // A text that runs right to left keeps the place it shows from the right.
  QScrollBar* horizontal = horizontalScrollBar();
  const int from_right = horizontal->maximum() - horizontal->value();
  layouts_.Set_width(viewport()->width() - 2 * text_margin - caret_width);
  Update_scroll_bars();
  if (Runs_right_to_left(lines_)) horizontal->setValue(horizontal->maximum() - from_right);
}

void TText_pane::scrollContentsBy(int /*dx*/, int /*dy*/) { viewport()->update(); }

void TText_pane::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) {
    layouts_.Set_font(font());
    Update_scroll_bars();
    viewport()->update();
  }
}

// ---- Mouse ----

void TText_pane::mousePressEvent(QMouseEvent* event) {
  const Pane_position position = Position_at(event->position());
  if (event->button() == Qt::LeftButton) {
    Move_caret(position, event->modifiers() & Qt::ShiftModifier);
    mouse_selecting_ = true;
    last_mouse_point_ = event->position();
  } else if (event->button() == Qt::MiddleButton) {
    Paste_primary_at(position);
  } else if (event->button() == Qt::RightButton) {
    const auto [from, to] = Ordered_selection();
    if (position < from || to < position) Move_caret(position, false);
  }
  event->accept();
}

void TText_pane::mouseMoveEvent(QMouseEvent* event) {
  if (!mouse_selecting_ || !(event->buttons() & Qt::LeftButton)) return;
  last_mouse_point_ = event->position();
  Move_caret(Position_at(last_mouse_point_), true);
  if (viewport()->rect().contains(last_mouse_point_.toPoint())) {
    drag_scroll_timer_.stop();
  } else {
    drag_scroll_timer_.start(drag_scroll_interval_ms, this);
  }
}

void TText_pane::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton) {
    mouse_selecting_ = false;
    drag_scroll_timer_.stop();
    Offer_selection();
  }
}

void TText_pane::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const auto [start, end] = layouts_.Word_at(Position_at(event->position()));
  Select(start, end);
  mouse_selecting_ = false;
  Offer_selection();
}

QMenu* TText_pane::Make_context_menu() {
  auto* menu = new QMenu(this);
  menu->setLayoutDirection(QGuiApplication::layoutDirection());  // the interface's, not the pane's
  const bool editable = !read_only_;
  if (editable) {
    menu->addAction(tr("&Undo"), this, &TText_pane::undo)->setEnabled(!undo_stack_.empty());
    menu->addAction(tr("&Redo"), this, &TText_pane::redo)->setEnabled(!redo_stack_.empty());
    menu->addSeparator();
    menu->addAction(tr("Cu&t"), this, &TText_pane::cut)->setEnabled(Has_selection());
  }
  menu->addAction(tr("&Copy"), this, &TText_pane::copy)->setEnabled(Has_selection());
  if (editable) {
    menu->addAction(tr("&Paste"), this, &TText_pane::paste)
        ->setEnabled(!Clipboard_text().isEmpty());
    menu->addAction(tr("&Delete"), this, [this] { Replace_selection(QString()); })->setEnabled(Has_selection());
  }
  menu->addSeparator();
  menu->addAction(tr("Select &All"), this, &TText_pane::selectAll)->setEnabled(Byte_count() > 0);
  return menu;
}

void TText_pane::contextMenuEvent(QContextMenuEvent* event) {
  std::unique_ptr<QMenu> menu(Make_context_menu());
  menu->exec(event->globalPos());
}

// ---- Focus and timers ----

void TText_pane::focusInEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusInEvent(event);
  Restart_blink();
  viewport()->update();
}

void TText_pane::focusOutEvent(QFocusEvent* event) {
  QAbstractScrollArea::focusOutEvent(event);
  blink_timer_.stop();
  caret_shown_ = false;
  viewport()->update();
}

void TText_pane::Restart_blink() {
  if (!hasFocus()) return;
  caret_shown_ = true;
  const int flash_ms = QApplication::cursorFlashTime();
  if (flash_ms >= 2) {
    blink_timer_.start(flash_ms / 2, this);
  } else {
    blink_timer_.stop();
  }
}

void TText_pane::timerEvent(QTimerEvent* event) {
  if (event->timerId() == blink_timer_.timerId()) {
    caret_shown_ = !caret_shown_;
    viewport()->update();
  } else if (event->timerId() == drag_scroll_timer_.timerId()) {
    // Dragging past the view's edge: the caret follows the mouse a line or
    // a character further each time, and the view scrolls with it.
    Move_caret(Position_at(last_mouse_point_), true);
  } else {
    QAbstractScrollArea::timerEvent(event);
  }
}

}  // namespace quorvandel
