// End-to-end tests of quorvandel-convert: the real program, run as a user runs it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/run_process.h"
#include "support/scratch_files.h"

namespace quorvandel::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::HasSubstr;
using ::testing::StartsWith;

const std::string converter = QUORVANDEL_CONVERT_EXE;


// Runs the converter on standard input with an empty settings file, so
// every key has its default, plus the given arguments.
Process_result Convert(std::vector<std::string> arguments, const std::string& input) {
  arguments.insert(arguments.begin(), {converter, "--settings", Empty_file()});
  return Run_process(arguments, input);
}

template <typename Case>
std::string Case_name(const ::testing::TestParamInfo<Case>& test) {
  return test.param.name;
}

struct Conversion_case {
  const char* name;
  std::vector<std::string> arguments;
  std::string input;
  std::string expected;
};

class Conversion : public ::testing::TestWithParam<Conversion_case> {};

TEST_P(Conversion, ConvertsStandardInput) {
  const Conversion_case& c = GetParam();
  const Process_result result = Convert(c.arguments, c.input);
  EXPECT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(result.out, c.expected);
  EXPECT_EQ(result.err, "");
}

INSTANTIATE_TEST_SUITE_P(
    Cli, Conversion,
    ::testing::Values(
        Conversion_case{"WindowsToQwertyLower", {"--set", "destination_char_set=5"}, "\xf9\xec\xe5\xed", "akuo"},
        Conversion_case{"QwertyToUtf8",
                        {"--set", "source_char_set=5", "--set", "destination_eoln_format=1", "--output-encoding",
                         "utf-8"},
                        "akuo\n",
                        "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d\n"},
        Conversion_case{"FinalBreakGetsDestinationEoln", {}, "a\nb\n", "a\r\nb\r\n"},
        Conversion_case{"NoFinalBreakNoneAdded", {"--set", "destination_eoln_format=1"}, "a\r\nb", "a\nb"},
        Conversion_case{"EveryBreakKindSplits", {"--set", "destination_eoln_format=1"}, "a\r\nb\rc\nd\r", "a\nb\nc\nd\n"},
        Conversion_case{"EmptyLinesKept", {"--set", "destination_eoln_format=2"}, "a\n\nb", "a\r\rb"},
        Conversion_case{"EmptyInput", {}, "", ""},
        Conversion_case{"NulBecomesA", {}, std::string("x\0y", 3), "xAy"},
        Conversion_case{"EveryNulBecomesA", {}, std::string("\0\0x\0", 4), "AAxA"},
        Conversion_case{"NulInUtf8BecomesA", {"--input-encoding", "utf-8"}, std::string("\xd7\xa9\0", 3), "\xf9" "A"},
        Conversion_case{"HexadecimalOverride", {"--set", "destination_char_set=0x1"}, "\xe0", "\x80"},
        Conversion_case{"KeyNamesIgnoreCase", {"--set", "DESTINATION_CHAR_SET=2"}, "\xe0\xe1", "AB"},
        Conversion_case{"LaterOverrideWins",
                        {"--set", "destination_char_set=2", "--set", "destination_char_set=3"},
                        "\xe0\xe1",
                        "&b"},
        Conversion_case{"Utf8InputOutsideCodePagePassesThrough",
                        {"--input-encoding", "utf-8", "--output-encoding", "utf-8", "--set", "destination_char_set=1"},
                        "\xef\xbb\xbf\xd7\x90\xd0\x96\xc3\x80",
                        // Alef becomes byte 128, the euro sign in code page 1255.
                        "\xe2\x82\xac\xd0\x96\xc3\x80"}),
    Case_name<Conversion_case>);

struct Failure_case {
  const char* name;
  std::vector<std::string> arguments;
  std::string input;
  int status;
  const char* message;
  std::string written = {};  // what reached the pipe before the failure: the whole lines before it
};

class Failure : public ::testing::TestWithParam<Failure_case> {};

TEST_P(Failure, ReportsAndStopsTheStream) {
  const Failure_case& c = GetParam();
  const Process_result result = Convert(c.arguments, c.input);
  EXPECT_EQ(result.exit_status, c.status);
  EXPECT_EQ(result.out, c.written);
  EXPECT_THAT(result.err, HasSubstr(c.message));
}

