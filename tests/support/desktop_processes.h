// What the end-to-end desktop tests share: the programs they start and
// stop, the shell commands they read, and the text the hotkey converts.
// POSIX only.
#pragma once

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace quorvandel::testing {

// The settings of the program under test: the default profile reads text
// typed on the English keys of the Hebrew layout.
inline constexpr const char* hotkey_test_settings =
    "[Configuration]\nwindow_pos_x=520\nwindow_pos_y=300\nwindow_width=480\nwindow_height=400\n"
    "[Default_Settings]\nsource_char_set=5\n";
inline constexpr const char* hotkey_test_typed = "akuo";
inline constexpr const char* hotkey_test_converted = "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d";  // shalom in Hebrew letters

// The word as one word of a shell's command line.
inline std::string Shell_quoted(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

struct Spawn_options {
  int output_fd = -1;       // the standard output; else away
  std::string error_file;   // the standard error; else the test's own with
                            // QUORVANDEL_DESKTOP_TEST_VERBOSE, else away
  int keep_fd = -1;         // a descriptor the program inherits
};

inline pid_t Spawn(const std::vector<std::string>& command, const Spawn_options& options = {}) {
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_RDWR);
    dup2(null, 0);
    dup2(options.output_fd >= 0 ? options.output_fd : null, 1);
    if (!options.error_file.empty()) {
      const int log = open(options.error_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      dup2(log >= 0 ? log : null, 2);
    } else if (!std::getenv("QUORVANDEL_DESKTOP_TEST_VERBOSE")) {
      dup2(null, 2);
    }
    for (int fd = 3; fd < 256; ++fd)
      if (fd != options.keep_fd) close(fd);
    std::vector<char*> argv;
    for (const std::string& word : command) argv.push_back(const_cast<char*>(word.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  return pid;
}

// Ends a program started by Spawn and waits for it; nothing when it is not.
inline void Stop(pid_t& pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  pid = -1;
}

// Runs a shell command; its standard output.
inline std::string Output_of(const std::string& command) {
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    std::array<char, 4096> buffer;
    while (const std::size_t got = fread(buffer.data(), 1, buffer.size(), pipe)) output.append(buffer.data(), got);
    pclose(pipe);
  }
  return output;
}

// Runs a shell command; its exit status, -1 when it did not exit.
inline int Status_of(const std::string& command) {
  const int status = std::system(command.c_str());
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace quorvandel::testing
