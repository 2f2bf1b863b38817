#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "settings/prefs.h"
#include "settings_test_support.h"

namespace quorvandel {
namespace {

using testing::Recording_sink;
using testing::Scratch_folder;
using testing::Text_of;
using testing::Write_text;
namespace fs = std::filesystem;

// The settings file's keys in the order they are written, each with its
// default and with another value that every test may use.
struct Key_values {
  std::string key, default_value, other_value;
};

const std::vector<Key_values> operation_keys = {
    {"launch_on_windows_startup", "0", "1"},
    {"min_to_systray", "0", "1"},
    {"start_minimized", "0", "1"},
    {"save_size_and_pos", "1", "0"},
    {"show_full_pathnames", "0", "1"},
    {"confirm_overwrites", "1", "0"},
    {"default_source_path", "/opt/quorvandel/Original files", "/home/user/in box"},
    {"default_dest_path", "/opt/quorvandel/Converted files", "/home/user/out"},
    {"interface_language", "0", "2"},
};

const std::vector<Key_values> window_keys = {
    {"window_pos_x", "-1", "10"},
    {"window_pos_y", "-1", "20"},
    {"window_width", "-1", "640"},
    {"window_height", "-1", "480"},
};

const std::vector<Key_values> profile_keys = {
    {"reverse_whole_line", "0", "1"},
    {"reverse_hebrew_words", "0", "1"},
    {"reverse_hebrew_phrases", "1", "0"},
    {"reverse_english_words", "0", "1"},
    {"reverse_english_phrases", "0", "1"},
    {"reverse_numbers", "0", "1"},
    {"reverse_html_tags", "0", "1"},
    {"reverse_html_text", "0", "1"},
    {"flip_parentheses", "0", "1"},
    {"flip_brackets", "0", "1"},
    {"flip_curly_parentheses", "0", "1"},
    {"flip_angled_parentheses", "0", "1"},
    {"complement_leading_spaces", "0", "1"},
    {"truncate_trailing_spaces", "1", "0"},
    {"line_length", "80", "132"},
    {"reverse_digit_sequences", "0", "1"},
    {"reverse_numerical_expressions", "0", "1"},
    {"number_separator_hyphen", "1", "0"},
    {"number_separator_period", "1", "0"},
    {"number_separator_slash", "1", "0"},
    {"number_separator_comma", "0", "1"},
    {"number_separator_plus_sign", "0", "1"},
    {"number_separator_colon", "0", "1"},
    {"number_separator_space", "0", "1"},
    {"source_char_set", "0", "4"},
    {"translate_hebrew_unicode", "0", "1"},
    {"translate_email_style", "0", "1"},
    {"destination_char_set", "0", "5"},
    {"destination_eoln_format", "0", "2"},
    {"output_rtf_format", "0", "1"},
    {"english_letter_case", "0", "1"},
    {"map_grave_to_semicolon", "1", "0"},
    {"map_q_to_slash", "1", "0"},
    {"map_w_to_apostrophe", "1", "0"},
    {"map_semicolon_to_final_peh", "1", "0"},
    {"map_apostrophe_to_comma", "1", "0"},
    {"map_comma_to_tav", "1", "0"},
    {"map_period_to_final_tsadi", "1", "0"},
    {"map_slash_to_period", "1", "0"},
    {"map_back_semicolon_to_grave", "1", "0"},
    {"map_back_slash_to_q", "1", "0"},
    {"map_back_apostrophe_to_w", "1", "0"},
    {"map_back_final_peh", "1", "0"},
    {"map_back_comma_to_apostrophe", "1", "0"},
    {"map_back_tav_to_comma", "1", "0"},
    {"map_back_final_tsadi_to_period", "1", "0"},
    {"map_back_period_to_slash", "1", "0"},
    {"final_peh_mapped_to_tilde", "0", "1"},
    {"map_tilde_to_final_peh", "1", "0"},
    {"convert_automatically", "0", "1"},
    {"reordering_method", "0", "1"},
    {"reordering_direction", "0", "1"},
    {"paragraph_direction", "0", "2"},
};

const std::vector<Key_values> hotkey_keys = {
    {"hotkey_default_ctrl", "1", "0"}, {"hotkey_default_shift", "1", "0"}, {"hotkey_default_alt", "0", "1"},
    {"hotkey_default_fkey", "12", "3"}, {"hotkey_active_ctrl", "1", "0"},  {"hotkey_active_shift", "1", "0"},
    {"hotkey_active_alt", "0", "1"},    {"hotkey_active_fkey", "11", "7"},  {"show_hotkey_notices", "1", "0"},
};

enum class Values { defaults, others };

std::string Lines(const std::vector<Key_values>& keys, Values values) {
  std::string text;
  for (const Key_values& key : keys)
    text += key.key + "=" + (values == Values::defaults ? key.default_value : key.other_value) + "\n";
  return text;
}

// The keys with one key's default replaced.
std::vector<Key_values> With_default(std::vector<Key_values> keys, const std::string& key, const std::string& value) {
  for (Key_values& entry : keys)
    if (entry.key == key) entry.default_value = value;
  return keys;
}

class PrefsFile : public ::testing::Test {
 protected:
  std::unique_ptr<TPrefs> Loaded_holder() {
    auto holder = std::make_unique<TPrefs>(false, &file);
    holder->Load_settings(default_settings_section);
    return holder;
  }
  void Given_file(const std::string& text) { Write_text(file.ini_path, text); }
  std::string File_text() const { return Text_of(file.ini_path).value_or("<no file>"); }

