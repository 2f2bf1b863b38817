// quorvandel-convert: converts files or standard input with the settings of
// one Quorvandel profile.
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <set>
#include <system_error>

#include "cli/convert_stream.h"
#include "cli/options.h"
#include "cli/profile_setup.h"
#include "platform/file_io.h"
#include "platform/path_text.h"
#include "settings/settings_location.h"

namespace quorvandel::cli {
namespace {

constexpr int exit_ok = 0;
constexpr int exit_failed = 1;
constexpr int exit_usage = 2;
constexpr const char* program = "quorvandel-convert";

class Stderr_sink : public Message_sink {
 public:
  void Show_message(const std::string& text) override { std::cerr << program << ": " << text << '\n'; }
};

void Report(const std::string& subject, const std::string& reason) {
  std::cerr << program << ": " << subject << ": " << reason << '\n';
}

std::string Output_path_in(const std::string& folder, const std::string& input) {
  return Utf8_from_path(Path_from_utf8(folder) / Path_from_utf8(input).filename());
}

std::string Check_output_names(const Options& options) {
  if (!options.output_dir) return {};
  std::set<std::string> names;
  for (const std::string& input : options.inputs) {
    if (!names.insert(Utf8_from_path(Path_from_utf8(input).filename())).second) {
      return "two inputs would both be written to " + Output_path_in(*options.output_dir, input);
    }
  }
  return {};
}

// Converts one input into its output; false after reporting a failure.
bool Convert_one(const std::string& input, const Options& options, const TPrefs& settings) {
  const bool from_stdin = input == "-";
  const std::string input_name = from_stdin ? "standard input" : input;
  int fd = STDIN_FILENO;
  if (!from_stdin) {
    fd = Open_for_reading(input);
    if (fd < 0) {
      Report(input_name, std::strerror(errno));
      return false;
    }
  }
  std::string output_name = "standard output";
  bool converted = false;
  try {
    std::unique_ptr<Output> output;
    if (options.output_file || options.output_dir) {
      output_name = options.output_file ? *options.output_file : Output_path_in(*options.output_dir, input);
      output = std::make_unique<Atomic_file_output>(output_name);
    } else {
      output = std::make_unique<Stdout_output>();
    }
    Line_reader reader(fd);
    try {
      Convert_stream(reader, *output, settings, options.input_encoding, options.output_encoding);
      output->Commit();
      converted = true;
    } catch (const Stream_error& error) {
      output->Abandon();
      Report(input_name, error.what());
    } catch (const std::system_error& error) {
      output->Abandon();
      Report(input_name + " -> " + output_name, error.code().message());
    }
  } catch (const std::system_error& error) {
    Report(output_name, error.code().message());
  }
  if (!from_stdin) ::close(fd);
  return converted;
}

int Run(const std::vector<std::string>& arguments) {
  const Parse_result parsed = Parse_options(arguments);
  const Options& options = parsed.options;
  std::string usage_error = parsed.error.empty() ? Check_output_names(options) : parsed.error;
  if (!usage_error.empty()) {
    std::cerr << program << ": " << usage_error << "\nTry '" << program << " --help'.\n";
    return exit_usage;
  }
  if (options.help) {
    std::cout << Usage_text();
    return exit_ok;
  }
  if (options.version) {
    std::cout << program << ' ' << QUORVANDEL_VERSION << '\n';
    return exit_ok;
  }

  const std::string program_folder = Program_folder(Executable_folder(), User_folders_from_environment());
  std::string ini_path = program_folder + settings_file_name;
  if (options.settings_file) {
    ini_path = *options.settings_file;
    std::error_code error;
    if (!std::filesystem::exists(Path_from_utf8(ini_path), error)) {
      std::cerr << program << ": " << ini_path << ": no such settings file\n";
      return exit_usage;
    }
  }

  Stderr_sink sink;
  try {
    Profile_setup setup(ini_path, program_folder, sink);
    if (options.profile) setup.Choose_profile(*options.profile);
    for (const auto& [key, value] : options.overrides) setup.Override(key, value);
    if (options.list_keys) {
      setup.List_keys(std::cout);
      return exit_ok;
    }
    const std::vector<std::string> inputs = options.inputs.empty() ? std::vector<std::string>{"-"} : options.inputs;
    int status = exit_ok;
    for (const std::string& input : inputs) {
      if (!Convert_one(input, options, setup.Active())) status = exit_failed;
    }
    return status;
  } catch (const Usage_error& error) {
    std::cerr << program << ": " << error.what() << '\n';
    return exit_usage;
  }
}

}  // namespace
}  // namespace quorvandel::cli

int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  quorvandel::Use_binary_standard_streams();
  return quorvandel::cli::Run(std::vector<std::string>(argv + 1, argv + argc));
}
