// What the preferences dialog needs of the main window that shows it.
#pragma once

#include <string>

#include <QRect>
#include <QString>

#include "settings/prefs.h"

class QDialog;

namespace quorvandel {

class TMyInputBox;
class TPathSelect;
class THotkeySelection;

class TPref_host {
 public:
  virtual ~TPref_host() = default;

  // Where the settings file is and where its messages go.
  virtual const TSettings_file& Settings_file() const = 0;

  // The settings holder the dialog has made (null once it is freed).
  virtual void Set_holder(TPrefs* holder) = 0;

  // The active settings changed to this object.
  virtual void Set_active_settings(TPrefs* settings) = 0;

  // Whether the program starts hidden in the tray.
  virtual void Set_start_hidden(bool hidden) = 0;

  // The main window's current left, top, width and height.
  virtual QRect Window_geometry() const = 0;

  // Withdraws both hotkeys, and unless unregister_only registers them anew.
  virtual void RegisterHotkeys(bool unregister_only) = 0;
  virtual bool Hotkeys_registered() const = 0;
  // How the hotkeys are pressed where the desktop does not simply give the
  // combinations (Wayland): the trigger in use and what the user does once.
  // Empty where registering is all.
  virtual std::string Hotkey_trigger_note() const { return {}; }

  // Refreshes the main window's titles, bars and status line.
  virtual void Show_status() = 0;

  // The small dialogs the preferences use, created once with the window.
  virtual TMyInputBox& Input_box() = 0;
  virtual TPathSelect& Path_select() = 0;
  virtual THotkeySelection& Hotkey_selection() = 0;

  virtual int My_show_modal(QDialog& form) = 0;
  virtual void My_show_message(const QString& text) = 0;
  // A question with the buttons OK and Cancel; true for OK.
  virtual bool My_ask_ok_cancel(const QString& text) = 0;
};

}  // namespace quorvandel
