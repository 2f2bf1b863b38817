// The main window driven as a user drives it: files, conversions, the
// clipboard, the titles and bars, the first run and the shutdown.
#include <QClipboard>
#include <QMenuBar>
#include <QKeyEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <gmock/gmock.h>

#include "engine/convert_document.h"
#include "mainwindow/info_bar.h"
#include "settings/dialogs/u_preferences.h"
#include "tools/u_prog_bar.h"
#include "tests/ui/program_fixture.h"

namespace quorvandel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class Main_form : public Program_fixture {
 protected:
  std::string Source_title() { return Control_named<QLabel>("SourceTitle")->text().toStdString(); }
  std::string Dest_title() { return Control_named<QLabel>("DestTitle")->text().toStdString(); }
  std::string Info(TInfo_bar* bar) { return (bar->Text(0) + " " + bar->Text(1)).toStdString(); }

  void Open(const fs::path& path) {
    file_to_open = QString::fromStdString(path.string());
    Form().Open1Click();
  }
  void Save(const fs::path& path) {
    file_to_save = QString::fromStdString(path.string());
    Form().SaveAs1Click();
  }
};

// ---- Files ----

struct Round_trip_case {
  const char* name;
  const char* line_break;
  int eoln_format;
};

class Round_trip : public Main_form, public ::testing::WithParamInterface<Round_trip_case> {};

TEST_P(Round_trip, OpenConvertSaveKeepsEveryByte) {
  // Every byte but NUL, the line breaks between the lines.
  std::string lines[4];
  for (int b = 1; b <= 255; ++b) {
    if (b != '\r' && b != '\n') lines[b % 4] += static_cast<char>(b);
  }
  const std::string content = lines[0] + GetParam().line_break + lines[1] + GetParam().line_break + lines[2] +
                              GetParam().line_break + lines[3];
  Write_text(Path("in.txt"), content);
  Write_text(Ini_path(), "[Default_Settings]\nreverse_hebrew_phrases=0\ndestination_eoln_format=" +
                             std::to_string(GetParam().eoln_format) + "\n");
  Start_program();
  Open(Path("in.txt"));
  Form().Convert1Click();
  Save(Path("out.txt"));
  EXPECT_EQ(Text_of(Path("out.txt")), content);
  EXPECT_TRUE(messages.empty());
}

