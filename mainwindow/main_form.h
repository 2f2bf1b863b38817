// The main window: the two panes with their titles and info bars, the
// status line, the menus and buttons, and the helpers through which every
// dialog and message of the program is shown.
#pragma once

#include <QCloseEvent>
#include <QIcon>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <QSplitter>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/text.h"
#include "hotkeys/hotkey_conversion.h"
#include "mainwindow/background_conversion.h"
#include "mainwindow/file_encoding.h"
#include "mainwindow/services.h"
#include "settings/message_sink.h"
#include "settings/dialogs/pref_host.h"
#include "settings/prefs.h"
#include "textpane/text_pane.h"

class QAction;
class QDialog;
class QMenu;
class QWindowStateChangeEvent;

namespace quorvandel {

// The caption of the main window and of the program's message boxes.
inline constexpr const char* application_title = "Quorvandel 1.0.0";

class TAbout;
class TASCIIChart;
class TConfirm;
class TIDCheck;
class THotkeySelection;
class TMyInputBox;
class TPathSelect;
class TPrefForm;
class TProgBar;
class TInfo_bar;
class Notice_popup;

// What a file dialog is asked to show.
struct File_dialog_request {
  QString caption;
  QString folder;
  QString proposed_name;  // save dialogs only
  QString filter;
  bool confirm_overwrite = false;  // save dialogs only
  // The encoding offered first; the dialog leaves the user's choice here.
  File_encoding encoding = File_encoding::automatic;
};

// How the main window shows dialogs; tests replace these to answer them.
struct Dialog_hooks {
  std::function<int(QDialog& dialog)> show_modal;
  std::function<void(const QString& text)> show_message;
  std::function<QString(File_dialog_request& request)> open_file;  // empty: cancelled
  std::function<QString(File_dialog_request& request)> save_file;  // empty: cancelled
  std::function<bool(const QString& text)> ask_ok_cancel;                // true for OK
};

class TMainForm : public QMainWindow, public Message_sink, public TPref_host {
  Q_OBJECT

 public:
  explicit TMainForm(Services services, QWidget* parent = nullptr);
  ~TMainForm() override;

  // The dialogs that the program entry creates after the main window.
  struct Dialogs {
    TAbout* about = nullptr;
    TProgBar* prog_bar = nullptr;
    TASCIIChart* ascii_chart = nullptr;
    TConfirm* confirm = nullptr;
    THotkeySelection* hotkey_selection = nullptr;
    TPrefForm* pref_form = nullptr;
    TMyInputBox* input_box = nullptr;
    TIDCheck* id_check = nullptr;
    TPathSelect* path_select = nullptr;
  };
  void Set_dialogs(const Dialogs& dialogs);
  const Dialogs& dialogs() const { return dialogs_; }

  // ---- Shown through here: every dialog and message box ----
  int My_show_modal(QDialog& form) override;
  void My_show_message(const QString& text) override;
  bool Confirm_msg(const QString& caption, const QString& message);
  bool My_ask_ok_cancel(const QString& text) override;
  void Show_message(const std::string& text) override;  // the settings' and engine's messages
  // Such a message in the interface's language.
  static QString Translated_message(const std::string& text);
  void Show_preferences(int page);
  // The dialogs' answers; a test replaces them to answer for the user.
  Dialog_hooks& Hooks() { return hooks; }

  // ---- Status ----
  QString Status_to_str(int status, bool with_mark) const;
  // A character set's short name of the status line, in the interface's language.
  static QString Char_set_caption(int set);
  void Show_status() override;
  void Update_lines();

  // ---- The commands ----
  void Open1Click();
  // Opens a file into the source pane as Open does after its dialog: from
  // the dialog, a drop, the command line or the recent files. A file that
  // cannot be read changes nothing.
  bool Open_source_file(const QString& path, File_encoding encoding);

