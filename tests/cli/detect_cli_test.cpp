// quorvandel-convert --detect and --auto, run as a user runs them.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "cli/run_process.h"
#include "support/scratch_files.h"

namespace quorvandel::testing {
namespace {

using ::testing::HasSubstr;
using ::testing::Not;

const std::string converter = QUORVANDEL_CONVERT_EXE;

Process_result Run_converter(std::vector<std::string> arguments, const std::string& input) {
  arguments.insert(arguments.begin(), {converter, "--settings", Empty_file()});
  return Run_process(arguments, input);
}

// "שלום לכולם, הפגישה נדחתה ליום שלישי בשעה 10:30." in code page 1255.
const std::string logical_1255 =
    "\xf9\xec\xe5\xed \xec\xeb\xe5\xec\xed, \xe4\xf4\xe2\xe9\xf9\xe4 \xf0\xe3\xe7\xfa\xe4 \xec\xe9\xe5\xed "
    "\xf9\xec\xe9\xf9\xe9 \xe1\xf9\xf2\xe4 10:30.";

std::string To_862(std::string text) {
  for (char& c : text) {
    const auto b = static_cast<unsigned char>(c);
    if (b >= 224 && b <= 250) c = static_cast<char>(b - 96);
  }
  return text;
}

// The same sentence in visual order as the program writes it: the line
// turned round, the number kept as it reads.
std::string Visual(const std::string& logical) {
  const Process_result r = Run_converter({"--set", "reverse_whole_line=1", "--set", "reverse_hebrew_phrases=0", "--set",
                                "reverse_numerical_expressions=1", "--set", "number_separator_colon=1", "--set",
                                "destination_eoln_format=1"},
                               logical);
  return r.out;
}

TEST(DetectCli, PrintsTheKeysThatRepairTheTextThenTheConfidence) {
  const Process_result r = Run_converter({"--detect"}, To_862(Visual(logical_1255)));
  EXPECT_EQ(r.exit_status, 0) << r.err;
  EXPECT_THAT(r.out, HasSubstr("\nreordering_method=1\nreordering_direction=0\n"));  // the bidirectional method
  EXPECT_THAT(r.out, HasSubstr("\nsource_char_set=1\n"));
  EXPECT_THAT(r.out, HasSubstr("\ndestination_char_set=0\n"));
  EXPECT_THAT(r.out, HasSubstr("\ndetected=DOS, visual order\nconfidence="));
  EXPECT_EQ(r.out.substr(0, r.out.find('=')), "reverse_whole_line") << "the keys come in --list-keys order";
  EXPECT_EQ(r.err, "");
}

TEST(DetectCli, AutoRepairsTheTextIntoLogicalWindowsOrUtf8) {
  const Process_result bytes = Run_converter({"--auto"}, To_862(logical_1255));
  EXPECT_EQ(bytes.out, logical_1255) << bytes.err;
  const Process_result utf8 =
      Run_converter({"--auto", "--output-encoding", "utf-8"}, "=F9=EC=E5=ED =EC=EB=E5=EC=ED, =E4=F4=E2=E9=F9=E4");
  EXPECT_EQ(utf8.out, "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d \xd7\x9c\xd7\x9b\xd7\x95\xd7\x9c\xd7\x9d, "
                      "\xd7\x94\xd7\xa4\xd7\x92\xd7\x99\xd7\xa9\xd7\x94");
}

TEST(DetectCli, RepairsUtf8ReadAsWesternCodePage) {
  // "שלום לכולם" in UTF-8, shown as code page 1252 shows it, saved as UTF-8.
  const std::string word = "\xc3\x97\xc2\xa9\xc3\x97\xc5\x93\xc3\x97\xe2\x80\xa2\xc3\x97\xc2\x9d "
                           "\xc3\x97\xc5\x93\xc3\x97\xe2\x80\xba\xc3\x97\xe2\x80\xa2\xc3\x97\xc5\x93\xc3\x97\xc2\x9d";
  const Process_result r = Run_converter({"--auto", "--input-encoding", "utf-8"}, word + ", " + word + ".");
  const std::string repaired = "\xf9\xec\xe5\xed \xec\xeb\xe5\xec\xed";
  EXPECT_EQ(r.out, repaired + ", " + repaired + ".") << r.err;
}

TEST(DetectCli, TextItCannotJudgeSaysSoAndConvertsAsTheProfile) {
  const Process_result detect = Run_converter({"--detect"}, "Hello");
  EXPECT_THAT(detect.err, HasSubstr("cannot judge"));
  EXPECT_THAT(detect.out, HasSubstr("\nreverse_hebrew_phrases=1\n"));  // the profile's own value
  EXPECT_THAT(detect.out, HasSubstr("\nconfidence=0\n"));
  const Process_result convert = Run_converter({"--auto", "--set", "destination_char_set=2"}, "\xe0\xe1 ok");
  EXPECT_THAT(convert.err, HasSubstr("cannot judge"));
  EXPECT_EQ(convert.out, Run_converter({"--set", "destination_char_set=2"}, "\xe0\xe1 ok").out);
  EXPECT_EQ(convert.out, "AB ok");
}

TEST(DetectCli, AProfileThatConvertsAutomaticallyNeedsNoOption) {
  const Process_result r = Run_converter({"--set", "convert_automatically=1"}, To_862(logical_1255));
  EXPECT_EQ(r.out, logical_1255) << r.err;
  EXPECT_THAT(Run_converter({"--list-keys"}, "").out, HasSubstr("\nconvert_automatically=0\n"));
}

TEST(DetectCli, VisualTextIsRepairedWithTimesAndDatesAsTheyRead) {
  const Process_result r = Run_converter({"--auto", "--output-encoding", "utf-8"},
                                         Text_of(std::string(QUORVANDEL_SOURCE_DIR) + "/resources/samples/visual-dos.txt").value_or(""));
  EXPECT_THAT(r.out, HasSubstr("\xd7\x91\xd7\xa9\xd7\xa2\xd7\x94 10:30")) << r.out;  // "בשעה 10:30"
  EXPECT_THAT(r.out, HasSubstr("12/05/2027")) << r.out;
}

// A profile that changes nothing where nothing is judged, UTF-8 in and out.
Process_result Run_auto(const std::string& input, std::vector<std::string> before = {}) {
  std::vector<std::string> arguments = {converter, "--settings", Empty_file(), "--set", "reverse_hebrew_phrases=0",
                                        "--set", "destination_eoln_format=1", "--auto", "--input-encoding", "utf-8",
                                        "--output-encoding", "utf-8"};
  arguments.insert(arguments.begin(), before.begin(), before.end());
  return Run_process(arguments, input);
}

TEST(DetectCli, ShortEscapedTextsAreJudgedByTheirForm) {
  const struct {
    const char* input;
    const char* output;
  } cases[] = {
      {"<p>&#1513;&#1500;&#1493;&#1501; &#1506;&#1493;&#1500;&#1501;</p>", "<p>שלום עולם</p>"},
      {"&#x5DC;&#x5D0;", "לא"},
      {"=F9=EC=E5=ED", "שלום"},           // code page 1255, quoted-printable
      {"=D7=A9=D7=9C=D7=95=D7=9D", "שלום"},  // UTF-8, quoted-printable
  };
  for (const auto& c : cases) {
    const Process_result r = Run_auto(c.input);
    EXPECT_EQ(r.out, c.output) << c.input << "\n" << r.err;
    EXPECT_THAT(r.err, Not(HasSubstr("cannot judge"))) << c.input;
  }
}

TEST(DetectCli, QuotedPrintableSoftLineBreaksAreJoinedBeforeDecoding) {
  const struct {
    const char* input;
    const char* output;
  } cases[] = {
      // A word split across lines.
      {"=F9=EC=E5=ED =EC=EB=\n=E5=EC=ED, =E4=F4=E2=E9=F9=E4\n", "שלום לכולם, הפגישה\n"},
      // A UTF-8 character split between its two bytes, and a break with
      // spaces after it.
      {"=D7=A9=D7=9C=D7=\n=95=D7=9D =D7=A2=D7=95=D7=9C=D7=9D=  \n!\n", "שלום עולם!\n"},
      // Hard line breaks stay.
      {"=F9=EC=E5=ED\n=EC=EB=E5=EC=ED\n", "שלום\nלכולם\n"},
  };
  for (const auto& c : cases) {
    const Process_result r = Run_auto(c.input);
    EXPECT_EQ(r.out, c.output) << c.input << "\n" << r.err;
  }
}

TEST(DetectCli, WordsTypedOnTheWrongLayoutAreRetyped) {
  const struct {
    const char* input;
    const char* output;
    const char* detected;
  } cases[] = {
      {"please send akuo", "please send שלום", "wrong layout: Hebrew typed on English keys"},
      {"שלום יקךךם", "שלום hello", "wrong layout: English typed on Hebrew keys"},
      {"AKUO\n,usv rcv\n", "שלום\nתודה רבה\n", "wrong layout: Hebrew typed on English keys"},
      {"hello world", "hello world", "nothing to judge"},
  };
  for (const auto& c : cases) {
    const Process_result converted = Run_auto(c.input);
    EXPECT_EQ(converted.out, c.output) << c.input << "\n" << converted.err;
    const Process_result detected = Run_process(
        {converter, "--settings", Empty_file(), "--detect", "--input-encoding", "utf-8"}, c.input);
    EXPECT_THAT(detected.out, HasSubstr(std::string("\ndetected=") + c.detected + "\n")) << c.input;
  }
  // A profile that converts automatically, as a hotkey runs it.
  const Process_result hotkey =
      Run_process({converter, "--settings", Empty_file(), "--set", "convert_automatically=1", "--set",
                   "destination_eoln_format=1", "--input-encoding", "utf-8", "--output-encoding", "utf-8"},
                  "akuo");
  EXPECT_EQ(hotkey.out, "שלום") << hotkey.err;
}

TEST(DetectCli, WithoutDictionariesTheLetterStatisticsStillRetypeWords) {
  // DICPATH names the folders dictionaries are looked for in; empty, none.
  const struct {
    const char* input;
    const char* output;
  } cases[] = {
      {"please send akuo", "please send שלום"},
      {"שלום יקךךם", "שלום hello"},
      {"hello world", "hello world"},
  };
  for (const auto& c : cases) {
    const Process_result r = Run_auto(c.input, {"/usr/bin/env", "DICPATH="});
    EXPECT_EQ(r.out, c.output) << c.input << "\n" << r.err;
  }
}

TEST(DetectCli, SeveralInputsAreNamed) {
  const Process_result r = Run_converter({"--detect", "-", "/nonexistent/file"}, logical_1255);
  EXPECT_EQ(r.exit_status, 1);
  EXPECT_THAT(r.out, HasSubstr("file=-\n"));
  EXPECT_THAT(r.err, HasSubstr("/nonexistent/file"));
  EXPECT_THAT(r.out, Not(HasSubstr("file=/nonexistent")));
}

}  // namespace
}  // namespace quorvandel::testing
