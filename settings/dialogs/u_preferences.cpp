#include "settings/dialogs/u_preferences.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QStyle>
#include <QTabBar>
#include <QVBoxLayout>
#include <array>
#include <utility>

#include "platform/input_language_service.h"
#include "platform/run_entry.h"
#include "settings/profile_keys.h"
#include "platform/desktop_session.h"
#include "settings/dialogs/u_hotkey.h"
#include "tools/context_help.h"
#include "tools/directory_list.h"
#include "tools/modal_result.h"
#include "tools/u_path_selection.h"

namespace quorvandel {
namespace {

constexpr int default_line_length = 80;
constexpr int min_line_length = 1;
constexpr int max_line_length = 255;

void Select_item(QButtonGroup* group, int item) {
  if (QAbstractButton* button = group->button(item)) {
    button->setChecked(true);
  } else if (QAbstractButton* checked = group->checkedButton()) {
    group->setExclusive(false);
    checked->setChecked(false);
    group->setExclusive(true);
  }
}

// The line length typed, when it is a whole number from 1 to 255.
std::optional<int> Valid_line_length(const QString& text) {
  bool number = false;
  const int value = text.toInt(&number);
  if (!number || value < min_line_length || value > max_line_length) return std::nullopt;
  return value;
}

}  // namespace

// Which check box shows which per-profile key.
struct Check_binding {
  QCheckBox* TPrefForm::*box;
  const char* key;
};

static const Check_binding check_bindings[] = {
    {&TPrefForm::WholeLine, "reverse_whole_line"},
    {&TPrefForm::HebrewWords, "reverse_hebrew_words"},
    {&TPrefForm::HebrewPhrases, "reverse_hebrew_phrases"},
    {&TPrefForm::EnglishWords, "reverse_english_words"},
    {&TPrefForm::EnglishPhrases, "reverse_english_phrases"},
    {&TPrefForm::HTMLTags, "reverse_html_tags"},
    {&TPrefForm::HTMLText, "reverse_html_text"},
    {&TPrefForm::ParenSimple, "flip_parentheses"},
    {&TPrefForm::ParenBrackets, "flip_brackets"},
    {&TPrefForm::ParenCurly, "flip_curly_parentheses"},
    {&TPrefForm::ParenAngled, "flip_angled_parentheses"},
    {&TPrefForm::LeadingSpaces, "complement_leading_spaces"},
    {&TPrefForm::TrailingSpaces, "truncate_trailing_spaces"},
    {&TPrefForm::Sequences, "reverse_digit_sequences"},
    {&TPrefForm::Expressions, "reverse_numerical_expressions"},
    {&TPrefForm::Hyphen, "number_separator_hyphen"},
    {&TPrefForm::Period, "number_separator_period"},
    {&TPrefForm::Slash, "number_separator_slash"},
    {&TPrefForm::Comma, "number_separator_comma"},
    {&TPrefForm::PlusSign, "number_separator_plus_sign"},
    {&TPrefForm::Colon, "number_separator_colon"},
    {&TPrefForm::Space, "number_separator_space"},
    {&TPrefForm::HebrewUnicode, "translate_hebrew_unicode"},
    {&TPrefForm::EmailStyle, "translate_email_style"},
    {&TPrefForm::ConvertAutomatically, "convert_automatically"},
    {&TPrefForm::MapGrave, "map_grave_to_semicolon"},
    {&TPrefForm::MapQ, "map_q_to_slash"},
    {&TPrefForm::MapW, "map_w_to_apostrophe"},
    {&TPrefForm::MapSemi, "map_semicolon_to_final_peh"},
    {&TPrefForm::MapApostophe, "map_apostrophe_to_comma"},
    {&TPrefForm::MapComma, "map_comma_to_tav"},
    {&TPrefForm::MapPeriod, "map_period_to_final_tsadi"},
    {&TPrefForm::MapSlash, "map_slash_to_period"},
    {&TPrefForm::MapTilde, "map_tilde_to_final_peh"},
    {&TPrefForm::MapBackSemi, "map_back_semicolon_to_grave"},
    {&TPrefForm::MapBackSlash, "map_back_slash_to_q"},
    {&TPrefForm::MapBackApostrophe, "map_back_apostrophe_to_w"},
    {&TPrefForm::MapBackComma, "map_back_comma_to_apostrophe"},
    {&TPrefForm::MapBackTav, "map_back_tav_to_comma"},
    {&TPrefForm::MapBackFinalTsadi, "map_back_final_tsadi_to_period"},
    {&TPrefForm::MapBackPeriod, "map_back_period_to_slash"},
    {&TPrefForm::MapBackFinalPeh, "map_back_final_peh"},
};

// Which drop-down list shows which per-profile key, item = value.
struct Combo_binding {
  QComboBox* TPrefForm::*list;
  const char* key;
};

static const Combo_binding combo_bindings[] = {
    {&TPrefForm::ReorderMethod, "reordering_method"},
    {&TPrefForm::ReorderDirection, "reordering_direction"},
    {&TPrefForm::ParagraphDirection, "paragraph_direction"},
};

// Which radio group shows which per-profile key, item = value.
struct Radio_binding {
  QButtonGroup* TPrefForm::*group;
  const char* key;
};

static const Radio_binding radio_bindings[] = {
    {&TPrefForm::SourceCharSet, "source_char_set"},
    {&TPrefForm::DestCharSet, "destination_char_set"},
    {&TPrefForm::EOLNFormat, "destination_eoln_format"},
    {&TPrefForm::EnglishCase, "english_letter_case"},
    {&TPrefForm::MapBackStylePeh, "final_peh_mapped_to_tilde"},
};

TPrefForm::TPrefForm(TPref_host& host, Input_language_service& input_language, QWidget* parent)
    : QDialog(parent), host_(host), input_language_(input_language) {
  setWindowTitle(tr("Preferences"));
  PageControl = new QTabWidget(this);
  // Every page's tab in view at the dialog's size, none behind scroll arrows.
  PageControl->tabBar()->setUsesScrollButtons(false);
  PageControl->tabBar()->setElideMode(Qt::ElideNone);
  PageControl->addTab(Make_conversion_page(), tr("Bi-Directional Conversion"));
  PageControl->addTab(Make_source_page(), tr("Source Properties"));
  PageControl->addTab(Make_destination_page(), tr("Destination Properties"));
  PageControl->addTab(Make_operation_page(), tr("Operation Settings"));
  PageControl->addTab(Make_profiles_page(), tr("Profiles and Hotkey Settings"));
  PageControl->addTab(Make_qwerty_page(), tr("'Qwerty' Settings"));
  // F1 opens the topic of the focused control, else of its page; the
  // buttons below the pages take the page shown.
  static constexpr const char* page_keywords[] = {"BIDITranslation",   "CharsetTranslation", "CharsetTranslation",
                                                  "OperationSettings", "Profiles",           "QWERTYMapping"};
  for (int page = 0; page < PageControl->count(); ++page) Set_help_keyword(PageControl->widget(page), page_keywords[page]);
  connect(PageControl, &QTabWidget::currentChanged, this, [this](int page) {
    if (page >= 0) Set_help_keyword(this, page_keywords[page]);
  });
  Set_help_keyword(this, page_keywords[0]);

  OK = new QPushButton(tr("OK"), this);
  Cancel = new QPushButton(tr("Cancel"), this);
  Save = new QPushButton(tr("Save as default"), this);
  OK->setDefault(true);
  connect(OK, &QPushButton::clicked, this, [this] { done(mr_ok); });
  connect(Cancel, &QPushButton::clicked, this, [this] { done(mr_cancel); });
  connect(Save, &QPushButton::clicked, this, &TPrefForm::SaveClick);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(OK);
  buttons->addWidget(Cancel);
  buttons->addWidget(Save);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PageControl, 1);
  layout->addLayout(buttons);
  FormCreate();
  setFixedSize(sizeHint());
}

