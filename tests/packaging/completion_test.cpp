// The bash completion of quorvandel-convert, run in bash with the system's
// bash-completion as a shell runs it on Tab: the words of the line split as
// bash splits them, the replies as readline receives them.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "support/scratch_files.h"

namespace quorvandel {
namespace {

namespace fs = std::filesystem;
using testing::Scratch_folder;

// The words bash gives a completion function: split at spaces, and '=' a
// word of its own, since it is one of readline's word breaks.
std::vector<std::string> Completion_words(const std::string& line) {
  std::vector<std::string> words{""};
  for (const char c : line) {
    if (c == ' ') {
      if (!words.back().empty()) words.emplace_back();
    } else if (c == '=') {
      if (!words.back().empty()) words.emplace_back();
      words.back() = "=";
      words.emplace_back();
    } else {
      if (words.back() == "=") words.emplace_back();
      words.back() += c;
    }
  }
  return words;
}

std::string Quoted(const std::string& text) {
  std::string quoted = "'";
  for (const char c : text) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// The replies of the completion for `line`, with the cursor at its end, run
// in `folder` with the converter found on the PATH in `bin_folder`.
std::vector<std::string> Complete(const std::string& line, const fs::path& folder, const fs::path& bin_folder) {
  const std::vector<std::string> words = Completion_words(line);
  std::string script = "source /usr/share/bash-completion/bash_completion\n";
  script += "source " + Quoted(QUORVANDEL_SOURCE_DIR "/packaging/quorvandel-convert.bash") + "\n";
  script += "COMP_WORDS=(";
  for (const std::string& word : words) script += Quoted(word) + " ";
  script += ")\nCOMP_CWORD=" + std::to_string(words.size() - 1) + "\n";
  script += "COMP_LINE=" + Quoted(line) + "\nCOMP_POINT=${#COMP_LINE}\n";
  script += "compopt() { :; }\n";  // only a completion run by readline has options to set
  script += "_quorvandel_convert\nprintf '%s\\n' \"${COMPREPLY[@]}\"\n";
  testing::Write_text(folder / "complete.sh", script);

  const std::string command = "cd " + Quoted(folder.string()) + " && env PATH=" + Quoted(bin_folder.string()) +
                              ":/usr/bin:/bin HOME=" + Quoted(folder.string()) + " XDG_CONFIG_HOME=" +
                              Quoted((folder / "config").string()) + " bash --norc --noprofile complete.sh";
  std::vector<std::string> replies;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return replies;
  std::string output;
  char buffer[4096];
  while (const std::size_t count = std::fread(buffer, 1, sizeof buffer, pipe)) output.append(buffer, count);
  ::pclose(pipe);
  std::size_t start = 0;
  while (start < output.size()) {
    const std::size_t end = output.find('\n', start);
    const std::string reply = output.substr(start, end - start);
    if (!reply.empty()) replies.push_back(reply);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return replies;
}

class Completion : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(scratch_.path() / "bin");
    fs::copy_file(QUORVANDEL_CONVERT_EXE, scratch_.path() / "bin" / "quorvandel-convert");
    fs::create_directories(scratch_.path() / "converted");
    testing::Write_text(scratch_.path() / "letter.txt", "");
    testing::Write_text(scratch_.path() / "mine.ini",
                        "[Configuration]\r\n[Default_Settings]\r\n[Profile_Visual DOS]\r\nreverse_whole_line=1\r\n"
                        "[Profile_Mail]\r\n");
    testing::Write_text(scratch_.path() / "bin" / "Quorvandel.ini", "[Profile_Beside]\n");
  }
  std::vector<std::string> Replies(const std::string& line) {
    return Complete(line, scratch_.path(), scratch_.path() / "bin");
  }
  Scratch_folder scratch_;
};

TEST_F(Completion, OffersWhatEachPlaceOfTheLineTakes) {
  struct Case {
    std::string line;
    std::vector<std::string> replies;
  };
  const std::vector<Case> cases = {
      {"quorvandel-convert --out", {"--output", "--output-dir", "--output-encoding"}},
      {"quorvandel-convert --input-encoding ", {"bytes", "utf-8"}},
      {"quorvandel-convert --set destination_char", {"destination_char_set="}},
      {"quorvandel-convert --set=source_char", {"source_char_set="}},
      {"quorvandel-convert --set destination_char_set=", {"0", "1", "2", "3", "4", "5"}},
      {"quorvandel-convert --set destination_eoln_format=", {"0", "1", "2"}},
      {"quorvandel-convert --set flip_brackets=", {"0", "1"}},
      {"quorvandel-convert --set flip_brackets=1 --set=english_letter_case=", {"0", "1", "2"}},
      {"quorvandel-convert --set line_length=", {}},
      {"quorvandel-convert --settings mine.ini --profile ", {"Visual\\ DOS", "Mail"}},
      {"quorvandel-convert --settings=mine.ini --profile V", {"Visual\\ DOS"}},
      {"quorvandel-convert --profile ", {"Beside"}},  // the settings file beside the converter
      {"quorvandel-convert let", {"letter.txt"}},
      {"quorvandel-convert --output-dir conv", {"converted"}},
      {"quorvandel-convert -o le", {"letter.txt"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(Replies(c.line), c.replies);
  }
}

TEST_F(Completion, OffersEveryKeyOfTheConverterAfterSet) {
  const std::vector<std::string> keys = Replies("quorvandel-convert --set ");
  ASSERT_FALSE(keys.empty());
  EXPECT_EQ(keys.front(), "reverse_whole_line=");
  EXPECT_NE(std::find(keys.begin(), keys.end(), "map_tilde_to_final_peh="), keys.end());
  for (const std::string& key : keys) EXPECT_EQ(key.back(), '=') << key;
}

}  // namespace
}  // namespace quorvandel
