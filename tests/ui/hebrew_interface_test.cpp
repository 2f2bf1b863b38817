// The program with its Hebrew interface, as a Hebrew user starts it: the
// captions in Hebrew, the windows mirrored right to left, no widget of any
// dialog cut off, the panes still laying each line out in its own text's
// direction, and help in Hebrew.
#include <QAbstractButton>
#include <QComboBox>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextLayout>

#include <gmock/gmock.h>

#include "mainwindow/info_bar.h"
#include "platform/qt/qt_help_window.h"
#include "program_fixture.h"
#include "resources/translations.h"
#include "textpane/pane_text.h"
#include "settings/dialogs/u_hotkey.h"
#include "settings/dialogs/u_preferences.h"
#include "tools/u_about.h"
#include "tools/u_ascii_chart.h"
#include "tools/u_confirm.h"
#include "tools/u_idcheck.h"
#include "tools/u_my_input_box.h"
#include "tools/u_path_selection.h"

namespace quorvandel::testing {
namespace {

// The program started in one interface language, English again afterwards.
class Interface_language_fixture : public Program_fixture {
 protected:
  void Start_in(const QString& language) {
    ASSERT_TRUE(Install_interface_language(language));
    Start_program();
  }
  void TearDown() override {
    if (program_) Close_program();
    program_.reset();
    Remove_interface_language();
  }
};

class Hebrew_interface : public Interface_language_fixture {
 protected:
  void SetUp() override { Start_in("he"); }
};

QString Menu_title(QMenuBar* bar, int index) { return bar->actions().value(index)->text(); }

TEST_F(Hebrew_interface, CaptionsReadHebrew) {
  TMainForm& form = Form();
  TPrefForm& preferences = *form.dialogs().pref_form;
  const struct {
    const char* what;
    QString shown;
    const char* hebrew;
  } cases[] = {
      {"File menu", Menu_title(form.menuBar(), 0), "&קובץ"},
      {"Edit menu", Menu_title(form.menuBar(), 2), "&עריכה"},
      {"Help menu", Menu_title(form.menuBar(), 4), "ע&זרה"},
      {"Open button", Find_control<QPushButton>(form, "OpenBut")->text(), "פתיחה"},
      {"Convert button", Find_control<QPushButton>(form, "Convert")->text(), "המרה"},
      {"Preferences button", Find_control<QPushButton>(form, "Preferences")->text(), "העדפות"},
      {"From Clipboard button", Find_control<QPushButton>(form, "FromClipboard")->text(), "מהלוח"},
      {"source banner", Find_control<QLabel>(form, "SourceBanner")->text(), "מקור"},
      {"source title", Find_control<QLabel>(form, "SourceTitle")->text(), "ריק"},
      {"tray menu", Find_control<QAction>(form, "PopExit")->text(), "יציאה מ־Quorvandel"},
      {"preferences caption", preferences.windowTitle(), "העדפות"},
      {"operation page", preferences.PageControl->tabText(3), "הגדרות הפעלה"},
      {"preferences OK", preferences.OK->text(), "אישור"},
      {"hotkey selection", form.dialogs().hotkey_selection->windowTitle(), "בחירת מקש קיצור"},
      {"ID validator", form.dialogs().id_check->windowTitle(), "בודק מספר זהות ישראלי"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.shown.toStdString(), c.hebrew) << c.what;
  EXPECT_THAT(Find_control<TInfo_bar>(form, "StatusBar1")->Panel(0)->text().toStdString(), ::testing::HasSubstr("פרופיל ברירת המחדל"));
}

TEST_F(Hebrew_interface, MessagesAndTheTrayTipReadHebrew) {
  Form().EnableHotkeysClick();  // switched off: the tray's tip says so
  ASSERT_TRUE(tray->shown);
  EXPECT_EQ(tray->shown->tip, "Quorvandel (מושבת)");
  Form().FirstRunTimer();  // every dialog of the first run answered with Cancel
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.front(), "נראה שזו הפעם הראשונה שהתוכנה מופעלת. נא להקדיש רגע להגדרות ההפעלה שלה.");
  Form().Show_message("Couldn't save settings due to the following error: 'Unable to write to /x/Quorvandel.ini'.");
  EXPECT_EQ(messages.back(),
            "לא ניתן לשמור את ההגדרות עקב השגיאה הבאה: 'לא ניתן לכתוב אל /x/Quorvandel.ini'.");
  Form().Show_message(clipboard_not_restored_message);  // from the hotkey conversion
  EXPECT_EQ(messages.back(), "לא ניתן היה להחזיר את התוכן הקודם של הלוח.");

  // The conversion's own error, with the text it quotes kept as it was.
  Form().Active_settings()->source_props->translate_hebrew_unicode = true;
  RichEdit1()->Set_pane_text(Pane_text_from_text(U"bad &#12x; entity"));
  Form().Convert1Click();
  EXPECT_EQ(messages.back(), "'12x' אינו מספר שלם תקין");
}

TEST_F(Hebrew_interface, WindowsRunRightToLeftAndPanesKeepTheirOwnGeometry) {
  TMainForm& form = Form();
  EXPECT_EQ(form.layoutDirection(), Qt::RightToLeft);
  EXPECT_EQ(form.dialogs().pref_form->layoutDirection(), Qt::RightToLeft);
  // The Open button, first in reading order, is now at the right.
  form.resize(700, 500);
  QApplication::processEvents();
  EXPECT_GT(Find_control<QPushButton>(form, "OpenBut")->mapTo(&form, QPoint()).x(), Find_control<QPushButton>(form, "FromClipboard")->mapTo(&form, QPoint()).x());
  EXPECT_EQ(Find_control<TText_pane>(form, "RichEdit1")->layoutDirection(), Qt::LeftToRight);
  EXPECT_EQ(Find_control<TText_pane>(form, "RichEdit2")->layoutDirection(), Qt::LeftToRight);
}

TEST_F(Hebrew_interface, ButtonCaptionsFitAtTheSmallestWindow) {
  TMainForm& form = Form();
  form.resize(form.minimumSize());
  QApplication::processEvents();
  form.FormResize();
  QRect taken;
  for (QPushButton* button : {Find_control<QPushButton>(form, "OpenBut"), Find_control<QPushButton>(form, "Convert"), Find_control<QPushButton>(form, "Automatic"), Find_control<QPushButton>(form, "Preferences"), Find_control<QPushButton>(form, "FromClipboard")}) {
    const QFontMetrics metrics = button->fontMetrics();
    EXPECT_GE(button->width(), metrics.horizontalAdvance(button->text()) + 2 * metrics.averageCharWidth())
        << button->text().toStdString();
    EXPECT_FALSE(taken.intersects(button->geometry())) << button->text().toStdString() << " overlaps another";
    taken = taken.united(button->geometry());
  }
}

// The leftmost and rightmost inked columns of a pane's text row.
std::optional<std::pair<int, int>> Ink(const QImage& view, int top, int height) {
  std::optional<std::pair<int, int>> span;
  for (int y = top; y < std::min(view.height(), top + height); ++y) {
    for (int x = 0; x < view.width(); ++x) {
      if (qGray(view.pixel(x, y)) > 128) continue;
      if (!span) span = std::pair{x, x};
      span->first = std::min(span->first, x);
      span->second = std::max(span->second, x);
    }
  }
  return span;
}

TEST_F(Hebrew_interface, PanesAlignHebrewRightAndEnglishLeft) {
  TMainForm& form = Form();
  form.resize(800, 500);
  form.show();
  TText_pane& pane = *Find_control<TText_pane>(form, "RichEdit1");
  pane.setPlainText(QString::fromUtf8("שלום עולם\nhello world"));
  QApplication::processEvents();
  const QImage view = pane.viewport()->grab().toImage();
  const int row = QFontMetrics(pane.font()).lineSpacing();
  const auto hebrew = Ink(view, 4, row);
  const auto english = Ink(view, 4 + row, row);
  ASSERT_TRUE(hebrew && english);
  EXPECT_GT(hebrew->second, view.width() - 40) << "the Hebrew line keeps to the right edge";
  EXPECT_LT(english->first, 40) << "the English line keeps to the left edge";
}

// Every dialog, in each interface language: no caption, box or list is
// given less room than it asks for.
class Dialogs_fit : public Interface_language_fixture, public ::testing::WithParamInterface<const char*> {
 protected:
  void SetUp() override { Start_in(GetParam()); }