TPrefForm::~TPrefForm() = default;

// ---- Creation ----

void TPrefForm::FormCreate() {
  holder_ = std::make_unique<TPrefs>(false, &host_.Settings_file());
  host_.Set_holder(holder_.get());
  holder_->Load_settings(default_settings_section);
  Update_controls(false, 0);
  const TOperation& operation = *holder_->operation;
  host_.Set_start_hidden(operation.start_minimized && operation.min_to_systray);
  host_.Set_active_settings(holder_.get());
}

void TPrefForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  FormActivate();
}

// Each time the dialog shows: the path boxes are meant for Latin letters,
// and the hotkeys are registered anew.
void TPrefForm::FormActivate() {
  input_language_.Request(us_english_layout);  // DefaultSourcePath
  input_language_.Request(us_english_layout);  // DefaultDestPath
  Update_hotkey_info();
}

void TPrefForm::Free_holder() {
  host_.Set_holder(nullptr);
  host_.Set_active_settings(nullptr);
  holder_.reset();
}

TPrefs& TPrefForm::Chosen(bool is_named, int index) const {
  if (is_named && index >= 0 && index < max_profiles) {
    if (TPrefs* profile = holder_->profiles->profiles[static_cast<std::size_t>(index)].get()) return *profile;
  }
  return *holder_;
}

// ---- Controls and records ----

