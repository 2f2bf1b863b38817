#include "resources/translations.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace quorvandel {
namespace {

QList<QTranslator*>& Installed() {
  static QList<QTranslator*> installed;
  return installed;
}

bool Install(const QString& name, const QString& folder) {
  auto* translator = new QTranslator(qApp);
  if (!translator->load(name, folder) || !QCoreApplication::installTranslator(translator)) {
    delete translator;
    return false;
  }
  Installed().append(translator);
  return true;
}

}  // namespace

QString Interface_language(int setting, const QLocale& system) {
  switch (setting) {
    case 1: return QStringLiteral("en");
    case 2: return QStringLiteral("he");
    default: break;
  }
  const QStringList languages = system.uiLanguages();
  const QString first = languages.isEmpty() ? system.name() : languages.first();
  return first.startsWith(QStringLiteral("he")) || first.startsWith(QStringLiteral("iw")) ? QStringLiteral("he")
                                                                                          : QStringLiteral("en");
}

bool Install_interface_language(const QString& language) {
  const bool right_to_left = language == QStringLiteral("he");
  QGuiApplication::setLayoutDirection(right_to_left ? Qt::RightToLeft : Qt::LeftToRight);
  if (language == QStringLiteral("en")) return true;
  // Qt's own texts (the file dialog, the standard buttons) come from the
  // system's Qt translations where they are installed; without them those
  // few texts stay English.
  Install(QStringLiteral("qtbase_") + language, QLibraryInfo::path(QLibraryInfo::TranslationsPath));
  return Install(QStringLiteral("quorvandel_") + language, QStringLiteral(":/translations"));
}

void Remove_interface_language() {
  for (QTranslator* translator : Installed()) {
    QCoreApplication::removeTranslator(translator);
    delete translator;
  }
  Installed().clear();
  QGuiApplication::setLayoutDirection(Qt::LeftToRight);
}

}  // namespace quorvandel
