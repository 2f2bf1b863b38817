#include "cli/profile_setup.h"

#include "settings/ini_store.h"
#include "settings/profile_keys.h"

namespace quorvandel::cli {
namespace {

// The values the preferences dialog accepts for the line length.
constexpr std::int32_t min_line_length = 1;
constexpr std::int32_t max_line_length = 255;

std::string Range_text(const Profile_key& key) {
  switch (key.kind) {
    case Key_kind::char_set: return "0 to 5";
    case Key_kind::reordering_method:
    case Key_kind::reordering_direction: return "0 to 1";
    case Key_kind::eoln_format:
    case Key_kind::letter_case:
    case Key_kind::paragraph_direction: return "0 to 2";
    default: return "an integer";
  }
}

}  // namespace

Profile_setup::Profile_setup(std::string ini_path, std::string program_folder, Message_sink& sink)
    : file_{std::move(ini_path), std::move(program_folder), &sink},
      holder_(std::make_unique<TPrefs>(false, &file_)) {
  holder_->Load_settings(default_settings_section);
}

void Profile_setup::Choose_profile(const std::string& name) {
  TOptProfiles& list = *holder_->profiles;
  if (name == default_profile_name) {
    list.active_profile = 0;
    return;
  }
  for (std::int32_t i = 0; i < list.profile_count; ++i) {
    if (Compare_names_ignoring_case(list.profile_names[static_cast<std::size_t>(i)], name) == 0) {
      list.active_profile = i + 1;
      return;
    }
  }
  std::string known = "'" + std::string(default_profile_name) + "'";
  for (const std::string& profile : list.profile_names) known += ", '" + profile + "'";
  throw Usage_error("no profile named '" + name + "' in " + file_.ini_path + " (profiles: " + known + ")");
}

void Profile_setup::Override(const std::string& key_name, const std::string& value_text) {
  const Profile_key* key = Find_profile_key(key_name);
  if (!key) throw Usage_error("unknown key '" + key_name + "' (--list-keys shows them)");
  const std::optional<std::int32_t> value = Parse_setting_value(value_text);
  if (!value || !Accepts_value(*key, *value)) {
    throw Usage_error("bad value '" + value_text + "' for " + std::string(key->name) + " (takes " +
                      Range_text(*key) + ")");
  }
  if (key->name == "line_length" && (*value < min_line_length || *value > max_line_length)) {
    throw Usage_error("bad value '" + value_text + "' for line_length (takes 1 to 255)");
  }
  key->set(Active_settings(*holder_), *value);
}

void Profile_setup::List_keys(std::ostream& out) const {
  for (const Profile_key& key : Profile_keys()) out << key.name << '=' << key.get(Active()) << '\n';
}

}  // namespace quorvandel::cli