  // ---- The recently opened files ----
  void Load_recent_files();
  void Remember_recent_file(const QString& path);
  void SaveAs1Click();
  void Clear1Click();
  void Convert1Click();
  void ConvertClick() { Convert1Click(); }
  // Converts the source pane with what the detector finds in it, whatever
  // the active profile's settings, and names what it found on the status line.
  void AutomaticClick();
  void OpenButClick() { Open1Click(); }
  void FromClipboardClick();
  void PreferencesClick() { Show_preferences(0); }
  void Preferences1Click() { Show_preferences(0); }
  void Cut1Click();
  void Copy1Click();
  void Paste1Click();
  void Source1Click();
  void Destination1Click();
  void About2Click();
  void CheckID1Click();
  void ASCIIChartMenuClick();
  void ContentsClick();  // Help > Contents
  void Quit1Click() { close(); }
  void RichEdit1KeyDown(QKeyEvent* event);

  // ---- The clipboard conversion ----
  void Quick_convert();
  QString Get_clipboard_text(bool empty_after);
  void Put_clipboard_text(const QString& text);

  // ---- The system-wide hotkeys ----
  void WMHotKey(int id);
  void Hotkey_convert_by_keyboard_event();
  void Send_key(Key key, bool release);
  void Send_copy_keys();
  void Send_paste_keys();
  // Lets the user interface run until the timer `Waiting` has run n ms.
  void Wait_milliseconds(int n);
  // A passive notice of the hotkey: the tray's balloon, or a fading window.
  void Show_notice(const std::string& text);
  void WaitingTimer() { Waiting.stop(); }
  // Puts the UTF-8 text into the source pane and converts it into the
  // destination pane; the error, if any, comes back unshown.
  Pane_conversion Convert_through_panes(const std::string& text);

  // ---- Start-up and shutdown ----
  void FormActivate();
  void FirstRunTimer();
  void RegisterHotkeys(bool unregister_only) override;
  void Register_a_hotkey(const TMyHotkey& hotkey, const QString& failure_message, int id);

  // ---- The tray icon ----
  void Add_systray_icon();
  void Modify_systray_icon(bool enabled);
  void Delete_systray_icon();
  // What the tray reports of the mouse, by the codes the icon's messages carry.
  enum Tray_event { tray_left_button_down = 0x0201, tray_left_double_click = 0x0203, tray_right_button_down = 0x0204 };
  void TrayNotify(Tray_event event, QPoint at = {});
  void LeftClickDetectTimerTimer();
  void SysTrayPopupPopup();
  void PopRestoreClick();
  void EnableHotkeysClick();
  void BonusIDValidator1Click();
  void PopHelpClick();
  void PopAboutClick();
  void PopExitClick();
  // Switches the effect of the hotkeys off or on, with the icon's look.
  void Toggle_hotkeys();

  // ---- Minimizing and restoring ----
  // Both do nothing while a dialog or message of the program is open.
  void MinimizeIt();
  void RestoreIt();
  void MinimizeToTray(const QWindowStateChangeEvent& event);
  void ApplicationEvents1Minimize();
  void ApplicationEvents1Restore();
  // The panes are hidden while the user moves or resizes the window, where
  // the window system reports the beginning and the end of it.
  void HandleResizeBegin();
  void HandleResizeEnd();

  // ---- Another copy of the program ----
  // A message that a copy started meanwhile handed over
  // (instance_channel_service.h); an unknown one does nothing.
  void Instance_message(const std::vector<std::string>& message);
  // Shows the window in front, restored from the taskbar or the tray, or
  // the program's open dialog when one is.
  void Bring_forward();

  // ---- Help ----
  // The help topic of a control: its own keyword or its nearest parent's.
  std::string Help_keyword_of(const QWidget* widget) const;
  void Show_context_help(const QWidget* focused);  // F1

  // ---- Layout ----
  void FormResize();
  void Splitter1Moved();

  // ---- The destination pane's text exactly as the conversion produced it ----
  Text Destination_text() const;
  QString Destination_qstring() const;
  std::optional<std::string> Destination_file(File_encoding encoding, Unit& bad) const;
  void Set_destination_text(Text text);
  void Set_destination_bytes(std::string bytes);
  void Set_destination(Destination_content content);
  void Clear_destination();

