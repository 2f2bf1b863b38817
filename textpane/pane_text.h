// How the panes and the clipboard show engine text: every unit through the
// one code page 1255 mapping, so that nothing is lost on the way.
#pragma once

#include <QString>
#include <QStringView>
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

}  // namespace quorvandel
