// Settings objects for tests, filled with the defaults of the settings
// model (settings/profile_keys.cpp), as a profile is after loading a
// settings file that lacks every key.
//
//   auto settings = quorvandel::test::Default_settings();
//   settings->conversion->reverse_whole_line = true;   // change what the test needs
//
// Header-only; the engine reads only the four per-profile records.
#pragma once

#include <memory>

#include "settings/prefs.h"
#include "settings/profile_keys.h"

namespace quorvandel::test {

// Fills the four per-profile records with every key's default.
inline void Fill_default_settings(TPrefs& prefs) {
  for (const Profile_key& key : Profile_keys()) key.set(prefs, key.default_value);
}

// A named profile's settings object holding the defaults.
inline std::unique_ptr<TPrefs> Default_settings() {
  auto prefs = std::make_unique<TPrefs>(true);
  Fill_default_settings(*prefs);
  return prefs;
}

}  // namespace quorvandel::test
