// The main window: creation, layout, the dialog helpers, activation and closing.
#include "mainwindow/main_form.h"

#include <QApplication>
#include <cstring>
#include <optional>
#include <string_view>
#include <utility>
#include <QFileInfo>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMenuBar>
#include <QMimeData>
#include <QUrl>
#include <QMessageBox>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>

#include "mainwindow/info_bar.h"
#include "mainwindow/layout_arithmetic.h"
#include "mainwindow/notice_popup.h"
#include "resources/icons.h"
#include "settings/settings_location.h"
#include "settings/dialogs/u_preferences.h"
#include "tools/u_about.h"
#include "tools/u_ascii_chart.h"
#include "tools/u_idcheck.h"
#include "tools/u_confirm.h"
#include "tools/modal_result.h"

namespace quorvandel {
namespace {

constexpr int design_width = 604;
constexpr int design_height = 435;
constexpr int minimum_width = 400;
constexpr int minimum_height = 300;
constexpr int automatic_gap = 4;  // between the Convert and Automatic buttons
constexpr int button_bar_height = 41;
constexpr int status_bar_height = 27;
constexpr int banner_height = 20;
constexpr int title_height = 29;
constexpr int info_bar_height = 25;
constexpr int left_panel_design_width = 281;

// The width that shows a button's caption whole with a little room on both
// sides: less than the style's usual button width for a short caption.
int Caption_width(const QPushButton& button) {
  return button.fontMetrics().horizontalAdvance(button.text()) + 2 * button.fontMetrics().averageCharWidth() + 8;
}

QLabel* Make_banner(const QString& text, QWidget* parent) {
  auto* banner = new QLabel(text, parent);
  banner->setAlignment(Qt::AlignCenter);
  banner->setFixedHeight(banner_height);
  QFont font = banner->font();
  font.setBold(true);
  font.setPixelSize(18);
  banner->setFont(font);
  banner->setStyleSheet("color: teal;");
  return banner;
}

QLabel* Make_title(QWidget* parent) {
  auto* title = new QLabel(parent);
  title->setAlignment(Qt::AlignCenter);
  title->setFixedHeight(title_height);
  title->setFrameShape(QFrame::Panel);
  title->setFrameShadow(QFrame::Sunken);
  return title;
}

}  // namespace

TMainForm::TMainForm(Services services, QWidget* parent) : QMainWindow(parent), services_(std::move(services)) {
  FormCreate();
}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate() {
  minimized = hidden_to_tray = modal_open = false;
  setWindowTitle(application_title);
  tray_icon_disabled = Disabled_icon();
  tray_icon_enabled = Enabled_icon();
  setWindowIcon(Main_icon());
  split_ratio = 0.5;

  Create_menus();
  auto* central = new QWidget(this);
  auto* column = new QVBoxLayout(central);
  column->setContentsMargins(2, 2, 2, 2);
  column->setSpacing(0);
  Create_button_bar();
  Create_columns();
  StatusBar1 = new TInfo_bar(central);
  StatusBar1->setFixedHeight(status_bar_height);
  column->addWidget(ButtonBar);
  column->addWidget(OuterPanel, 1);
  column->addWidget(StatusBar1);
  setCentralWidget(central);
  setAcceptDrops(true);
  // Never so narrow that a button's caption is cut.
  // Convert shares its place with Automatic (see FormResize).
  int button_width = Caption_width(*Convert) + automatic_gap + Caption_width(*Automatic);
  for (const QPushButton* button : {OpenBut, Preferences, FromClipboard}) {
    button_width = std::max(button_width, button->sizeHint().width());
  }
  const int margins = column->contentsMargins().left() + column->contentsMargins().right();
  setMinimumSize(std::max(minimum_width, Button_bar_width_for(button_width) + margins), minimum_height);
  resize(design_width, design_height);

  FirstRun.setSingleShot(false);
  connect(&FirstRun, &QTimer::timeout, this, &TMainForm::FirstRunTimer);
  Create_tray_menu();
  Set_help_keywords();
  Waiting.setSingleShot(true);
  connect(&Waiting, &QTimer::timeout, this, &TMainForm::WaitingTimer);
  Create_hotkey_conversion();
  Name_controls();

  hotkeys_registered = false;
  source_status = dest_status = 0;
  source_modified = false;
}

void TMainForm::Name_controls() {
  const std::pair<QObject*, const char*> controls[] = {
      {RichEdit1, "RichEdit1"},
      {RichEdit2, "RichEdit2"},
      {SourceBanner, "SourceBanner"},
      {DestinationBanner, "DestinationBanner"},
      {SourceTitle, "SourceTitle"},
      {DestTitle, "DestTitle"},
      {SourceInfo, "SourceInfo"},
      {DestInfo, "DestInfo"},
      {StatusBar1, "StatusBar1"},
      {ButtonBar, "ButtonBar"},
      {OpenBut, "OpenBut"},
      {Convert, "Convert"},
      {Automatic, "Automatic"},
      {Preferences, "Preferences"},
      {FromClipboard, "FromClipboard"},
      {OuterPanel, "OuterPanel"},
      {Splitter1, "Splitter1"},
      {LeftPanel, "LeftPanel"},
      {RightPanel, "RightPanel"},
      {RecentMenu, "RecentMenu"},
      {SourceWrapItem, "SourceWrapItem"},
      {DestinationWrapItem, "DestinationWrapItem"},
      {SysTrayPopup, "SysTrayPopup"},
      {PopRestore, "PopRestore"},
      {EnableHotkeys, "EnableHotkeys"},
      {BonusIDValidator1, "BonusIDValidator1"},
      {PopHelp, "PopHelp"},
      {PopAbout, "PopAbout"},
      {PopExit, "PopExit"},
  };
  for (const auto& [control, name] : controls) control->setObjectName(QString::fromLatin1(name));
}

void TMainForm::Start_first_run(int delay_ms) {
  FirstRun.setInterval(delay_ms);
  FirstRun.start();
}

// Every menu opens with Alt and its underlined letter, and F10 opens the
// first; the commands used most have keys of their own.
void TMainForm::Create_menus() {
  const auto add = [this](QMenu* menu, const QString& caption, void (TMainForm::*handler)(),
                          const QKeySequence& keys = {}) {
    QAction* action = menu->addAction(caption);
    action->setShortcut(keys);
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  QMenu* file = menuBar()->addMenu(tr("&File"));
  add(file, tr("C&lear Source"), &TMainForm::Clear1Click);
  add(file, tr("&Open Source"), &TMainForm::Open1Click, QKeySequence(Qt::CTRL | Qt::Key_O));
  RecentMenu = file->addMenu(tr("&Recent Files"));
  add(file, tr("&Save Destination As..."), &TMainForm::SaveAs1Click, QKeySequence(Qt::CTRL | Qt::Key_S));
  file->addSeparator();
  add(file, tr("&Convert"), &TMainForm::Convert1Click, QKeySequence(Qt::Key_F5));
  file->addSeparator();
  add(file, tr("&Bonus: Validate ID"), &TMainForm::CheckID1Click);
  file->addSeparator();
  add(file, tr("E&xit"), &TMainForm::Quit1Click);

  QMenu* convert = menuBar()->addMenu(tr("&Convert"));
  // F5 belongs to File > Convert; a second action with the same key would
  // make it ambiguous, so this one only shows it.
  add(convert, tr("Co&nvert\tF5"), &TMainForm::Convert1Click);
  add(convert, tr("&Automatic"), &TMainForm::AutomaticClick);

  QMenu* edit = menuBar()->addMenu(tr("&Edit"));
  add(edit, tr("&Undo"), &TMainForm::Undo_click, QKeySequence(Qt::CTRL | Qt::Key_Z));
  edit->addSeparator();
  // A pane with the focus takes these keys itself; elsewhere in the window
  // they run the commands.
  add(edit, tr("Cu&t"), &TMainForm::Cut1Click)->setShortcuts(QKeySequence::Cut);
  add(edit, tr("&Copy"), &TMainForm::Copy1Click)->setShortcuts(QKeySequence::Copy);
  add(edit, tr("&Paste"), &TMainForm::Paste1Click)->setShortcuts(QKeySequence::Paste);
  add(edit, tr("Select &All"), &TMainForm::Select_all_click, QKeySequence(Qt::CTRL | Qt::Key_A));
  edit->addSeparator();
  add(edit, tr("P&references"), &TMainForm::Preferences1Click);

  QMenu* view = menuBar()->addMenu(tr("&View"));
  QMenu* wrap = view->addMenu(tr("&Word wrap"));
  SourceWrapItem = add(wrap, tr("&Source"), &TMainForm::Source1Click);
  DestinationWrapItem = add(wrap, tr("&Destination"), &TMainForm::Destination1Click);
  SourceWrapItem->setCheckable(true);
  DestinationWrapItem->setCheckable(true);
  add(view, tr("&Character Chart"), &TMainForm::ASCIIChartMenuClick);

  QMenu* help = menuBar()->addMenu(tr("&Help"));
  add(help, tr("&Contents"), &TMainForm::ContentsClick);
  help->addSeparator();
  add(help, tr("&About Quorvandel"), &TMainForm::About2Click);

  auto* f10 = new QAction(this);
  f10->setShortcut(QKeySequence(Qt::Key_F10));
  addAction(f10);
  connect(f10, &QAction::triggered, this, [this, file] { menuBar()->setActiveAction(file->menuAction()); });
  Update_recent_menu();
}

void TMainForm::Create_button_bar() {
  ButtonBar = new QFrame(this);
  static_cast<QFrame*>(ButtonBar)->setFrameStyle(QFrame::Panel | QFrame::Raised);
  ButtonBar->setFixedHeight(button_bar_height);
  OpenBut = new QPushButton(tr("Open"), ButtonBar);
  Convert = new QPushButton(tr("Convert"), ButtonBar);
  Automatic = new QPushButton(tr("Auto"), ButtonBar);
  Automatic->setToolTip(tr("Automatic: detect how the source text was garbled and convert it"));
  Preferences = new QPushButton(tr("Preferences"), ButtonBar);
  FromClipboard = new QPushButton(tr("From Clipboard"), ButtonBar);
  Convert->setDefault(true);
  connect(OpenBut, &QPushButton::clicked, this, &TMainForm::OpenButClick);
  connect(Convert, &QPushButton::clicked, this, &TMainForm::ConvertClick);
  connect(Automatic, &QPushButton::clicked, this, &TMainForm::AutomaticClick);
  connect(Preferences, &QPushButton::clicked, this, &TMainForm::PreferencesClick);
  connect(FromClipboard, &QPushButton::clicked, this, &TMainForm::FromClipboardClick);
}

QWidget* TMainForm::Create_column(QLabel*& banner, const QString& banner_text, QLabel*& title, TText_pane*& pane,
                                  TInfo_bar*& info) {
  auto* panel = new QWidget;
  auto* column = new QVBoxLayout(panel);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);
  banner = Make_banner(banner_text, panel);
  title = Make_title(panel);
  pane = new TText_pane(*services_.clipboard, panel);
  // Each line runs in its own text's direction whatever the interface's:
  // the pane keeps the left-to-right geometry its lines are laid out in.
  pane->setLayoutDirection(Qt::LeftToRight);
  info = new TInfo_bar(panel);
  info->setFixedHeight(info_bar_height);
  info->Add_third_panel();
  column->addWidget(banner);
  column->addWidget(title);
  column->addWidget(pane, 1);
  column->addWidget(info);
  return panel;
}

void TMainForm::Create_columns() {
  auto* outer = new QFrame(this);
  outer->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  OuterPanel = outer;
  Splitter1 = new QSplitter(Qt::Horizontal, outer);
  Splitter1->setHandleWidth(splitter_width);
  Splitter1->setChildrenCollapsible(false);
  Splitter1->setOpaqueResize(false);  // moved once, when the drag ends
  LeftPanel = Create_column(SourceBanner, tr("Source"), SourceTitle, RichEdit1, SourceInfo);
  RightPanel = Create_column(DestinationBanner, tr("Destination"), DestTitle, RichEdit2, DestInfo);
  RichEdit2->setReadOnly(true);
  Splitter1->addWidget(LeftPanel);
  Splitter1->addWidget(RightPanel);
  Splitter1->setSizes({left_panel_design_width, design_width - left_panel_design_width});
  auto* frame = new QVBoxLayout(outer);
  frame->setContentsMargins(4, 4, 4, 4);
  frame->addWidget(Splitter1);
  connect(Splitter1, &QSplitter::splitterMoved, this, &TMainForm::Splitter1Moved);
  connect(RichEdit1, &TText_pane::Key_down, this, &TMainForm::RichEdit1KeyDown);
  connect(RichEdit1, &TText_pane::textChanged, this, &TMainForm::Update_lines);
  connect(RichEdit2, &TText_pane::textChanged, this, &TMainForm::Update_lines);
}

void TMainForm::Set_dialogs(const Dialogs& dialogs) {
  const TAbout* connected_about = dialogs_.about;
  dialogs_ = dialogs;
  if (dialogs_.about && dialogs_.about != connected_about) {  // one message for each failed launch
    connect(dialogs_.about, &TAbout::Mail_launch_failed, this,
            [this] { My_show_message(tr("An error occurred while trying to launch the e-mail application.")); });
  }
}

// ---- Layout ----


void TMainForm::FormResize() {
  if (centralWidget()->layout()) centralWidget()->layout()->activate();
  const int left = Left_panel_width(OuterPanel->width(), split_ratio);
  const int right = OuterPanel->width() - splitter_width - splitter_allowance - left;
  Splitter1->setSizes({left, std::max(right, 0)});

  const Button_row buttons = Button_positions(ButtonBar->width());
  QPushButton* row[] = {OpenBut, Convert, Preferences, FromClipboard};
  const int top = (ButtonBar->height() - OpenBut->sizeHint().height()) / 2;
  for (std::size_t i = 0; i < std::size(row); ++i) {
    row[i]->setGeometry(buttons.lefts[i], top, std::max(buttons.width, 0), OpenBut->sizeHint().height());
  }
  // Automatic shares the Convert button's place: a little less than half of
  // it, never so little that either caption is cut while the place holds both.
  const QRect convert_place = Convert->geometry();
  const int automatic_width =
      std::max(std::min(std::max(convert_place.width() * 9 / 20 - automatic_gap, Caption_width(*Automatic)),
                        convert_place.width() - automatic_gap - Caption_width(*Convert)),
               0);
  Convert->setGeometry(convert_place.adjusted(0, 0, -automatic_width - automatic_gap, 0));
  Automatic->setGeometry(convert_place.right() - automatic_width + 1, top, automatic_width, convert_place.height());
  // Placed by hand, so mirrored by hand for a right-to-left interface:
  // Open first at the right, Auto to the left of Convert.
  if (ButtonBar->isRightToLeft()) {
    for (QPushButton* button : {OpenBut, Convert, Automatic, Preferences, FromClipboard}) {
      button->setGeometry(QStyle::visualRect(Qt::RightToLeft, ButtonBar->rect(), button->geometry()));
    }
  }

  SourceInfo->Set_first_width(Info_first_panel_width(left));
  DestInfo->Set_first_width(Info_first_panel_width(right));
  const auto status_widths = Status_panel_widths(width());
  StatusBar1->Set_first_width(status_widths[0]);
  StatusBar1->Set_second_width(status_widths[1]);
}

void TMainForm::Splitter1Moved() {
  const QList<int> sizes = Splitter1->sizes();
  split_ratio = Split_ratio(sizes.value(0), OuterPanel->width());
  SourceInfo->Set_first_width(Info_first_panel_width(sizes.value(0)));
  DestInfo->Set_first_width(Info_first_panel_width(sizes.value(1)));
}

void TMainForm::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FormResize();
}