INSTANTIATE_TEST_SUITE_P(MainForm, Round_trip,
                         ::testing::Values(Round_trip_case{"CrLf", "\r\n", 0}, Round_trip_case{"Lf", "\n", 1},
                                           Round_trip_case{"Cr", "\r", 2}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(Main_form, OpenShowsLinesAndCounts) {
  Write_text(Path("doc.txt"), std::string("ab\0c\nd\re", 8));
  Start_program();
  Open(Path("doc.txt"));
  ASSERT_EQ(open_requests.size(), 1u);
  EXPECT_EQ(open_requests[0].folder.toStdString(), Folder() + "Original files");
  EXPECT_EQ(RichEdit1()->toPlainText().toStdString(), "abAc\nd\ne\n");
  EXPECT_EQ(Source_title(), "Loaded: doc.txt");
  EXPECT_EQ(Info(Control_named<TInfo_bar>("SourceInfo")), "Bytes: 12 Lines: 3");
  EXPECT_EQ(Form().dialogs().prog_bar->windowTitle().toStdString(), "Opening File...");
  EXPECT_FALSE(Form().dialogs().prog_bar->isVisible());
}

TEST_F(Main_form, OpenOfThreeBytesCountsFiveAndOneLine) {
  Write_text(Path("abc.txt"), "abc");
  Start_program();
  Open(Path("abc.txt"));
  EXPECT_EQ(Info(Control_named<TInfo_bar>("SourceInfo")), "Bytes: 5 Lines: 1");
}

TEST_F(Main_form, OpenReadsAFileThatReportsNoSize) {
  Start_program();
  Open("/proc/self/status");  // its size reads as 0, yet it has lines
  EXPECT_GT(RichEdit1()->Line_count(), 3);
  EXPECT_TRUE(messages.empty());
}

TEST_F(Main_form, FailedOpenKeepsTextStatusAndName) {
  Write_text(Path("first.txt"), "x");
  Start_program();
  Open(Path("first.txt"));
  Open(Path("missing.txt"));
  EXPECT_THAT(messages, ElementsAre("Couldn't read input file due to the following error: 'No such file or directory'."));
  EXPECT_EQ(Source_title(), "Loaded: first.txt");
  EXPECT_EQ(RichEdit1()->toPlainText(), "x\n");
}

TEST_F(Main_form, CancelledOpenChangesNothing) {
  Start_program();
  RichEdit1()->setPlainText("kept");
  file_to_open.clear();
  Form().Open1Click();
  EXPECT_EQ(RichEdit1()->toPlainText(), "kept");
  EXPECT_EQ(Source_title(), "Blank");
}

TEST_F(Main_form, SaveProposesConvertedNameAndMarksSaved) {
  Write_text(Path("doc.txt"), "abc");
  Write_text(Ini_path(), "[Configuration]\nshow_full_pathnames=1\n");
  Start_program();
  Open(Path("doc.txt"));
  EXPECT_EQ(Source_title(), "Loaded: " + Path("doc.txt").string());
  Form().Convert1Click();
  EXPECT_EQ(Dest_title(), "Converted: doc.txt");
  Save(Path("saved.txt"));
  ASSERT_EQ(save_requests.size(), 1u);
  EXPECT_EQ(save_requests[0].proposed_name.toStdString(), "doc.txt");
  EXPECT_EQ(save_requests[0].folder.toStdString(), Folder() + "Converted files");
  EXPECT_TRUE(save_requests[0].confirm_overwrite);
  EXPECT_EQ(Dest_title(), "Saved: " + Path("saved.txt").string());
  EXPECT_EQ(Text_of(Path("saved.txt")), "abc");
}

TEST_F(Main_form, FailedSaveReportsAndKeepsStatus) {
  Start_program();
  RichEdit1()->setPlainText("abc");
  Form().Convert1Click();
  Save(Path("no such folder/out.txt"));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_THAT(messages[0], HasSubstr("Couldn't save converted file due to the following error: '"));
  EXPECT_EQ(Dest_title(), "Converted");
}

TEST_F(Main_form, SaveRefusesCharactersWithoutByteAndKeepsOldFile) {
  Write_text(Path("out.txt"), "old");
  Start_program();
  RichEdit1()->setPlainText(QString::fromUtf8("a\xd0\x96"));
  Form().Convert1Click();
  Save(Path("out.txt"));
  EXPECT_THAT(messages, ElementsAre("Couldn't save converted file due to the following error: 'the character U+0416 "
                                    "has no byte in code page 1255'."));
  EXPECT_EQ(Text_of(Path("out.txt")), "old");
}

// ---- Titles, marks and the status line ----

TEST_F(Main_form, TitlesFollowTheCommands) {
  Write_text(Path("doc.txt"), "abc");
  Start_program();
  EXPECT_EQ(Source_title(), "Blank");
  EXPECT_EQ(Dest_title(), "Blank");
  EXPECT_EQ(Info(Control_named<TInfo_bar>("StatusBar1")), "Active profile: 'Default profile' Windows --> Windows");

  Open(Path("doc.txt"));
  QTest::keyClick(RichEdit1(), Qt::Key_Right);
  EXPECT_EQ(Source_title(), "Loaded: doc.txt (modified)");
  Form().Clear1Click();
  EXPECT_EQ(Source_title(), "Blank");
  EXPECT_EQ(Form().Source_file_name(), Path("doc.txt").string());
  Form().Convert1Click();
  EXPECT_EQ(Dest_title(), "Converted");

  QApplication::clipboard()->setText("pasted");
  Form().Paste1Click();
  EXPECT_EQ(Source_title(), "Blank");
  EXPECT_EQ(RichEdit1()->toPlainText(), "pasted");
}

TEST_F(Main_form, StatusLineShowsCharacterSets) {
  Write_text(Ini_path(), "[Default_Settings]\nsource_char_set=4\ndestination_char_set=1\n");
  Start_program();
  EXPECT_EQ(Control_named<TInfo_bar>("StatusBar1")->Text(1).toStdString(), "Qwerty (U) --> DOS");
}

TEST_F(Main_form, ConversionOfManyLinesShowsProgressAndHidesIt) {
  Start_program();
  QString text;
  for (int i = 0; i < 120; ++i) text += "line\n";
  RichEdit1()->setPlainText(text);
  Form().Convert1Click();
  EXPECT_FALSE(Form().dialogs().prog_bar->isVisible());
  EXPECT_EQ(Form().dialogs().prog_bar->windowTitle().toStdString(), "Converting...");
  EXPECT_EQ(Info(Control_named<TInfo_bar>("DestInfo")), "Bytes: " + std::to_string(120 * 6) + " Lines: 120");  // the last break too
}

TEST_F(Main_form, DestinationShowsEveryLineBreakKind) {
  Write_text(Ini_path(), "[Default_Settings]\ndestination_eoln_format=2\n");
  Start_program();
  RichEdit1()->setPlainText("a\n\nb");
  Form().Convert1Click();
  EXPECT_EQ(Form().Destination_text(), U"a\r\rb");
  EXPECT_EQ(RichEdit2()->toPlainText(), "a\n\nb");
}

// ---- The clipboard ----

TEST_F(Main_form, FromClipboardConvertsAndPutsTheResultBack) {
  Write_text(Ini_path(), "[Default_Settings]\ndestination_char_set=2\nreverse_hebrew_phrases=0\n");
  Start_program();
  QApplication::clipboard()->setText(QString::fromUtf8("\xd7\x90\xd7\x91 \xd0\x96"));
  Form().FromClipboardClick();
  EXPECT_EQ(RichEdit1()->toPlainText().toStdString(), "\xd7\x90\xd7\x91 \xd0\x96");
  EXPECT_EQ(RichEdit2()->toPlainText().toStdString(), "AB \xd0\x96");
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "AB \xd0\x96");
  EXPECT_EQ(Source_title(), "From Clipboard");
  EXPECT_EQ(Dest_title(), "Converted");
}

TEST_F(Main_form, FromClipboardWithoutTextLeavesBothPanesEmpty) {
  Start_program();
  QApplication::clipboard()->clear();
  RichEdit1()->setPlainText("old");
  Form().FromClipboardClick();
  EXPECT_EQ(RichEdit1()->toPlainText(), "");
  EXPECT_EQ(RichEdit2()->toPlainText(), "");
  EXPECT_EQ(QApplication::clipboard()->text(), "");
}

// ---- Start-up, first run and shutdown ----

TEST_F(Main_form, FirstRunAsksAndCreatesFoldersAndLauncher) {
  fs::create_directories(Path("home/Desktop"));
  fs::create_directories(Path("home/.config"));
  Write_text(Path("home/.config/user-dirs.dirs"), "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n");
  Start_program();
  EXPECT_FALSE(Form().Settings_file_found());
  EXPECT_TRUE(Form().First_run_timer().isActive());
  EXPECT_EQ(Form().First_run_timer().interval(), 500);

  modal_answers = {[](QDialog&) { return 1; }, [](QDialog&) { return 2; }, [](QDialog&) { return 6; }};
  Form().FirstRunTimer();
  EXPECT_FALSE(Form().First_run_timer().isActive());
  EXPECT_THAT(shown, ElementsAre("quorvandel::TAbout", "quorvandel::TPrefForm", "quorvandel::TConfirm"));
  EXPECT_THAT(messages, ElementsAre("It seems to be the first time you're running this program. Please take a moment "
                                    "to configure its operation settings."));
  EXPECT_EQ(Form().dialogs().pref_form->PageControl->currentIndex(), 3);
  EXPECT_TRUE(fs::is_directory(Path("Original files")));
  EXPECT_TRUE(fs::is_directory(Path("Converted files")));
  EXPECT_THAT(Text_of(Path("home/Desktop/Quorvandel 1.0.0.desktop")), ::testing::Optional(HasSubstr("Exec=")));
}

TEST_F(Main_form, FirstRunReportsFoldersThatExistAndDeclinedLauncher) {
  fs::create_directory(Path("Original files"));
  fs::create_directory(Path("Converted files"));
  Start_program();
  modal_answers = {[](QDialog&) { return 1; }, [](QDialog&) { return 2; }, [](QDialog&) { return 7; }};
  Form().FirstRunTimer();
  EXPECT_THAT(messages, ElementsAre(::testing::_, "Could not create the default 'Original files' folder.",
                                    "Could not create the default 'Converted files' folder."));
}

TEST_F(Main_form, SavedGeometryRestoredOnlyWhenAllPositive) {
  Write_text(Ini_path(), "[Configuration]\nwindow_pos_x=30\nwindow_pos_y=40\nwindow_width=700\nwindow_height=500\n");
  Start_program();
  EXPECT_FALSE(Form().First_run_timer().isActive());
  EXPECT_EQ(Form().pos(), QPoint(30, 40));
  EXPECT_EQ(Form().size(), QSize(700, 500));
}

TEST_F(Main_form, ZeroWindowKeyKeepsDesignSize) {
  Write_text(Ini_path(), "[Configuration]\nwindow_pos_x=0\nwindow_pos_y=40\nwindow_width=700\nwindow_height=500\n");
  Start_program();
  EXPECT_EQ(Form().size(), QSize(604, 435));
}

TEST_F(Main_form, StartMinimizedToTrayOnlyKeepsWindowHidden) {
  Write_text(Ini_path(), "[Configuration]\nstart_minimized=1\nmin_to_systray=1\n");
  Start_program();
  EXPECT_FALSE(Form().isVisible());
  EXPECT_TRUE(Form().Minimized());
  EXPECT_FALSE(Form().Started_normally());
}

TEST_F(Main_form, ShutdownWritesAndDeletesTheLoginEntry) {
  const fs::path entry = Path("home/.config/autostart/Quorvandel.desktop");
  Write_text(Ini_path(), "[Configuration]\nlaunch_on_windows_startup=1\nsave_size_and_pos=0\n");
  Start_program();
  Close_program();
  EXPECT_THAT(Text_of(entry), ::testing::Optional(HasSubstr(Folder() + "quorvandel")));
  EXPECT_EQ(Form().Holder(), nullptr);

  program_.reset();
  Write_text(Ini_path(), "[Configuration]\nlaunch_on_windows_startup=0\nsave_size_and_pos=0\n");
  const std::string settings = Text_of(Ini_path()).value_or("");
  Start_program();
  Close_program();
  EXPECT_FALSE(fs::exists(entry));
  EXPECT_EQ(Text_of(Ini_path()), settings);  // nothing saved with save_size_and_pos off
  EXPECT_TRUE(messages.empty());
}

TEST_F(Main_form, ShutdownSavesOnlyTheWindowKeys) {
  Start_program();
  Form().resize(640, 480);
  Close_program();
  const std::string settings = Text_of(Ini_path()).value_or("");
  EXPECT_THAT(settings, HasSubstr("window_width=640\n"));
  EXPECT_THAT(settings, HasSubstr("window_height=480\n"));
  EXPECT_THAT(settings, ::testing::Not(HasSubstr("confirm_overwrites")));
  EXPECT_THAT(settings, ::testing::Not(HasSubstr("Default_Settings")));
}

TEST_F(Main_form, ClosingDuringAConversionWaitsForItsEnd) {
  Write_text(Ini_path(), "[Configuration]\nsave_size_and_pos=0\n");
  Start_program();
  QString text;
  for (int i = 0; i < 12000; ++i) text += "line\n";
  RichEdit1()->setPlainText(text);
  // The conversion lets the window handle what is pending after 5000 lines.
  QTimer::singleShot(0, &Form(), [this] { Form().close(); });
  Form().Convert1Click();
  EXPECT_EQ(RichEdit2()->Line_count(), 12000);
  EXPECT_EQ(Form().Holder(), nullptr);  // closed once the conversion ended
}

TEST_F(Main_form, UnwritableLoginEntryIsReported) {
  Start_program();
  Write_text(Path("home/.config/autostart"), "a file where the folder should be");
  Close_program();
  EXPECT_THAT(messages, ElementsAre("Couldn't change the 'launch on startup' settings."));
}

// ---- The tools ----

TEST_F(Main_form, ToolsOpenFromTheirMenus) {
  Start_program();
  for (QAction* menu : Form().menuBar()->actions()) {
    for (QAction* item : menu->menu()->actions()) {
      const QString caption = QString(item->text()).remove('&');
      if (caption == "Bonus: Validate ID" || caption == "Character Chart") item->trigger();
    }
  }
  EXPECT_THAT(shown, ElementsAre("quorvandel::TIDCheck", "quorvandel::TASCIIChart"));
}

// ---- Layout ----

TEST_F(Main_form, ButtonsAndColumnsStayApartAtEveryWidth) {
  Start_program();
  for (const int width : {Form().minimumSize().width(), 604, 1300}) {
    SCOPED_TRACE(width);
    Form().resize(width, 435);
    QApplication::processEvents();
    int free_from = 0;  // the buttons in their row, left to right, none over another
    for (const char* name : {"OpenBut", "Convert", "Automatic", "Preferences", "FromClipboard"}) {
      const QPushButton* button = Control_named<QPushButton>(name);
      const int left = button->mapTo(&Form(), QPoint()).x();
      EXPECT_GE(left, free_from) << name;
      EXPECT_LE(left + button->width(), Form().width()) << name;
      free_from = left + button->width();
    }
    const QWidget* source = Control_named<QWidget>("LeftPanel");
    const QWidget* destination = Control_named<QWidget>("RightPanel");
    EXPECT_LE(source->mapTo(&Form(), QPoint()).x() + source->width(), destination->mapTo(&Form(), QPoint()).x());
    EXPECT_LE(destination->mapTo(&Form(), QPoint()).x() + destination->width(), Form().width());
    EXPECT_GT(source->width(), 0);
    EXPECT_GT(destination->width(), 0);
  }
}

TEST_F(Main_form, SplitterShareKeptWhenWindowGrows) {
  Start_program();
  Form().resize(604, 435);
  QApplication::processEvents();
  const int inner = Control_named<QWidget>("OuterPanel")->width() - 16;
  Control_named<QSplitter>("Splitter1")->setSizes({inner / 3, inner - inner / 3});
  Form().Splitter1Moved();
  Form().resize(904, 435);
  QApplication::processEvents();
  const int grown_inner = Control_named<QWidget>("OuterPanel")->width() - 16;
  EXPECT_NEAR(Control_named<QWidget>("LeftPanel")->width(), grown_inner / 3.0, 2.0)
      << "outer " << Control_named<QWidget>("OuterPanel")->width() << " sizes " << Control_named<QSplitter>("Splitter1")->sizes().value(0) << ","
      << Control_named<QSplitter>("Splitter1")->sizes().value(1);
  EXPECT_EQ(Control_named<TInfo_bar>("SourceInfo")->Panel(0)->width(), Control_named<QWidget>("LeftPanel")->width() / 2);
  EXPECT_GE(Form().minimumSize().width(), 400);
  EXPECT_EQ(Form().minimumSize().height(), 300);
}

}  // namespace
}  // namespace quorvandel::testing
