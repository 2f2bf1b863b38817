#include "settings/prefs.h"

namespace quorvandel {

TOptProfiles::TOptProfiles()
    : hotkey_default(std::make_unique<TMyHotkey>()), hotkey_active(std::make_unique<TMyHotkey>()) {}

TOptProfiles::~TOptProfiles() = default;

TPrefs::TPrefs(bool is_profile_object, const TSettings_file* file)
    : is_profile(is_profile_object),
      conversion(std::make_unique<TOptConversion>()),
      source_props(std::make_unique<TSourceProps>()),
      dest_props(std::make_unique<TDestProps>()),
      qwerty(std::make_unique<TOptQwerty>()),
      file_(file) {
  if (!is_profile) {
    operation = std::make_unique<TOperation>();
    profiles = std::make_unique<TOptProfiles>();
    holder = this;
  }
}

TPrefs::~TPrefs() = default;

std::string Hotkey_to_str(const TMyHotkey& hotkey) {
  std::string text;
  if (hotkey.ctrl) text += "Ctrl - ";
  if (hotkey.alt) text += "Alt - ";
  if (hotkey.shift) text += "Shift - ";
  return text + "F" + std::to_string(hotkey.fkey);
}

TPrefs& Active_settings(TPrefs& holder) {
  const TOptProfiles& list = *holder.profiles;
  if (list.active_profile >= 1 && list.active_profile <= list.profile_count) {
    TPrefs* active = list.profiles[static_cast<std::size_t>(list.active_profile - 1)].get();
    if (active) return *active;
  }
  return holder;
}

}  // namespace quorvandel
