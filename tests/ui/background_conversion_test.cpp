// The conversion of a large source in a worker thread: the same result as
// the window's own conversion, the window busy and the destination empty
// until the whole result comes, and a second Convert, a change of the
// settings, closing the window or ending the program while it runs.
#include <QApplication>
#include <QDeadlineTimer>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <limits>
#include <numeric>
#include <string_view>
#include <thread>

#include "engine/bidi_algorithm.h"
#include "mainwindow/info_bar.h"
#include "tests/corpus/hebrew_corpus.h"
#include "tests/ui/program_fixture.h"
#include "textpane/pane_text.h"
#include "tools/u_prog_bar.h"

namespace quorvandel::testing {
namespace {

// Lines of Hebrew and English, one of them long enough to be shown in
// pieces, one with a character that code page 1255 lacks, and an entity.
Text Source_text(Text_view extra_line = {}) {
  const std::vector<Text> paragraphs = test::Hebrew_paragraphs(60);
  Text text;
  Text long_line;
  for (const Text& paragraph : paragraphs) {
    text += paragraph + U"\r\n";
    long_line += paragraph + U"   (12.5) ";
  }
  while (long_line.size() < 30000) long_line += long_line;
  text += long_line + U"\r\nsmile \u263A and &#1488; 3-4\r\n";
  text += extra_line;
  return text;
}

struct Outcome {
  Text destination;
  std::string dest_title;
  std::string status;  // the status line's second panel
  std::vector<std::string> messages;

  friend bool operator==(const Outcome&, const Outcome&) = default;
};

class Background_conversion_test : public Program_fixture {
 protected:
  // With a settings file, so that the first run's greeting, due half a
  // second after the start, cannot fall into a conversion's wait.
  void SetUp() override {
    Write_text(Ini_path(), "[Configuration]\nsave_size_and_pos=0\n");
    Start_program();
  }

  void Set_source(Text_view text) { RichEdit1()->Set_pane_text(Pane_text_from_text(text)); }

