#include "cli/options.h"

#include <charconv>
#include <string_view>

namespace quorvandel::cli {
namespace {

std::optional<Encoding> Parse_encoding(std::string_view name) {
  if (name == "bytes") return Encoding::bytes;
  if (name == "utf-8" || name == "utf8" || name == "UTF-8") return Encoding::utf8;
  return std::nullopt;
}

// Walks the arguments; an option's value is the rest of "--name=value" or
// the next argument.
class Argument_reader {
 public:
  explicit Argument_reader(const std::vector<std::string>& arguments) : arguments_(arguments) {}
  bool Done() const { return next_ >= arguments_.size(); }
  std::string Take() { return arguments_[next_++]; }
  std::optional<std::string> Take_value() {
    if (Done()) return std::nullopt;
    return Take();
  }

 private:
  const std::vector<std::string>& arguments_;
  std::size_t next_ = 0;
};

std::optional<unsigned> Parse_jobs(std::string_view text) {
  unsigned value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value == 0) return std::nullopt;
  return value;
}

std::string Check_combination(const Options& options) {
  if (options.output_file && options.output_dir) return "-o and --output-dir cannot be used together";
  if (options.detect && options.auto_convert) return "--detect and --auto cannot be used together";
  if (options.output_file && options.inputs.size() > 1) return "-o takes one input; use --output-dir for several";
  if (options.output_dir) {
    if (options.inputs.empty()) return "--output-dir needs input files";
    for (const std::string& input : options.inputs) {
      if (input == "-") return "--output-dir cannot name standard input's output";
    }
  }
  return {};
}

}  // namespace

Parse_result Parse_options(const std::vector<std::string>& arguments) {
  Parse_result result;
  Options& options = result.options;
  Argument_reader reader(arguments);
  bool only_files = false;

  while (!reader.Done()) {
    std::string argument = reader.Take();
    if (only_files || argument == "-" || argument.empty() || argument[0] != '-') {
      options.inputs.push_back(argument);
      continue;
    }
    if (argument == "--") {
      only_files = true;
      continue;
    }
    std::string name = argument;
    std::optional<std::string> inline_value;
    if (argument.rfind("--", 0) == 0) {
      if (const auto equals = argument.find('='); equals != std::string::npos) {
        name = argument.substr(0, equals);
        inline_value = argument.substr(equals + 1);
      }
    } else if ((argument.rfind("-o", 0) == 0 || argument.rfind("-j", 0) == 0) && argument.size() > 2) {
      name = argument.substr(0, 2);
      inline_value = argument.substr(2);
    }

    auto value = [&]() -> std::optional<std::string> { return inline_value ? inline_value : reader.Take_value(); };
    auto missing = [&] { result.error = "option " + name + " needs a value"; };

    if (name == "--help" || name == "-h") {
      options.help = true;
    } else if (name == "--version") {
      options.version = true;
    } else if (name == "--list-keys") {
      options.list_keys = true;
    } else if (name == "--detect") {
      options.detect = true;
    } else if (name == "--auto") {
      options.auto_convert = true;
    } else if (name == "-o" || name == "--output" || name == "--output-dir" || name == "--settings" ||
               name == "--profile" || name == "--set" || name == "--input-encoding" ||
               name == "--output-encoding" || name == "-j" || name == "--jobs") {
      const std::optional<std::string> text = value();
      if (!text) {
        missing();
        return result;
      }
      if (name == "-o" || name == "--output") {
        options.output_file = *text;
      } else if (name == "--output-dir") {
        options.output_dir = *text;
      } else if (name == "--settings") {
        options.settings_file = *text;
      } else if (name == "--profile") {
        options.profile = *text;
      } else if (name == "-j" || name == "--jobs") {
        const std::optional<unsigned> jobs = Parse_jobs(*text);
        if (!jobs) {
          result.error = "bad value '" + *text + "' for " + name + " (takes a number of 1 or more)";
          return result;
        }
        options.jobs = *jobs;
      } else if (name == "--set") {
        const auto equals = text->find('=');
        if (equals == std::string::npos || equals == 0) {
          result.error = "--set needs KEY=VALUE, not '" + *text + "'";
          return result;
        }
        options.overrides.emplace_back(text->substr(0, equals), text->substr(equals + 1));
      } else {
        const std::optional<Encoding> encoding = Parse_encoding(*text);
        if (!encoding) {
          result.error = "unknown encoding '" + *text + "' for " + name + " (use bytes or utf-8)";
          return result;
        }
        (name == "--input-encoding" ? options.input_encoding : options.output_encoding) = *encoding;
      }
    } else {
      result.error = "unknown option '" + argument + "'";
      return result;
    }
  }
  result.error = Check_combination(options);
  return result;
}

std::string Usage_text() {
  return R"(Usage: quorvandel-convert [OPTIONS] [FILE...]
Converts Hebrew text with the settings of one Quorvandel profile: between
code page 1255, code page 862, Hebrew as English letters and text typed on
the wrong keyboard layout; HTML entities and quoted-printable escapes;
visual and logical order. Reads each FILE, or standard input when none is
given (or for "-"), and writes the result to standard output.

Options:
  -o, --output OUT          write the result to OUT (one input; OUT may be the input)
      --output-dir DIR      write each result into DIR under its input's name
      --settings INI        settings file (default: the desktop program's Quorvandel.ini)
      --profile NAME        use the named profile (default: the default profile)
      --set KEY=VALUE       override a per-profile setting by its INI key; repeatable
      --list-keys           print every per-profile key with its value and exit
      --detect              print, for each input, the per-profile keys that
                            repair it as --list-keys does, what was detected
                            ("detected=DOS, visual order") and "confidence=N"
                            (0 to 100); converts nothing
      --auto                convert with what was detected in each paragraph,
                            into logical-order code page 1255 (or UTF-8 with
                            --output-encoding utf-8)
      --input-encoding E    bytes (default) or utf-8
      --output-encoding E   bytes (default) or utf-8
  -j, --jobs N              convert N input files side by side (default: one per core)
  -h, --help                show this help and exit
      --version             show the version and exit

Exit status: 0 on success, 1 when a conversion failed, 2 on bad usage.

Examples:
  quorvandel-convert --set destination_char_set=5 < in.txt
      code page 1255 to the lowercase Qwerty keys that type it
  quorvandel-convert --set source_char_set=5 --output-encoding utf-8 < in.txt
      text typed with the wrong keyboard layout, back to Hebrew, as UTF-8
  quorvandel-convert --set source_char_set=1 --set reverse_whole_line=1 -o letter.txt letter.txt
      an old DOS file in visual order to logical-order code page 1255, in place
  quorvandel-convert --profile "Visual DOS" --output-dir converted/ old/*.txt
      every file of a folder, with a named profile of the settings file
)";
}

}  // namespace quorvandel::cli
