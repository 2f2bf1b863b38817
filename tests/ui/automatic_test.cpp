// Automatic conversion in the main window: the Automatic button and menu
// item, the status line naming what was detected, and the profile setting
// that makes every conversion of the profile automatic.
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include <gmock/gmock.h>

#include "engine/convert_line.h"
#include "mainwindow/info_bar.h"
#include "settings/dialogs/u_preferences.h"
#include "tests/corpus/hebrew_corpus.h"
#include "tests/ui/program_fixture.h"
#include "textpane/pane_text.h"

namespace quorvandel::testing {
namespace {

using ::testing::HasSubstr;

class Automatic : public Program_fixture {
 protected:
  void Set_source(Text_view text) { RichEdit1()->Set_pane_text(Pane_text_from_text(text)); }
  std::string Detected() { return Control_named<TInfo_bar>("StatusBar1")->Text(1).toStdString(); }

  static const test::Garbling& Garbling_named(std::string_view name) {
    for (const test::Garbling& g : test::Garblings()) {
      if (g.name == name) return g;
    }
    throw std::logic_error("no such garbling");
  }

  // Two paragraphs of logical Hebrew, an empty line between them.
  Text Logical() {
    const auto paragraphs = test::Hebrew_paragraphs(8);
    return paragraphs[5] + U"\r\n\r\n" + paragraphs[6];
  }
  Text Garbled(std::string_view garbling) {
    const auto paragraphs = test::Hebrew_paragraphs(8);
    const test::Garbling& g = Garbling_named(garbling);
    return g.garble(paragraphs[5], 0) + U"\r\n\r\n" + g.garble(paragraphs[6], 0);
  }
};

TEST_F(Automatic, TheButtonRepairsTheSourceWithoutChangingTheProfile) {
  Start_program();
  Set_source(Garbled("visual 862"));
  QTest::mouseClick(Control_named<QPushButton>("Automatic"), Qt::LeftButton);
  EXPECT_EQ(Form().Destination_text(), Logical());
  EXPECT_EQ(Detected(), "Detected: DOS, visual order");
  EXPECT_EQ(Control_named<QLabel>("DestTitle")->text().toStdString(), "Converted");
  EXPECT_EQ(Form().Active_settings()->source_props->source_char_set, cs_windows);
  EXPECT_FALSE(Form().Active_settings()->conversion->reverse_whole_line);

  // A conversion with the profile's settings shows the sets again.
  Form().ConvertClick();
  EXPECT_EQ(Detected(), "Windows --> Windows");
}

TEST_F(Automatic, WhatWasDetectedGoesWhenAnotherFileIsLoaded) {
  Write_text(Path("other.txt"), "abc\n");
  Start_program();
  Set_source(Garbled("visual 862"));
  QTest::mouseClick(Control_named<QPushButton>("Automatic"), Qt::LeftButton);
  ASSERT_EQ(Detected(), "Detected: DOS, visual order");
  file_to_open = QString::fromStdString(Path("other.txt").string());
  Form().Open1Click();
  EXPECT_EQ(Detected(), "Windows --> Windows");
}

TEST_F(Automatic, TheConvertMenuHasAutomatic) {
  Start_program();
  Set_source(Garbled("Qwerty small letters"));
  QAction* automatic = nullptr;
  for (QAction* menu : Form().menuBar()->actions()) {
    if (menu->text().remove('&') != "Convert" || !menu->menu()) continue;
    for (QAction* item : menu->menu()->actions()) {
      if (item->text().remove('&') == "Automatic") automatic = item;
    }
  }
  ASSERT_NE(automatic, nullptr);
  automatic->trigger();
  EXPECT_EQ(Form().Destination_text(), Logical());
  EXPECT_EQ(Detected(), "Detected: Qwerty (L), logical order");
}

TEST_F(Automatic, TextItCannotJudgeIsConvertedAsTheProfileWould) {
  Write_text(Ini_path(), "[Default_Settings]\ndestination_char_set=2\n");
  Start_program();
  Set_source(U"Hello, world");
  Form().AutomaticClick();
  EXPECT_EQ(Form().Destination_text(), Convert_line(U"Hello, world", *Form().Active_settings()));
  EXPECT_EQ(Detected(), "Nothing detected (too short, or no Hebrew)");
}

TEST_F(Automatic, AProfileThatConvertsAutomaticallyRepairsOnConvert) {
  Write_text(Ini_path(), "[Default_Settings]\nconvert_automatically=1\n");
  Start_program();
  Set_source(Garbled("numeric references"));
  Form().ConvertClick();
  EXPECT_EQ(Form().Destination_text(), Logical());
  EXPECT_EQ(Detected(), "Detected: Windows, numeric references, logical order");
}

TEST_F(Automatic, WordsTypedOnTheWrongLayoutAreRetypedAndNamed) {
  Start_program();
  // "please send akuo" (Hebrew on English keys) and "יקךךם" (English on Hebrew keys).
  Set_source(U"please send akuo\r\n\u00f9\u00ec\u00e5\u00ed \u00e9\u00f7\u00ea\u00ea\u00ed");
  QTest::mouseClick(Control_named<QPushButton>("Automatic"), Qt::LeftButton);
  EXPECT_EQ(Form().Destination_text(), U"please send \u00f9\u00ec\u00e5\u00ed\r\n\u00f9\u00ec\u00e5\u00ed hello");
  EXPECT_EQ(Detected(),
            "Detected: wrong layout: Hebrew typed on English keys, English typed on Hebrew keys");
}

TEST_F(Automatic, ThePreferencesDialogStoresTheSetting) {
  Start_program();
  modal_answers.push_back([this](QDialog&) {
    TPrefForm& dialog = *Form().dialogs().pref_form;
    EXPECT_FALSE(dialog.ConvertAutomatically->isChecked());
    dialog.ConvertAutomatically->setChecked(true);
    dialog.Save->click();
    return 0;
  });
  Form().Show_preferences(1);
  EXPECT_THAT(Text_of(Ini_path()), ::testing::Optional(HasSubstr("\nconvert_automatically=1\n")));
  EXPECT_TRUE(Form().Active_settings()->source_props->convert_automatically);
}

}  // namespace
}  // namespace quorvandel::testing
