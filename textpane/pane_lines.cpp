#include "textpane/pane_lines.h"

#include <algorithm>
#include <array>

#include "engine/cp1255.h"
#include "textpane/pane_text.h"

namespace quorvandel {
namespace {

// What each byte shows: every character of code page 1255 is a single
// UTF-16 unit.
const std::array<char16_t, 256>& Shown_bytes() {
  static const std::array<char16_t, 256> table = [] {
    std::array<char16_t, 256> shown{};
    for (Unit b = 0; b <= last_byte_unit; ++b) shown[b] = static_cast<char16_t>(Unicode_from_unit(b));
    return shown;
  }();
  return table;
}

bool Is_break(char32_t c) { return c == '\r' || c == '\n'; }

using Break = Pane_lines::Break;

// Calls on_line(start, length, break) for each line of the `size`
// characters at `data`, lines ending at CR LF, CR or LF. A text that ends in
// a break has an empty last line, and an empty text one empty line.
template <typename Char, typename On_line>
void For_each_line(const Char* data, std::size_t size, On_line on_line) {
  std::size_t start = 0;
  for (std::size_t i = 0; i < size; ++i) {
    const Char c = data[i];
    if (c != Char('\r') && c != Char('\n')) continue;
    Break kind = c == Char('\n') ? Break::lf : Break::cr;
    const std::size_t length = i - start;
    if (c == Char('\r') && i + 1 < size && data[i + 1] == Char('\n')) {
      ++i;
      kind = Break::cr_lf;
    }
    on_line(start, length, kind);
    start = i + 1;
  }
  on_line(start, size - start, Break::none);
}

template <typename Char>
std::size_t Line_count_of(const Char* data, std::size_t size) {
  std::size_t count = 1;
  for (std::size_t i = 0; i < size; ++i) {
    if (data[i] == Char('\n') || (data[i] == Char('\r') && (i + 1 == size || data[i + 1] != Char('\n')))) ++count;
  }
  return count;
}

}  // namespace

Pane_lines::Pane_lines() { records_.push_back({}); }

std::string_view Pane_lines::Break_bytes(Break kind) {
  switch (kind) {
    case Break::none: return {};
    case Break::lf: return "\n";
    case Break::cr: return "\r";
    case Break::cr_lf: return "\r\n";
  }
  return {};
}

qsizetype Pane_lines::Longest_length() const {
  if (!longest_known_) {
    longest_ = 0;
    for (const Line_record& record : records_) longest_ = std::max<qsizetype>(longest_, record.length);
    longest_known_ = true;
  }
  return longest_;
}

QString Pane_lines::Line_text(int line) const { return Line_text(line, 0, records_[line].length); }

QString Pane_lines::Line_text(int line, qsizetype from, qsizetype count) const {
  const Line_record& record = records_[line];
  if (record.wide) return QString(wide_.constData() + record.start + from, count);
  QString text(count, Qt::Uninitialized);
  const auto& shown = Shown_bytes();
  const char* bytes = bytes_.data() + record.start + from;
  char16_t* out = reinterpret_cast<char16_t*>(text.data());
  for (qsizetype i = 0; i < count; ++i) out[i] = shown[static_cast<unsigned char>(bytes[i])];
  return text;
}

Text Pane_lines::Line_units(int line) const {
  const Line_record& record = records_[line];
  if (record.wide) return Text_from_qstring(QStringView(wide_.constData() + record.start, record.length));
  return Text_from_bytes(std::string_view(bytes_.data() + record.start, record.length));
}

bool Pane_lines::Line_bytes(int line, std::string& bytes) const {
  const Line_record& record = records_[line];
  if (record.wide) return false;
  bytes.assign(bytes_.data() + record.start, record.length);
  return true;
}

Pane_position Pane_lines::Clamped(Pane_position position) const {
  if (position.line < 0) return {};
  if (position.line >= Count()) return End();
  position.column = std::clamp<qsizetype>(position.column, 0, Length(position.line));
  return position;
}

Pane_position Pane_lines::Previous_character(Pane_position position) const {
  if (position.column == 0) {
    return position.line > 0 ? Pane_position{position.line - 1, Length(position.line - 1)} : position;
  }
  qsizetype column = position.column - 1;
  const Line_record& record = records_[position.line];
  if (record.wide && column > 0 && wide_[record.start + column].isLowSurrogate() &&
      wide_[record.start + column - 1].isHighSurrogate()) {
    --column;
  }
  return {position.line, column};
}

qint64 Pane_lines::Size_between(Pane_position from, Pane_position to) const {
  if (from.line == to.line) return to.column - from.column;
  qint64 size = Length(from.line) - from.column + 1 + to.column;
  for (int line = from.line + 1; line < to.line; ++line) size += Length(line) + 1;
  return size;
}

QString Pane_lines::Text_between(Pane_position from, Pane_position to) const {
  if (from.line == to.line) return Line_text(from.line, from.column, to.column - from.column);
  QString text;
  text.reserve(Size_between(from, to));
  text += Line_text(from.line, from.column, Length(from.line) - from.column);
  for (int line = from.line + 1; line < to.line; ++line) {
    text += QChar('\n');
    text += Line_text(line);
  }
  text += QChar('\n');
  text += Line_text(to.line, 0, to.column);
  return text;
}

// ---- Replacing the whole text ----

void Pane_lines::Reset_storage() {
  bytes_.clear();
  bytes_.shrink_to_fit();
  wide_.clear();
  wide_.squeeze();
  records_.clear();
  records_.shrink_to_fit();
  character_count_ = 0;
  unused_bytes_ = 0;
  unused_wide_ = 0;
  longest_ = 0;
  longest_known_ = true;
}

void Pane_lines::Add_line(const Line_record& record) {
  records_.push_back(record);
  character_count_ += record.length;
  if (longest_known_) longest_ = std::max<qsizetype>(longest_, record.length);
}

void Pane_lines::Clear() {
  Reset_storage();
  records_.push_back({});
}

void Pane_lines::Set_from_bytes(std::string bytes, bool break_after_last) {
  Reset_storage();
  bytes_ = std::move(bytes);
  // The lines point into the bytes as they came; the breaks between them
  // stay behind unused.
  records_.reserve(Line_count_of(bytes_.data(), bytes_.size()) + 1);
  For_each_line(bytes_.data(), bytes_.size(), [this](std::size_t start, std::size_t length, Break kind) {
    Add_line({static_cast<std::int64_t>(start), static_cast<std::uint32_t>(length), false, kind});
  });
  unused_bytes_ = static_cast<std::int64_t>(bytes_.size()) - character_count_;
  if (break_after_last && !bytes_.empty() && !Is_break(static_cast<unsigned char>(bytes_.back()))) {
    records_.back().break_after = Break::lf;
    Add_line({static_cast<std::int64_t>(bytes_.size()), 0, false, Break::none});
  }
}

void Pane_lines::Set_from_units(Text_view units) {
  Reset_storage();
  bytes_.reserve(units.size());
  records_.reserve(Line_count_of(units.data(), units.size()));
  For_each_line(units.data(), units.size(), [&](std::size_t start, std::size_t length, Break kind) {
    const Text_view line = units.substr(start, length);
    Line_record record;
    record.break_after = kind;
    if (First_non_byte(line)) {
      record.wide = true;
      record.start = wide_.size();
      Append_qstring_from_text(wide_, line);
      record.length = static_cast<std::uint32_t>(wide_.size() - record.start);
    } else {
      record.start = static_cast<std::int64_t>(bytes_.size());
      Append_as_bytes(bytes_, line);
      record.length = static_cast<std::uint32_t>(length);
    }
    Add_line(record);
  });
}

void Pane_lines::Set_from_qstring(QStringView text) {
  Reset_storage();
  bytes_.reserve(static_cast<std::size_t>(text.size()));
  records_.reserve(Line_count_of(text.utf16(), static_cast<std::size_t>(text.size())));
  For_each_line(text.utf16(), static_cast<std::size_t>(text.size()),
                [&](std::size_t start, std::size_t length, Break kind) {
                  Line_record record = Append_line(text.mid(static_cast<qsizetype>(start), static_cast<qsizetype>(length)));
                  record.break_after = kind;
                  Add_line(record);
                });
}

// ---- Editing ----

Pane_lines::Line_record Pane_lines::Append_line(QStringView line) {
  Line_record record;
  record.length = static_cast<std::uint32_t>(line.size());
  record.start = static_cast<std::int64_t>(bytes_.size());
  bytes_.reserve(bytes_.size() + static_cast<std::size_t>(line.size()));
  for (const QChar c : line) {
    const Unit unit = c.isSurrogate() ? c.unicode() : Unit_from_unicode(c.unicode());
    if (!Is_byte(unit)) {
      // A character without a byte: the whole line is kept as UTF-16.
      bytes_.resize(static_cast<std::size_t>(record.start));
      record.wide = true;
      record.start = wide_.size();
      wide_.append(line);
      return record;
    }
    bytes_.push_back(static_cast<char>(static_cast<unsigned char>(unit)));
  }
  return record;
}

void Pane_lines::Forget(const Line_record& record) {
  character_count_ -= record.length;
  (record.wide ? unused_wide_ : unused_bytes_) += record.length;
  if (record.length > 0 && static_cast<qsizetype>(record.length) >= longest_) longest_known_ = false;
}

Pane_position Pane_lines::Replace(Pane_position from, Pane_position to, QStringView text) {
  const QString first = Line_text(from.line);
  const QString last = to.line == from.line ? first : Line_text(to.line);
  const QStringView head = QStringView(first).left(from.column);
  const QStringView tail = QStringView(last).mid(to.column);

  std::vector<std::pair<qsizetype, qsizetype>> pieces;
  For_each_line(text.utf16(), static_cast<std::size_t>(text.size()), [&](std::size_t start, std::size_t length, Break) {
    pieces.emplace_back(static_cast<qsizetype>(start), static_cast<qsizetype>(length));
  });
  std::vector<Line_record> added;
  added.reserve(pieces.size());
  Pane_position end;
  QString line;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    line.clear();
    if (i == 0) line += head;
    line += text.mid(pieces[i].first, pieces[i].second);
    if (i + 1 == pieces.size()) {
      end = {from.line + static_cast<int>(i), line.size()};
      line += tail;
    }
    added.push_back(Append_line(line));
    added.back().break_after = i + 1 == pieces.size() ? records_[to.line].break_after : Break::lf;
  }

