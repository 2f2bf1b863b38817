// The converter's output is the same bytes whatever it is written to — a
// pipe, a file named with -o, a standard output redirected to a file, a
// terminal, /dev/null — and however many inputs it converts side by side.
// The expected bytes in tests/cli/reference were written by the converter
// before it converted bytes as bytes and streamed its output.
#include <fcntl.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/run_process.h"
#include "support/scratch_files.h"

namespace quorvandel::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;

const fs::path reference = QUORVANDEL_SOURCE_DIR "/tests/cli/reference";
const std::string converter = QUORVANDEL_CONVERT_EXE;

struct Reference_case {
  std::string name;
  std::string input;                   // a path under tests/cli/reference
  std::vector<std::string> arguments;  // after --settings /dev/null
};

// The cases of cases.txt: NAME INPUT, then KEY=VALUE settings and options.
std::vector<Reference_case> Reference_cases() {
  std::vector<Reference_case> cases;
  std::ifstream in(reference / "cases.txt");
  for (std::string line; std::getline(in, line);) {
    std::istringstream words(line);
    Reference_case c;
    if (!(words >> c.name >> c.input) || c.name[0] == '#') continue;
    std::string previous;
    for (std::string word; words >> word; previous = word) {
      if (word.rfind("--", 0) != 0 && previous.find("-encoding") == std::string::npos) c.arguments.push_back("--set");
      c.arguments.push_back(word);
    }
    cases.push_back(c);
  }
  return cases;
}

std::vector<std::string> Command(const Reference_case& c, const std::vector<std::string>& more = {}) {
  std::vector<std::string> command = {converter, "--settings", "/dev/null"};
  command.insert(command.end(), c.arguments.begin(), c.arguments.end());
  command.insert(command.end(), more.begin(), more.end());
  return command;
}

std::string Shell_words(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& word : words) text += " '" + word + "'";
  return text;
}

// Runs the command with a terminal as its standard output (in raw mode, so
// that the bytes arrive as written) and returns what the terminal received.
Process_result Run_on_terminal(const std::vector<std::string>& arguments) {
  Process_result result;
  const int master = ::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (master < 0 || ::grantpt(master) != 0 || ::unlockpt(master) != 0) return result;
  const std::string terminal = ::ptsname(master);
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int slave = ::open(terminal.c_str(), O_RDWR | O_NOCTTY);
    termios mode{};
    ::tcgetattr(slave, &mode);
    ::cfmakeraw(&mode);
    ::tcsetattr(slave, TCSANOW, &mode);
    ::dup2(slave, STDOUT_FILENO);
    const int nothing = ::open("/dev/null", O_RDONLY);
    ::dup2(nothing, STDIN_FILENO);
    std::vector<char*> argv;
    for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    ::_exit(127);
  }
  // Reading ends when the last copy of the terminal's other side closes.
  char buffer[65536];
  for (;;) {
    const ssize_t count = ::read(master, buffer, sizeof buffer);
    if (count > 0) {
      result.out.append(buffer, static_cast<std::size_t>(count));
    } else if (count < 0 && errno == EINTR) {
      continue;
    } else {
      break;
    }
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  ::close(master);
  result.exit_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

enum class Output_kind { pipe, output_file, redirected_stdout, terminal, dev_null };

const char* Kind_name(Output_kind kind) {
  switch (kind) {
    case Output_kind::pipe: return "Pipe";
    case Output_kind::output_file: return "OutputFile";
    case Output_kind::redirected_stdout: return "RedirectedStdout";
    case Output_kind::terminal: return "Terminal";
    case Output_kind::dev_null: return "DevNull";
  }
  return "";
}

// What the converter wrote for the input through the output kind; for
// /dev/null only the exit status can be seen.
Process_result Convert_to(Output_kind kind, std::vector<std::string> command, const std::string& input) {
  Scratch_folder folder;
  const fs::path file = folder.path() / "out.txt";
  Process_result result;
  switch (kind) {
    case Output_kind::pipe:
      command.push_back(input);
      return Run_process(command);
    case Output_kind::output_file:
      command.insert(command.end(), {"-o", file.string(), input});
      result = Run_process(command);
      if (fs::exists(file)) result.out = Text_of(file).value_or("");
      return result;
    case Output_kind::redirected_stdout:
      command.push_back(input);
      result = Run_process({"/bin/sh", "-c", "exec" + Shell_words(command) + " > '" + file.string() + "'"});
      result.out = Text_of(file).value_or("");
      return result;
    case Output_kind::terminal:
      command.push_back(input);
      return Run_on_terminal(command);
    case Output_kind::dev_null:
      command.push_back(input);
      return Run_process({"/bin/sh", "-c", "exec" + Shell_words(command) + " > /dev/null"});
  }
  return result;
}

class Reference_output : public ::testing::TestWithParam<std::tuple<Reference_case, Output_kind>> {};

TEST_P(Reference_output, IsTheReferenceBytes) {
  const auto& [c, kind] = GetParam();
  const Process_result result = Convert_to(kind, Command(c), (reference / c.input).string());
  EXPECT_EQ(result.exit_status, 0) << result.err;
  if (kind != Output_kind::dev_null) {
    EXPECT_TRUE(result.out == Text_of(reference / (c.name + ".expected")));
  }
}

INSTANTIATE_TEST_SUITE_P(Cli, Reference_output,
                         ::testing::Combine(::testing::ValuesIn(Reference_cases()),
                                            ::testing::Values(Output_kind::pipe, Output_kind::output_file,
                                                              Output_kind::redirected_stdout, Output_kind::terminal,
                                                              Output_kind::dev_null)),
                         [](const auto& test) {
                           std::string name = std::get<0>(test.param).name + "_" + Kind_name(std::get<1>(test.param));
                           for (char& ch : name) ch = std::isalnum(static_cast<unsigned char>(ch)) ? ch : '_';
                           return name;
                         });

// A decimal entity that is no number stops the conversion on line 3.
struct Failure_case {
  Output_kind kind;
  std::string written;  // what the output holds afterwards
};

class Midway_failure : public ::testing::TestWithParam<Failure_case> {};

TEST_P(Midway_failure, StreamsKeepTheLinesBeforeItFilesKeepNothing) {
  const Reference_case c{"bad-entity", "bad-entity.txt", {"--set", "translate_hebrew_unicode=1"}};
  const Process_result result = Convert_to(GetParam().kind, Command(c), (reference / c.input).string());
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(result.out, GetParam().written);
  if (GetParam().kind != Output_kind::terminal) {
    EXPECT_THAT(result.err, HasSubstr("line 3: '99999999999' is not a valid integer value"));
  }
}

INSTANTIATE_TEST_SUITE_P(Cli, Midway_failure,
                         ::testing::Values(Failure_case{Output_kind::pipe, "one\xe1\xe0 \r\ntwo\xe0 \r\n"},
                                           Failure_case{Output_kind::terminal, "one\xe1\xe0 \r\ntwo\xe0 \r\n"},
                                           Failure_case{Output_kind::output_file, ""},
                                           Failure_case{Output_kind::redirected_stdout, ""},
                                           Failure_case{Output_kind::dev_null, ""}),
                         [](const auto& test) { return std::string(Kind_name(test.param.kind)); });

// Several inputs, one of them missing, with every number of jobs: the same
// files, the same standard output in the order of the inputs, the same
// messages.
TEST(Cli, JobsGiveTheSameOutput) {
  const std::vector<Reference_case> cases = Reference_cases();
  const auto visual = std::find_if(cases.begin(), cases.end(), [](const auto& c) { return c.name == "mixed-visual"; });
  ASSERT_NE(visual, cases.end());
  const std::string expected = Text_of(reference / "mixed-visual.expected").value_or("");
  Scratch_folder folder;
  std::vector<std::string> inputs;
  for (const char* name : {"a.txt", "b.txt", "missing.txt", "c.txt", "d.txt", "e.txt"}) {
    inputs.push_back((folder.path() / name).string());
    if (std::string(name) != "missing.txt") fs::copy_file(reference / "mixed.txt", inputs.back());
  }
  for (const char* jobs : {"1", "2", "3", "8"}) {
    SCOPED_TRACE(std::string("--jobs ") + jobs);
    std::vector<std::string> to_stdout = Command(*visual, {"--jobs", jobs});
    to_stdout.insert(to_stdout.end(), inputs.begin(), inputs.end());
    const Process_result result = Run_process(to_stdout);
    EXPECT_EQ(result.exit_status, 1);
    EXPECT_TRUE(result.out == expected + expected + expected + expected + expected);
    EXPECT_EQ(result.err, "quorvandel-convert: " + inputs[2] + ": No such file or directory\n");

    const fs::path out = folder.path() / (std::string("out-") + jobs);
    fs::create_directory(out);
    std::vector<std::string> to_folder = Command(*visual, {"-j", jobs, "--output-dir", out.string()});
    to_folder.insert(to_folder.end(), inputs.begin(), inputs.end());
    EXPECT_EQ(Run_process(to_folder).exit_status, 1);
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"}) {
      EXPECT_TRUE(Text_of(out / name) == expected) << name;
    }
    EXPECT_FALSE(fs::exists(out / "missing.txt"));
  }
}

