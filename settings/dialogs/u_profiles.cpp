// The profile operations of the preferences dialog: switching, creating,
// renaming, deleting and saving named profiles.
#include <QLineEdit>
#include <algorithm>
#include <utility>

#include "settings/ini_store.h"
#include "settings/dialogs/u_preferences.h"
#include "tools/modal_result.h"
#include "tools/u_my_input_box.h"

namespace quorvandel {
namespace {

bool Same_name_ignoring_case(const std::string& a, const std::string& b) { return Compare_names_ignoring_case(a, b) == 0; }

bool Holds_name(const std::vector<std::string>& names, const std::string& name) {
  return std::any_of(names.begin(), names.end(), [&](const std::string& held) { return Same_name_ignoring_case(held, name); });
}

// A name the settings file cannot carry in a section header.
bool Unfit_for_section(const std::string& name) { return name.find_first_of("[]\r\n") != std::string::npos; }

std::string Section_of(const std::string& name) { return profile_section_prefix + name; }

}  // namespace

void TPrefForm::Sort_profiles() {
  TOptProfiles& list = *holder_->profiles;
  const auto count = static_cast<std::size_t>(list.profile_count);
  const std::vector<std::string> names(list.profile_names.begin(), list.profile_names.begin() + static_cast<std::ptrdiff_t>(count));
  std::array<std::unique_ptr<TPrefs>, max_profiles> objects;
  for (std::size_t i = 0; i < count; ++i) objects[i] = std::move(list.profiles[i]);
  std::stable_sort(list.profile_names.begin(), list.profile_names.begin() + static_cast<std::ptrdiff_t>(count),
                   [](const std::string& a, const std::string& b) { return Compare_names_ignoring_case(a, b) < 0; });
  for (std::size_t i = 0; i < count; ++i) {
    const auto old = std::find_if(names.begin(), names.end(),
                                  [&](const std::string& name) { return Same_name_ignoring_case(name, list.profile_names[i]); });
    list.profiles[i] = std::move(objects[static_cast<std::size_t>(old - names.begin())]);
  }
}

void TPrefForm::Change_profile(int new_active_profile) {
  Profile_to_data();
  TOptProfiles& list = *holder_->profiles;
  list.active_profile = new_active_profile;
  Profile_to_control();
  rebuilding_list_ = true;
  ProfileList->setCurrentIndex(new_active_profile);
  rebuilding_list_ = false;
  host_.Set_active_settings(&Active_settings(*holder_));
  host_.Show_status();
}

void TPrefForm::ProfileListChange(int item) {
  if (rebuilding_list_ || item < 0 || !holder_) return;
  Change_profile(item);
}

bool TPrefForm::Ask_profile_name(const QString& title, const QString& prompt, const QString& initial,
                                 std::string& name, const std::string* present_name) {
  TMyInputBox& box = host_.Input_box();
  const std::vector<std::string>& names = holder_->profiles->profile_names;
  for (;;) {
    box.Prepare(title, prompt);
    box.Content->setText(initial);
    if (host_.My_show_modal(box) != mr_ok) return false;
    name = box.Content->text().toStdString();
    QString refusal;
    if (name.empty()) {
      refusal = tr("A profile name cannot be empty.");
    } else if (present_name && name == *present_name) {
      refusal = tr("A profile cannot be renamed to its own name.");
    } else if (Holds_name(names, name)) {
      refusal = tr("A profile bearing this name already exists.");
    } else if (name == default_profile_name || box.Content->text() == tr("Default profile")) {
      refusal = tr("The default profile's name is reserved.");
    } else if (Unfit_for_section(name)) {
      refusal = tr("A profile name cannot contain square brackets or line breaks.");
    }
    if (refusal.isEmpty()) return true;
    host_.My_show_message(refusal);
  }
}

void TPrefForm::NewProfileButClick() {
  if (holder_->profiles->profile_count >= max_profiles) {
    host_.My_show_message(tr("The maximum allowable number of profiles was reached."));
    return;
  }
  std::string name;
  if (!Ask_profile_name(tr("Make A New Profile"), tr("Please type a name for the new profile:"), "", name, nullptr)) {
    return;
  }
  Add_profile(name);
}

void TPrefForm::Add_profile(const std::string& name) {
  TOptProfiles& list = *holder_->profiles;
  list.profile_names.push_back(name);
  ++list.profile_count;
  Sort_profiles();
  const auto position = static_cast<int>(
      std::find(list.profile_names.begin(), list.profile_names.end(), name) - list.profile_names.begin());
  auto profile = std::make_unique<TPrefs>(true, &host_.Settings_file());
  profile->holder = holder_.get();
  profile->Load_settings(Section_of(name));
  list.profiles[static_cast<std::size_t>(position)] = std::move(profile);
  list.active_profile = position + 1;
  host_.Set_active_settings(list.profiles[static_cast<std::size_t>(position)].get());
  Update_controls(false, 0);
  host_.Show_status();
  created_unsaved_.push_back(name);
  host_.My_show_message(tr("Profile '%1' was successfully created.").arg(QString::fromStdString(name)));
}

void TPrefForm::RenameButClick() {
  const TOptProfiles& list = *holder_->profiles;
  if (list.active_profile == 0) {
    host_.My_show_message(tr("The default profile cannot be renamed."));
    return;
  }
  const std::string present = list.profile_names[static_cast<std::size_t>(list.active_profile - 1)];
  std::string name;
  if (!Ask_profile_name(tr("Rename a Profile"), tr("Please type a new name for the profile:"),
                        QString::fromStdString(present), name, &present)) {
    return;
  }
  Rename_profile(list.active_profile - 1, name);
}

void TPrefForm::Rename_profile(int slot, const std::string& new_name) {
  TOptProfiles& list = *holder_->profiles;
  const std::string old_name = list.profile_names[static_cast<std::size_t>(slot)];
  std::erase(created_unsaved_, old_name);  // saved under its new name below
  list.profile_names[static_cast<std::size_t>(slot)] = new_name;
  Sort_profiles();
  const auto position = static_cast<int>(
      std::find(list.profile_names.begin(), list.profile_names.end(), new_name) - list.profile_names.begin());
  try {
    Ini_store(host_.Settings_file().ini_path).Erase_section(Section_of(old_name));
  } catch (const Settings_error& error) {
    host_.My_show_message(tr("Couldn't save settings due to the following error: '") + error.what() + "'.");
  }
  Save_profile(position, false);
  list.active_profile = position + 1;
  Rebuild_profile_list();
  Controls_from_global_part();
  Update_hotkey_info();
  host_.Show_status();
  host_.My_show_message(tr("Profile '%1' was successfully renamed to '%2'.")
                            .arg(QString::fromStdString(old_name), QString::fromStdString(new_name)));
}

void TPrefForm::DeleteProfButClick() {
  const TOptProfiles& list = *holder_->profiles;
  if (list.active_profile == 0) {
    host_.My_show_message(tr("The default profile cannot be deleted."));
    return;
  }
  const std::string& name = list.profile_names[static_cast<std::size_t>(list.active_profile - 1)];
  if (!host_.My_ask_ok_cancel(
          tr("Are you sure you'd like to delete the profile named '%1' ?").arg(QString::fromStdString(name)))) {
    return;
  }
  Delete_profile(list.active_profile - 1);
}

void TPrefForm::Delete_profile(int slot) {
  TOptProfiles& list = *holder_->profiles;
  const auto index = static_cast<std::size_t>(slot);
  try {
    Ini_store(host_.Settings_file().ini_path).Erase_section(Section_of(list.profile_names[index]));
  } catch (const Settings_error& error) {
    host_.My_show_message(tr("Couldn't save settings due to the following error: '") + error.what() + "'.");
  }
  std::erase(created_unsaved_, list.profile_names[index]);
  list.profile_names.erase(list.profile_names.begin() + static_cast<std::ptrdiff_t>(index));
  const auto used = static_cast<std::size_t>(list.profile_count);
  for (std::size_t i = index; i + 1 < used; ++i) list.profiles[i] = std::move(list.profiles[i + 1]);
  list.profiles[used - 1].reset();
  --list.profile_count;
  Sort_profiles();
  list.active_profile = 0;
  host_.Set_active_settings(holder_.get());
  Update_controls(false, 0);
  host_.Show_status();
}

void TPrefForm::SaveButtonClick() { Save_profile(ProfileList->currentIndex() - 1, true); }

void TPrefForm::Save_profile(int slot, bool report) {
  if (slot < 0) {
    Update_pref_data_structure(false, 0);
    holder_->Save_settings(default_settings_section);
    if (report) host_.My_show_message(tr("Default profile has been saved."));
    return;
  }
  TOptProfiles& list = *holder_->profiles;
  const std::string& name = list.profile_names[static_cast<std::size_t>(slot)];
  Update_pref_data_structure(true, slot);
  list.profiles[static_cast<std::size_t>(slot)]->Save_settings(Section_of(name));
  std::erase(created_unsaved_, name);
  if (report) host_.My_show_message(tr("Profile '%1' has been saved.").arg(QString::fromStdString(name)));
}

void TPrefForm::Save_created_profiles() {
  TOptProfiles& list = *holder_->profiles;
  for (const std::string& name : std::exchange(created_unsaved_, {})) {
    const auto found = std::find(list.profile_names.begin(), list.profile_names.end(), name);
    if (found == list.profile_names.end()) continue;
    list.profiles[static_cast<std::size_t>(found - list.profile_names.begin())]->Save_settings(Section_of(name));
  }
}

}  // namespace quorvandel
