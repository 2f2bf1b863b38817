// The preferences dialog and the profiles, driven through the real dialog
// with every small dialog and message answered through the main window.
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

#include <gmock/gmock.h>

#include <set>
#include <tuple>

#include "mainwindow/info_bar.h"
#include "settings/ini_store.h"
#include "settings/dialogs/u_hotkey.h"
#include "settings/dialogs/u_preferences.h"
#include "support/recording_hotkeys.h"
#include "tests/ui/program_fixture.h"
#include "tools/u_my_input_box.h"
#include "tools/u_path_selection.h"

namespace quorvandel::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

class Preferences : public Program_fixture {
 protected:
  TPrefForm& Dialog() { return *Form().dialogs().pref_form; }

  // Opens the preferences on a page; `edit` plays the user, and the
  // dialog ends with `result`.
  void Show_preferences(int result, const std::function<void(TPrefForm&)>& edit = {}, int page = 0) {
    modal_answers.push_back([this, result, edit](QDialog&) {
      if (edit) edit(Dialog());
      return result;
    });
    Form().Show_preferences(page);
  }

  // Answers the next input box with this text (OK), or cancels it.
  void Type_name(const std::string& name) {
    modal_answers.push_back([name](QDialog& dialog) {
      static_cast<TMyInputBox&>(dialog).Content->setText(QString::fromStdString(name));
      return 1;
    });
  }
  void Cancel_next_dialog() {
    modal_answers.push_back([](QDialog&) { return 2; });
  }

  std::vector<std::string> Sections() { return Ini_store(Ini_path().string()).Section_names(); }
  std::string Status_line() { return Control_named<TInfo_bar>("StatusBar1")->Text(0).toStdString() + " | " + Control_named<TInfo_bar>("StatusBar1")->Text(1).toStdString(); }
  std::vector<std::string> Listed_profiles() {
    std::vector<std::string> items;
    for (int i = 0; i < Dialog().ProfileList->count(); ++i) items.push_back(Dialog().ProfileList->itemText(i).toStdString());
    return items;
  }
};

// ---- Enabling rules ----

TEST_F(Preferences, EnablingRulesOnLoadKeepTheChecks) {
  Write_text(Ini_path(),
             "[Default_Settings]\ncomplement_leading_spaces=1\nreverse_numerical_expressions=0\n"
             "number_separator_comma=1\nmap_back_final_peh=0\n");
  Start_program();
  TPrefForm& dialog = Dialog();
  EXPECT_FALSE(dialog.TrailingSpaces->isEnabled());
  EXPECT_TRUE(dialog.TrailingSpaces->isChecked());
  EXPECT_FALSE(dialog.Comma->isEnabled());
  EXPECT_TRUE(dialog.Comma->isChecked());
  EXPECT_FALSE(dialog.StartMin->isEnabled());
  EXPECT_FALSE(dialog.MapBackStylePeh->button(0)->isEnabled());

  dialog.LeadingSpaces->click();
  dialog.Expressions->click();
  dialog.MinTo->button(1)->click();
  dialog.MapBackFinalPeh->click();
  EXPECT_TRUE(dialog.TrailingSpaces->isEnabled());
  EXPECT_TRUE(dialog.Comma->isEnabled());
  EXPECT_TRUE(dialog.StartMin->isEnabled());
  EXPECT_TRUE(dialog.MapBackStylePeh->button(1)->isEnabled());
}

