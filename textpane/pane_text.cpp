#include "textpane/pane_text.h"

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

}  // namespace quorvandel
