// The desktop program as a user meets it: the preferences closed by Esc,
// every tab and caption in view, the desktop launcher without a user-dirs
// file, files opened and saved in UTF-8 or single bytes, files dropped on
// the window or named on the command line, and the menus by keyboard.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gmock/gmock.h>

#include "mainwindow/info_bar.h"
#include "settings/dialogs/u_preferences.h"
#include "support/scratch_files.h"
#include "tests/ui/program_fixture.h"
#include "tools/u_about.h"
#include "settings/dialogs/u_hotkey.h"
#include "tools/u_ascii_chart.h"
#include "tools/u_idcheck.h"

namespace quorvandel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class Desktop_use : public Program_fixture {
 protected:
  // Shows `dialog` for real, as exec() does, with `user` acting on it once
  // it is up; returns its result.
  static int Run_for_real(QDialog& dialog, const std::function<void(QDialog&)>& user) {
    QTimer::singleShot(0, &dialog, [&dialog, user] { user(dialog); });
    return dialog.exec();
  }
  std::string Source_title() { return Control_named<QLabel>("SourceTitle")->text().toStdString(); }
  void Open(const fs::path& path, File_encoding encoding = File_encoding::automatic) {
    file_to_open = QString::fromStdString(path.string());
    Form().Hooks().open_file = [this, encoding](File_dialog_request& request) {
      request.encoding = encoding;
      return file_to_open;
    };
    Form().Open1Click();
  }
  void Save_as(const fs::path& path, File_encoding encoding) {
    Form().Hooks().save_file = [path, encoding, this](File_dialog_request& request) {
      offered_encoding = request.encoding;
      request.encoding = encoding;
      return QString::fromStdString(path.string());
    };
    Form().SaveAs1Click();
  }
  File_encoding offered_encoding = File_encoding::automatic;
  // Settings that convert nothing between two equal character sets.
  const std::string no_reversal =
      "[Configuration]\nsave_size_and_pos=0\n[Default_Settings]\nreverse_whole_line=0\nreverse_hebrew_words=0\n"
      "reverse_english_words=0\nreverse_hebrew_phrases=0\nreverse_english_phrases=0\n";
};

// ---- The preferences dialog ----

TEST_F(Desktop_use, EscAndTheCloseBoxCancelThePreferences) {
  const std::string settings = "[Configuration]\nshow_full_pathnames=0\nsave_size_and_pos=0\n";
  for (const bool escape : {true, false}) {
    Write_text(Ini_path(), settings);
    Start_program();
    modal_answers.push_back([escape](QDialog& dialog) {
      return Run_for_real(dialog, [escape](QDialog& up) {
        static_cast<TPrefForm&>(up).ShowPathNames->setChecked(true);
        if (escape) {
          QTest::keyClick(&up, Qt::Key_Escape);
        } else {
          up.close();
        }
      });
    });
    Form().Show_preferences(3);
    EXPECT_FALSE(Holder().operation->show_full_pathnames) << (escape ? "Esc" : "close box");
    EXPECT_FALSE(Form().dialogs().pref_form->ShowPathNames->isChecked());
    EXPECT_EQ(Text_of(Ini_path()), settings) << "nothing written";
    Close_program();
  }
}

TEST_F(Desktop_use, EveryPreferencesTabIsInViewWithItsWholeCaption) {
  Start_program();
  TPrefForm& dialog = *Form().dialogs().pref_form;
  dialog.show();
  QApplication::processEvents();
  QTabBar* tabs = dialog.PageControl->tabBar();
  for (int i = 0; i < tabs->count(); ++i) {
    const QRect tab = tabs->tabRect(i);
    EXPECT_GE(tab.left(), 0) << tabs->tabText(i).toStdString();
    EXPECT_LE(tab.right(), tabs->width()) << tabs->tabText(i).toStdString();
    EXPECT_LE(tab.right(), dialog.PageControl->width()) << tabs->tabText(i).toStdString();
    EXPECT_GE(tab.width(), tabs->fontMetrics().horizontalAdvance(tabs->tabText(i))) << tabs->tabText(i).toStdString();
  }
  dialog.hide();
}