  // The active settings: the active profile's settings object.
  TPrefs* Active_settings() const { return active_settings; }
  TPrefs* Holder() const { return holder_; }  // the settings holder, once the preferences dialog made it

  // ---- What the preferences dialog asks of the window ----
  const TSettings_file& Settings_file() const override { return settings_file_; }
  void Set_holder(TPrefs* holder) override { holder_ = holder; }
  void Set_active_settings(TPrefs* settings) override { active_settings = settings; }
  void Set_start_hidden(bool hidden) override { minimized = hidden; }
  QRect Window_geometry() const override { return QRect(x(), y(), width(), height()); }
  bool Hotkeys_registered() const override { return hotkeys_registered; }
  std::string Hotkey_trigger_note() const override;
  TMyInputBox& Input_box() override { return *dialogs_.input_box; }
  TPathSelect& Path_select() override { return *dialogs_.path_select; }
  THotkeySelection& Hotkey_selection() override { return *dialogs_.hotkey_selection; }

  // Sets program_folder, settings_file_path and settings_file_found.
  void Set_program_folder(const std::string& folder);
  bool Settings_file_found() const { return settings_file_found; }

  // ---- What the window is in ----
  bool Minimized() const { return minimized; }  // minimized, to the taskbar or the tray
  bool Hidden_to_tray() const { return hidden_to_tray; }
  // False when the program started minimized, until the user first restores it.
  bool Started_normally() const { return started_normally; }
  void Set_started_normally(bool normally) { started_normally = normally; }
  bool Hotkeys_enabled() const { return hotkeys_enabled; }
  bool Hotkey_busy() const { return hotkey_busy; }
  // Runs FirstRunTimer once, after the window has had time to show.
  void Start_first_run(int delay_ms);
  const QTimer& First_run_timer() const { return FirstRun; }
  // A first click on the tray icon waits on it for a possible second one.
  const QTimer& Left_click_detect_timer() const { return LeftClickDetectTimer; }

  // ---- The source and destination, for the conversion that fills them ----
  const TText_pane& Source_pane() const { return *RichEdit1; }
  int Source_status() const { return source_status; }
  const std::string& Source_file_name() const { return source_file_name; }
  File_encoding Source_encoding() const { return source_encoding; }  // how the source file was read
  void Set_dest_status(int status, const std::string& file_name);
  // Whether the converted text ends with a line break: when the source pane
  // does, unless Open gave a file's last line the break it did not have.
  bool Source_ends_with_break() const;

  // ---- Reading and converting ----
  // True while a file is read or a document converted; the commands that
  // change the panes are refused meanwhile, and closing the window waits
  // for the end.
  bool Busy() const { return busy; }
  void Begin_busy();
  void End_busy();

  // A source of at least this many characters is converted in a worker
  // thread, the window answering meanwhile; a smaller one by the window
  // itself, the destination filled when Convert returns. Below a megabyte
  // even the slowest settings convert in some tens of milliseconds, which
  // a worker would not shorten; the window converts such a text at once
  // and the clipboard conversions read it back straight after.
  void Set_background_conversion_size(qint64 size) { background_conversion_size = size; }
  bool Converting_in_background() const { return background_ && background_->Running(); }

  // ---- The desktop's services, which the window was given ----
  Services& services() { return services_; }

