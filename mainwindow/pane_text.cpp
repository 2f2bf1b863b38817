#include "mainwindow/pane_text.h"

#include "engine/cp1255.h"

namespace quorvandel {

void Append_text_from_qstring(Text& out, QStringView text) {
  out.reserve(out.size() + static_cast<std::size_t>(text.size()));
  const qsizetype size = text.size();
  for (qsizetype i = 0; i < size; ++i) {
    char32_t c = text[i].unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < size && text[i + 1].isLowSurrogate()) {
      c = QChar::surrogateToUcs4(text[i], text[i + 1]);
      ++i;
    }
    out.push_back(Unit_from_unicode(c));
  }
}

Text Text_from_qstring(QStringView text) {
  Text out;
  Append_text_from_qstring(out, text);
  return out;
}

void Append_qstring_from_text(QString& out, Text_view text) {
  for (const Unit u : text) {
    const char32_t c = Unicode_from_unit(u);
    if (c < 0x10000) {
      out.append(QChar(static_cast<char16_t>(c)));
    } else if (c <= 0x10FFFF) {
      out.append(QChar(QChar::highSurrogate(c)));
      out.append(QChar(QChar::lowSurrogate(c)));
    } else {
      out.append(QChar::ReplacementCharacter);
    }
  }
}

QString Qstring_from_text(Text_view text) {
  QString out;
  out.reserve(static_cast<qsizetype>(text.size()));
  Append_qstring_from_text(out, text);
  return out;
}

QString Pane_text_from_text(Text_view text) {
  QString out;
  out.reserve(static_cast<qsizetype>(text.size()));
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    Append_qstring_from_text(out, text.substr(start, i - start));
    out.append(QChar('\n'));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  Append_qstring_from_text(out, text.substr(start));
  return out;
}

// ---- Compact_text ----

void Compact_text::Assign(Text text) {
  clear();
  if (First_non_byte(text)) {
    units_ = std::move(text);
  } else {
    bytes_ = Bytes_from_text(text);
  }
}

void Compact_text::Assign_bytes(std::string bytes) {
  clear();
  bytes_ = std::move(bytes);
}

void Compact_text::clear() {
  bytes_ = std::string();
  units_ = Text();
}

Unit Compact_text::At(std::size_t index) const {
  return Is_bytes() ? static_cast<unsigned char>(bytes_[index]) : units_[index];
}

Text Compact_text::To_text() const { return Is_bytes() ? Text_from_bytes(bytes_) : units_; }

QString Compact_text::To_qstring() const {
  if (!Is_bytes()) return Qstring_from_text(units_);
  QString out;
  out.reserve(static_cast<qsizetype>(bytes_.size()));
  for (const char b : bytes_) out.append(QChar(static_cast<char16_t>(Unicode_from_unit(static_cast<unsigned char>(b)))));
  return out;
}

std::optional<std::size_t> Compact_text::Append_as_bytes_checked(std::string& bytes) const {
  if (!Is_bytes()) return quorvandel::Append_as_bytes_checked(bytes, units_);
  bytes += bytes_;
  return std::nullopt;
}

}  // namespace quorvandel