TEST_F(Desktop_use, OperationCheckBoxesLineUpAndNameThisSystemsStartup) {
  Start_program();
  TPrefForm& dialog = *Form().dialogs().pref_form;
  dialog.Select_page(3);
  dialog.show();
  QApplication::processEvents();
  QWidget* page = dialog.PageControl->currentWidget();
  const int left = dialog.LaunchOnStartup->mapTo(page, QPoint(0, 0)).x();
  EXPECT_EQ(dialog.StartMin->mapTo(page, QPoint(0, 0)).x(), left);
  EXPECT_EQ(dialog.RememberSizePos->mapTo(page, QPoint(0, 0)).x(), left);
  EXPECT_EQ(dialog.LaunchOnStartup->text().toStdString(), "Launch on startup");
  dialog.hide();
}

TEST_F(Desktop_use, IdValidatorButtonsStandApart) {
  Start_program();
  TIDCheck& validator = *Form().dialogs().id_check;
  validator.show();
  QApplication::processEvents();
  EXPECT_GE(validator.CloseBut->x() - validator.ClearBut->geometry().right(), 6);
  validator.hide();
}

// ---- The main window ----

TEST_F(Desktop_use, ButtonCaptionsFitAtTheSmallestWindow) {
  Start_program();
  Form().resize(Form().minimumSize());
  QApplication::processEvents();
  Form().FormResize();
  for (QPushButton* button :
       {Control_named<QPushButton>("OpenBut"), Control_named<QPushButton>("Convert"), Control_named<QPushButton>("Automatic"), Control_named<QPushButton>("Preferences"), Control_named<QPushButton>("FromClipboard")}) {
    // The caption with at least a character's room on either side.
    const QFontMetrics metrics = button->fontMetrics();
    EXPECT_GE(button->width(), metrics.horizontalAdvance(button->text()) + 2 * metrics.averageCharWidth())
        << button->text().toStdString();
  }
}

TEST_F(Desktop_use, OneClickOnTheMailLinkWithoutAMailProgramShowsOneMessage) {
  Start_program();
  TAbout& about = *Form().dialogs().about;
  url_opener->program_found = false;
  about.show();
  QTest::mouseClick(about.Label2, Qt::LeftButton);
  about.hide();
  EXPECT_THAT(messages, ElementsAre("An error occurred while trying to launch the e-mail application."));
  EXPECT_EQ(url_opener->urls.size(), 1u);
}