// With the bidirectional method the classic reversals and flips, and the
// truncation that belongs to them, have no effect: the dialog shows them
// disabled, and the method's own lists enabled.
TEST_F(Preferences, BidirectionalMethodDisablesTheClassicReversals) {
  Write_text(Ini_path(), "[Default_Settings]\nreordering_method=1\nparagraph_direction=2\nreverse_whole_line=1\n");
  Start_program();
  TPrefForm& dialog = Dialog();
  EXPECT_EQ(dialog.ReorderMethod->currentIndex(), 1);
  EXPECT_EQ(dialog.ParagraphDirection->currentIndex(), 2);
  for (QWidget* control : std::initializer_list<QWidget*>{dialog.WholeLine, dialog.HebrewPhrases, dialog.HTMLTags,
                                                          dialog.ParenSimple, dialog.Sequences, dialog.Hyphen,
                                                          dialog.TrailingSpaces}) {
    EXPECT_FALSE(control->isEnabled()) << control->objectName().toStdString();
  }
  EXPECT_TRUE(dialog.WholeLine->isChecked());
  EXPECT_TRUE(dialog.LeadingSpaces->isEnabled());
  EXPECT_TRUE(dialog.ReorderDirection->isEnabled());

  dialog.ReorderMethod->setCurrentIndex(0);
  EXPECT_TRUE(dialog.WholeLine->isEnabled());
  EXPECT_TRUE(dialog.TrailingSpaces->isEnabled());
  EXPECT_FALSE(dialog.ReorderDirection->isEnabled());
  EXPECT_FALSE(dialog.ParagraphDirection->isEnabled());

  Show_preferences(1, [](TPrefForm& preferences) {
    preferences.ReorderMethod->setCurrentIndex(1);
    preferences.ReorderDirection->setCurrentIndex(1);
    preferences.ParagraphDirection->setCurrentIndex(0);
  });
  EXPECT_EQ(Holder().conversion->reordering_method, reorder_bidi);
  EXPECT_EQ(Holder().conversion->reordering_direction, logical_to_visual);
  EXPECT_EQ(Holder().conversion->paragraph_direction, paragraph_rtl);
}

// ---- The line length ----

struct Length_case {
  const char* typed;
  int stored;
  bool refused;
};

class Line_length : public Preferences, public ::testing::WithParamInterface<Length_case> {};

TEST_P(Line_length, StoredOrReplacedByEighty) {
  Start_program();
  Show_preferences(1, [](TPrefForm& dialog) { dialog.LineLength->setText(GetParam().typed); });
  EXPECT_EQ(Holder().conversion->line_length, GetParam().stored);
  if (GetParam().refused) {
    EXPECT_THAT(messages, ElementsAre("Invalid line length entered. Line length changed back to default."));
    EXPECT_EQ(Dialog().LineLength->text(), "80");
  } else {
    EXPECT_TRUE(messages.empty());
  }
}

INSTANTIATE_TEST_SUITE_P(Preferences, Line_length,
                         ::testing::Values(Length_case{"0", 80, true}, Length_case{"256", 80, true},
                                           Length_case{"abc", 80, true}, Length_case{"", 80, true},
                                           Length_case{"1", 1, false}, Length_case{"255", 255, false}));

// ---- OK, Cancel, Save as default, Save now ----

TEST_F(Preferences, OkStoresPagesButWritesOnlyTheOperationKeys) {
  Start_program();
  Show_preferences(1, [](TPrefForm& dialog) {
    dialog.WholeLine->setChecked(true);
    dialog.DestCharSet->button(1)->click();
    dialog.ConfirmOverwrites->setChecked(false);
  });
  EXPECT_TRUE(Holder().conversion->reverse_whole_line);
  EXPECT_EQ(Holder().dest_props->destination_char_set, 1);
  EXPECT_EQ(Status_line(), "Active profile: 'Default profile' | Windows --> DOS");
  EXPECT_EQ(Text_of(Ini_path()),
            "[Configuration]\nlaunch_on_windows_startup=0\nmin_to_systray=0\nstart_minimized=0\n"
            "save_size_and_pos=1\nshow_full_pathnames=0\nconfirm_overwrites=0\ndefault_source_path=" +
                Folder() + "Original files\ndefault_dest_path=" + Folder() + "Converted files\ninterface_language=0\n");

  Close_program();  // a first run ending with OK and an exit
  EXPECT_THAT(Sections(), ElementsAre("Configuration"));
  EXPECT_THAT(Text_of(Ini_path()), ::testing::Optional(HasSubstr("window_height=")));
}

