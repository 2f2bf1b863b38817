// The preferences dialog. Creating it creates the settings holder and loads
// every setting from the settings file; its controls are the working copy
// of the active profile's settings, moved into a profile's records and back
// at well-defined moments. It also holds the profile operations.
#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <memory>
#include <string>
#include <vector>

#include "platform/input_language_service.h"
#include "settings/dialogs/pref_host.h"
#include "settings/prefs.h"

namespace quorvandel {

class TPrefForm : public QDialog {
  Q_OBJECT

 public:
  // `input_language` outlives the dialog.
  TPrefForm(TPref_host& host, Input_language_service& input_language, QWidget* parent = nullptr);
  ~TPrefForm() override;

  // The settings holder: the default profile's settings, the operation
  // settings and the profile list. Null once freed at shutdown.
  TPrefs* holder() const { return holder_.get(); }
  void Free_holder();

  void Select_page(int index) { PageControl->setCurrentIndex(index); }

  // ---- Controls and records ----
  void Update_controls(bool is_named, int index);
  void Update_pref_data_structure(bool is_named, int index);
  void Profile_to_control();
  void Profile_to_data();
  void Update_hotkey_info();  // shows the hotkeys, then Register_global_hotkeys

  // ---- Buttons ----
  void FormActivate();
  void SaveClick();
  void SavePosNowButClick();
  void BrowseSourceClick();
  void BrowseDestClick();
  void ActiveHotkeyChangeClick();
  void DefaultHotkeyChangeClick();

  // ---- Enabling rules ----
  void LeadingSpacesClick();
  void ExpressionsClick();
  void ReorderMethodChange();  // the classic reversals' controls act only with the classic method
  void MinToClick();
  void MapBackFinalPehClick();

  // ---- Profiles (u_profiles.cpp) ----
  void Sort_profiles();
  void Change_profile(int new_active_profile);
  void ProfileListChange(int item);
  void NewProfileButClick();
  void Add_profile(const std::string& name);
  void RenameButClick();
  void Rename_profile(int slot, const std::string& new_name);
  void DeleteProfButClick();
  void Delete_profile(int slot);
  void SaveButtonClick();
  void Save_profile(int slot, bool report);
  // Writes the sections of the profiles created since the last OK and not
  // saved since: a profile reported as created is not lost by closing the
  // dialog with OK. The other profiles stay as the last save left them.
  void Save_created_profiles();

  // ---- The pages' controls ----
  QTabWidget* PageControl = nullptr;
  // Page 0
  QCheckBox *WholeLine, *HebrewWords, *HebrewPhrases, *EnglishWords, *EnglishPhrases, *HTMLTags, *HTMLText;
  QCheckBox *ParenSimple, *ParenBrackets, *ParenCurly, *ParenAngled;
  QCheckBox *LeadingSpaces, *TrailingSpaces;
  QLineEdit* LineLength;
  QCheckBox *Sequences, *Expressions;
  QCheckBox *Hyphen, *Period, *Slash, *Comma, *PlusSign, *Colon, *Space;
  QComboBox *ReorderMethod, *ReorderDirection, *ParagraphDirection;  // items numbered as the keys' values
  // Page 1
  QButtonGroup* SourceCharSet;
  QCheckBox *HebrewUnicode, *EmailStyle;
  QCheckBox* ConvertAutomatically;
  // Page 2
  QButtonGroup *DestCharSet, *EOLNFormat, *EnglishCase;
  // Page 3
  QButtonGroup* MinTo;
  QCheckBox *StartMin, *LaunchOnStartup, *RememberSizePos, *ConfirmOverwrites, *ShowPathNames;
  QPushButton* SavePosNowBut;
  QLineEdit *DefaultSourcePath, *DefaultDestPath;
  QPushButton *BrowseSource, *BrowseDest;
  QComboBox* InterfaceLanguage;  // items numbered as interface_language's values
  QLabel* LanguageNote;          // "... applies at the next start"
  // Page 4
  QComboBox* ProfileList;
  QPushButton *NewProfileBut, *RenameBut, *SaveButton, *DeleteProfBut;
  QLabel *ActiveHotkeyInfo, *DefaultHotkeyInfo;
  QLabel* WaylandNote = nullptr;  // shown in a Wayland session only
  QPushButton *ActiveHotkeyChange, *DefaultHotkeyChange;
  QCheckBox* HotkeyNotices;  // notices of hotkeys that did nothing visible
  // Page 5
  QCheckBox *MapGrave, *MapQ, *MapW, *MapSemi, *MapApostophe, *MapComma, *MapPeriod, *MapSlash, *MapTilde;
  QCheckBox *MapBackSemi, *MapBackSlash, *MapBackApostrophe, *MapBackComma, *MapBackTav, *MapBackFinalTsadi,
      *MapBackPeriod, *MapBackFinalPeh;
  QButtonGroup* MapBackStylePeh;
  // Below the pages
  QPushButton *OK, *Cancel, *Save;

 protected:
  void showEvent(QShowEvent* event) override;
  // Esc and the close box cancel, as the Cancel button does.
  void reject() override;

 private:
  // The hotkeys' note where the program has no Wayland trigger of its own.
  static constexpr const char* xwayland_only_note =
      QT_TRANSLATE_NOOP("quorvandel::TPrefForm", "In this Wayland session the hotkeys work in X11 (XWayland) programs only.");

  void FormCreate();
  // The pages (u_preferences_pages.cpp).
  QWidget* Make_conversion_page();
  QWidget* Make_source_page();
  QWidget* Make_destination_page();
  QWidget* Make_operation_page();
  QWidget* Make_profiles_page();
  QWidget* Make_qwerty_page();
  TPrefs& Chosen(bool is_named, int index) const;
  void Controls_from_global_part();
  void Global_part_from_controls();
  void Take_window_geometry();
  void Rebuild_profile_list();
  // Unregisters the global hotkeys, if registered, and registers them again
  // with the keys the settings hold now.
  void Register_global_hotkeys();
  void Browse(std::string TOperation::*field, QLineEdit* box);
  // Lets the user choose `hotkey` anew, refusing the combination of `other`
  // with `refusal` (its %1 the combination).
  void Change_hotkey(TMyHotkey& hotkey, const TMyHotkey& other, const QString& refusal);
  // The name typed into the input box, asked again after each refusal;
  // false when the user cancels.
  bool Ask_profile_name(const QString& title, const QString& prompt, const QString& initial, std::string& name,
                        const std::string* present_name);

  TPref_host& host_;
  Input_language_service& input_language_;
  std::unique_ptr<TPrefs> holder_;
  bool rebuilding_list_ = false;
  std::vector<std::string> created_unsaved_;  // names of profiles created and not yet written
};

}  // namespace quorvandel
