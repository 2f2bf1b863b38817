// End-to-end conversions of small realistic files: a page of numeric
// character references, a visual-order page, a quoted-printable e-mail body
// and a visual-order DOS file. Each expected file is the text as a reader
// reads it, written by hand in logical order.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "cli/run_process.h"
#include "support/scratch_files.h"

namespace quorvandel::testing {
namespace {

const std::string samples = QUORVANDEL_SOURCE_DIR "/tests/cli/samples/";

std::string Read_sample(const std::string& name) {
  std::ifstream in(samples + name, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

struct Sample_case {
  const char* name;
  const char* input;
  const char* expected;
  std::vector<std::string> settings;  // --set values, beyond LF line ends and no phrase reversal
};

class Sample_file : public ::testing::TestWithParam<Sample_case> {};

TEST_P(Sample_file, ConvertsToWhatTheReaderReads) {
  std::vector<std::string> arguments = {QUORVANDEL_CONVERT_EXE, "--settings", Empty_file(),
                                        "--set", "destination_eoln_format=1", "--set", "reverse_hebrew_phrases=0",
                                        "--output-encoding", "utf-8"};
  for (const std::string& setting : GetParam().settings) {
    arguments.push_back("--set");
    arguments.push_back(setting);
  }
  arguments.push_back(samples + GetParam().input);
  const Process_result result = Run_process(arguments);
  EXPECT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(result.out, Read_sample(GetParam().expected));
}

INSTANTIATE_TEST_SUITE_P(
    Cli, Sample_file,
    ::testing::Values(
        Sample_case{"EntitiesPage", "entities-page.html", "entities-page.expected", {"translate_hebrew_unicode=1"}},
        Sample_case{"VisualPage",
                    "visual-page.html",
                    "visual-page.expected",
                    {"reverse_html_text=1", "reverse_numerical_expressions=1", "number_separator_colon=1"}},
        Sample_case{"QuotedPrintableMail", "email-qp.txt", "email-qp.expected", {"translate_email_style=1"}},
        Sample_case{"VisualDosFile",
                    "visual-dos.txt",
                    "visual-dos.expected",
                    {"source_char_set=1", "reverse_whole_line=1", "reverse_english_phrases=1",
                     "reverse_numerical_expressions=1", "number_separator_colon=1", "flip_parentheses=1"}}),
    [](const auto& test) { return std::string(test.param.name); });

}  // namespace
}  // namespace quorvandel::testing
