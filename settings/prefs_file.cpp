// Loading and saving the settings records in the settings file.
#include <algorithm>
#include <exception>
#include <optional>
#include <string_view>
#include <variant>

#include "settings/ini_store.h"
#include "settings/message_sink.h"
#include "settings/prefs.h"
#include "settings/profile_keys.h"

namespace quorvandel {

namespace {

// ---- The keys -------------------------------------------------------------------

// One key of the operation record: its name, the field that holds it and
// its default.
template <class Record>
struct Key {
  std::string_view name;
  std::variant<bool Record::*, std::int32_t Record::*> field;
  std::int32_t default_value = 0;
};

// The "Configuration" keys that Save_operation_settings writes, in order:
// these six flags, then the two folders, then the interface language.
constexpr Key<TOperation> operation_flag_keys[] = {
    {"launch_on_windows_startup", &TOperation::launch_on_windows_startup, 0},
    {"min_to_systray", &TOperation::min_to_systray, 0},
    {"start_minimized", &TOperation::start_minimized, 0},
    {"save_size_and_pos", &TOperation::save_size_and_pos, 1},
    {"show_full_pathnames", &TOperation::show_full_pathnames, 0},
    {"confirm_overwrites", &TOperation::confirm_overwrites, 1},
};

// A folder key; its default is the program's folder followed by the name.
struct Folder_key {
  std::string_view name;
  std::string TOperation::*field;
  std::string_view default_folder_name;
};

constexpr Folder_key folder_keys[] = {
    {"default_source_path", &TOperation::default_source_path, "Original files"},
    {"default_dest_path", &TOperation::default_dest_path, "Converted files"},
};

// Written after the folders: a key added later than the others.
constexpr Key<TOperation> language_keys[] = {
    {interface_language_key, &TOperation::interface_language, language_system},
};

constexpr Key<TOperation> window_keys[] = {
    {"window_pos_x", &TOperation::window_pos_x, -1},
    {"window_pos_y", &TOperation::window_pos_y, -1},
    {"window_width", &TOperation::window_width, -1},
    {"window_height", &TOperation::window_height, -1},
};

// Whether a hotkey that did nothing visible says so in a passive notice.
constexpr const char* hotkey_notices_key = "show_hotkey_notices";

// A hotkey is four keys named after its prefix; only F-key defaults differ.
struct Hotkey_key {
  std::string_view prefix;
  std::unique_ptr<TMyHotkey> TOptProfiles::*hotkey;
  std::uint8_t default_fkey;
};

constexpr Hotkey_key hotkey_keys[] = {
    {"hotkey_default", &TOptProfiles::hotkey_default, 12},
    {"hotkey_active", &TOptProfiles::hotkey_active, 11},
};

constexpr std::uint8_t lowest_fkey = 1;
constexpr std::uint8_t highest_fkey = 12;

// ---- Values ---------------------------------------------------------------------

class Section_reader {
 public:
  Section_reader(const Ini_store& store, std::string_view section) : store_(store), section_(section) {}

  std::int32_t Integer(std::string_view key, std::int32_t default_value) const {
    return Parse_setting_value(store_.Read(section_, key, "")).value_or(default_value);
  }

  std::string Text(std::string_view key, std::string_view default_value) const {
    return store_.Read(section_, key, default_value);
  }

 private:
  const Ini_store& store_;
  std::string_view section_;
};

class Section_writer {
 public:
  Section_writer(Ini_store& store, std::string_view section) : store_(store), section_(section) {}

  void Integer(std::string_view key, std::int32_t value) { store_.Write(section_, key, std::to_string(value)); }
  void Text(std::string_view key, std::string_view value) { store_.Write(section_, key, value); }