// ---- Showing dialogs and messages ----

int TMainForm::My_show_modal(QDialog& form) {
  modal_open = true;
  const int result = hooks.show_modal ? hooks.show_modal(form) : form.exec();
  modal_open = false;
  return result;
}

void TMainForm::My_show_message(const QString& text) {
  modal_open = true;
  if (hooks.show_message) {
    hooks.show_message(text);
  } else {
    QMessageBox box(QMessageBox::NoIcon, application_title, text, QMessageBox::Ok);
    box.button(QMessageBox::Ok)->setText(tr("OK"));
    box.exec();
  }
  modal_open = false;
}

bool TMainForm::Confirm_msg(const QString& caption, const QString& message) {
  TConfirm& confirm = *dialogs_.confirm;
  confirm.setWindowTitle(caption);
  confirm.Msg->setText(message);
  confirm.Msg->setAlignment(Qt::AlignCenter);
  return My_show_modal(confirm) == mr_yes;
}

bool TMainForm::My_ask_ok_cancel(const QString& text) {
  modal_open = true;
  bool ok = false;
  if (hooks.ask_ok_cancel) {
    ok = hooks.ask_ok_cancel(text);
  } else {
    QMessageBox box(QMessageBox::Question, application_title, text, QMessageBox::Ok | QMessageBox::Cancel);
    box.button(QMessageBox::Ok)->setText(tr("OK"));
    box.button(QMessageBox::Cancel)->setText(tr("Cancel"));
    ok = box.exec() == QMessageBox::Ok;
  }
  modal_open = false;
  return ok;
}