// The launcher goes to the desktop folder; when it cannot, the message
// names the file and the reason.
TEST_F(Desktop_use, FirstRunShortcutGoesToTheDefaultDesktopFolder) {
  struct Case {
    const char* name;
    const char* listed;  // the desktop in user-dirs.dirs, below the home
    bool desktop_exists;
    bool read_only;
    const char* reason;  // none when the launcher is made
  };
  const Case cases[] = {
      {"made", nullptr, true, false, nullptr},
      {"no desktop folder", nullptr, false, false, nullptr},
      {"listed desktop missing", "Desktop", false, false, "its folder does not exist"},
      {"read-only desktop", nullptr, true, true, "there is no permission to write in its folder"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    if (test.read_only && Running_as_root()) continue;  // root may write anywhere
    fs::remove_all(Path("home"));
    fs::create_directories(Path("home/.config"));
    if (test.listed) Write_text(Path("home/.config/user-dirs.dirs"), std::string("XDG_DESKTOP_DIR=\"$HOME/") + test.listed + "\"\n");
    if (test.desktop_exists) fs::create_directories(Path("home/Desktop"));
    if (test.read_only) fs::permissions(Path("home/Desktop"), fs::perms::owner_read | fs::perms::owner_exec);
    fs::remove(Ini_path());
    Start_program();
    modal_answers = {[](QDialog&) { return 1; }, [](QDialog&) { return 2; }, [](QDialog&) { return 6; }};
    messages.clear();
    Form().FirstRunTimer();
    const fs::path launcher = Path("home/Desktop/Quorvandel 1.0.0.desktop");
    const bool made = std::string(test.name) == "made";
    EXPECT_EQ(fs::exists(launcher), made);
    if (!made) {
      ASSERT_FALSE(messages.empty());
      EXPECT_EQ(messages.back(), test.reason ? "Could not create the shortcut '" + launcher.string() +
                                                   "' on the desktop: " + test.reason + "."
                                             : "Could not create the shortcut on the desktop: no desktop folder was found.");
    } else {
      EXPECT_THAT(messages, ::testing::Not(::testing::Contains(::testing::HasSubstr("shortcut"))));
    }
    if (test.read_only) fs::permissions(Path("home/Desktop"), fs::perms::owner_all);
    Close_program();
    fs::remove_all(Path("Original files"));
    fs::remove_all(Path("Converted files"));
  }
}

// ---- Files ----

TEST_F(Desktop_use, FailedOpenChangesNothing) {
  Write_text(Path("first.txt"), "kept\r\n");
  Start_program();
  Open(Path("first.txt"));
  QTest::keyClick(RichEdit1(), Qt::Key_End);  // a key typed: modified
  Form().Show_status();
  Open(Path("missing.txt"));
  EXPECT_EQ(RichEdit1()->toPlainText().toStdString(), "kept\n");
  EXPECT_EQ(Source_title(), "Loaded: first.txt (modified)");
  EXPECT_EQ(Form().Source_file_name(), Path("first.txt").string());
}

TEST_F(Desktop_use, OpenConvertAndSaveKeepTheLastLineBreakOrItsAbsence) {
  struct Case {
    const char* name;
    std::string file;
  };
  const Case cases[] = {
      {"with the last break", "abc\r\ndef\r\n"},
      {"without", "abc\r\ndef"},
      {"one line with a break", "abc\r\n"},
      {"empty lines at the end", "abc\r\n\r\n"},
  };
  Start_program();
  for (const Case& c : cases) {
    Write_text(Path("in.txt"), c.file);
    Open(Path("in.txt"));
    Form().Convert1Click();
    Save_as(Path("out.txt"), File_encoding::single_byte);
    EXPECT_EQ(Text_of(Path("out.txt")), c.file) << c.name;
  }
}

// Opened, converted with equal character sets and nothing reversed, and
// saved in the encoding it was read in, a file comes back byte for byte.
TEST_F(Desktop_use, FilesRoundTripByteForByteInTheirEncoding) {
  struct Case {
    const char* name;
    std::string file;
    const char* encoding;  // as the source info bar shows it
  };
  const Case cases[] = {
      {"UTF-8 Hebrew", "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d abc\r\n", "UTF-8"},
      {"UTF-8 with a byte-order mark", "\xef\xbb\xbf\xd7\x90 x\r\n", "UTF-8"},
      {"UTF-8 beyond code page 1255", "\xd0\x96 \xe2\x82\xac \xf0\x9f\x98\x80 \xc2\x80 \xc3\xa9\r\n", "UTF-8"},
      {"code page 1255 bytes", "\xf9\xec\xe5\xed abc\r\n", "CP 1255"},
      {"ASCII", "plain\r\n", "CP 1255"},
      {"every byte", [] {
         std::string all;
         for (int b = 1; b < 256; ++b) {
           if (b != '\r' && b != '\n') all += static_cast<char>(b);
         }
         return all + "\r\n";
       }(), "CP 1255"},
  };
  Write_text(Ini_path(), no_reversal);
  Start_program();
  for (const Case& c : cases) {
    Write_text(Path("in.txt"), c.file);
    Open(Path("in.txt"));
    EXPECT_EQ(Control_named<TInfo_bar>("SourceInfo")->Text(2).toStdString(), c.encoding) << c.name;
    Form().Convert1Click();
    Save_as(Path("out.txt"), Form().Source_encoding());
    EXPECT_EQ(offered_encoding, Form().Source_encoding()) << c.name << ": Save As offers the source's encoding";
    EXPECT_THAT(messages, IsEmpty()) << c.name;
    EXPECT_EQ(Text_of(Path("out.txt")), c.file) << c.name;
  }
}

TEST_F(Desktop_use, CharactersWithoutAByteAreWarnedOfAndKeptInUtf8) {
  Write_text(Path("in.txt"), "\xd0\x96\xd0\x96 \xd7\x90\n");  // two Cyrillic letters and a Hebrew one
  Write_text(Path("bytes.txt"), "abc\n");
  Write_text(Ini_path(), no_reversal);
  Start_program();
  Open(Path("in.txt"));
  Form().Convert1Click();
  // A file of single bytes opened next, not yet converted: Save As now
  // offers single bytes for the destination that still holds the first.
  Open(Path("bytes.txt"), File_encoding::single_byte);
  Form().Show_status();
  EXPECT_EQ(Control_named<TInfo_bar>("DestInfo")->Text(2).toStdString(), "No byte: 2") << "warned before any save";
  Save_as(Path("out.txt"), File_encoding::single_byte);
  EXPECT_THAT(messages, ElementsAre("Couldn't save converted file due to the following error: 'the character U+0416 "
                                    "has no byte in code page 1255'."));
  EXPECT_FALSE(fs::exists(Path("out.txt")));
  Save_as(Path("out.txt"), File_encoding::utf8);
  EXPECT_EQ(Text_of(Path("out.txt")), "\xd0\x96\xd0\x96 \xd7\x90\r\n");
  EXPECT_EQ(Control_named<TInfo_bar>("DestInfo")->Text(2).toStdString(), "UTF-8");
}

TEST_F(Desktop_use, TheChosenEncodingWinsOverTheGuess) {
  Write_text(Path("in.txt"), "\xd7\x90\n");  // valid UTF-8, or the two bytes of code page 1255 letters
  Start_program();
  Open(Path("in.txt"), File_encoding::single_byte);
  EXPECT_EQ(RichEdit1()->Line(0), Text({0xD7, 0x90}));
  Open(Path("in.txt"), File_encoding::utf8);
  EXPECT_EQ(RichEdit1()->Line(0), Text({0xE0}));  // alef's byte
}

TEST_F(Desktop_use, ADroppedFileOpensInTheSourcePane) {
  Write_text(Path("dropped.txt"), "dropped\n");
  Start_program();
  QMimeData data;
  data.setUrls({QUrl::fromLocalFile(QString::fromStdString(Path("dropped.txt").string()))});
  QDragEnterEvent enter(QPoint(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&Form(), &enter);
  EXPECT_TRUE(enter.isAccepted());
  QDropEvent drop(QPointF(50, 50), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&Form(), &drop);
  EXPECT_EQ(RichEdit1()->toPlainText().toStdString(), "dropped\n");
  EXPECT_EQ(Source_title(), "Loaded: dropped.txt");

  QMimeData text_only;
  text_only.setText("not a file");
  QDragEnterEvent refused(QPoint(50, 50), Qt::CopyAction, &text_only, Qt::LeftButton, Qt::NoModifier);
  refused.setAccepted(false);
  QApplication::sendEvent(&Form(), &refused);
  EXPECT_FALSE(refused.isAccepted());
}

TEST_F(Desktop_use, AFileOnTheCommandLineOpensAndJoinsTheRecentFiles) {
  Write_text(Path("named.txt"), "named\n");
  Write_text(Path("other.txt"), "other\n");
  Start_program();
  program_->Open_command_line({"quorvandel", "-platform", QString::fromStdString(Path("named.txt").string())});
  EXPECT_EQ(Source_title(), "Loaded: named.txt");
  Open(Path("other.txt"));
  Close_program();

  Start_program();  // the list is kept in the settings file
  QStringList names;
  for (QAction* item : Control_named<QMenu>("RecentMenu")->actions()) names << item->text();
  ASSERT_EQ(names.size(), 2);
  EXPECT_TRUE(names[0].endsWith("other.txt"));
  EXPECT_TRUE(names[1].endsWith("named.txt"));
  Control_named<QMenu>("RecentMenu")->actions()[1]->trigger();
  EXPECT_EQ(RichEdit1()->toPlainText().toStdString(), "named\n");
}

// ---- The keyboard ----

TEST_F(Desktop_use, MenusOpenWithAltAndTheirLetterAndWithF10) {
  Start_program();
  Form().activateWindow();
  QApplication::setActiveWindow(&Form());
  const std::pair<Qt::Key, const char*> menus[] = {
      {Qt::Key_F, "File"}, {Qt::Key_E, "Edit"}, {Qt::Key_V, "View"}, {Qt::Key_H, "Help"}};
  for (const auto& [letter, caption] : menus) {
    QTest::keyClick(&Form(), letter, Qt::AltModifier);
    auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(popup, nullptr) << caption;
    EXPECT_EQ(popup->title().remove('&').toStdString(), caption);
    popup->close();
  }
  QTest::keyClick(RichEdit1(), Qt::Key_F10);
  auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_NE(popup, nullptr);
  EXPECT_EQ(popup->title().remove('&').toStdString(), "File");
  popup->close();
}

TEST_F(Desktop_use, CommandKeysOpenSaveConvertSelectAllAndUndo) {
  Write_text(Path("in.txt"), "abc\n");
  file_to_open = QString::fromStdString(Path("in.txt").string());
  file_to_save = QString::fromStdString(Path("out.txt").string());
  Start_program();
  Form().activateWindow();
  QApplication::setActiveWindow(&Form());
  RichEdit1()->setFocus();
  QTest::keyClick(RichEdit1(), Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(Source_title(), "Loaded: in.txt");
  // The progress window took the focus; the window manager gives it back.
  QApplication::setActiveWindow(&Form());
  RichEdit1()->setFocus();
  QTest::keyClick(RichEdit1(), Qt::Key_F5);
  EXPECT_EQ(Control_named<QLabel>("DestTitle")->text().toStdString(), "Converted: in.txt");
  QTest::keyClick(RichEdit1(), Qt::Key_S, Qt::ControlModifier);
  EXPECT_EQ(Control_named<QLabel>("DestTitle")->text().toStdString(), "Saved: " + Path("out.txt").filename().string());
  EXPECT_TRUE(fs::exists(Path("out.txt")));

  QTest::keyClicks(RichEdit1(), "x");
  QTest::keyClick(RichEdit1(), Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(RichEdit1()->toPlainText().toStdString(), "abc\n");
  QTest::keyClick(RichEdit1(), Qt::Key_A, Qt::ControlModifier);
  EXPECT_EQ(RichEdit1()->Selected_text().toStdString(), "abc\n");

}

// F1 in a dialog opens the help topic of the control that has the focus.
TEST_F(Desktop_use, F1InTheDialogsOpensTheFocusedControlsTopic) {
  Start_program();
  struct Case {
    const char* name;
    std::function<QWidget*(TMainForm&)> focused;  // shows its dialog and gives the control
    const char* topic;
  };
  const auto preferences_page = [](TMainForm& form, int page) -> TPrefForm& {
    form.dialogs().pref_form->Select_page(page);
    return *form.dialogs().pref_form;
  };
  const Case cases[] = {
      {"a reversal", [&](TMainForm& form) { return preferences_page(form, 0).WholeLine; }, "BIDITranslation"},
      {"the line length", [&](TMainForm& form) { return preferences_page(form, 0).LineLength; }, "SpacesSupport"},
      {"an end of line", [&](TMainForm& form) { return preferences_page(form, 2).EOLNFormat->button(1); },
       "EOLNSupport"},
      {"the source set", [&](TMainForm& form) { return preferences_page(form, 1).SourceCharSet->button(1); },
       "CharsetTranslation"},
      {"OK on the operation page", [&](TMainForm& form) { return preferences_page(form, 3).OK; },
       "OperationSettings"},
      {"the profile list", [&](TMainForm& form) { return preferences_page(form, 4).ProfileList; }, "Profiles"},
      {"a hotkey's Change", [&](TMainForm& form) { return preferences_page(form, 4).DefaultHotkeyChange; },
       "HotkeySettings"},
      {"a function key", [](TMainForm& form) { return form.dialogs().hotkey_selection->FKeySelected->button(3); },
       "HotkeySettings"},
      {"a digit", [](TMainForm& form) { return form.dialogs().id_check->Digit(2); }, "IDValidator"},
      {"the chart", [](TMainForm& form) { return form.dialogs().ascii_chart->Chart; }, "ASCIIChart"},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.name);
    help->topics.clear();
    QWidget* control = test.focused(Form());
    ASSERT_NE(control, nullptr);
    QWidget* dialog = control->window();
    dialog->show();
    QApplication::setActiveWindow(dialog);
    control->setFocus();
    QTest::keyClick(control, Qt::Key_F1);
    EXPECT_THAT(help->topics, ElementsAre(test.topic));
    dialog->hide();
  }
}

// The keys a menu shows beside its items, as "Item Keys".
QStringList Shown_keys(TMainForm& form, const QString& menu_title) {
  QStringList items;
  for (QAction* menu : form.menuBar()->actions()) {
    if (menu->text() != menu_title) continue;
    for (QAction* item : menu->menu()->actions()) {
      QString text = item->text().remove('&');
      const qsizetype tab = text.indexOf('\t');
      QString keys = item->shortcut().toString();
      if (tab >= 0) {
        keys = text.mid(tab + 1);
        text.truncate(tab);
      }
      if (!keys.isEmpty()) items << text + " " + keys;
    }
  }
  return items;
}

TEST_F(Desktop_use, MenusShowTheKeysOfTheirCommands) {
  Start_program();
  EXPECT_EQ(Shown_keys(Form(), "&Edit"),
            QStringList({"Undo Ctrl+Z", "Cut Ctrl+X", "Copy Ctrl+C", "Paste Ctrl+V", "Select All Ctrl+A"}));
  EXPECT_EQ(Shown_keys(Form(), "&Convert"), QStringList({"Convert F5"}));
  EXPECT_EQ(Shown_keys(Form(), "&File"), QStringList({"Open Source Ctrl+O", "Save Destination As... Ctrl+S", "Convert F5"}));
}

// Keys that leave the text as it was do not mark it changed.
TEST_F(Desktop_use, SelectingAllOrCopyingByKeysDoesNotMarkTheSource) {
  Write_text(Path("in.txt"), "abc\n");
  Start_program();
  Open(Path("in.txt"));
  QApplication::setActiveWindow(&Form());
  RichEdit1()->setFocus();
  QTest::keyClick(RichEdit1(), Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(RichEdit1(), Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(Source_title(), "Loaded: in.txt");
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "abc\n");
  QTest::keyClick(RichEdit1(), Qt::Key_X, Qt::ControlModifier);
  EXPECT_EQ(Source_title(), "Loaded: in.txt (modified)");
}

// With the cursor in either pane, Alt and a menu's letter open that menu
// and type nothing.
TEST_F(Desktop_use, AltAndALetterInAPaneOpenTheMenu) {
  Start_program();
  QApplication::setActiveWindow(&Form());
  RichEdit1()->setPlainText("text");
  for (TText_pane* pane : {RichEdit1(), RichEdit2()}) {
    pane->setFocus();
    const std::pair<Qt::Key, const char*> menus[] = {
        {Qt::Key_F, "File"}, {Qt::Key_C, "Convert"}, {Qt::Key_E, "Edit"}, {Qt::Key_V, "View"}, {Qt::Key_H, "Help"}};
    for (const auto& [letter, caption] : menus) {
      SCOPED_TRACE(std::string(pane->objectName().toStdString()) + " " + caption);
      QTest::keyClick(pane, letter, Qt::AltModifier);
      auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_NE(popup, nullptr);
      EXPECT_EQ(popup->title().remove('&').toStdString(), caption);
      popup->close();
    }
  }
  EXPECT_EQ(RichEdit1()->toPlainText().toStdString(), "text");
  EXPECT_EQ(Source_title(), "Blank");
}

}  // namespace
}  // namespace quorvandel::testing
