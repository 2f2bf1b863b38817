// The converter with Windows paths: backslashes, drive letters, and names
// outside the ASCII range, which reach it in UTF-8 through its manifest
// whatever the system's ANSI code page is.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/run_process.h"
#include "support/scratch_files.h"

namespace quorvandel::testing {
namespace {

namespace fs = std::filesystem;

const std::string converter = QUORVANDEL_CONVERT_EXE;

fs::path Utf8_path(const std::string& text) { return fs::path(std::u8string(text.begin(), text.end())); }

std::string Utf8_of(const fs::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

TEST(WindowsPaths, HebrewFileNamesInAndOut) {
  Scratch_folder folder;
  const fs::path input = folder.path() / Utf8_path("\xd7\xa7\xd7\x9c\xd7\x98.txt");    // קלט.txt
  const fs::path output = folder.path() / Utf8_path("\xd7\xa4\xd7\x9c\xd7\x98.txt");   // פלט.txt
  Write_text(input, "\xe0\xe1\r\n");
  const Process_result result = Run_process({converter, "--settings", Empty_file(), "--set", "destination_char_set=2",
                                             "-o", Utf8_of(output), Utf8_of(input)});
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(Text_of(output), "AB\r\n");
}

TEST(WindowsPaths, OutputFolderWithBackslashesAndAHebrewName) {
  Scratch_folder folder;
  const fs::path out_folder = folder.path() / Utf8_path("\xd7\x9e\xd7\x95\xd7\xa8\xd7\x94");  // מורה
  fs::create_directory(out_folder);
  const fs::path input = folder.path() / "one.txt";
  Write_text(input, "\xe2");
  std::string folder_text = Utf8_of(out_folder.lexically_normal().make_preferred());
  ASSERT_NE(folder_text.find('\\'), std::string::npos);
  const Process_result result = Run_process({converter, "--settings", Empty_file(), "--set", "destination_char_set=2",
                                             "--output-dir", folder_text, Utf8_of(input)});
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(Text_of(out_folder / "one.txt"), "C");
  EXPECT_EQ(Names_in(out_folder), std::vector<std::string>{"one.txt"});  // no temporary file left
}

TEST(WindowsPaths, ReplacesAnExistingOutputFile) {
  Scratch_folder folder;
  const fs::path input = folder.path() / "in.txt";
  const fs::path output = folder.path() / "out.txt";
  Write_text(input, "\xe0");
  Write_text(output, "old contents, longer than the new");
  const Process_result result = Run_process(
      {converter, "--settings", Empty_file(), "--set", "destination_char_set=2", "-o", output.string(), input.string()});
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(Text_of(output), "A");
}

TEST(WindowsPaths, FindsTheSettingsFileBesideItInAHebrewFolder) {
  // As the Windows zip is unpacked: the converter and Quorvandel.ini side by side.
  Scratch_folder scratch;
  const fs::path folder = scratch.path() / Utf8_path("\xd7\x9b\xd7\x9c\xd7\x99\xd7\x9d");  // כלים
  fs::create_directory(folder);
  fs::copy_file(Utf8_path(converter), folder / "quorvandel-convert.exe");
  Write_text(folder / "Quorvandel.ini", "[Default_Settings]\r\ndestination_char_set=2\r\n");
  const Process_result result = Run_process({Utf8_of(folder / "quorvandel-convert.exe")}, "\xe0\xe1");
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(result.out, "AB");
}

TEST(WindowsPaths, StandardOutputCarriesBytesUntranslated) {
  // A line feed alone stays one byte: standard output is in binary mode.
  const Process_result result =
      Run_process({converter, "--settings", Empty_file(), "--set", "destination_eoln_format=1"}, "a\r\nb\r\n");
  ASSERT_EQ(result.exit_status, 0) << result.err;
  EXPECT_EQ(result.out, "a\nb\n");
}

}  // namespace
}  // namespace quorvandel::testing