namespace {

// The lead-ins of the settings file's messages and the failures they
// quote; the settings code writes them in English, and the rest of the
// message (a path, the system's own words) stays as it is.
constexpr const char* message_lead_ins[] = {
    QT_TRANSLATE_NOOP("quorvandel::TMainForm", "Couldn't load operation settings due to the following error: '"),
    QT_TRANSLATE_NOOP("quorvandel::TMainForm", "Couldn't save operation settings due to the following error: '"),
    QT_TRANSLATE_NOOP("quorvandel::TMainForm", "Couldn't save window position due to the following error: '"),
    QT_TRANSLATE_NOOP("quorvandel::TMainForm", "Couldn't read settings due to the following error: '"),
    QT_TRANSLATE_NOOP("quorvandel::TMainForm", "Couldn't save settings due to the following error: '"),
    QT_TRANSLATE_NOOP("quorvandel::TMainForm", "Unable to read "),
    QT_TRANSLATE_NOOP("quorvandel::TMainForm", "Unable to write to "),
};

// Whole messages of the conversion and of the hotkey conversion, which
// know no language; "%1" stands for the part quoted from the text, which
// stays as it is.
constexpr const char* whole_messages[] = {
    QT_TRANSLATE_NOOP("quorvandel::TMainForm", "'%1' is not a valid integer value"),
    QT_TRANSLATE_NOOP("quorvandel::TMainForm", "the bidirectional algorithm is not available"),
    QT_TRANSLATE_NOOP("quorvandel::TMainForm", "the bidirectional algorithm could not reorder the line"),
    QT_TRANSLATE_NOOP("quorvandel::TMainForm",
                      "The clipboard could not be set aside, so the selection was not converted."),
    QT_TRANSLATE_NOOP("quorvandel::TMainForm", "The clipboard could not be emptied, so the selection was not converted."),
    QT_TRANSLATE_NOOP("quorvandel::TMainForm",
                      "The converted text could not be put on the clipboard, so nothing was pasted."),
    QT_TRANSLATE_NOOP("quorvandel::TMainForm",
                      "The converted text could not be put into the selection, so nothing was pasted."),
    QT_TRANSLATE_NOOP("quorvandel::TMainForm", "The clipboard's former contents could not be put back."),
};
static_assert(std::string_view(whole_messages[3]) == clipboard_not_saved_message);
static_assert(std::string_view(whole_messages[4]) == clipboard_not_emptied_message);
static_assert(std::string_view(whole_messages[5]) == converted_not_placed_message);
static_assert(std::string_view(whole_messages[6]) == primary_not_placed_message);
static_assert(std::string_view(whole_messages[7]) == clipboard_not_restored_message);

// `text` translated when it is one of the whole messages.
std::optional<QString> Translated_whole_message(const QString& text) {
  for (const char* message : whole_messages) {
    const QString source = QString::fromUtf8(message);
    const qsizetype hole = source.indexOf(QStringLiteral("%1"));
    if (hole < 0) {
      if (text == source) return TMainForm::tr(message);
      continue;
    }
    const QString before = source.left(hole);
    const QString after = source.mid(hole + 2);
    if (text.size() >= before.size() + after.size() && text.startsWith(before) && text.endsWith(after))
      return TMainForm::tr(message).arg(text.mid(before.size(), text.size() - before.size() - after.size()));
  }
  return std::nullopt;
}

}  // namespace