 private:
  Ini_store& store_;
  std::string_view section_;
};

void Assign(bool& field, std::int32_t value) { field = value != 0; }
void Assign(std::int32_t& field, std::int32_t value) { field = value; }

template <class Record, std::size_t count>
void Load_keys(const Section_reader& in, const Key<Record> (&keys)[count], Record& record) {
  for (const Key<Record>& key : keys) {
    const std::int32_t value = in.Integer(key.name, key.default_value);
    std::visit([&](auto field) { Assign(record.*field, value); }, key.field);
  }
}

template <class Record, std::size_t count>
void Save_keys(Section_writer& out, const Key<Record> (&keys)[count], const Record& record) {
  for (const Key<Record>& key : keys)
    std::visit([&](auto field) { out.Integer(key.name, static_cast<std::int32_t>(record.*field)); }, key.field);
}

// The per-profile keys; an enumerated key keeps its field as it was for a
// value outside its range.
void Load_profile_keys(const Section_reader& in, TPrefs& prefs) {
  for (const Profile_key& key : Profile_keys()) {
    const std::int32_t value = in.Integer(key.name, key.default_value);
    if (Accepts_value(key, value)) key.set(prefs, value);
  }
}

void Save_profile_keys(Section_writer& out, const TPrefs& prefs) {
  for (const Profile_key& key : Profile_keys()) out.Integer(key.name, key.get(prefs));
}

void Load_hotkey(const Section_reader& in, const Hotkey_key& key, TMyHotkey& hotkey) {
  const std::string prefix(key.prefix);
  hotkey.ctrl = in.Integer(prefix + "_ctrl", 1) != 0;
  hotkey.shift = in.Integer(prefix + "_shift", 1) != 0;
  hotkey.alt = in.Integer(prefix + "_alt", 0) != 0;
  const std::int32_t fkey = in.Integer(prefix + "_fkey", key.default_fkey);
  hotkey.fkey = fkey >= lowest_fkey && fkey <= highest_fkey ? static_cast<std::uint8_t>(fkey) : key.default_fkey;
}

void Save_hotkey(Section_writer& out, const Hotkey_key& key, const TMyHotkey& hotkey) {
  const std::string prefix(key.prefix);
  out.Integer(prefix + "_ctrl", hotkey.ctrl);
  out.Integer(prefix + "_shift", hotkey.shift);
  out.Integer(prefix + "_alt", hotkey.alt);
  out.Integer(prefix + "_fkey", hotkey.fkey);
}

// ---- Named profiles -------------------------------------------------------------

constexpr std::size_t profile_prefix_length = std::string_view(profile_section_prefix).size();

bool Is_profile_section(std::string_view section) {
  return section.size() > profile_prefix_length && section.starts_with(profile_section_prefix) &&
         section.substr(profile_prefix_length) != default_profile_name;
}

// The names of the first profile sections in case-insensitive order.
std::vector<std::string> Profile_names_in(std::vector<std::string> sections) {
  std::stable_sort(sections.begin(), sections.end(),
                   [](const std::string& a, const std::string& b) { return Compare_names_ignoring_case(a, b) < 0; });
  std::vector<std::string> names;
  for (const std::string& section : sections) {
    if (names.size() == max_profiles) break;
    if (Is_profile_section(section)) names.push_back(section.substr(profile_prefix_length));
  }
  return names;
}

// Replaces the profile list with the profiles found among the sections and
// loads each from its section.
void Load_profiles(TPrefs& holder, std::vector<std::string> sections) {
  TOptProfiles& list = *holder.profiles;
  list.profile_names = Profile_names_in(std::move(sections));
  list.profile_count = static_cast<std::int32_t>(list.profile_names.size());
  for (std::size_t slot = 0; slot < list.profiles.size(); ++slot) {
    list.profiles[slot].reset();
    if (slot >= list.profile_names.size()) continue;
    list.profiles[slot] = std::make_unique<TPrefs>(true, holder.file());
    list.profiles[slot]->holder = &holder;
    list.profiles[slot]->Load_settings(profile_section_prefix + list.profile_names[slot]);
  }
}

// ---- Failures -------------------------------------------------------------------

const TSettings_file& File_or_none(const TSettings_file* file) {
  static const TSettings_file no_file;
  return file ? *file : no_file;
}

// Runs one operation's file access; a failure ends it with one message.
template <class Action>
void Guarded(const TSettings_file& file, std::string_view lead_in, Action&& action) {
  try {
    action();
  } catch (const std::exception& error) {
    if (file.sink) file.sink->Show_message(std::string(lead_in) + error.what() + "'.");
  }
}

}  // namespace

// ---- The operations ---------------------------------------------------------------

void TPrefs::Load_operation_settings(const std::string& section) {
  const TSettings_file& settings_file = File_or_none(file());
  if (!holder) return;
  TOperation& record = *holder->operation;
  Guarded(settings_file, "Couldn't load operation settings due to the following error: '", [&] {
    const Ini_store store(settings_file.ini_path);
    const Section_reader in(store, section);
    Load_keys(in, operation_flag_keys, record);
    for (const Folder_key& key : folder_keys)
      record.*key.field = in.Text(key.name, settings_file.program_folder + std::string(key.default_folder_name));
    Load_keys(in, language_keys, record);
    Load_keys(in, window_keys, record);
  });
}

void TPrefs::Save_operation_settings(const std::string& section) {
  const TSettings_file& settings_file = File_or_none(file());
  if (!holder) return;
  const TOperation& record = *holder->operation;
  Guarded(settings_file, "Couldn't save operation settings due to the following error: '", [&] {
    Ini_store store(settings_file.ini_path);
    Section_writer out(store, section);
    Save_keys(out, operation_flag_keys, record);
    for (const Folder_key& key : folder_keys) out.Text(key.name, record.*key.field);
    Save_keys(out, language_keys, record);
  });
}

void TPrefs::Save_window_position(const std::string& section) {
  const TSettings_file& settings_file = File_or_none(file());
  if (!holder) return;
  const TOperation& record = *holder->operation;
  Guarded(settings_file, "Couldn't save window position due to the following error: '", [&] {
    Ini_store store(settings_file.ini_path);
    Section_writer out(store, section);
    Save_keys(out, window_keys, record);
  });
}

void TPrefs::Load_settings(const std::string& section) {
  const TSettings_file& settings_file = File_or_none(file());
  if (!is_profile) Load_operation_settings(configuration_section);
  Guarded(settings_file, "Couldn't read settings due to the following error: '", [&] {
    const Ini_store store(settings_file.ini_path);
    const Section_reader in(store, section);
    Load_profile_keys(in, *this);
    if (is_profile) return;
    for (const Hotkey_key& key : hotkey_keys) Load_hotkey(in, key, *(*profiles.*key.hotkey));
    profiles->show_hotkey_notices = in.Integer(hotkey_notices_key, 1) != 0;
    Load_profiles(*this, store.Section_names());
  });
}

void TPrefs::Save_settings(const std::string& section) {
  const TSettings_file& settings_file = File_or_none(file());
  Save_operation_settings(configuration_section);
  if (holder && holder->operation->save_size_and_pos) Save_window_position(configuration_section);
  Guarded(settings_file, "Couldn't save settings due to the following error: '", [&] {
    Ini_store store(settings_file.ini_path);
    Section_writer out(store, section);
    Save_profile_keys(out, *this);
    if (is_profile) return;
    for (const Hotkey_key& key : hotkey_keys) Save_hotkey(out, key, *(*profiles.*key.hotkey));
    out.Integer(hotkey_notices_key, profiles->show_hotkey_notices);
  });
}

}  // namespace quorvandel
