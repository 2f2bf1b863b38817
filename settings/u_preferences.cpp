#include "settings/u_preferences.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

#include "tools/modal_result.h"

namespace quorvandel {
namespace {

constexpr const char* page_captions[] = {
    "Bi-Directional Conversion", "Source Properties", "Destination Properties",
    "Operation Settings",        "Profiles and Hotkey Settings", "'Qwerty' Settings",
};

}  // namespace

TPrefForm::TPrefForm(TPref_host& host, QWidget* parent) : QDialog(parent), host_(host) {
  setWindowTitle("Preferences");
  PageControl = new QTabWidget(this);
  for (const char* caption : page_captions) PageControl->addTab(new QWidget, caption);
  OK = new QPushButton("OK", this);
  Cancel = new QPushButton("Cancel", this);
  Save = new QPushButton("Save as default", this);
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
}

TPrefForm::~TPrefForm() = default;

void TPrefForm::FormCreate() {
  holder_ = std::make_unique<TPrefs>(false, &host_.Settings_file());
  host_.Set_holder(holder_.get());
  holder_->Load_settings(default_settings_section);
  Update_controls(false, 0);
  const TOperation& operation = *holder_->operation;
  host_.Set_start_hidden(operation.start_minimized && operation.min_to_systray);
  host_.Set_active_settings(holder_.get());
}

void TPrefForm::Free_holder() {
  host_.Set_holder(nullptr);
  host_.Set_active_settings(nullptr);
  holder_.reset();
}

TPrefs& TPrefForm::Chosen(bool is_named, int index) const {
  if (is_named) {
    TPrefs* profile = holder_->profiles->profiles[static_cast<std::size_t>(index)].get();
    if (profile) return *profile;
  }
  return *holder_;
}

void TPrefForm::Update_controls(bool is_named, int index) {
  const TPrefs& chosen = Chosen(is_named, index);
  if (!chosen.is_profile) Update_hotkey_info();
}

void TPrefForm::Update_pref_data_structure(bool is_named, int index) {
  const TPrefs& chosen = Chosen(is_named, index);
  if (!chosen.is_profile) Store_global_part();
}

// The operation record takes the main window's geometry whenever the
// dialog stores its global part.
void TPrefForm::Store_global_part() {
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
}

void TPrefForm::Profile_to_data() {
  const int active = holder_->profiles->active_profile;
  Update_pref_data_structure(active != 0, active - 1);
  if (active != 0) Store_global_part();
}

void TPrefForm::Update_hotkey_info() {
  host_.RegisterHotkeys(true);
  host_.RegisterHotkeys(false);
}

void TPrefForm::SaveClick() {
  Update_pref_data_structure(false, 0);
  holder_->Save_settings(default_settings_section);
  done(mr_ok);
}

}  // namespace quorvandel