QString TMainForm::Translated_message(const std::string& text) {
  QString rest = QString::fromStdString(text);
  if (std::optional<QString> whole = Translated_whole_message(rest)) return *whole;
  QString translated;
  for (bool found = true; found;) {  // a lead-in, then the failure it quotes
    found = false;
    for (const char* lead_in : message_lead_ins) {
      if (rest.startsWith(QLatin1String(lead_in))) {
        translated += tr(lead_in);
        rest.remove(0, static_cast<qsizetype>(std::strlen(lead_in)));
        found = true;
        break;
      }
    }
  }
  return translated + rest;
}

void TMainForm::Show_message(const std::string& text) { My_show_message(Translated_message(text)); }

void TMainForm::Show_preferences(int page) {
  TPrefForm& preferences = *dialogs_.pref_form;
  preferences.Select_page(page);
  if (My_show_modal(preferences) == mr_cancel) {
    preferences.Profile_to_control();
  } else {
    preferences.Profile_to_data();
    Holder()->Save_operation_settings(configuration_section);
    preferences.Save_created_profiles();
  }
  Show_status();
}

void TMainForm::Set_program_folder(const std::string& folder) {
  program_folder = folder;
  settings_file_path = program_folder + settings_file_name;
  settings_file_found = QFileInfo::exists(QString::fromStdString(settings_file_path));
  settings_file_ = TSettings_file{settings_file_path, program_folder, this};
}