INSTANTIATE_TEST_SUITE_P(
    Cli, Failure,
    ::testing::Values(
        Failure_case{"UnknownOption", {"--frobnicate"}, "", 2, "unknown option '--frobnicate'"},
        Failure_case{"MissingValue", {"--set"}, "", 2, "option --set needs a value"},
        Failure_case{"SetWithoutEquals", {"--set", "line_length"}, "", 2, "--set needs KEY=VALUE"},
        Failure_case{"UnknownKey", {"--set", "colour=1"}, "", 2, "unknown key 'colour'"},
        Failure_case{"OperationKeyIsNotPerProfile", {"--set", "window_width=3"}, "", 2, "unknown key 'window_width'"},
        Failure_case{"ValueNotInteger", {"--set", "reverse_whole_line=yes"}, "", 2, "bad value 'yes'"},
        Failure_case{"CharSetOutOfRange", {"--set", "source_char_set=6"}, "", 2, "takes 0 to 5"},
        Failure_case{"EolnOutOfRange", {"--set", "destination_eoln_format=3"}, "", 2, "takes 0 to 2"},
        Failure_case{"LineLengthZero", {"--set", "line_length=0"}, "", 2, "takes 1 to 255"},
        Failure_case{"UnknownEncoding", {"--output-encoding", "latin1"}, "", 2, "unknown encoding 'latin1'"},
        Failure_case{"UnknownProfile", {"--profile", "Nope"}, "", 2, "no profile named 'Nope'"},
        Failure_case{"OutputAndOutputDir", {"-o", "x", "--output-dir", "y", "a"}, "", 2, "cannot be used together"},
        Failure_case{"MalformedUtf8", {"--input-encoding", "utf-8"}, "ok\n\xd7", 1, "invalid UTF-8 at byte 3", "ok\r\n"},
        Failure_case{"CharacterWithoutByte",
                     {"--input-encoding", "utf-8"},
                     "fine\n\xd0\x96",
                     1,
                     "line 2: the character U+0416 has no byte in code page 1255",
                     "fine\r\n"},
        Failure_case{"InvalidEntityMidway",
                     {"--set", "translate_hebrew_unicode=1"},
                     "one\ntwo &#1488;\nthree &#99999999999; x\nfour\n",
                     1,
                     "line 3: '99999999999' is not a valid integer value",
                     "one\r\ntwo\xe0 \r\n"},  // the Hebrew phrase " \xe0" reversed
        Failure_case{"MissingInput", {"/nonexistent/input.txt"}, "", 1, "/nonexistent/input.txt: No such file"}),
    Case_name<Failure_case>);

TEST(Cli, HelpAndVersion) {
  const Process_result help = Run_process({converter, "--help"});
  EXPECT_EQ(help.exit_status, 0);
  EXPECT_THAT(help.out, HasSubstr("Usage: quorvandel-convert [OPTIONS] [FILE...]"));
  const Process_result version = Run_process({converter, "--version"});
  EXPECT_EQ(version.exit_status, 0);
  EXPECT_THAT(version.out, StartsWith("quorvandel-convert " QUORVANDEL_VERSION "\n"));
  EXPECT_THAT(version.out, HasSubstr("GPL-3.0-or-later"));
}

TEST(Cli, MissingSettingsFileIsBadUsage) {
  const Process_result result = Run_process({converter, "--settings", "/nonexistent/q.ini"}, "x");
  EXPECT_EQ(result.exit_status, 2);
  EXPECT_THAT(result.err, HasSubstr("/nonexistent/q.ini: no such settings file"));
}

TEST(Cli, ListKeysShowsProfileWithOverrides) {
  Scratch_folder folder;
  Write_text(folder.path() / "q.ini",
             "[Default_Settings]\nline_length=70\n[Profile_Work]\nsource_char_set=1\nreverse_whole_line=1\n");
  const Process_result result = Run_process({converter, "--settings", (folder.path() / "q.ini").string(), "--profile",
                                             "work", "--set", "line_length=40", "--list-keys"});
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_THAT(result.out, HasSubstr("reverse_whole_line=1\n"));
  EXPECT_THAT(result.out, HasSubstr("source_char_set=1\n"));
  EXPECT_THAT(result.out, HasSubstr("line_length=40\n"));
  EXPECT_THAT(result.out, HasSubstr("reverse_hebrew_phrases=1\n"));  // a default
  EXPECT_EQ(result.out.rfind("reverse_whole_line=", 0), 0u);          // the file's order
  EXPECT_THAT(result.out, HasSubstr("final_peh_mapped_to_tilde=0\n"));
}

TEST(Cli, DefaultProfileByItsName) {
  Scratch_folder folder;
  Write_text(folder.path() / "q.ini", "[Default_Settings]\ndestination_char_set=2\n");
  const Process_result result = Run_process(
      {converter, "--settings", (folder.path() / "q.ini").string(), "--profile", "Default profile"}, "\xe0");
  EXPECT_EQ(result.out, "A");
}

TEST(Cli, OutputMayReplaceItsInput) {
  Scratch_folder folder;
  const fs::path file = folder.path() / "text.txt";
  Write_text(file, "\xe0\xe1\n\xe2");
  fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  const Process_result result =
      Run_process({converter, "--settings", Empty_file(), "--set", "destination_char_set=1", "-o", file.string(),
                   file.string()});
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(Text_of(file), "\x80\x81\r\n\x82");
  EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 1);
}

TEST(Cli, FailedConversionLeavesOutputFileUntouched) {
  Scratch_folder folder;
  const fs::path input = folder.path() / "in.txt";
  const fs::path output = folder.path() / "out.txt";
  Write_text(input, "good line\n\xd7");
  Write_text(output, "old content");
  const Process_result result = Run_process({converter, "--settings", Empty_file(), "--input-encoding", "utf-8",
                                             "-o", output.string(), input.string()});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(Text_of(output), "old content");
  EXPECT_EQ(std::distance(fs::directory_iterator(folder.path()), fs::directory_iterator()), 2);
}

