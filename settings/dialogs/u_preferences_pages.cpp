// The preferences dialog's layout: the six pages and the controls on them.
// What the controls do is in u_preferences.cpp.
#include "settings/dialogs/u_preferences.h"

#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QStyle>
#include <QVBoxLayout>

#include "platform/desktop_session.h"
#include "platform/run_entry.h"
#include "tools/context_help.h"

namespace quorvandel {
namespace {

constexpr const char* char_set_items[] = {
    QT_TRANSLATE_NOOP("quorvandel::TPrefForm", "Windows CodePage 1255 (224 - 251)"),
    QT_TRANSLATE_NOOP("quorvandel::TPrefForm", "DOS CodePage 862 (128 - 154)"),
    QT_TRANSLATE_NOOP("quorvandel::TPrefForm", "Uppercase English (65 - 90)"),
    QT_TRANSLATE_NOOP("quorvandel::TPrefForm", "Lowercase English (97 - 122)"),
    QT_TRANSLATE_NOOP("quorvandel::TPrefForm", "'Qwerty' mapping (uppercase)"),
    QT_TRANSLATE_NOOP("quorvandel::TPrefForm", "'Qwerty' mapping (lowercase)"),
};

// The captions Launch_on_startup_caption() gives on each platform, listed
// here for lupdate; the check box shows tr() of the one in use.
[[maybe_unused]] constexpr const char* launch_captions[] = {
    QT_TRANSLATE_NOOP("quorvandel::TPrefForm", "Launch on startup"),
    QT_TRANSLATE_NOOP("quorvandel::TPrefForm", "Launch on Windows startup"),
};

QString Item(const char* source) { return QCoreApplication::translate("quorvandel::TPrefForm", source); }

QCheckBox* Check(const QString& caption, QWidget* parent) { return new QCheckBox(caption, parent); }

// A group box of check boxes, one under the other.
QGroupBox* Column_group(const QString& title, std::initializer_list<QWidget*> boxes, QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  auto* column = new QVBoxLayout(group);
  for (QWidget* box : boxes) {
    box->setParent(group);
    column->addWidget(box);
  }
  column->addStretch(1);
  return group;
}

// A radio group: its buttons numbered from 0 in item order.
QGroupBox* Radio_group(const QString& title, std::initializer_list<QString> items, QButtonGroup*& buttons,
                       QWidget* parent) {
  auto* group = new QGroupBox(title, parent);
  auto* column = new QVBoxLayout(group);
  buttons = new QButtonGroup(group);
  int index = 0;
  for (const QString& item : items) {
    auto* button = new QRadioButton(item, group);
    buttons->addButton(button, index++);
    column->addWidget(button);
  }
  column->addStretch(1);
  return group;
}

QGroupBox* Char_set_group(const QString& title, QButtonGroup*& buttons, QWidget* parent) {
  return Radio_group(title,
                     {Item(char_set_items[0]), Item(char_set_items[1]), Item(char_set_items[2]),
                      Item(char_set_items[3]), Item(char_set_items[4]), Item(char_set_items[5])},
                     buttons, parent);
}

}  // namespace

// ---- The pages ----

QWidget* TPrefForm::Make_conversion_page() {
  auto* page = new QWidget;
  WholeLine = Check(tr("Whole line"), page);
  HebrewWords = Check(tr("Hebrew words"), page);
  HebrewPhrases = Check(tr("Hebrew phrases"), page);
  EnglishWords = Check(tr("English words"), page);
  EnglishPhrases = Check(tr("English phrases"), page);
  HTMLTags = Check(tr("HTML Tags"), page);
  HTMLText = Check(tr("HTML Text"), page);
  ParenSimple = Check(tr("Parentheses:  (   )"), page);
  ParenBrackets = Check(tr("Square brackets:  [  ]"), page);
  ParenCurly = Check(tr("Curly braces:  {   }"), page);
  ParenAngled = Check(tr("Angled brackets:  < >"), page);
  LeadingSpaces = Check(tr("Complement leading spaces"), page);
  TrailingSpaces = Check(tr("Truncate trailing spaces"), page);
  LineLength = new QLineEdit(page);
  LineLength->setMaxLength(3);
  LineLength->setFixedWidth(50);
  Sequences = Check(tr("Reverse digit sequences"), page);
  Expressions = Check(tr("Reverse numerical expressions"), page);
  Hyphen = Check(tr("hyphen (-)"), page);
  Period = Check(tr("period (.)"), page);
  Slash = Check(tr("Slash (/)"), page);
  Comma = Check(tr("Comma (,)"), page);
  PlusSign = Check(tr("Plus sign (+)"), page);
  Colon = Check(tr("Colon (:)"), page);
  Space = Check(tr("Space"), page);
  auto list = [page](std::initializer_list<QString> items) {
    auto* box = new QComboBox(page);
    for (const QString& item : items) box->addItem(item);
    return box;
  };
  ReorderMethod = list({tr("Classic reversals"), tr("Unicode bidirectional algorithm")});
  ReorderDirection = list({tr("Visual to logical"), tr("Logical to visual")});
  ParagraphDirection = list({tr("Right to left"), tr("Left to right"), tr("By the first strong letter")});

  auto* spaces = new QGroupBox(tr("Space Handling When Line Is Reversed"), page);
  Set_help_keyword(spaces, "SpacesSupport");
  auto* spaces_column = new QVBoxLayout(spaces);
  spaces_column->addWidget(LeadingSpaces);
  spaces_column->addWidget(TrailingSpaces);
  auto* length_row = new QHBoxLayout;
  length_row->addWidget(new QLabel(tr("Line length:"), spaces));
  length_row->addWidget(LineLength);
  length_row->addStretch(1);
  spaces_column->addLayout(length_row);

  auto* separators = new QGroupBox(tr("Numerical Expression Separators"), page);
  auto* separator_grid = new QGridLayout(separators);
  const std::array separator_boxes = {Hyphen, Period, Slash, Comma, PlusSign, Colon, Space};
  for (std::size_t i = 0; i < separator_boxes.size(); ++i) {
    separator_grid->addWidget(separator_boxes[i], static_cast<int>(i % 4), static_cast<int>(i / 4));
  }

  auto* grid = new QGridLayout(page);
  grid->addWidget(
      Column_group(tr("Reverse:"),
                   {WholeLine, HebrewWords, HebrewPhrases, EnglishWords, EnglishPhrases, HTMLTags, HTMLText}, page),
      0, 0, 2, 1);
  grid->addWidget(Column_group(tr("Flip Parentheses"), {ParenSimple, ParenBrackets, ParenCurly, ParenAngled}, page), 0,
                  1);
  grid->addWidget(spaces, 1, 1);
  grid->addWidget(Column_group(tr("Number Reversion"), {Sequences, Expressions}, page), 2, 0);
  grid->addWidget(separators, 2, 1);

  auto* reordering = new QGroupBox(tr("Reordering"), page);
  auto* reordering_row = new QHBoxLayout(reordering);
  for (const auto& [caption, box] : {std::pair{tr("Method:"), ReorderMethod},
                                     std::pair{tr("Direction:"), ReorderDirection},
                                     std::pair{tr("Paragraphs:"), ParagraphDirection}}) {
    auto* label = new QLabel(caption, reordering);
    label->setBuddy(box);
    reordering_row->addWidget(label);
    reordering_row->addWidget(box);
  }
  reordering_row->addStretch(1);
  grid->addWidget(reordering, 3, 0, 1, 2);

  connect(LeadingSpaces, &QCheckBox::toggled, this, &TPrefForm::LeadingSpacesClick);
  connect(Expressions, &QCheckBox::toggled, this, &TPrefForm::ExpressionsClick);
  connect(ReorderMethod, &QComboBox::currentIndexChanged, this, &TPrefForm::ReorderMethodChange);
  return page;
}

QWidget* TPrefForm::Make_source_page() {
  auto* page = new QWidget;
  HebrewUnicode = Check(tr("Translate HTML (Hebrew Unicode) numeric entity references (e.g., '&&#x05D0;')"), page);
  EmailStyle = Check(tr("Translate quoted-printable Hebrew characters, used in e-mail (e.g., '=E0')"), page);
  auto* column = new QVBoxLayout(page);
  column->addWidget(Char_set_group(tr("Source Hebrew Character Set"), SourceCharSet, page));
  column->addWidget(HebrewUnicode);
  column->addWidget(EmailStyle);
  // Converting with what the detector finds also serves this profile's
  // hotkey; the settings above then apply only where nothing is detected.
  ConvertAutomatically = Check(tr("Detect how the text was garbled and convert it automatically"), page);
  column->addWidget(ConvertAutomatically);
  column->addStretch(1);
  return page;
}

QWidget* TPrefForm::Make_destination_page() {
  auto* page = new QWidget;
  auto* grid = new QGridLayout(page);
  grid->addWidget(Char_set_group(tr("Destination Hebrew Character Set"), DestCharSet, page), 0, 0, 2, 1);
  QGroupBox* eoln = Radio_group(tr("End-Of-Line Format"),
                                {tr("CR/LF  (Windows)"), tr("LF only  (Unix)"), tr("CR only (Macintosh)")}, EOLNFormat, page);
  QGroupBox* letter_case =
      Radio_group(tr("English Letter Case"),
                  {tr("Leave as is"), tr("Force uppercase characters"), tr("Force lowercase characters")}, EnglishCase, page);
  Set_help_keyword(eoln, "EOLNSupport");
  Set_help_keyword(letter_case, "EnglishLetterCase");
  grid->addWidget(eoln, 0, 1);
  grid->addWidget(letter_case, 1, 1);
  return page;
}

QWidget* TPrefForm::Make_operation_page() {
  auto* page = new QWidget;
  StartMin = Check(tr("Start minimized"), page);
  LaunchOnStartup = Check(tr(Launch_on_startup_caption()), page);
  RememberSizePos = Check(tr("Automatically save main"), page);
  SavePosNowBut = new QPushButton(tr("Save now"), page);
  DefaultSourcePath = new QLineEdit(page);
  DefaultDestPath = new QLineEdit(page);
  BrowseSource = new QPushButton(tr("Browse"), page);
  BrowseDest = new QPushButton(tr("Browse"), page);
  ConfirmOverwrites = Check(tr("Confirm overwrites when saving files"), page);
  ShowPathNames = Check(tr("Show full path names in titles"), page);
  // Each language by its own name, so that a user who cannot read the
  // present one still finds theirs.
  InterfaceLanguage = new QComboBox(page);
  const QString hebrew = QStringLiteral("\u05E2\u05D1\u05E8\u05D9\u05EA");
  InterfaceLanguage->addItems({tr("System"), QStringLiteral("English"), hebrew});
  LanguageNote = new QLabel(tr("A change of language applies at the next start."), page);

  auto* column = new QVBoxLayout(page);
  column->addWidget(new QLabel(tr("The following settings apply to all profiles and are always saved."), page));
  auto* top = new QHBoxLayout;
  top->addWidget(Radio_group(tr("Minimize To:"), {tr("Taskbar and system tray"), tr("System tray only")}, MinTo, page));
  auto* flags = new QVBoxLayout;
  flags->addWidget(StartMin);
  flags->addWidget(LaunchOnStartup);
  // The check box lines up with those above it; the second line of its
  // caption with the first, past the indicator.
  auto* remember = new QGridLayout;
  remember->setVerticalSpacing(0);
  remember->addWidget(RememberSizePos, 0, 0);
  auto* remember_rest = new QLabel(tr("window's size and position"), page);
  const int indicator = style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, RememberSizePos) +
                        style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, RememberSizePos);
  remember_rest->setContentsMargins(indicator, 0, 0, 0);
  remember->addWidget(remember_rest, 1, 0);
  SavePosNowBut->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  remember->addWidget(SavePosNowBut, 0, 1, 2, 1);
  flags->addLayout(remember);
  top->addLayout(flags);
  column->addLayout(top);
  auto* paths = new QGridLayout;
  paths->addWidget(new QLabel(tr("Default source path:"), page), 0, 0, 1, 2);
  paths->addWidget(DefaultSourcePath, 1, 0);
  paths->addWidget(BrowseSource, 1, 1);
  paths->addWidget(new QLabel(tr("Default destination path:"), page), 2, 0, 1, 2);
  paths->addWidget(DefaultDestPath, 3, 0);
  paths->addWidget(BrowseDest, 3, 1);
  column->addLayout(paths);
  column->addWidget(ConfirmOverwrites);
  column->addWidget(ShowPathNames);
  auto* language_row = new QHBoxLayout;
  auto* language_label = new QLabel(tr("&Language:"), page);
  language_label->setBuddy(InterfaceLanguage);
  language_row->addWidget(language_label);
  language_row->addWidget(InterfaceLanguage);
  language_row->addWidget(LanguageNote);
  language_row->addStretch(1);
  column->addLayout(language_row);
  column->addStretch(1);

  connect(MinTo, &QButtonGroup::idToggled, this, [this](int, bool) { MinToClick(); });
  connect(SavePosNowBut, &QPushButton::clicked, this, &TPrefForm::SavePosNowButClick);
  connect(BrowseSource, &QPushButton::clicked, this, &TPrefForm::BrowseSourceClick);
  connect(BrowseDest, &QPushButton::clicked, this, &TPrefForm::BrowseDestClick);
  return page;
}