void TPrefForm::Update_controls(bool is_named, int index) {
  const TPrefs& chosen = Chosen(is_named, index);
  for (const Check_binding& binding : check_bindings) {
    (this->*binding.box)->setChecked(Find_profile_key(binding.key)->get(chosen) != 0);
  }
  LineLength->setText(QString::number(chosen.conversion->line_length));
  for (const Radio_binding& binding : radio_bindings) {
    Select_item(this->*binding.group, Find_profile_key(binding.key)->get(chosen));
  }
  for (const Combo_binding& binding : combo_bindings) {
    (this->*binding.list)->setCurrentIndex(Find_profile_key(binding.key)->get(chosen));
  }
  ReorderMethodChange();
  LeadingSpacesClick();
  ExpressionsClick();
  MapBackFinalPehClick();
  if (!chosen.is_profile) {
    Controls_from_global_part();
    Update_hotkey_info();
    Rebuild_profile_list();
  }
  ExpressionsClick();
}

void TPrefForm::Update_pref_data_structure(bool is_named, int index) {
  TPrefs& chosen = Chosen(is_named, index);
  for (const Check_binding& binding : check_bindings) {
    Find_profile_key(binding.key)->set(chosen, (this->*binding.box)->isChecked());
  }
  if (const std::optional<int> length = Valid_line_length(LineLength->text())) {
    chosen.conversion->line_length = *length;
  } else {
    chosen.conversion->line_length = default_line_length;
    LineLength->setText(QString::number(default_line_length));
    host_.My_show_message(tr("Invalid line length entered. Line length changed back to default."));
  }
  for (const Radio_binding& binding : radio_bindings) {
    const int item = (this->*binding.group)->checkedId();
    if (item >= 0) Find_profile_key(binding.key)->set(chosen, item);
  }
  for (const Combo_binding& binding : combo_bindings) {
    const int item = (this->*binding.list)->currentIndex();
    if (item >= 0) Find_profile_key(binding.key)->set(chosen, item);
  }
  if (!chosen.is_profile) Global_part_from_controls();
}

void TPrefForm::Controls_from_global_part() {
  const TOperation& operation = *holder_->operation;
  LaunchOnStartup->setChecked(operation.launch_on_windows_startup);
  Select_item(MinTo, operation.min_to_systray ? 1 : 0);
  StartMin->setChecked(operation.start_minimized);
  MinToClick();
  RememberSizePos->setChecked(operation.save_size_and_pos);
  ShowPathNames->setChecked(operation.show_full_pathnames);
  ConfirmOverwrites->setChecked(operation.confirm_overwrites);
  DefaultSourcePath->setText(QString::fromStdString(operation.default_source_path));
  DefaultDestPath->setText(QString::fromStdString(operation.default_dest_path));
  InterfaceLanguage->setCurrentIndex(
      operation.interface_language >= 0 && operation.interface_language < InterfaceLanguage->count()
          ? operation.interface_language
          : language_system);
}

void TPrefForm::Global_part_from_controls() {
  TOperation& operation = *holder_->operation;
  operation.launch_on_windows_startup = LaunchOnStartup->isChecked();
  operation.min_to_systray = MinTo->checkedId() == 1;
  operation.start_minimized = StartMin->isChecked();
  operation.save_size_and_pos = RememberSizePos->isChecked();
  Take_window_geometry();
  operation.show_full_pathnames = ShowPathNames->isChecked();
  operation.confirm_overwrites = ConfirmOverwrites->isChecked();
  operation.default_source_path = DefaultSourcePath->text().toStdString();
  operation.default_dest_path = DefaultDestPath->text().toStdString();
  operation.interface_language = InterfaceLanguage->currentIndex();
}

void TPrefForm::Take_window_geometry() {
  TOperation& operation = *holder_->operation;
  const QRect geometry = host_.Window_geometry();
  operation.window_pos_x = geometry.x();
  operation.window_pos_y = geometry.y();
  operation.window_width = geometry.width();
  operation.window_height = geometry.height();
}

void TPrefForm::Profile_to_control() {
  const int active = holder_->profiles->active_profile;
  Update_controls(active != 0, active - 1);
  if (active != 0) Controls_from_global_part();
}

void TPrefForm::Profile_to_data() {
  const int active = holder_->profiles->active_profile;
  Update_pref_data_structure(active != 0, active - 1);
  if (active != 0) Global_part_from_controls();
}

// Shows the two hotkeys and registers them anew with the system.
void TPrefForm::Update_hotkey_info() {
  const TOptProfiles& profiles = *holder_->profiles;
  ActiveHotkeyInfo->setText(QString::fromStdString(Hotkey_to_str(*profiles.hotkey_active)));
  DefaultHotkeyInfo->setText(QString::fromStdString(Hotkey_to_str(*profiles.hotkey_default)));
  HotkeyNotices->setChecked(profiles.show_hotkey_notices);
  Register_global_hotkeys();
  const std::string trigger = host_.Hotkey_trigger_note();
  WaylandNote->setText(trigger.empty() ? tr(xwayland_only_note) : QString::fromStdString(trigger));
  WaylandNote->setVisible(!trigger.empty() || Wayland_session());
}

