// The per-profile keys of the settings file as data: their INI names in the
// order the file holds them, their kinds and defaults, and how each reaches
// its field of a TPrefs.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "settings/prefs.h"

namespace quorvandel {

enum class Key_kind : std::uint8_t {
  boolean,      // "0" or "1"
  integer,      // any signed 32-bit value
  char_set,     // 0..5
  eoln_format,  // 0..2
  letter_case,  // 0..2
  reordering_method,     // 0..1
  reordering_direction,  // 0..1
  paragraph_direction,   // 0..2
};

struct Profile_key {
  std::string_view name;
  Key_kind kind;
  std::int32_t default_value;
  std::int32_t (*get)(const TPrefs& prefs);
  void (*set)(TPrefs& prefs, std::int32_t value);
};

// Every per-profile key, in the order the settings file writes them.
std::span<const Profile_key> Profile_keys();

// The key of that name, matched without regard to letter case.
const Profile_key* Find_profile_key(std::string_view name);

// Whether a stored value is taken for the key: the enumerated keys accept
// only their range, the others every value.
bool Accepts_value(const Profile_key& key, std::int32_t value);

// The settings file's reading of a value: decimal with an optional '-', or
// hexadecimal after "0x". Anything else, or a value beyond 32 bits, is no value.
std::optional<std::int32_t> Parse_setting_value(std::string_view text);

}  // namespace quorvandel