// A filter in a pipeline such as `tail -f log | quorvandel-convert`: each
// line comes out while the input is still open. The wait for it is only a
// guard against hanging, far longer than the line takes.
TEST(Cli, EachLineComesOutWhileTheInputStaysOpen) {
  int in[2], out[2];
  ASSERT_EQ(::pipe2(in, O_CLOEXEC), 0);
  ASSERT_EQ(::pipe2(out, O_CLOEXEC), 0);
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::dup2(in[0], STDIN_FILENO);
    ::dup2(out[1], STDOUT_FILENO);
    ::execl(converter.c_str(), converter.c_str(), "--settings", "/dev/null", "--set", "destination_char_set=2",
            static_cast<char*>(nullptr));
    ::_exit(127);
  }
  ::close(in[0]);
  ::close(out[1]);
  std::string received;
  const auto receive_line = [&](const std::string& line, const std::string& converted) {
    EXPECT_EQ(::write(in[1], line.data(), line.size()), static_cast<ssize_t>(line.size()));
    received.clear();
    while (received.find('\n') == std::string::npos) {
      pollfd ready = {out[0], POLLIN, 0};
      if (::poll(&ready, 1, 30000) != 1) break;
      char buffer[256];
      const ssize_t count = ::read(out[0], buffer, sizeof buffer);
      if (count <= 0) break;
      received.append(buffer, static_cast<std::size_t>(count));
    }
    EXPECT_EQ(received, converted);
  };
  receive_line("\xe0\xe1\n", "AB\r\n");
  receive_line("\xe2\r\n", "C\r\n");
  ::close(in[1]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  ::close(out[0]);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(Cli, JobsMustBeAPositiveNumber) {
  for (const char* value : {"0", "-1", "x", ""}) {
    const Process_result result = Run_process({converter, "--settings", "/dev/null", "--jobs", value});
    EXPECT_EQ(result.exit_status, 2) << value;
    EXPECT_THAT(result.err, HasSubstr("takes a number of 1 or more"));
  }
}

}  // namespace
}  // namespace quorvandel::testing