  // Converts in the worker, or with the threshold out of reach in the window.
  void Start_convert(bool in_background) {
    Form().Set_background_conversion_size(in_background ? 0 : std::numeric_limits<qint64>::max());
    messages.clear();
    Form().Convert1Click();
  }
  void Wait_for_the_end() {
    const QDeadlineTimer deadline(20000);
    while (Form().Busy() && !deadline.hasExpired()) QApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    ASSERT_FALSE(Form().Busy());
  }
  Outcome Now() {
    return {Form().Destination_text(), Control_named<QLabel>("DestTitle")->text().toStdString(),
            Control_named<TInfo_bar>("StatusBar1")->Text(1).toStdString(), messages};
  }
  Outcome Convert(bool in_background) {
    Start_convert(in_background);
    Wait_for_the_end();
    return Now();
  }
};

struct Settings_case {
  const char* name;
  std::function<void(TPrefs&)> set;
  Text extra_line;
  bool stops = false;  // with a message and nothing in the destination
};

TEST_F(Background_conversion_test, GivesWhatTheWindowsOwnConversionGives) {
  const Settings_case cases[] = {
      {"default profile", [](TPrefs&) {}, {}},
      {"visual to logical",
       [](TPrefs& s) {
         s.conversion->reverse_whole_line = true;
         s.conversion->reverse_english_phrases = true;
         s.conversion->reverse_digit_sequences = true;
         s.conversion->reverse_numerical_expressions = true;
       },
       {}},
      {"entities decoded, to DOS",
       [](TPrefs& s) {
         s.source_props->translate_hebrew_unicode = true;
         s.dest_props->destination_char_set = 1;
       },
       {}},
      {"automatic", [](TPrefs& s) { s.source_props->convert_automatically = true; }, {}},
      {"an entity that stops the conversion", [](TPrefs& s) { s.source_props->translate_hebrew_unicode = true; },
       U"bad &#abc; entity", true},
  };
  for (const Settings_case& c : cases) {
    SCOPED_TRACE(c.name);
    c.set(*Form().Active_settings());
    Set_source(Source_text(c.extra_line));
    const Outcome in_window = Convert(false);
    EXPECT_EQ(in_window.messages.size(), c.stops ? 1u : 0u);
    EXPECT_EQ(in_window.destination.empty(), c.stops);
    Form().Clear_destination();

    Start_convert(true);
    EXPECT_TRUE(Form().Busy());
    EXPECT_TRUE(Form().dialogs().prog_bar->isVisible());
    EXPECT_EQ(RichEdit2()->Byte_count(), 0) << "nothing in the destination before the whole result";
    Wait_for_the_end();
    EXPECT_FALSE(Form().dialogs().prog_bar->isVisible());
    EXPECT_TRUE(Now() == in_window);
    EXPECT_EQ(RichEdit2()->Byte_count(), in_window.destination.size());
    EXPECT_EQ(Control_named<TInfo_bar>("DestInfo")->Text(1), "Lines: " + QString::number(RichEdit2()->Line_count()));

    *Form().Active_settings()->conversion = TOptConversion();
    *Form().Active_settings()->source_props = TSourceProps();
    *Form().Active_settings()->dest_props = TDestProps();
  }
}

TEST_F(Background_conversion_test, CommandsAndSettingsChangedWhileItRunsDoNotReachIt) {
  Set_source(Source_text());
  const Text source = RichEdit1()->Text_with_breaks();
  const Outcome in_window = Convert(false);

  Start_convert(true);
  Form().Convert1Click();
  Control_named<QPushButton>("Convert")->click();
  Form().AutomaticClick();
  Form().Clear1Click();
  file_to_open = QString::fromStdString(Path("other.txt").string());
  Write_text(Path("other.txt"), "other");
  Form().Open1Click();
  Form().Active_settings()->conversion->reverse_whole_line = true;  // as the preferences dialog would
  Wait_for_the_end();
  Form().Active_settings()->conversion->reverse_whole_line = false;

  EXPECT_TRUE(Now() == in_window);
  EXPECT_TRUE(RichEdit1()->Text_with_breaks() == source) << "the source kept while the worker read it";
  EXPECT_TRUE(open_requests.empty());
  Convert(true);  // and the window converts again afterwards
  EXPECT_TRUE(Now() == in_window);
}

TEST_F(Background_conversion_test, ClosingTheWindowWhileItRunsClosesItAtTheEnd) {
  Set_source(Source_text());
  const Outcome in_window = Convert(false);
  QSignalSpy closed(&Form(), &TMainForm::Closed);

  Start_convert(true);
  Form().close();
  EXPECT_TRUE(Form().isVisible());
  EXPECT_EQ(closed.count(), 0);
  Wait_for_the_end();
  QApplication::processEvents();
  EXPECT_EQ(closed.count(), 1);
  EXPECT_FALSE(Form().isVisible());
  EXPECT_TRUE(Now() == in_window);
}

// A stand-in for the bidirectional algorithm that shows each line as it is,
// slowly, and counts the calls begun and ended, so that a worker left
// running past the window is found inside one.
class Call_counting_bidi : public Bidi_algorithm {
 public:
  bool Show(std::u32string_view logical, Paragraph_direction, Bidi_picture& picture) const override {
    ++begun_;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
    picture.visual.assign(logical);
    picture.visual_to_logical.resize(logical.size());
    std::iota(picture.visual_to_logical.begin(), picture.visual_to_logical.end(), 0);
    picture.levels.assign(logical.size(), 0);
    picture.right_to_left = false;
    ++ended_;
    return true;
  }
  char32_t Mirror(char32_t character) const override { return character; }
  int Begun() const { return begun_; }
  int Ended() const { return ended_; }

 private:
  mutable std::atomic<int> begun_{0};
  mutable std::atomic<int> ended_{0};
};

TEST_F(Background_conversion_test, EndingTheProgramWhileItRunsWaitsForTheWorker) {
  Call_counting_bidi bidi;  // outlives the program
  const Bidi_algorithm* installed = Installed_bidi_algorithm();
  Set_bidi_algorithm(&bidi);
  Form().Active_settings()->conversion->reordering_method = reorder_bidi;
  Set_source(Source_text());
  Start_convert(true);
  ASSERT_TRUE(Form().Busy());
  program_.reset();  // the panes the worker reads go with the window
  const int begun = bidi.Begun();
  EXPECT_GT(begun, 0);
  EXPECT_EQ(bidi.Ended(), begun) << "a line was still being shown after the window was gone";
  QApplication::processEvents();
  EXPECT_EQ(bidi.Begun(), begun) << "the worker went on after the window was gone";
  Set_bidi_algorithm(installed);
}

}  // namespace
}  // namespace quorvandel::testing