TEST_F(Preferences, CancelDropsTheEditsAndTheStatusLineStays) {
  Start_program();
  Show_preferences(2, [](TPrefForm& dialog) {
    dialog.WholeLine->setChecked(true);
    dialog.DestCharSet->button(3)->click();
  });
  EXPECT_FALSE(Holder().conversion->reverse_whole_line);
  EXPECT_FALSE(Dialog().WholeLine->isChecked());
  EXPECT_EQ(Status_line(), "Active profile: 'Default profile' | Windows --> Windows");
  EXPECT_FALSE(fs::exists(Ini_path()));
}

TEST_F(Preferences, SaveAsDefaultWritesEverything) {
  Start_program();
  Show_preferences(0, [](TPrefForm& dialog) {
    dialog.EnglishWords->setChecked(true);
    dialog.Save->click();
  });
  const std::string file = Text_of(Ini_path()).value_or("");
  EXPECT_THAT(Sections(), ElementsAre("Configuration", "Default_Settings"));
  EXPECT_THAT(file, HasSubstr("reverse_english_words=1\n"));
  EXPECT_THAT(file, HasSubstr("map_tilde_to_final_peh=1\nconvert_automatically=0\nreordering_method=0\n"));
  EXPECT_THAT(file, HasSubstr("paragraph_direction=0\nhotkey_default_ctrl=1\n"));
  EXPECT_THAT(file, HasSubstr("hotkey_active_fkey=11\n"));
  EXPECT_THAT(file, HasSubstr("window_width="));
}

TEST_F(Preferences, HotkeyNoticesAreOnUntilTheBoxIsCleared) {
  Start_program();
  bool shown_checked = false;
  Show_preferences(0, [&shown_checked](TPrefForm& dialog) {
    shown_checked = dialog.HotkeyNotices->isChecked();
    dialog.HotkeyNotices->setChecked(false);
    dialog.Save->click();
  });
  EXPECT_TRUE(shown_checked);
  EXPECT_FALSE(Holder().profiles->show_hotkey_notices);
  EXPECT_THAT(Text_of(Ini_path()), ::testing::Optional(HasSubstr("hotkey_active_fkey=11\nshow_hotkey_notices=0\n")));
}

TEST_F(Preferences, SaveNowWritesOnlyTheWindowKeys) {
  Start_program();
  Form().resize(650, 470);
  Dialog().SavePosNowBut->click();
  EXPECT_EQ(Text_of(Ini_path()), "[Configuration]\nwindow_pos_x=" + std::to_string(Form().x()) +
                                       "\nwindow_pos_y=" + std::to_string(Form().y()) +
                                       "\nwindow_width=650\nwindow_height=470\n");
}

TEST_F(Preferences, BrowseStoresTheChosenFolderAtOnce) {
  fs::create_directory(Path("picked"));
  Start_program();
  modal_answers.push_back([this](QDialog&) {
    Form().dialogs().path_select->SelectedPath = QString::fromStdString(Path("picked").string());
    return 1;
  });
  Dialog().BrowseSource->click();
  EXPECT_EQ(Holder().operation->default_source_path, Path("picked").string());
  EXPECT_EQ(Dialog().DefaultSourcePath->text().toStdString(), Path("picked").string());
}

// ---- Hotkeys ----

TEST_F(Preferences, RefusedHotkeyIsReportedAndStillCountsAsRegistered) {
  auto recording = std::make_shared<Recording_hotkeys>();
  hotkeys = recording;
  Write_text(Ini_path(), "[Default_Settings]\nhotkey_active_fkey=12\n");  // the same as the default one
  Start_program();
  EXPECT_THAT(messages, ElementsAre("Unable to assign Ctrl - Shift - F12 as an active profile hotkey."));
  EXPECT_TRUE(Form().Hotkeys_registered());
  EXPECT_TRUE(Form().Hotkeys_enabled());
  EXPECT_THAT(recording->log, ElementsAre("register 11 F12", "register 12 F12"));
}