void TMainForm::About2Click() { My_show_modal(*dialogs_.about); }

void TMainForm::CheckID1Click() { My_show_modal(*dialogs_.id_check); }

void TMainForm::ASCIIChartMenuClick() { My_show_modal(*dialogs_.ascii_chart); }


// ---- Files dropped on the window ----

namespace {

QString First_local_file(const QMimeData* data) {
  if (!data || !data->hasUrls()) return {};
  for (const QUrl& url : data->urls()) {
    if (url.isLocalFile()) return url.toLocalFile();
  }
  return {};
}

}  // namespace

void TMainForm::dragEnterEvent(QDragEnterEvent* event) {
  if (!busy && !First_local_file(event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void TMainForm::dropEvent(QDropEvent* event) {
  const QString path = First_local_file(event->mimeData());
  if (path.isEmpty()) return;
  event->acceptProposedAction();
  Open_source_file(path, File_encoding::automatic);
}

// ---- Activation and closing ----

void TMainForm::changeEvent(QEvent* event) {
  QMainWindow::changeEvent(event);
  if (event->type() == QEvent::ActivationChange && isActiveWindow()) FormActivate();
  if (event->type() == QEvent::WindowStateChange) MinimizeToTray(static_cast<QWindowStateChangeEvent&>(*event));
}

void TMainForm::FormActivate() {
  services_.input_language->Request(hebrew_layout);  // the source pane
  services_.input_language->Request(hebrew_layout);  // the destination pane
  Show_status();
}

void TMainForm::Register_a_hotkey(const TMyHotkey& hotkey, const QString& failure_message, int id) {
  if (services_.hotkeys->Register(id, hotkey.ctrl, hotkey.shift, hotkey.alt, hotkey.fkey)) return;
  My_show_message(failure_message.arg(QString::fromStdString(Hotkey_to_str(hotkey))));
}

void TMainForm::RegisterHotkeys(bool unregister_only) {
  if (unregister_only) {
    services_.hotkeys->Unregister(default_hotkey_id);
    services_.hotkeys->Unregister(active_hotkey_id);
    hotkeys_enabled = hotkeys_registered = false;
    return;
  }
  if (!Holder()) return;
  const TOptProfiles& profiles = *Holder()->profiles;
  Register_a_hotkey(*profiles.hotkey_default, tr("Unable to assign %1 as a default hotkey."), default_hotkey_id);
  Register_a_hotkey(*profiles.hotkey_active, tr("Unable to assign %1 as an active profile hotkey."),
                    active_hotkey_id);
  hotkeys_enabled = hotkeys_registered = true;
}

void TMainForm::closeEvent(QCloseEvent* event) {
  if (busy) {  // the work under way still needs the settings: close when it ends
    close_requested_ = true;
    event->ignore();
    return;
  }
  FormClose();
  QMainWindow::closeEvent(event);
}

void TMainForm::FormClose() {
  if (closed_) return;
  closed_ = true;
  // A first run's greeting still to come would open the preferences of
  // settings freed below.
  FirstRun.stop();
  RegisterHotkeys(true);
  if (TPrefs* holder = Holder()) {
    TOperation& operation = *holder->operation;
    if (!services_.login_entry->Set_launch_at_login(operation.launch_on_windows_startup)) {
      My_show_message(tr("Couldn't change the 'launch on startup' settings."));
    }
    if (operation.save_size_and_pos) {
      operation.window_pos_x = x();
      operation.window_pos_y = y();
      operation.window_width = width();
      operation.window_height = height();
      holder->Save_window_position(configuration_section);
    }
  }
  Delete_systray_icon();
  if (dialogs_.pref_form) dialogs_.pref_form->Free_holder();
  emit Closed();
}

}  // namespace quorvandel