QWidget* TPrefForm::Make_profiles_page() {
  auto* page = new QWidget;
  ProfileList = new QComboBox(page);
  NewProfileBut = new QPushButton(tr("Create a new profile"), page);
  RenameBut = new QPushButton(tr("Rename the current profile"), page);
  SaveButton = new QPushButton(tr("Save current settings to the active profile"), page);
  DeleteProfBut = new QPushButton(tr("Delete the active profile"), page);
  ActiveHotkeyInfo = new QLabel(page);
  DefaultHotkeyInfo = new QLabel(page);
  ActiveHotkeyInfo->setStyleSheet("color: navy;");
  DefaultHotkeyInfo->setStyleSheet("color: navy;");
  ActiveHotkeyChange = new QPushButton(tr("Change"), page);
  DefaultHotkeyChange = new QPushButton(tr("Change"), page);
  for (QWidget* hotkey_control : {static_cast<QWidget*>(ActiveHotkeyInfo), static_cast<QWidget*>(DefaultHotkeyInfo),
                                  static_cast<QWidget*>(ActiveHotkeyChange), static_cast<QWidget*>(DefaultHotkeyChange)}) {
    Set_help_keyword(hotkey_control, "HotkeySettings");
  }

  auto* column = new QVBoxLayout(page);
  auto* profile_row = new QHBoxLayout;
  profile_row->addWidget(new QLabel(tr("Active profile:"), page));
  profile_row->addWidget(ProfileList, 1);
  column->addLayout(profile_row);
  auto* profile_buttons = new QGridLayout;
  profile_buttons->addWidget(NewProfileBut, 0, 0);
  profile_buttons->addWidget(RenameBut, 0, 1);
  profile_buttons->addWidget(SaveButton, 1, 0);
  profile_buttons->addWidget(DeleteProfBut, 1, 1);
  column->addLayout(profile_buttons);
  auto* hotkeys = new QGridLayout;
  hotkeys->addWidget(new QLabel(tr("Active profile hotkey:"), page), 0, 0);
  hotkeys->addWidget(ActiveHotkeyInfo, 0, 1);
  hotkeys->addWidget(ActiveHotkeyChange, 0, 2);
  hotkeys->addWidget(new QLabel(tr("Default profile hotkey: "), page), 1, 0);
  hotkeys->addWidget(DefaultHotkeyInfo, 1, 1);
  hotkeys->addWidget(DefaultHotkeyChange, 1, 2);
  hotkeys->setColumnStretch(1, 1);
  column->addSpacing(12);
  column->addLayout(hotkeys);
  HotkeyNotices = new QCheckBox(tr("Show a notice when a hotkey found nothing selected or could not paste"), page);
  column->addWidget(HotkeyNotices);
  WaylandNote = new QLabel(tr(xwayland_only_note), page);
  WaylandNote->setVisible(Wayland_session());
  WaylandNote->setWordWrap(true);
  WaylandNote->setTextInteractionFlags(Qt::TextSelectableByMouse);  // the lines to bind are copied from it
  column->addWidget(WaylandNote);
  column->addStretch(1);

  connect(ProfileList, &QComboBox::currentIndexChanged, this, &TPrefForm::ProfileListChange);
  connect(NewProfileBut, &QPushButton::clicked, this, &TPrefForm::NewProfileButClick);
  connect(RenameBut, &QPushButton::clicked, this, &TPrefForm::RenameButClick);
  connect(SaveButton, &QPushButton::clicked, this, &TPrefForm::SaveButtonClick);
  connect(DeleteProfBut, &QPushButton::clicked, this, &TPrefForm::DeleteProfButClick);
  connect(ActiveHotkeyChange, &QPushButton::clicked, this, &TPrefForm::ActiveHotkeyChangeClick);
  connect(DefaultHotkeyChange, &QPushButton::clicked, this, &TPrefForm::DefaultHotkeyChangeClick);
  connect(HotkeyNotices, &QCheckBox::toggled, this,
          [this](bool checked) { holder_->profiles->show_hotkey_notices = checked; });
  return page;
}

