#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "platform/input_language_service.h"
#include "support/recording_input_language.h"
#include "support/recording_url_opener.h"
#include "resources/icons.h"
#include "tools/directory_list.h"
#include "tools/modal_result.h"
#include "tools/u_about.h"
#include "tools/u_confirm.h"
#include "tools/u_my_input_box.h"
#include "tools/u_path_selection.h"
#include "tools/u_prog_bar.h"

// Readable failure messages for the Qt values compared below.
static void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
static void PrintTo(const QPoint& point, std::ostream* out) { *out << '(' << point.x() << ", " << point.y() << ')'; }
static void PrintTo(const QRect& rect, std::ostream* out) {
  *out << '(' << rect.x() << ", " << rect.y() << ") " << rect.width() << 'x' << rect.height();
}

namespace quorvandel {
namespace {

// Runs the dialog modally and lets `answer` act on it once it is up and
// active. A dialog that `answer` leaves open is ended with -1, so the test
// fails instead of waiting.
int Exec_answering(QDialog& dialog, const std::function<void()>& answer) {
  QTimer::singleShot(0, &dialog, [&dialog, answer] {
    QApplication::processEvents();  // the window system's activation of the dialog
    answer();
    if (dialog.isVisible()) dialog.done(-1);
  });
  const int result = dialog.exec();
  QApplication::processEvents();  // the program's idle time before the next use
  return result;
}

void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

std::size_t Distinct_colours(const QImage& image) {
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) colours.insert(image.pixel(x, y));
  }
  return colours.size();
}

// ---- Confirmation ----

struct Confirm_case {
  const char* name;
  std::function<void(TConfirm&)> answer;
  int expected;
};

TEST(Confirm, AnswersYesOrNoWithTheirResults) {
  const std::vector<Confirm_case> cases = {
      {"Yes clicked", [](TConfirm& d) { Click(d.Yes); }, mr_yes},
      {"No clicked", [](TConfirm& d) { Click(d.No); }, mr_no},
      {"Esc", [](TConfirm& d) { QTest::keyClick(&d, Qt::Key_Escape); }, mr_no},
      {"Enter on the opening focus", [](TConfirm& d) { QTest::keyClick(d.focusWidget(), Qt::Key_Return); }, mr_no},
      {"Tab to Yes, Enter",
       [](TConfirm& d) {
         QTest::keyClick(d.focusWidget(), Qt::Key_Tab);
         QTest::keyClick(d.focusWidget(), Qt::Key_Return);
       },
       mr_yes},
  };
  TConfirm confirm;  // one dialog for every case, as the program reuses it
  for (const Confirm_case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Exec_answering(confirm, [&] { c.answer(confirm); }), c.expected);
  }
}

// An access key presses its button at once and releases it, clicking it,
// a moment later; the test looks at the press only.
TEST(Confirm, AccessKeysPressTheirButtons) {
  struct Access_case {
    Qt::Key key;
    QPushButton* TConfirm::*button;
  };
  const Access_case cases[] = {{Qt::Key_Y, &TConfirm::Yes}, {Qt::Key_N, &TConfirm::No}};
  for (const Access_case& c : cases) {
    TConfirm confirm;
    QPushButton* const button = confirm.*c.button;
    bool pressed = false;
    Exec_answering(confirm, [&] {
      QTest::keyClick(&confirm, c.key, Qt::AltModifier);
      pressed = button->isDown();
      confirm.done(mr_none);
    });
    EXPECT_TRUE(pressed) << button->text().toStdString();
  }
}

TEST(Confirm, NoHasTheFocusEachTimeItOpens) {
  TConfirm confirm;
  std::vector<QWidget*> focus_at_opening;
  for (int use = 0; use < 2; ++use) {
    Exec_answering(confirm, [&] {
      focus_at_opening.push_back(confirm.focusWidget());
      QTest::keyClick(confirm.focusWidget(), Qt::Key_Tab);  // leaves the focus on Yes
      QTest::keyClick(&confirm, Qt::Key_Escape);
    });
  }
  EXPECT_EQ(focus_at_opening, (std::vector<QWidget*>{confirm.No, confirm.No}));
}