TEST(Cli, FailedConversionCutsRedirectedOutputBack) {
  Scratch_folder folder;
  const fs::path output = folder.path() / "out.txt";
  const std::string command = "printf 'kept\\n' > " + output.string() + "; printf 'a\\n\\327' | " + converter +
                              " --settings /dev/null --input-encoding utf-8 >> " + output.string() + " 2>/dev/null";
  const Process_result result = Run_process({"/bin/sh", "-c", command});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_EQ(Text_of(output), "kept\n");
}

TEST(Cli, OutputDirTakesInputNamesAndGoesOnAfterAFailure) {
  Scratch_folder folder;
  fs::create_directory(folder.path() / "in");
  fs::create_directory(folder.path() / "out");
  Write_text(folder.path() / "in" / "one.txt", "\xe0");
  Write_text(folder.path() / "in" / "two.txt", "\xe1");
  const Process_result result =
      Run_process({converter, "--settings", Empty_file(), "--set", "destination_char_set=2", "--output-dir",
                   (folder.path() / "out").string(), (folder.path() / "in" / "one.txt").string(),
                   (folder.path() / "in" / "missing.txt").string(), (folder.path() / "in" / "two.txt").string()});
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_THAT(result.err, HasSubstr("missing.txt"));
  EXPECT_EQ(Text_of(folder.path() / "out" / "one.txt"), "A");
  EXPECT_EQ(Text_of(folder.path() / "out" / "two.txt"), "B");
  EXPECT_FALSE(fs::exists(folder.path() / "out" / "missing.txt"));
}

TEST(Cli, UnwritableOutputFolder) {
  if (testing::Running_as_root()) GTEST_SKIP() << "root writes into read-only folders";
  Scratch_folder folder;
  fs::create_directory(folder.path() / "locked");
  fs::permissions(folder.path() / "locked", fs::perms::owner_read | fs::perms::owner_exec);
  const Process_result result =
      Convert({"-o", (folder.path() / "locked" / "out.txt").string()}, "text");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_THAT(result.err, HasSubstr("Permission denied"));
}

TEST(Cli, OutputIntoMissingFolder) {
  const Process_result result = Convert({"-o", "/nonexistent/folder/out.txt"}, "text");
  EXPECT_EQ(result.exit_status, 1);
  EXPECT_THAT(result.err, HasSubstr("/nonexistent/folder/out.txt: No such file or directory"));
}

TEST(Cli, LongInputStreamsThroughSmallBlocks) {
  // More than one read block and one flush, with a CR LF split across blocks.
  std::string input;
  for (int i = 0; i < 200000; ++i) input += "\xf9\xec\xe5\xed 123\r\n";
  const Process_result result = Convert({"--set", "destination_char_set=1", "--set", "destination_eoln_format=1"},
                                        input);
  ASSERT_EQ(result.exit_status, 0);
  std::string expected;
  for (int i = 0; i < 200000; ++i) expected += "\x99\x8c\x85\x8d 123\n";
  EXPECT_EQ(result.out, expected);
}

}  // namespace
}  // namespace quorvandel::testing

namespace quorvandel::testing {
namespace {

// Logical to visual by the bidirectional method gives what the fribidi tool
// shows for code page 1255 input, and visual to logical gives the input back.
TEST(BidirectionalMethod, MatchesTheFribidiToolAndComesBack) {
  const std::string corpus =
      Text_of(QUORVANDEL_SOURCE_DIR "/tests/engine/data/bidi_sentences_unseen.txt").value_or("");
  const Process_result bytes = Run_process({"/usr/bin/iconv", "-f", "UTF-8", "-t", "CP1255"}, corpus);
  ASSERT_EQ(bytes.exit_status, 0) << bytes.err;
  const Process_result fribidi =
      Run_process({"/usr/bin/fribidi", "--nopad", "--nobreak", "--rtl", "--charset", "CP1255"}, bytes.out);
  ASSERT_EQ(fribidi.exit_status, 0) << fribidi.err;

  const std::vector<std::string> bidi = {"--set", "reordering_method=1", "--set", "destination_eoln_format=1"};
  auto with = [&bidi](std::vector<std::string> more) {
    more.insert(more.begin(), bidi.begin(), bidi.end());
    return more;
  };
  const Process_result visual = Convert(with({"--set", "reordering_direction=1"}), bytes.out);
  EXPECT_EQ(visual.exit_status, 0) << visual.err;
  EXPECT_EQ(visual.out, fribidi.out);
  const Process_result logical = Convert(with({"--set", "reordering_direction=0"}), fribidi.out);
  EXPECT_EQ(logical.exit_status, 0) << logical.err;
  EXPECT_EQ(logical.out, bytes.out);
}

}  // namespace
}  // namespace quorvandel::testing