QWidget* TPrefForm::Make_qwerty_page() {
  auto* page = new QWidget;
  MapGrave = Check(tr("Map acc. grave (`) to semicolon (;)"), page);
  MapQ = Check(tr("Map 'Q' to slash (/)"), page);
  MapW = Check(tr("Map 'W' to apostrophe (')"), page);
  MapSemi = Check(tr("Map semicolon (;) to Final Peh"), page);
  MapApostophe = Check(tr("Map apostophe (') to comma (,)"), page);
  MapComma = Check(tr("Map comma (,) to Tav"), page);
  MapPeriod = Check(tr("Map period (.) to Final Tsadi"), page);
  MapSlash = Check(tr("Map slash (/) to period (.)"), page);
  MapTilde = Check(tr("Map tilde (~) to Final Peh"), page);
  MapBackSemi = Check(tr("Map semicolon (;) to acc. grave (`)"), page);
  MapBackSlash = Check(tr("Map slash (/) to 'Q'"), page);
  MapBackApostrophe = Check(tr("Map apostrophe (') to 'W'"), page);
  MapBackComma = Check(tr("Map comma (,) to apostrophe (')"), page);
  MapBackTav = Check(tr("Map Tav to comma (,)"), page);
  MapBackFinalTsadi = Check(tr("Map Final Tsadi to period (.)"), page);
  MapBackPeriod = Check(tr("Map period (.) to slash (/)"), page);
  MapBackFinalPeh = Check(tr("Map Final Peh"), page);

  auto* destination = Column_group(tr("Qwerty Destination"),
                                   {MapBackSemi, MapBackSlash, MapBackApostrophe, MapBackComma, MapBackTav,
                                    MapBackFinalTsadi, MapBackPeriod, MapBackFinalPeh},
                                   page);
  static_cast<QVBoxLayout*>(destination->layout())
      ->insertWidget(8, Radio_group(tr("Map Final Peh to:"), {tr("To semicolon (;)"), tr("To tilde (~)")},
                                    MapBackStylePeh, destination));
  auto* row = new QHBoxLayout(page);
  row->addWidget(Column_group(
      tr("Qwerty Source"), {MapGrave, MapQ, MapW, MapSemi, MapApostophe, MapComma, MapPeriod, MapSlash, MapTilde},
      page));
  row->addWidget(destination);
  connect(MapBackFinalPeh, &QCheckBox::toggled, this, &TPrefForm::MapBackFinalPehClick);
  return page;
}

}  // namespace quorvandel
