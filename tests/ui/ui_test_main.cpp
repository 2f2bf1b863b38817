// The desktop program's tests run against real widgets, headless unless a
// platform is chosen in QT_QPA_PLATFORM.
#include <QApplication>
#include <QtGui/qtguiglobal.h>

#include <gtest/gtest.h>

// Qt's switch for access keys ("&Yes" answering Alt+Y). The X11 and Windows
// platforms turn it on; the headless one leaves it off.
Q_GUI_EXPORT void qt_set_sequence_auto_mnemonic(bool on);

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // The headless platform on Windows reads its fonts from one folder
  // (QT_QPA_FONTDIR), with none by default: every letter is then a box as
  // wide as the font is high, and no caption fits. Wine hands no QT_
  // variable to the program, so the tests name the folder in their own.
  const QByteArray font_folder = qgetenv("QUORVANDEL_TEST_FONT_DIR");
  if (qEnvironmentVariableIsEmpty("QT_QPA_FONTDIR") && !font_folder.isEmpty()) qputenv("QT_QPA_FONTDIR", font_folder);
  testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  qt_set_sequence_auto_mnemonic(true);
  return RUN_ALL_TESTS();
}