  const std::size_t removed = static_cast<std::size_t>(to.line - from.line) + 1;
  for (std::size_t i = 0; i < removed; ++i) Forget(records_[static_cast<std::size_t>(from.line) + i]);
  const std::size_t common = std::min(removed, added.size());
  std::copy_n(added.begin(), common, records_.begin() + from.line);
  if (added.size() > removed) {
    records_.insert(records_.begin() + from.line + static_cast<std::ptrdiff_t>(common),
                    added.begin() + static_cast<std::ptrdiff_t>(common), added.end());
  } else {
    records_.erase(records_.begin() + from.line + static_cast<std::ptrdiff_t>(common),
                   records_.begin() + from.line + static_cast<std::ptrdiff_t>(removed));
  }
  for (const Line_record& record : added) {
    character_count_ += record.length;
    if (longest_known_) longest_ = std::max<qsizetype>(longest_, record.length);
  }
  Compact_if_wasteful();
  return end;
}

// Edits leave the old characters of a line behind; once they outweigh the
// characters in use, the lines are copied into fresh storage.
void Pane_lines::Compact_if_wasteful() {
  constexpr std::int64_t tolerated = 1 << 20;
  const std::int64_t used_bytes = static_cast<std::int64_t>(bytes_.size()) - unused_bytes_;
  const std::int64_t used_wide = static_cast<std::int64_t>(wide_.size()) - unused_wide_;
  if (unused_bytes_ <= std::max(tolerated, used_bytes) && unused_wide_ <= std::max(tolerated, used_wide)) return;
  std::string bytes;
  bytes.reserve(static_cast<std::size_t>(used_bytes));
  QString wide;
  wide.reserve(used_wide);
  for (Line_record& record : records_) {
    if (record.wide) {
      const qsizetype start = wide.size();
      wide.append(QStringView(wide_.constData() + record.start, record.length));
      record.start = start;
    } else {
      const std::size_t start = bytes.size();
      bytes.append(bytes_, static_cast<std::size_t>(record.start), record.length);
      record.start = static_cast<std::int64_t>(start);
    }
  }
  bytes_ = std::move(bytes);
  wide_ = std::move(wide);
  unused_bytes_ = 0;
  unused_wide_ = 0;
}

}  // namespace quorvandel
