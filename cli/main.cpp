// quorvandel-convert: converts files or standard input with the settings of
// one Quorvandel profile.
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <condition_variable>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <memory>
#include <mutex>
#include <set>
#include <system_error>
#include <thread>
#include <vector>

#include "bidi/system_bidi.h"
#include "spelling/system_dictionary.h"
#include "cli/convert_stream.h"
#include "cli/detect_command.h"
#include "cli/options.h"
#include "cli/profile_setup.h"
#include "platform/files/file_io.h"
#include "platform/files/path_text.h"
#include "platform/licence_notice.h"
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

// What one conversion has to say, kept until its turn to be said comes.
void Report(std::string& messages, const std::string& subject, const std::string& reason) {
  messages += std::string(program) + ": " + subject + ": " + reason + "\n";
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

// Prints what the detector finds in one input; false after reporting a failure.
bool Detect_one(const std::string& input, bool named, const Options& options, const TPrefs& settings) {
  const bool from_stdin = input == "-";
  const std::string input_name = from_stdin ? "standard input" : input;
  std::string messages;
  const int fd = from_stdin ? STDIN_FILENO : Open_for_reading(input);
  if (fd < 0) {
    Report(messages, input_name, std::strerror(errno));
    std::cerr << messages << std::flush;
    return false;
  }
  bool detected = false;
  try {
    Line_reader reader(fd);
    if (named) std::cout << "file=" << input << '\n';
    Detect_stream(reader, input_name, settings, options.input_encoding, std::cout, std::cerr);
    detected = true;
  } catch (const Stream_error& error) {
    Report(messages, input_name, error.what());
  } catch (const std::system_error& error) {
    Report(messages, input_name, error.code().message());
  }
  if (!from_stdin) ::close(fd);
  std::cerr << messages << std::flush;
  return detected;
}

// Where a conversion's output goes: the output file, standard output, or
// (for a conversion that runs beside earlier ones) standard output later.
enum class Target { file, standard_output, deferred };

std::unique_ptr<Output> Make_output(Target target, const std::string& path) {
  switch (target) {
    case Target::file: return std::make_unique<Atomic_file_output>(path);
    case Target::standard_output: return std::make_unique<Stdout_output>();
    case Target::deferred: break;
  }
  return std::make_unique<Deferred_output>();
}

struct Conversion {
  std::string input;
  std::unique_ptr<Output> output;  // the deferred output, once converted
  std::string messages;
  bool converted = false;
};

// Converts one input into its output; false after reporting a failure.
bool Convert_one(Conversion& conversion, Target target, const Options& options, const TPrefs& settings) {
  const std::string& input = conversion.input;
  std::string& messages = conversion.messages;
  const bool from_stdin = input == "-";
  const std::string input_name = from_stdin ? "standard input" : input;
  int fd = STDIN_FILENO;
  if (!from_stdin) {
    fd = Open_for_reading(input);
    if (fd < 0) {
      Report(messages, input_name, std::strerror(errno));
      return false;
    }
  }
  std::string output_name = "standard output";
  bool converted = false;
  try {
    if (target == Target::file) {
      output_name = options.output_file ? *options.output_file : Output_path_in(*options.output_dir, input);
    }
    std::unique_ptr<Output> output = Make_output(target, output_name);
    Line_reader reader(fd);
    try {
      if (options.auto_convert || settings.source_props->convert_automatically) {
        Auto_convert_stream(reader, *output, input_name, settings, options.input_encoding, options.output_encoding,
                            std::cerr);
      } else {
        Convert_stream(reader, *output, settings, options.input_encoding, options.output_encoding);
      }
      output->Commit();
      converted = true;
    } catch (const Stream_error& error) {
      output->Abandon();
      Report(messages, input_name, error.what());
    } catch (const std::system_error& error) {
      output->Abandon();
      Report(messages, input_name + " -> " + output_name, error.code().message());
    }
    if (target == Target::deferred) conversion.output = std::move(output);
  } catch (const std::system_error& error) {
    Report(messages, output_name, error.code().message());
  }
  if (!from_stdin) ::close(fd);
  return converted;
}

// Hands a finished conversion's output and messages on, in input order.
bool Finish(Conversion& conversion) {
  bool converted = conversion.converted;
  if (auto* deferred = dynamic_cast<Deferred_output*>(conversion.output.get())) {
    try {
      Stdout_output output;
      deferred->Replay(output);
    } catch (const std::system_error& error) {
      Report(conversion.messages, "standard output", error.code().message());
      converted = false;
    }
    conversion.output.reset();
  }
  std::cerr << conversion.messages << std::flush;
  return converted;
}

// Converts the inputs with up to `jobs` of them side by side. Output files
// are written as they are converted; output for standard output is written
// there in the order of the inputs, each input's after the one before.
bool Convert_all(const std::vector<std::string>& inputs, unsigned jobs, const Options& options,
                 const TPrefs& settings) {
  const bool to_files = options.output_file || options.output_dir;
  std::vector<Conversion> conversions(inputs.size());
  for (std::size_t i = 0; i < inputs.size(); ++i) conversions[i].input = inputs[i];
  bool all_converted = true;
  if (jobs <= 1 || inputs.size() <= 1) {
    for (Conversion& conversion : conversions) {
      conversion.converted =
          Convert_one(conversion, to_files ? Target::file : Target::standard_output, options, settings);
      all_converted = Finish(conversion) && all_converted;
    }
    return all_converted;
  }

  std::mutex mutex;
  std::condition_variable finished_one;
  std::vector<bool> finished(inputs.size(), false);
  std::size_t next = 0;
  const auto work = [&] {
    for (;;) {
      std::size_t index = 0;
      {
        const std::lock_guard lock(mutex);
        if (next == inputs.size()) return;
        index = next++;
      }
      // The first input goes to standard output at once; the others wait their turn.
      const Target target = to_files ? Target::file : index == 0 ? Target::standard_output : Target::deferred;
      conversions[index].converted = Convert_one(conversions[index], target, options, settings);
      {
        const std::lock_guard lock(mutex);
        finished[index] = true;
      }
      finished_one.notify_all();
    }
  };
  std::vector<std::thread> workers;
  for (unsigned i = 0; i < std::min<std::size_t>(jobs, inputs.size()); ++i) workers.emplace_back(work);
  for (std::size_t i = 0; i < conversions.size(); ++i) {
    {
      std::unique_lock lock(mutex);
      finished_one.wait(lock, [&] { return finished[i]; });
    }
    all_converted = Finish(conversions[i]) && all_converted;
  }
  for (std::thread& worker : workers) worker.join();
  return all_converted;
}

unsigned Default_jobs() { return std::max(1U, std::thread::hardware_concurrency()); }

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
    std::cout << program << ' ' << QUORVANDEL_VERSION << '\n' << licence_notice;
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
    if (options.detect) {
      int status = exit_ok;
      for (const std::string& input : inputs) {
        if (!Detect_one(input, inputs.size() > 1, options, setup.Active())) status = exit_failed;
      }
      return status;
    }
    const unsigned jobs = options.jobs != 0 ? options.jobs : Default_jobs();
    return Convert_all(inputs, jobs, options, setup.Active()) ? exit_ok : exit_failed;
  } catch (const Usage_error& error) {
    std::cerr << program << ": " << error.what() << '\n';
    return exit_usage;
  }
}

}  // namespace
}  // namespace quorvandel::cli

int main(int argc, char** argv) {
  quorvandel::Set_bidi_algorithm(quorvandel::System_bidi_algorithm());
  // Read on the first short text judged word by word, never for a long file.
  quorvandel::Set_dictionary(quorvandel::System_dictionary());
  std::ios::sync_with_stdio(false);
  quorvandel::Use_binary_standard_streams();
  return quorvandel::cli::Run(std::vector<std::string>(argv + 1, argv + argc));
}