TEST_F(Preferences, ChangedHotkeyIsRegisteredAndSurvivesCancel) {
  auto recording = std::make_shared<Recording_hotkeys>();
  hotkeys = recording;
  Start_program();
  recording->log.clear();
  modal_answers.push_back([](QDialog& dialog) {
    auto& selection = static_cast<THotkeySelection&>(dialog);
    selection.ShiftSelect->setChecked(false);
    selection.AltSelect->setChecked(true);
    selection.FKeySelected->button(4)->click();
    return 1;
  });
  Dialog().ActiveHotkeyChange->click();
  EXPECT_THAT(recording->log, ElementsAre("unregister 11", "unregister 12", "register 11 F12", "register 12 F5"));
  EXPECT_EQ(Dialog().ActiveHotkeyInfo->text(), "Ctrl - Alt - F5");

  Show_preferences(2);
  EXPECT_EQ(Holder().profiles->hotkey_active->fkey, 5);
  EXPECT_TRUE(Holder().profiles->hotkey_active->alt);
}

// Each hotkey refuses the other's combination in the selection dialog,
// naming both, and then takes another.
TEST_F(Preferences, HotkeyDialogRefusesTheOtherHotkeysCombination) {
  struct Case {
    QPushButton* TPrefForm::*change;
    QLabel* TPrefForm::*info;
    int other_fkey_index;  // F1 is 0
    const char* message;
  };
  const Case cases[] = {
      {&TPrefForm::ActiveHotkeyChange, &TPrefForm::ActiveHotkeyInfo, 11,
       "Ctrl - Shift - F12 is already the default profile hotkey. Please choose another combination for the active "
       "profile hotkey."},
      {&TPrefForm::DefaultHotkeyChange, &TPrefForm::DefaultHotkeyInfo, 10,
       "Ctrl - Shift - F11 is already the active profile hotkey. Please choose another combination for the default "
       "profile hotkey."},
  };
  for (const Case& test : cases) {
    SCOPED_TRACE(test.message);
    hotkeys.reset();  // the program before still holds its own
    Start_program();
    messages.clear();
    int result_after_refusal = -1;
    modal_answers.push_back([&](QDialog& dialog) {
      auto& selection = static_cast<THotkeySelection&>(dialog);
      selection.setResult(0);
      QPushButton* ok = selection.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok);
      selection.ControlSelect->setChecked(true);
      selection.ShiftSelect->setChecked(true);
      selection.AltSelect->setChecked(false);
      selection.FKeySelected->button(test.other_fkey_index)->click();
      ok->click();
      result_after_refusal = selection.result();
      selection.FKeySelected->button(2)->click();  // F3
      ok->click();
      return selection.result();
    });
    (Dialog().*test.change)->click();
    EXPECT_THAT(messages, ElementsAre(test.message));
    EXPECT_EQ(result_after_refusal, 0);  // the dialog stayed open
    EXPECT_EQ((Dialog().*test.info)->text(), "Ctrl - Shift - F3");
  }
}

TEST_F(Preferences, OpeningTheDialogRegistersTheHotkeysAgain) {
  auto recording = std::make_shared<Recording_hotkeys>();
  hotkeys = recording;
  Start_program();
  ASSERT_TRUE(Form().Hotkeys_enabled());
  Form().Toggle_hotkeys();  // switched off, as by a click on the tray icon
  recording->log.clear();
  Dialog().show();
  EXPECT_THAT(recording->log, ElementsAre("unregister 11", "unregister 12", "register 11 F12", "register 12 F11"));
  EXPECT_TRUE(Form().Hotkeys_enabled());
  Dialog().hide();
}

// ---- Profiles ----

TEST_F(Preferences, CreatedProfileBecomesActiveAndIsNotWritten) {
  Write_text(Ini_path(), "[Default_Settings]\ndestination_char_set=2\n");
  Start_program();
  Type_name("Work");
  Dialog().NewProfileBut->click();
  EXPECT_THAT(messages, ElementsAre("Profile 'Work' was successfully created."));
  EXPECT_EQ(Holder().profiles->active_profile, 1);
  EXPECT_EQ(Form().Active_settings(), Holder().profiles->profiles[0].get());
  EXPECT_THAT(Listed_profiles(), ElementsAre("Default profile", "Work"));
  EXPECT_EQ(Status_line(), "Active profile: 'Work' | Windows --> Windows");

  Show_preferences(2);  // cancelled: the new profile keeps the defaults of every key
  EXPECT_EQ(Form().Active_settings()->dest_props->destination_char_set, 0);
  EXPECT_THAT(Sections(), Not(::testing::Contains("Profile_Work")));
}