void TPrefForm::Register_global_hotkeys() {
  if (host_.Hotkeys_registered()) host_.RegisterHotkeys(true);  // the keys registered before go first
  host_.RegisterHotkeys(false);
}

void TPrefForm::Rebuild_profile_list() {
  rebuilding_list_ = true;
  ProfileList->clear();
  ProfileList->addItem(tr("Default profile"));
  for (const std::string& name : holder_->profiles->profile_names) ProfileList->addItem(QString::fromStdString(name));
  ProfileList->setCurrentIndex(holder_->profiles->active_profile);
  rebuilding_list_ = false;
}

// ---- Enabling rules ----

void TPrefForm::LeadingSpacesClick() {
  // The bidirectional algorithm puts the spaces where they show: only
  // complementing still applies to its lines.
  const bool classic = ReorderMethod->currentIndex() != reorder_bidi;
  TrailingSpaces->setEnabled(classic && !LeadingSpaces->isChecked());
}

void TPrefForm::ExpressionsClick() {
  const bool classic = ReorderMethod->currentIndex() != reorder_bidi;
  for (QCheckBox* box : {Colon, Comma, Hyphen, Period, PlusSign, Slash, Space}) {
    box->setEnabled(classic && Expressions->isChecked());
  }
}

void TPrefForm::ReorderMethodChange() {
  const bool classic = ReorderMethod->currentIndex() != reorder_bidi;
  for (QCheckBox* box : {WholeLine, HebrewWords, HebrewPhrases, EnglishWords, EnglishPhrases, HTMLTags, HTMLText,
                         ParenSimple, ParenBrackets, ParenCurly, ParenAngled, Sequences, Expressions}) {
    box->setEnabled(classic);
  }
  ReorderDirection->setEnabled(!classic);
  ParagraphDirection->setEnabled(!classic);
  LeadingSpacesClick();
  ExpressionsClick();
}

void TPrefForm::MinToClick() { StartMin->setEnabled(MinTo->checkedId() == 1); }

void TPrefForm::MapBackFinalPehClick() {
  for (QAbstractButton* item : MapBackStylePeh->buttons()) item->setEnabled(MapBackFinalPeh->isChecked());
}

// ---- Buttons ----

void TPrefForm::reject() { done(mr_cancel); }

void TPrefForm::SaveClick() {
  Update_pref_data_structure(false, 0);
  holder_->Save_settings(default_settings_section);
  done(mr_ok);
}

void TPrefForm::SavePosNowButClick() {
  Take_window_geometry();
  holder_->Save_window_position(configuration_section);
}

void TPrefForm::Browse(std::string TOperation::*field, QLineEdit* box) {
  TPathSelect& path_select = host_.Path_select();
  path_select.DirectoryListBox1->Set_directory(QString::fromStdString(holder_->operation.get()->*field));
  if (host_.My_show_modal(path_select) != mr_ok) return;
  holder_->operation.get()->*field = path_select.SelectedPath.toStdString();
  box->setText(path_select.SelectedPath);
}

void TPrefForm::BrowseSourceClick() { Browse(&TOperation::default_source_path, DefaultSourcePath); }

void TPrefForm::BrowseDestClick() { Browse(&TOperation::default_dest_path, DefaultDestPath); }

void TPrefForm::Change_hotkey(TMyHotkey& hotkey, const TMyHotkey& other, const QString& refusal) {
  THotkeySelection& selection = host_.Hotkey_selection();
  selection.Hotkey_to_dialog(hotkey);
  // Both hotkeys on one combination: the second could never be registered.
  selection.accept_check = [&] {
    TMyHotkey chosen = hotkey;
    selection.Hotkey_from_dialog(chosen);
    const bool same = chosen.ctrl == other.ctrl && chosen.shift == other.shift && chosen.alt == other.alt &&
                      chosen.fkey == other.fkey;
    if (same) host_.My_show_message(refusal.arg(QString::fromStdString(Hotkey_to_str(other))));
    return !same;
  };
  if (host_.My_show_modal(selection) == mr_ok) selection.Hotkey_from_dialog(hotkey);
  selection.accept_check = nullptr;
  Update_hotkey_info();
}

void TPrefForm::ActiveHotkeyChangeClick() {
  Change_hotkey(*holder_->profiles->hotkey_active, *holder_->profiles->hotkey_default,
                tr("%1 is already the default profile hotkey. Please choose another combination for the active "
                   "profile hotkey."));
}

void TPrefForm::DefaultHotkeyChangeClick() {
  Change_hotkey(*holder_->profiles->hotkey_default, *holder_->profiles->hotkey_active,
                tr("%1 is already the active profile hotkey. Please choose another combination for the default "
                   "profile hotkey."));
}

}  // namespace quorvandel