 signals:
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void changeEvent(QEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void FormCreate();
  void Create_hotkey_conversion();
  void Create_menus();
  void Create_tray_menu();
  void Set_help_keywords();
  bool Minimizes_to_tray() const;  // "System tray only", and a tray to restore from
  void Create_button_bar();
  void Create_columns();
  QWidget* Create_column(QLabel*& banner, const QString& banner_text, QLabel*& title, TText_pane*& pane,
                         TInfo_bar*& info);
  void FormClose();
  QString Shown_name(const std::string& file_name) const;
  TText_pane* Focused_pane() const;
  bool Read_source_file(const std::string& path, std::string& bytes, QString& error);
  void Convert_automatically();
  void Convert_in_background(bool automatically);
  void Background_conversion_ended(Background_conversion::Outcome outcome, bool automatically);
  void Update_encodings();
  void Update_recent_menu();
  void Select_all_click();
  void Undo_click();
  void Open_handed_over_file();
  // Gives the controls their names, by which tests and tools find them.
  void Name_controls();
  class Main_form_hotkey_window;

  Dialog_hooks hooks;
  QStringList recent_files;  // the recently opened files, the latest first
  TPrefs* active_settings = nullptr;
  std::string program_folder;
  std::string settings_file_path;
  bool settings_file_found = false;
  QIcon tray_icon_enabled;
  QIcon tray_icon_disabled;
  double split_ratio = 0.5;
  bool minimized = false;
  bool hidden_to_tray = false;
  bool started_normally = true;
  bool modal_open = false;
  int source_status = 0;
  int dest_status = 0;
  std::string source_file_name;
  std::string dest_file_name;
  bool source_modified = false;
  File_encoding source_encoding = File_encoding::single_byte;  // how the source file was read
  File_encoding dest_encoding = File_encoding::single_byte;    // what Save As offers first
  bool source_utf8_bom = false;  // the UTF-8 source file began with a byte-order mark, which Save As keeps
  bool left_click_pending = false;
  bool hotkeys_enabled = false;
  bool hotkeys_registered = false;
  bool hotkey_busy = false;
  // What the last automatic conversion detected, for the status line; empty
  // after a conversion with the profile's own settings.
  QString detection_status;
  // True while a file is read or a document converted.
  bool busy = false;
  // The least source converted in a worker thread.
  qint64 background_conversion_size = qint64{1} << 20;

  // ---- Controls ----
  TText_pane* RichEdit1 = nullptr;
  TText_pane* RichEdit2 = nullptr;
  QLabel* SourceBanner = nullptr;
  QLabel* DestinationBanner = nullptr;
  QLabel* SourceTitle = nullptr;
  QLabel* DestTitle = nullptr;
  TInfo_bar* SourceInfo = nullptr;
  TInfo_bar* DestInfo = nullptr;
  TInfo_bar* StatusBar1 = nullptr;
  QWidget* ButtonBar = nullptr;
  QPushButton* OpenBut = nullptr;
  QPushButton* Convert = nullptr;
  QPushButton* Automatic = nullptr;  // beside Convert
  QPushButton* Preferences = nullptr;
  QPushButton* FromClipboard = nullptr;
  QWidget* OuterPanel = nullptr;
  QSplitter* Splitter1 = nullptr;
  QWidget* LeftPanel = nullptr;
  QWidget* RightPanel = nullptr;
  QMenu* RecentMenu = nullptr;
  QAction* SourceWrapItem = nullptr;
  QAction* DestinationWrapItem = nullptr;
  QMenu* SysTrayPopup = nullptr;
  QAction* PopRestore = nullptr;
  QAction* EnableHotkeys = nullptr;
  QAction* BonusIDValidator1 = nullptr;
  QAction* PopHelp = nullptr;
  QAction* PopAbout = nullptr;
  QAction* PopExit = nullptr;
  QTimer FirstRun;
  QTimer LeftClickDetectTimer;
  QTimer Waiting;

  Services services_;
  std::unique_ptr<Hotkey_window> hotkey_window_;
  std::unique_ptr<Hotkey_conversion> hotkey_conversion_;
  std::unique_ptr<Notice_popup> notice_popup_;
  Dialogs dialogs_;
  TSettings_file settings_file_;
  TPrefs* holder_ = nullptr;
  // The converted text, kept besides the destination pane only when the
  // pane's UTF-16 would not give back its units (surrogates as units).
  Text destination_exact_;
  bool destination_exact_kept_ = false;
  std::size_t dest_units_without_byte_ = 0;
  bool source_break_added_ = false;
  bool closed_ = false;
  bool close_requested_ = false;  // the window was closed while busy
  std::unique_ptr<Background_conversion> background_;
  QString handed_over_file_;  // a file another copy handed over while this one was busy
};

}  // namespace quorvandel