TEST_F(Preferences, ProfileCreatedAndConfirmedWithOkSurvivesARestart) {
  Write_text(Ini_path(), "[Default_Settings]\ndestination_char_set=2\n");
  Start_program();
  std::string status_while_open;
  Show_preferences(1, [&](TPrefForm& dialog) {
    Type_name("Temp2");
    dialog.NewProfileBut->click();
    status_while_open = Status_line();
  });
  EXPECT_THAT(messages, ElementsAre("Profile 'Temp2' was successfully created."));
  EXPECT_EQ(status_while_open, "Active profile: 'Temp2' | Windows --> Windows");
  EXPECT_EQ(Status_line(), "Active profile: 'Temp2' | Windows --> Upper");  // the pages stored by OK

  Close_program();
  Start_program();
  ASSERT_THAT(Listed_profiles(), ElementsAre("Default profile", "Temp2"));
  Dialog().ProfileList->setCurrentIndex(1);
  EXPECT_EQ(Status_line(), "Active profile: 'Temp2' | Windows --> Upper");
}

TEST_F(Preferences, RefusedNamesBringTheInputBoxBack) {
  Write_text(Ini_path(), "[Profile_Work]\nline_length=70\n");
  Start_program();
  for (const char* name : {"", "work", "Default profile", "a]b", "fine"}) Type_name(name);
  Dialog().NewProfileBut->click();
  EXPECT_THAT(messages, ElementsAre("A profile name cannot be empty.", "A profile bearing this name already exists.",
                                    "The default profile's name is reserved.",
                                    "A profile name cannot contain square brackets or line breaks.",
                                    "Profile 'fine' was successfully created."));
  EXPECT_THAT(Listed_profiles(), ElementsAre("Default profile", "fine", "Work"));
}

TEST_F(Preferences, CancelledInputBoxEndsSilently) {
  Start_program();
  Cancel_next_dialog();
  Dialog().NewProfileBut->click();
  EXPECT_TRUE(messages.empty());
  EXPECT_EQ(Holder().profiles->profile_count, 0);
}

TEST_F(Preferences, TenProfilesAreTheLimit) {
  std::string file;
  for (int i = 0; i < 12; ++i) file += "[Profile_P" + std::to_string(10 + i) + "]\n";
  Write_text(Ini_path(), file);
  Start_program();
  EXPECT_EQ(Listed_profiles().size(), 11u);
  EXPECT_EQ(Listed_profiles().back(), "P19");
  Dialog().NewProfileBut->click();
  EXPECT_THAT(messages, ElementsAre("The maximum allowable number of profiles was reached."));
  EXPECT_TRUE(shown.empty());
}

TEST_F(Preferences, RenameMovesTheProfileAndItsSection) {
  Write_text(Ini_path(), "[Profile_Alpha]\nsource_char_set=1\n[Profile_Beta]\nsource_char_set=2\n");
  Start_program();
  Dialog().Change_profile(1);
  EXPECT_EQ(Status_line(), "Active profile: 'Alpha' | DOS --> Windows");
  for (const char* name : {"Alpha", "beta", "Zeta"}) Type_name(name);
  Dialog().RenameBut->click();
  EXPECT_THAT(messages, ElementsAre("A profile cannot be renamed to its own name.",
                                    "A profile bearing this name already exists.",
                                    "Profile 'Alpha' was successfully renamed to 'Zeta'."));
  EXPECT_THAT(Listed_profiles(), ElementsAre("Default profile", "Beta", "Zeta"));
  EXPECT_EQ(Dialog().ProfileList->currentIndex(), 2);
  EXPECT_EQ(Holder().profiles->active_profile, 2);
  EXPECT_EQ(Form().Active_settings()->source_props->source_char_set, 1);
  EXPECT_THAT(Sections(), ElementsAre("Profile_Beta", "Configuration", "Profile_Zeta"));
  EXPECT_THAT(Text_of(Ini_path()), ::testing::Optional(HasSubstr("[Profile_Beta]\nsource_char_set=2\n")));
  EXPECT_EQ(Status_line(), "Active profile: 'Zeta' | DOS --> Windows");
}

