// The settings a conversion of quorvandel-convert runs with: the settings
// file loaded as the desktop program loads it, one profile chosen, and the
// command line's overrides applied to that profile.
#pragma once

#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "settings/message_sink.h"
#include "settings/prefs.h"

namespace quorvandel::cli {

// Bad usage found while setting up: an unknown profile, key or value.
class Usage_error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Profile_setup {
 public:
  // Loads the settings file; its messages go to the sink.
  Profile_setup(std::string ini_path, std::string program_folder, Message_sink& sink);

  // Makes the named profile active; "Default profile" names the default one.
  void Choose_profile(const std::string& name);

  // Sets a per-profile key of the active profile, parsed as the settings
  // file's values are parsed, within the values its key takes.
  void Override(const std::string& key, const std::string& value);

  const TPrefs& Active() const { return Active_settings(*holder_); }

  // Every per-profile key of the active profile as "key=value" lines.
  void List_keys(std::ostream& out) const;

 private:
  TSettings_file file_;
  std::unique_ptr<TPrefs> holder_;
};

}  // namespace quorvandel::cli
