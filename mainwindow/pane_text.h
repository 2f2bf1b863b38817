// How the panes and the clipboard show engine text: every unit through the
// one code page 1255 mapping, so that nothing is lost on the way.
#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <string>

#include "engine/text.h"

namespace quorvandel {

Text Text_from_qstring(QStringView text);
void Append_text_from_qstring(Text& out, QStringView text);
QString Qstring_from_text(Text_view text);
void Append_qstring_from_text(QString& out, Text_view text);

// A text as a pane holds it: each line break (CR LF, CR alone, LF alone)
// becomes one '\n', the pane's break.
QString Pane_text_from_text(Text_view text);

// A text kept in a quarter of the room when it can be: as bytes when every
// unit is a byte, which is the usual case, and as engine text otherwise.
class Compact_text {
 public:
  void Assign(Text text);
  void Assign_bytes(std::string bytes);
  void clear();
  bool empty() const { return bytes_.empty() && units_.empty(); }

  bool Is_bytes() const { return units_.empty(); }
  const std::string& Bytes() const { return bytes_; }  // when Is_bytes()
  const Text& Units() const { return units_; }         // when not Is_bytes()

  Unit At(std::size_t index) const;
  Text To_text() const;
  QString To_qstring() const;

  // Appends the units as bytes and returns nothing when all are bytes;
  // otherwise returns the position of the first that is not.
  std::optional<std::size_t> Append_as_bytes_checked(std::string& bytes) const;

 private:
  std::string bytes_;
  Text units_;
};

}  // namespace quorvandel