// ---- Input box ----

struct Input_case {
  const char* name;
  QString initial_text;
  QString typed;
  std::function<void(TMyInputBox&)> finish;
  int expected;
  QString expected_text;
};

TEST(InputBox, EndsWithOkAndTheTextOrCancel) {
  const auto ok = [](TMyInputBox& d) { Click(d.BitBtn1); };
  const auto enter = [](TMyInputBox& d) { QTest::keyClick(d.focusWidget(), Qt::Key_Return); };
  const auto cancel = [](TMyInputBox& d) { Click(d.BitBtn2); };
  const auto escape = [](TMyInputBox& d) { QTest::keyClick(d.focusWidget(), Qt::Key_Escape); };
  const std::vector<Input_case> cases = {
      {"OK", "", "Work", ok, mr_ok, "Work"},
      {"Enter", "", "Work", enter, mr_ok, "Work"},
      {"typing replaces the text it opened with", "Old name", "New", ok, mr_ok, "New"},
      {"OK without typing", "Old name", "", ok, mr_ok, "Old name"},
      {"Cancel", "", "Work", cancel, mr_cancel, "Work"},
      {"Esc", "", "Work", escape, mr_cancel, "Work"},
  };
  quorvandel::testing::Recording_input_language input_language;
  TMyInputBox input_box(input_language);
  for (const Input_case& c : cases) {
    SCOPED_TRACE(c.name);
    input_box.Content->setText(c.initial_text);
    const int result = Exec_answering(input_box, [&] {
      QTest::keyClicks(input_box.focusWidget(), c.typed);
      c.finish(input_box);
    });
    EXPECT_EQ(result, c.expected);
    EXPECT_EQ(input_box.Content->text(), c.expected_text);
  }
}

TEST(InputBox, PrepareSetsCaptionAndPromptButKeepsTheEntry) {
  quorvandel::testing::Recording_input_language input_language;
  TMyInputBox input_box(input_language);
  input_box.Content->setText("Visual DOS");
  input_box.Prepare("Rename a Profile", "Please type a new name for the profile:");
  EXPECT_EQ(input_box.windowTitle(), "Rename a Profile");
  EXPECT_EQ(input_box.Label1->text(), "Please type a new name for the profile:");
  EXPECT_EQ(input_box.Content->text(), "Visual DOS");
}

TEST(InputBox, EntryAsksForUsEnglishWhenFocused) {
  quorvandel::testing::Recording_input_language input_language;
  TMyInputBox input_box(input_language);
  std::vector<std::uint32_t>& requests = input_language.requests;
  Exec_answering(input_box, [&] {
    QTest::keyClick(input_box.focusWidget(), Qt::Key_Tab);
    requests.clear();
    input_box.Content->setFocus(Qt::TabFocusReason);
    Click(input_box.BitBtn2);
  });
  EXPECT_EQ(requests, std::vector<std::uint32_t>{us_english_layout});
}

// ---- Folder chooser ----

