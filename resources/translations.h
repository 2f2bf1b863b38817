// The interface's language: English, the source texts, or Hebrew from the
// translation embedded under ":/translations/". A QApplication must exist.
#pragma once

#include <QLocale>
#include <QString>

namespace quorvandel {

// The language a setting chooses (0 the system's, 1 English, 2 Hebrew) as
// its code, "en" or "he"; the system's is Hebrew when its first UI
// language is Hebrew, English otherwise.
QString Interface_language(int setting, const QLocale& system = QLocale::system());

// Installs the translators of `language` into the application (the
// program's own and, when the system has it, Qt's for its standard
// dialogs) and lays the windows out right to left for Hebrew. English
// needs no translator. False when the program's translation is missing.
bool Install_interface_language(const QString& language);

// Takes the translators out again and lays the windows out left to right:
// the English interface, as before the first install.
void Remove_interface_language();

}  // namespace quorvandel