  Scratch_folder folder;
  Recording_sink sink;
  TSettings_file file{folder.File("Quorvandel.ini"), "/opt/quorvandel/", &sink};
};

TEST_F(PrefsFile, SaveAsDefaultWithoutAFileWritesEveryDefaultInOrder) {
  auto holder = Loaded_holder();
  EXPECT_EQ(holder->profiles->profile_count, 0);
  EXPECT_EQ(File_text(), "<no file>");
  holder->Save_settings(default_settings_section);
  EXPECT_EQ(File_text(), "[Configuration]\n" + Lines(operation_keys, Values::defaults) +
                             Lines(window_keys, Values::defaults) + "\n[Default_Settings]\n" +
                             Lines(profile_keys, Values::defaults) + Lines(hotkey_keys, Values::defaults));
  EXPECT_TRUE(sink.messages.empty());
}

TEST_F(PrefsFile, EachSaveWritesOnlyItsKeys) {
  struct Case {
    const char* what;
    std::function<void(TPrefs&)> save;
    std::string text;
  };
  const std::vector<Case> cases = {
      {"operation settings", [](TPrefs& p) { p.Save_operation_settings(configuration_section); },
       "[Configuration]\n" + Lines(operation_keys, Values::defaults)},
      {"window position", [](TPrefs& p) { p.Save_window_position(configuration_section); },
       "[Configuration]\n" + Lines(window_keys, Values::defaults)},
      {"settings without window position",
       [](TPrefs& p) {
         p.operation->save_size_and_pos = false;
         p.Save_settings(default_settings_section);
       },
       "[Configuration]\n" + Lines(With_default(operation_keys, "save_size_and_pos", "0"), Values::defaults) +
           "\n[Default_Settings]\n" + Lines(profile_keys, Values::defaults) + Lines(hotkey_keys, Values::defaults)},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(file.ini_path);
    auto holder = Loaded_holder();
    c.save(*holder);
    EXPECT_EQ(File_text(), c.text);
  }
}

TEST_F(PrefsFile, EveryKeySurvivesALoadAndASave) {
  const std::string configuration = "[Configuration]\n" + Lines(operation_keys, Values::others);
  const std::string settings = "\n[Default_Settings]\n" + Lines(profile_keys, Values::others) +
                               Lines(hotkey_keys, Values::others);
  Given_file(configuration + Lines(window_keys, Values::others) + settings);
  auto holder = Loaded_holder();

  const TOperation& operation = *holder->operation;
  EXPECT_TRUE(operation.launch_on_windows_startup);
  EXPECT_FALSE(operation.save_size_and_pos);
  EXPECT_EQ(operation.default_source_path, "/home/user/in box");
  EXPECT_EQ(operation.window_height, 480);
  EXPECT_EQ(holder->conversion->line_length, 132);
  EXPECT_FALSE(holder->conversion->reverse_hebrew_phrases);
  EXPECT_EQ(holder->source_props->source_char_set, 4);
  EXPECT_EQ(holder->dest_props->destination_char_set, 5);
  EXPECT_EQ(holder->dest_props->destination_eoln_format, 2);
  EXPECT_EQ(holder->dest_props->english_letter_case, 1);
  EXPECT_TRUE(holder->qwerty->final_peh_mapped_to_tilde);
  EXPECT_EQ(Hotkey_to_str(*holder->profiles->hotkey_default), "Alt - F3");
  EXPECT_EQ(Hotkey_to_str(*holder->profiles->hotkey_active), "Alt - F7");

  fs::remove(file.ini_path);
  holder->Save_settings(default_settings_section);
  EXPECT_EQ(File_text(), configuration + settings);  // save_size_and_pos is off
  EXPECT_TRUE(sink.messages.empty());
}

TEST_F(PrefsFile, ValuesThatAreNotIntegersGiveTheDefault) {
  struct Case {
    std::string value;
    std::int32_t line_length;      // default 80
    bool truncate_trailing_spaces;  // default true
    bool reverse_whole_line;        // default false
  };
  const std::vector<Case> cases = {
      {"yes", 80, true, false},  {"2", 2, true, true},       {"0x10", 16, true, true},
      {"0X1f", 31, true, true},  {"-5", -5, true, true},     {"", 80, true, false},
      {"12abc", 80, true, false}, {"0", 0, false, false},    {"0x", 80, true, false},
      {"0x-1", 80, true, false}, {"+5", 80, true, false},    {" 7 ", 7, true, true},
      {"4294967296", 80, true, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("value '" + c.value + "'");
    Given_file("[Default_Settings]\nline_length=" + c.value + "\ntruncate_trailing_spaces=" + c.value +
               "\nreverse_whole_line=" + c.value + "\n");
    auto holder = Loaded_holder();
    EXPECT_EQ(holder->conversion->line_length, c.line_length);
    EXPECT_EQ(holder->conversion->truncate_trailing_spaces, c.truncate_trailing_spaces);
    EXPECT_EQ(holder->conversion->reverse_whole_line, c.reverse_whole_line);
  }
}

TEST_F(PrefsFile, RangeChecksOfEnumeratedKeysAndFunctionKeys) {
  struct Case {
    std::string key, value;
    std::function<int(const TPrefs&)> field;
    int expected;
  };
  const auto source = [](const TPrefs& p) { return int{p.source_props->source_char_set}; };
  const auto destination = [](const TPrefs& p) { return int{p.dest_props->destination_char_set}; };
  const auto eoln = [](const TPrefs& p) { return int{p.dest_props->destination_eoln_format}; };
  const auto letter_case = [](const TPrefs& p) { return int{p.dest_props->english_letter_case}; };
  const auto line_length = [](const TPrefs& p) { return p.conversion->line_length; };
  const auto default_fkey = [](const TPrefs& p) { return int{p.profiles->hotkey_default->fkey}; };
  const auto active_fkey = [](const TPrefs& p) { return int{p.profiles->hotkey_active->fkey}; };
  const auto method = [](const TPrefs& p) { return int{p.conversion->reordering_method}; };
  const auto direction = [](const TPrefs& p) { return int{p.conversion->reordering_direction}; };
  const auto paragraph = [](const TPrefs& p) { return int{p.conversion->paragraph_direction}; };
  const std::vector<Case> cases = {
      {"reordering_method", "2", method, 0},         {"reordering_method", "1", method, 1},
      {"reordering_direction", "-1", direction, 0},  {"reordering_direction", "1", direction, 1},
      {"paragraph_direction", "3", paragraph, 0},    {"paragraph_direction", "2", paragraph, 2},
      {"source_char_set", "9", source, 0},           {"source_char_set", "5", source, 5},
      {"source_char_set", "-1", source, 0},          {"destination_char_set", "6", destination, 0},
      {"destination_char_set", "0x3", destination, 3}, {"destination_eoln_format", "3", eoln, 0},
      {"destination_eoln_format", "2", eoln, 2},     {"english_letter_case", "-1", letter_case, 0},
      {"english_letter_case", "2", letter_case, 2},  {"line_length", "0", line_length, 0},
      {"line_length", "1000", line_length, 1000},    {"hotkey_default_fkey", "0", default_fkey, 12},
      {"hotkey_default_fkey", "13", default_fkey, 12}, {"hotkey_default_fkey", "1", default_fkey, 1},
      {"hotkey_active_fkey", "13", active_fkey, 11}, {"hotkey_active_fkey", "0x0C", active_fkey, 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.key + "=" + c.value);
    Given_file("[Default_Settings]\n" + c.key + "=" + c.value + "\n");
    EXPECT_EQ(c.field(*Loaded_holder()), c.expected);
  }
}

TEST_F(PrefsFile, LoadsTheFirstTenProfilesInCaseInsensitiveOrder) {
  // Twelve profiles, written out of order; each one's line length is its rank.
  const std::vector<std::string> names = {"k", "B", "a", "L", "j", "C", "i", "D", "h", "E", "g", "F"};
  const std::string sorted = "aBCDEFghijkL";
  std::string text;
  for (const std::string& name : names)
    text += "[Profile_" + name + "]\nline_length=" + std::to_string(sorted.find(name[0])) + "\n";
  Given_file(text);

  auto holder = Loaded_holder();
  const TOptProfiles& list = *holder->profiles;
  ASSERT_EQ(list.profile_count, 10);
  EXPECT_EQ(list.profile_names, (std::vector<std::string>{"a", "B", "C", "D", "E", "F", "g", "h", "i", "j"}));
  for (std::size_t slot = 0; slot < 10; ++slot) {
    ASSERT_NE(list.profiles[slot], nullptr);
    EXPECT_TRUE(list.profiles[slot]->is_profile);
    EXPECT_EQ(list.profiles[slot]->holder, holder.get());
    EXPECT_EQ(list.profiles[slot]->conversion->line_length, static_cast<std::int32_t>(slot));
  }

  holder->Save_settings(default_settings_section);
  EXPECT_EQ(File_text().find(text), 0U) << "the profile sections, and k and L, stay as they were";
  EXPECT_TRUE(sink.messages.empty());
}

TEST_F(PrefsFile, OnlyProfilePrefixedSectionsWithANameAreProfiles) {
  const std::string text =
      "[profile_Work]\nline_length=1\n[Profile_]\nline_length=2\n[Profile_Default profile]\nline_length=3\n"
      "[Profile_Office]\nline_length=4\n[Profile_ spaced ]\nline_length=5\n";
  Given_file(text);
  auto holder = Loaded_holder();
  const TOptProfiles& list = *holder->profiles;
  ASSERT_EQ(list.profile_names, (std::vector<std::string>{" spaced ", "Office"}));
  EXPECT_EQ(list.profiles[0]->conversion->line_length, 5);
  EXPECT_EQ(list.profiles[1]->conversion->line_length, 4);
  EXPECT_EQ(list.profiles[2], nullptr);

  holder->Save_settings(default_settings_section);
  EXPECT_EQ(File_text().find(text), 0U) << "no section is removed or changed";
}

TEST_F(PrefsFile, ANamedProfileSavesTheHoldersOperationKeysAndNoHotkeys) {
  Given_file("[Profile_Work]\nline_length=60\n");
  auto holder = Loaded_holder();
  holder->operation->save_size_and_pos = false;
  holder->operation->show_full_pathnames = true;
  TPrefs& work = *holder->profiles->profiles[0];
  work.conversion->line_length = 70;
  work.Save_settings("Profile_Work");
  const std::string text = File_text();
  EXPECT_NE(text.find("[Profile_Work]\nline_length=70\n"), std::string::npos);
  EXPECT_NE(text.find("show_full_pathnames=1\n"), std::string::npos);
  EXPECT_EQ(text.find("hotkey"), std::string::npos);
  EXPECT_EQ(text.find("window_"), std::string::npos);
}

TEST_F(PrefsFile, FileFailuresAreReportedOnceByEachOperation) {
  const std::string quoted = "due to the following error: 'Unable to write to " + file.ini_path + "'.";
  const std::string save_operation = "Couldn't save operation settings " + quoted;
  const std::string save_window = "Couldn't save window position " + quoted;
  const std::string save_settings = "Couldn't save settings " + quoted;
  struct Case {
    const char* what;
    std::function<void(TPrefs&)> action;
    std::vector<std::string> messages;
  };
  const std::vector<Case> cases = {
      {"save as default", [](TPrefs& p) { p.Save_settings(default_settings_section); },
       {save_operation, save_window, save_settings}},
      {"save as default without window position",
       [](TPrefs& p) {
         p.operation->save_size_and_pos = false;
         p.Save_settings(default_settings_section);
       },
       {save_operation, save_settings}},
      {"OK in the dialog", [](TPrefs& p) { p.Save_operation_settings(configuration_section); }, {save_operation}},
      {"save now", [](TPrefs& p) { p.Save_window_position(configuration_section); }, {save_window}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    fs::remove(file.ini_path);
    auto holder = Loaded_holder();
    holder->Save_settings(default_settings_section);
    const std::string before = File_text();
    testing::Set_mode(file.ini_path, fs::perms::owner_read | fs::perms::others_read);
    sink.messages.clear();
    {
      testing::Without_root_rights user;
      if (!user.ok()) GTEST_SKIP() << "cannot give up root's file rights";
      c.action(*holder);
    }
    EXPECT_EQ(sink.messages, c.messages);
    EXPECT_EQ(File_text(), before);
  }
}

TEST_F(PrefsFile, AnUnreadableFileIsReportedAndLoadingGoesOn) {
  Given_file("[Default_Settings]\nline_length=60\n");
  testing::Set_mode(file.ini_path, fs::perms::none);
  testing::Without_root_rights user;
  if (!user.ok()) GTEST_SKIP() << "cannot give up root's file rights";
  auto holder = Loaded_holder();
  const std::string quoted = "due to the following error: 'Unable to read " + file.ini_path + "'.";
  EXPECT_EQ(sink.messages, (std::vector<std::string>{"Couldn't load operation settings " + quoted,
                                                      "Couldn't read settings " + quoted}));
}

}  // namespace
}  // namespace quorvandel