// A folder with subfolders "alpha" (holding "inner"), "Beta" and "Gamma",
// a hidden folder and a file.
class PathSelect : public ::testing::Test {
 public:
  void SetUp() override {
    ASSERT_TRUE(scratch.isValid());
    QDir root(scratch.path());
    for (const char* folder : {"Gamma", "alpha/inner", "Beta", ".hidden"}) ASSERT_TRUE(root.mkpath(folder));
    QFile file(root.filePath("notes.txt"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    base = QDir::cleanPath(scratch.path());
  }

  QListWidgetItem* Line_for(const QString& path) const {
    for (int row = 0; row < dialog.DirectoryListBox1->count(); ++row) {
      QListWidgetItem* line = dialog.DirectoryListBox1->item(row);
      if (Directory_list::Path_of(*line) == path) return line;
    }
    return nullptr;
  }

  void Double_click(const QString& path) {
    QListWidgetItem* line = Line_for(path);
    ASSERT_NE(line, nullptr) << path.toStdString();
    const QPoint centre = dialog.DirectoryListBox1->visualItemRect(line).center();
    // A double click as the window system delivers it.
    QWidget* const viewport = dialog.DirectoryListBox1->viewport();
    QTest::mousePress(viewport, Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseDClick(viewport, Qt::LeftButton, Qt::NoModifier, centre);
    QTest::mouseRelease(viewport, Qt::LeftButton, Qt::NoModifier, centre);
  }

  QTemporaryDir scratch;
  QString base;
  TPathSelect dialog;
};

TEST_F(PathSelect, ClosingWithoutChangeKeepsTheFolderItOpenedOn) {
  struct Close_case {
    const char* name;
    std::function<void(TPathSelect&)> close;
    int expected;
  };
  const std::vector<Close_case> cases = {
      {"OK", [](TPathSelect& d) { Click(d.BitBtn1); }, mr_ok},
      {"Cancel", [](TPathSelect& d) { Click(d.BitBtn2); }, mr_cancel},
      {"Esc", [](TPathSelect& d) { QTest::keyClick(&d, Qt::Key_Escape); }, mr_cancel},
  };
  for (const Close_case& c : cases) {
    SCOPED_TRACE(c.name);
    dialog.DirectoryListBox1->Set_directory(base + "/Beta");
    EXPECT_EQ(Exec_answering(dialog, [&] { c.close(dialog); }), c.expected);
    EXPECT_EQ(dialog.SelectedPath, base + "/Beta");
  }
}

TEST_F(PathSelect, ListsThePathFromTheRootThenTheVisibleSubfoldersInOrder) {
  dialog.DirectoryListBox1->Set_directory(base);
  // The root ("/", or a drive's "C:/") is a line of its own.
  ASSERT_TRUE(base.startsWith(QDir::rootPath(), Qt::CaseInsensitive)) << base.toStdString();
  QStringList expected_lines = base.mid(QDir::rootPath().size()).split('/', Qt::SkipEmptyParts);
  expected_lines.prepend(QDir::toNativeSeparators(QDir::rootPath()));
  const int current_row = static_cast<int>(expected_lines.size()) - 1;
  expected_lines << "alpha" << "Beta" << "Gamma";

  QStringList lines;
  std::vector<int> depths;
  for (int row = 0; row < dialog.DirectoryListBox1->count(); ++row) {
    lines << dialog.DirectoryListBox1->item(row)->text();
    depths.push_back(Directory_list::Depth_of(*dialog.DirectoryListBox1->item(row)));
  }
  EXPECT_EQ(lines, expected_lines);
  EXPECT_EQ(dialog.DirectoryListBox1->currentRow(), current_row);
  std::vector<int> expected_depths;
  for (int row = 0; row <= current_row; ++row) expected_depths.push_back(row);
  expected_depths.insert(expected_depths.end(), 3, current_row + 1);
  EXPECT_EQ(depths, expected_depths);
}

TEST_F(PathSelect, SelectedPathFollowsTheCurrentFolder) {
  struct Move_case {
    const char* name;
    QString start;
    std::function<void(PathSelect&)> move;
    QString expected;  // under `base`
  };
  const std::vector<Move_case> cases = {
      {"double-click a subfolder", "", [](PathSelect& t) { t.Double_click(t.base + "/alpha"); }, "/alpha"},
      {"double-click a folder of the path", "/alpha/inner",
       [](PathSelect& t) { t.Double_click(t.base + "/alpha"); }, "/alpha"},
      {"Enter on a subfolder", "",
       [](PathSelect& t) {
         t.dialog.DirectoryListBox1->setCurrentItem(t.Line_for(t.base + "/Gamma"));
         QTest::keyClick(t.dialog.DirectoryListBox1, Qt::Key_Return);
       },
       "/Gamma"},
      {"the caller sets a folder", "",
       [](PathSelect& t) { t.dialog.DirectoryListBox1->Set_directory(t.base + "/Beta"); }, "/Beta"},
      {"a missing folder gives way to its nearest existing ancestor", "",
       [](PathSelect& t) { t.dialog.DirectoryListBox1->Set_directory(t.base + "/alpha/gone/deeper"); }, "/alpha"},
  };
  for (const Move_case& c : cases) {
    SCOPED_TRACE(c.name);
    dialog.DirectoryListBox1->Set_directory(base + c.start);
    dialog.show();
    c.move(*this);
    dialog.hide();
    EXPECT_EQ(dialog.SelectedPath, base + c.expected);
    EXPECT_EQ(dialog.DirectoryListBox1->Directory(), base + c.expected);
  }
}

TEST_F(PathSelect, ChoosingHomeInTheDriveListShowsTheHomeFolder) {
  dialog.DirectoryListBox1->Set_directory(QDir::rootPath());
  dialog.show();
  QTest::keyClick(dialog.DriveComboBox1, Qt::Key_Home);
  dialog.hide();
  EXPECT_EQ(dialog.SelectedPath, QDir::cleanPath(QDir::homePath()));
}

TEST(Volumes, ListsThePlacesUsersKeepFilesOn) {
  struct Volume_case {
    const char* root;
    const char* type;
    bool listed;
  };
  const Volume_case cases[] = {
      {"/", "ext4", true},
      {"/media/dana/USB STICK", "vfat", true},
      {"/run/media/dana/USB", "exfat", true},
      {"/run", "tmpfs", false},
      {"/run/user/1000", "tmpfs", false},
      {"/running", "ext4", true},
      {"/snap/core22/1380", "squashfs", false},
  };
  for (const Volume_case& c : cases) {
    EXPECT_EQ(Is_listed_volume(c.root, c.type), c.listed) << c.root;
  }
}

// ---- Progress window ----

TEST(ProgBar, StaysUpUntilTheWorkHidesIt) {
  TProgBar progress;
  progress.setWindowTitle("Opening File...");
  progress.show();
  EXPECT_FALSE(progress.isModal());
  EXPECT_EQ(progress.Progress->minimum(), 0);
  EXPECT_EQ(progress.Progress->maximum(), 1000);
  EXPECT_EQ(progress.cursor().shape(), Qt::WaitCursor);

  QTest::keyClick(&progress, Qt::Key_Escape);
  EXPECT_TRUE(progress.isVisible());
  progress.close();
  EXPECT_FALSE(progress.isVisible());
}

// ---- About box ----

struct Link_case {
  const char* name;
  bool mail_program_started;
  int failure_signals;
};

TEST(About, LinkTurnsRedWhilePressedThenOpensAMailMessage) {
  const Link_case cases[] = {{"mail program started", true, 0}, {"no mail program", false, 1}};
  for (const Link_case& c : cases) {
    SCOPED_TRACE(c.name);
    quorvandel::testing::Recording_url_opener url_opener;
    url_opener.program_found = c.mail_program_started;
    TAbout about(url_opener);
    const auto opened = [&] {
      std::vector<QUrl> urls;
      for (const std::string& url : url_opener.urls) urls.emplace_back(QString::fromStdString(url));
      return urls;
    };
    QSignalSpy failures(&about, &TAbout::Mail_launch_failed);
    about.show();

    QTest::mousePress(about.Label2, Qt::LeftButton);
    EXPECT_EQ(about.Label2->palette().color(QPalette::WindowText), QColor(Qt::red));
    EXPECT_TRUE(opened().empty());
    QTest::mouseRelease(about.Label2, Qt::LeftButton);
    EXPECT_EQ(about.Label2->palette().color(QPalette::WindowText), QColor(Qt::blue));
    EXPECT_EQ(opened(), std::vector<QUrl>{QUrl("mailto:" + about.Label2->text())});
    EXPECT_TRUE(about.Label2->text().endsWith("@example.org"));
    EXPECT_EQ(failures.count(), c.failure_signals);
  }
}

TEST(About, PictureSitsInTheMainPanelsBottomRightCorner) {
  struct Position_case {
    QSize panel;
    int border;
    QSize picture;
    QPoint expected;
  };
  const Position_case cases[] = {
      {{462, 383}, 20, {165, 115}, {275, 246}},
      {{300, 200}, 10, {50, 40}, {238, 148}},
  };
  for (const Position_case& c : cases) {
    EXPECT_EQ(Picture_position(c.panel, c.border, c.picture), c.expected);
  }
  quorvandel::testing::Recording_url_opener url_opener;
  TAbout about(url_opener);
  EXPECT_EQ(about.ABC->geometry(), QRect(275, 246, 165, 115));
  EXPECT_TRUE(about.Main_panel->geometry().contains(about.ABC->geometry().translated(about.Main_panel->pos())));
}

TEST(About, ClosesWithOkOrEsc) {
  quorvandel::testing::Recording_url_opener url_opener;
  TAbout about(url_opener);
  EXPECT_EQ(Exec_answering(about, [&] { Click(about.BitBtn1); }), mr_ok);
  EXPECT_EQ(Exec_answering(about, [&] { QTest::keyClick(&about, Qt::Key_Escape); }), mr_cancel);
}

// ---- Every dialog ----

TEST(Dialogs, OpenCentredAtTheirSizeAndPaint) {
  struct Dialog_case {
    const char* name;
    std::function<std::unique_ptr<QDialog>()> make;
    QSize size;
  };
  quorvandel::testing::Recording_input_language input_language;
  quorvandel::testing::Recording_url_opener url_opener;
  const std::vector<Dialog_case> cases = {
      {"confirmation", [] { return std::make_unique<TConfirm>(); }, {394, 126}},
      {"input box", [&] { return std::make_unique<TMyInputBox>(input_language); }, {370, 135}},
      {"folder chooser", [] { return std::make_unique<TPathSelect>(); }, {351, 323}},
      {"progress", [] { return std::make_unique<TProgBar>(); }, {283, 60}},
      {"about", [&] { return std::make_unique<TAbout>(url_opener); }, {480, 454}},
  };
  const QPoint screen_centre = QGuiApplication::primaryScreen()->availableGeometry().center();
  for (const Dialog_case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::unique_ptr<QDialog> dialog = c.make();
    dialog->show();
    EXPECT_EQ(dialog->size(), c.size);
    EXPECT_LE((dialog->frameGeometry().center() - screen_centre).manhattanLength(), 2);
    const QImage image = dialog->grab().toImage();
    ASSERT_EQ(image.size(), c.size);
    EXPECT_GE(Distinct_colours(image), 3u);
    dialog->hide();
  }
}

TEST(Icons, AreDrawnAtEverySizeAndTellOnFromOff) {
  const QIcon icons[] = {Main_icon(), Enabled_icon(), Disabled_icon()};
  for (const QIcon& icon : icons) {
    for (const int size : {16, 32, 256}) {
      const QImage image = icon.pixmap(size).toImage();
      ASSERT_EQ(image.size(), QSize(size, size));
      EXPECT_EQ(qAlpha(image.pixel(0, 0)), 0) << size;  // rounded corner
      EXPECT_EQ(qAlpha(image.pixel(size / 2, size / 2)), 255) << size;
    }
  }
  EXPECT_NE(Enabled_icon().pixmap(32).toImage(), Disabled_icon().pixmap(32).toImage());
  EXPECT_NE(Enabled_icon().pixmap(32).toImage(), Main_icon().pixmap(32).toImage());

  const QImage picture = About_picture().toImage();
  EXPECT_EQ(picture.size(), QSize(165, 115));
  EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0);
}

}  // namespace
}  // namespace quorvandel