TEST_F(Preferences, DefaultProfileCannotBeRenamedOrDeleted) {
  Start_program();
  Dialog().RenameBut->click();
  Dialog().DeleteProfBut->click();
  EXPECT_THAT(messages,
              ElementsAre("The default profile cannot be renamed.", "The default profile cannot be deleted."));
}

TEST_F(Preferences, DeleteAsksAndMakesTheDefaultActive) {
  Write_text(Ini_path(), "[Profile_Alpha]\ndestination_char_set=1\n[Profile_Beta]\n");
  Start_program();
  Dialog().Change_profile(1);
  answer_ok = false;
  Dialog().DeleteProfBut->click();
  EXPECT_EQ(Holder().profiles->profile_count, 2);
  answer_ok = true;
  Dialog().DeleteProfBut->click();
  EXPECT_THAT(messages, ElementsAre("Are you sure you'd like to delete the profile named 'Alpha' ?",
                                    "Are you sure you'd like to delete the profile named 'Alpha' ?"));
  EXPECT_THAT(Listed_profiles(), ElementsAre("Default profile", "Beta"));
  EXPECT_EQ(Holder().profiles->active_profile, 0);
  EXPECT_EQ(Form().Active_settings(), &Holder());
  EXPECT_THAT(Sections(), ElementsAre("Profile_Beta"));
  EXPECT_EQ(Status_line(), "Active profile: 'Default profile' | Windows --> Windows");
}

TEST_F(Preferences, SavingAProfileReportsAndWritesItsSection) {
  Write_text(Ini_path(), "[Profile_Alpha]\n");
  Start_program();
  Dialog().Change_profile(1);
  Dialog().HTMLTags->setChecked(true);
  Dialog().SaveButton->click();
  EXPECT_THAT(messages, ElementsAre("Profile 'Alpha' has been saved."));
  EXPECT_THAT(Text_of(Ini_path()), ::testing::Optional(HasSubstr("[Profile_Alpha]\nreverse_whole_line=0")));
  EXPECT_THAT(Text_of(Ini_path()), ::testing::Optional(HasSubstr("reverse_html_tags=1")));
  EXPECT_TRUE(Holder().profiles->profiles[0]->conversion->reverse_html_tags);
}

TEST_F(Preferences, SwitchingStoresThePagesIntoTheProfileLeft) {
  Write_text(Ini_path(), "[Profile_Alpha]\nsource_char_set=3\n");
  Start_program();
  Dialog().WholeLine->setChecked(true);
  Dialog().ProfileList->setCurrentIndex(1);
  EXPECT_TRUE(Holder().conversion->reverse_whole_line);
  EXPECT_FALSE(Dialog().WholeLine->isChecked());
  EXPECT_EQ(Status_line(), "Active profile: 'Alpha' | Lower --> Windows");
  Dialog().ProfileList->setCurrentIndex(0);
  EXPECT_TRUE(Dialog().WholeLine->isChecked());
  EXPECT_EQ(Status_line(), "Active profile: 'Default profile' | Windows --> Windows");
}

TEST_F(Preferences, NamesKeepTheirSpacesThroughTheFile) {
  Start_program();
  Type_name(" spaced = name; ");
  Dialog().NewProfileBut->click();
  Dialog().SaveButton->click();
  program_.reset();
  messages.clear();
  Start_program();
  EXPECT_THAT(Listed_profiles(), ElementsAre("Default profile", " spaced = name; "));
}

}  // namespace
}  // namespace quorvandel::testing
