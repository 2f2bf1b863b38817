#include "settings/dialogs/u_hotkey.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QVBoxLayout>

#include "tools/context_help.h"
#include "tools/modal_result.h"

namespace quorvandel {
namespace {

constexpr int function_keys = 12;
constexpr int function_key_columns = 3;

}  // namespace

THotkeySelection::THotkeySelection(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Hotkey Selection"));
  Set_help_keyword(this, "HotkeySettings");
  auto* modifiers = new QGroupBox(tr("Modifier Keys"), this);
  ControlSelect = new QCheckBox("Control", modifiers);
  AltSelect = new QCheckBox("Alt", modifiers);
  ShiftSelect = new QCheckBox("Shift", modifiers);
  auto* modifier_row = new QHBoxLayout(modifiers);
  modifier_row->addWidget(ControlSelect);
  modifier_row->addWidget(AltSelect);
  modifier_row->addWidget(ShiftSelect);

  auto* keys = new QGroupBox(tr("Function Key"), this);
  auto* key_grid = new QGridLayout(keys);
  FKeySelected = new QButtonGroup(this);
  const int rows = function_keys / function_key_columns;
  for (int index = 0; index < function_keys; ++index) {
    auto* key = new QRadioButton("F" + QString::number(index + 1), keys);
    FKeySelected->addButton(key, index);
    key_grid->addWidget(key, index % rows, index / rows);  // filled column by column
  }

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  buttons->button(QDialogButtonBox::Ok)->setText(tr("OK"));
  buttons->button(QDialogButtonBox::Cancel)->setText(tr("Cancel"));
  connect(buttons, &QDialogButtonBox::accepted, this, [this] {
    if (!accept_check || accept_check()) done(mr_ok);
  });
  connect(buttons, &QDialogButtonBox::rejected, this, [this] { done(mr_cancel); });

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("Please select a new key combination for the hotkey:"), this));
  layout->addWidget(modifiers);
  layout->addWidget(keys);
  layout->addWidget(buttons);
  setFixedSize(sizeHint());
}

void THotkeySelection::Hotkey_to_dialog(const TMyHotkey& hotkey) {
  ShiftSelect->setChecked(hotkey.shift);
  ControlSelect->setChecked(hotkey.ctrl);
  AltSelect->setChecked(hotkey.alt);
  if (QAbstractButton* key = FKeySelected->button(hotkey.fkey - 1)) key->setChecked(true);
}

void THotkeySelection::Hotkey_from_dialog(TMyHotkey& hotkey) const {
  hotkey.shift = ShiftSelect->isChecked();
  hotkey.ctrl = ControlSelect->isChecked();
  hotkey.alt = AltSelect->isChecked();
  const int index = FKeySelected->checkedId();
  if (index >= 0) hotkey.fkey = static_cast<std::uint8_t>(index + 1);
}

}  // namespace quorvandel