  // The widgets of `dialog` shown less wide or high than their size hint.
  static std::vector<std::string> Clipped(QWidget& dialog) {
    std::vector<std::string> clipped;
    const auto check = [&](QWidget* widget, const QString& name) {
      if (!widget->isVisibleTo(&dialog)) return;
      const QSize hint = widget->sizeHint();
      if (hint.width() > widget->width() || hint.height() > widget->height()) {
        clipped.push_back(name.toStdString() + " needs " + std::to_string(hint.width()) + "x" +
                          std::to_string(hint.height()) + ", has " + std::to_string(widget->width()) + "x" +
                          std::to_string(widget->height()));
      }
    };
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>()) check(button, button->text());
    for (QLabel* label : dialog.findChildren<QLabel*>()) {
      if (!label->wordWrap() && !label->text().isEmpty()) check(label, label->text());
    }
    for (QGroupBox* group : dialog.findChildren<QGroupBox*>()) check(group, group->title());
    for (QComboBox* box : dialog.findChildren<QComboBox*>()) check(box, box->currentText());
    for (QTabBar* bar : dialog.findChildren<QTabBar*>()) check(bar, "tab bar");
    return clipped;
  }

  std::vector<std::string> Clipped_when_shown(QWidget& dialog) {
    dialog.show();
    QApplication::processEvents();
    std::vector<std::string> clipped = Clipped(dialog);
    dialog.hide();
    return clipped;
  }
};

TEST_P(Dialogs_fit, EveryPreferencesPage) {
  TPrefForm& preferences = *Form().dialogs().pref_form;
  for (int page = 0; page < preferences.PageControl->count(); ++page) {
    preferences.Select_page(page);
    EXPECT_THAT(Clipped_when_shown(preferences), ::testing::IsEmpty())
        << preferences.PageControl->tabText(page).toStdString();
  }
}

TEST_P(Dialogs_fit, EverySmallDialog) {
  const TMainForm::Dialogs& dialogs = Form().dialogs();
  dialogs.input_box->Prepare(QObject::tr("Make A New Profile"), QObject::tr("Please type a name for the new profile:"));
  const struct {
    const char* name;
    QWidget* dialog;
  } cases[] = {
      {"hotkey selection", dialogs.hotkey_selection},
      {"profile name", dialogs.input_box},
      {"confirmation", dialogs.confirm},
      {"ID validator", dialogs.id_check},
      {"path selection", dialogs.path_select},
      {"About box", dialogs.about},
      {"chart", dialogs.ascii_chart},
  };
  for (const auto& c : cases) EXPECT_THAT(Clipped_when_shown(*c.dialog), ::testing::IsEmpty()) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Languages, Dialogs_fit, ::testing::Values("en", "he"));

TEST_F(Hebrew_interface, HelpOpensInHebrew) {
  const struct {
    const char* topic;
    const char* url;
  } cases[] = {
      {"Contents", "qrc:/help/he/index.html"},
      {"StraightConversion", "qrc:/help/he/files.html"},
      {"HotkeySettings", "qrc:/help/he/profiles.html#hotkeys"},
  };
  for (const auto& c : cases) EXPECT_EQ(Help_page_for_topic(c.topic).toString().toStdString(), c.url) << c.topic;
  Qt_help_window window;
  EXPECT_EQ(window.windowTitle().toStdString(), "עזרה של Quorvandel");
}

class English_interface : public Interface_language_fixture {
 protected:
  void SetUp() override { Start_in("en"); }
};

TEST_F(English_interface, TheLanguageChosenIsKeptForTheNextStart) {
  modal_answers.push_back([](QDialog& dialog) {
    auto& preferences = static_cast<TPrefForm&>(dialog);
    EXPECT_FALSE(preferences.LanguageNote->isHidden());
    preferences.InterfaceLanguage->setCurrentIndex(language_hebrew);
    return 1;  // OK
  });
  Form().PreferencesClick();
  EXPECT_THAT(Text_of(Ini_path()), ::testing::Optional(::testing::HasSubstr("interface_language=2")));
  EXPECT_EQ(Control_named<QPushButton>("OpenBut")->text().toStdString(), "Open") << "the interface changes at the next start only";
}

// Codes quoted in a Hebrew sentence still read from left to right.
TEST_F(Hebrew_interface, HelpKeepsQuotedCodesLeftToRight) {
  Qt_help_window window;
  window.resize(820, 600);
  window.Show_topic("Contents");
  QApplication::processEvents();
  const QTextDocument& page = *window.Browser->document();
  for (const QString& code : {QStringLiteral("=F9"), QStringLiteral("&#1513;")}) {
    const QTextCursor found = page.find(code);
    ASSERT_FALSE(found.isNull()) << code.toStdString();
    const QTextBlock block = found.block();
    const QTextLayout& layout = *block.layout();
    const int first = found.selectionStart() - block.position();
    const QTextLine line = layout.lineForTextPosition(first);
    // Left to right: each character starts to the right of the one before.
    for (int i = first; i + 1 < found.selectionEnd() - block.position(); ++i) {
      EXPECT_LT(line.cursorToX(i), line.cursorToX(i + 1)) << code.toStdString() << " at " << i - first;
    }
  }
}

TEST(Interface_language, FollowsTheSettingOrElseTheSystem) {
  const struct {
    int setting;
    const char* system;
    const char* language;
  } cases[] = {
      {0, "he_IL", "he"}, {0, "en_US", "en"}, {0, "fr_FR", "en"},
      {1, "he_IL", "en"}, {2, "en_US", "he"}, {7, "he_IL", "he"},  // an unknown value: the system's
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Interface_language(c.setting, QLocale(c.system)).toStdString(), c.language)
        << c.setting << " " << c.system;
  }
}

}  // namespace
}  // namespace quorvandel::testing
