// The hotkey selection dialog: the three modifier keys and a function key.
#pragma once

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>

#include <functional>

#include "settings/prefs.h"

namespace quorvandel {

class THotkeySelection : public QDialog {
  Q_OBJECT

 public:
  explicit THotkeySelection(QWidget* parent = nullptr);

  // Shows a hotkey in the controls, and takes it back from them.
  void Hotkey_to_dialog(const TMyHotkey& hotkey);
  void Hotkey_from_dialog(TMyHotkey& hotkey) const;

  QCheckBox* ControlSelect = nullptr;
  QCheckBox* AltSelect = nullptr;
  QCheckBox* ShiftSelect = nullptr;
  QButtonGroup* FKeySelected = nullptr;  // button id = item index: "F1" is 0

  // Asked when the user presses OK: false keeps the dialog open, the check
  // having told the user why. When empty, OK always closes.
  std::function<bool()> accept_check;
};

}  // namespace quorvandel
