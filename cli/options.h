// The command line of quorvandel-convert.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quorvandel::cli {

enum class Encoding { bytes, utf8 };

struct Options {
  std::vector<std::string> inputs;  // empty: standard input; "-" also names it
  std::optional<std::string> output_file;
  std::optional<std::string> output_dir;
  std::optional<std::string> settings_file;
  std::optional<std::string> profile;
  std::vector<std::pair<std::string, std::string>> overrides;  // --set KEY=VALUE, in order
  Encoding input_encoding = Encoding::bytes;
  Encoding output_encoding = Encoding::bytes;
  unsigned jobs = 0;  // inputs converted side by side; 0: one per core
  bool list_keys = false;
  bool detect = false;        // --detect: print what the detector finds
  bool auto_convert = false;  // --auto: convert with what it finds
  bool help = false;
  bool version = false;
};

struct Parse_result {
  Options options;
  std::string error;  // non-empty: bad usage, the reason
};

Parse_result Parse_options(const std::vector<std::string>& arguments);

std::string Usage_text();

}  // namespace quorvandel::cli
