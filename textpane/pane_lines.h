// The text of a pane as a store of lines. A line whose characters are all
// code page 1255 characters is kept as its bytes, one per character; any
// other line as UTF-16. Each line costs one small record besides.
#pragma once

#include <QString>
#include <QStringView>
#include <compare>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/text.h"

namespace quorvandel {

// A place in a pane's text: a line, from 0, and a column within it in UTF-16
// units of the line as shown, 0 being before its first character.
struct Pane_position {
  int line = 0;
  qsizetype column = 0;

  friend auto operator<=>(const Pane_position&, const Pane_position&) = default;
};

class Pane_lines {
 public:
  Pane_lines();  // one empty line

  // The lines held: at least one. A text that ends in a line break has an
  // empty last line.
  int Count() const { return static_cast<int>(records_.size()); }
  qsizetype Length(int line) const { return records_[line].length; }
  qint64 Character_count() const { return character_count_; }  // line breaks not counted
  qsizetype Longest_length() const;

  QString Line_text(int line) const;  // as shown
  // `count` characters of a line from `from`, as shown; both within it.
  QString Line_text(int line, qsizetype from, qsizetype count) const;
  Text Line_units(int line) const;    // as the engine reads it
  // A line of bytes as its bytes; false for a line held as UTF-16.
  bool Line_bytes(int line, std::string& bytes) const;
  bool Is_byte_line(int line) const { return !records_[line].wide; }
  // The bytes of a byte line, valid until the text changes.
  std::string_view Byte_view(int line) const {
    return std::string_view(bytes_.data() + records_[line].start, records_[line].length);
  }

  // The break that ended a line when the text was set: none for the last
  // line; a line break typed or pasted since is LF.
  enum class Break : std::uint8_t { none, lf, cr, cr_lf };
  Break Break_after(int line) const { return records_[line].break_after; }
  static std::string_view Break_bytes(Break kind);

  Pane_position End() const { return {Count() - 1, Length(Count() - 1)}; }
  // The nearest position that exists: before the text its start, after
  // the text its end.
  Pane_position Clamped(Pane_position position) const;

  // The place one character before `position`, a surrogate pair being one
  // character; at a line's start the end of the line before.
  Pane_position Previous_character(Pane_position position) const;

  // The characters from `from` to `to`, with '\n' for each line break.
  QString Text_between(Pane_position from, Pane_position to) const;
  qint64 Size_between(Pane_position from, Pane_position to) const;  // of that text

  // ---- Replacing the whole text: lines break at CR LF, CR alone and LF
  // alone. ----
  void Clear();
  // Bytes shown through code page 1255. With `break_after_last`, a last
  // line without a break is given one, that is an empty line after it.
  void Set_from_bytes(std::string bytes, bool break_after_last);
  void Set_from_units(Text_view units);
  void Set_from_qstring(QStringView text);

  // Replaces the characters from `from` to `to` (from <= to, both existing)
  // by `text`, which may hold line breaks. Returns the position just after
  // the inserted text.
  Pane_position Replace(Pane_position from, Pane_position to, QStringView text);

 private:
  struct Line_record {
    std::int64_t start = 0;    // in bytes_ or, when wide, in wide_
    std::uint32_t length = 0;  // in UTF-16 units, which for a byte line are its bytes
    bool wide = false;
    Break break_after = Break::none;
  };

  Line_record Append_line(QStringView line);
  void Add_line(const Line_record& record);
  void Reset_storage();
  void Forget(const Line_record& record);
  void Compact_if_wasteful();

  std::string bytes_;  // the characters of the byte lines
  QString wide_;       // the characters of the other lines
  std::vector<Line_record> records_;
  qint64 character_count_ = 0;
  std::int64_t unused_bytes_ = 0;  // what edited and removed lines left behind
  std::int64_t unused_wide_ = 0;
  mutable qsizetype longest_ = 0;
  mutable bool longest_known_ = true;
};

}  // namespace quorvandel
