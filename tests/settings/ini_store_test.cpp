#include "settings/ini_store.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "settings_test_support.h"

namespace quorvandel {
namespace {

using testing::Scratch_folder;
using testing::Text_of;
using testing::Write_text;
namespace fs = std::filesystem;

const std::string bom = "\xEF\xBB\xBF";

int Sign(int value) { return (value > 0) - (value < 0); }

TEST(CompareNamesIgnoringCase, FoldsAsciiLettersOnly) {
  struct Case {
    std::string a, b;
    int sign;
  };
  const std::vector<Case> cases = {
      {"Profile_Work", "PROFILE_work", 0},
      {"abc", "abd", -1},
      {"B", "a", 1},
      {"ab", "abc", -1},
      {"", "", 0},
      {"Profile_", "ProfileA", -1},  // '_' sorts before letters once they are folded
      {"\xE0", "z", 1},              // other bytes compare unsigned
      {"\xC0", "\xE0", -1},          // and are not folded
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.a + " vs " + c.b);
    EXPECT_EQ(Sign(Compare_names_ignoring_case(c.a, c.b)), c.sign);
    EXPECT_EQ(Sign(Compare_names_ignoring_case(c.b, c.a)), -c.sign);
  }
}

TEST(IniStoreRead, FindsKeysLikeThePlatform) {
  struct Case {
    const char* what;
    std::string text, section, key, expected;
  };
  const std::vector<Case> cases = {
      {"letter case", "[Configuration]\nLine_Length=80\n", "configuration", "LINE_LENGTH", "80"},
      {"whitespace trimmed", "[S]\n  key \t=  some value  \n", "S", "key", "some value"},
      {"missing key", "[S]\nother=1\n", "S", "key", "default"},
      {"missing section", "[T]\nkey=1\n", "S", "key", "default"},
      {"key of the next section", "[S]\n[T]\nkey=1\n", "S", "key", "default"},
      {"key before any section", "key=1\n[S]\n", "S", "key", "default"},
      {"first of two keys", "[S]\nkey=1\nKEY=2\n", "S", "key", "1"},
      {"first of two sections", "[S]\nkey=1\n[s]\nkey=2\n", "S", "key", "1"},
      {"CR LF line ends", "[S]\r\nkey=v\r\n", "S", "key", "v"},
      {"byte-order mark", bom + "[S]\nkey=v\n", "S", "key", "v"},
      {"comment lines", "[S]\n;key=1\n#key=2\nkey=3\n", "S", "key", "3"},
      {"last line unterminated", "[S]\nkey=v", "S", "key", "v"},
      {"equals sign in value", "[S]\nkey=a=b\n", "S", "key", "a=b"},
      {"empty value", "[S]\nkey=\n", "S", "key", ""},
      {"spaces in section name", "[Profile_My work]\nkey=1\n", "profile_my WORK", "key", "1"},
      {"other bytes not folded", "[\xC0]\nkey=1\n", "\xE0", "key", "default"},
  };
  Scratch_folder folder;
  const Ini_store store(folder.File("test.ini"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Write_text(store.path(), c.text);
    EXPECT_EQ(store.Read(c.section, c.key, "default"), c.expected);
  }
}

TEST(IniStoreWrite, EditsOnlyTheKeysLine) {
  struct Case {
    const char* what;
    std::string before, section, key, value, after;
  };
  const std::vector<Case> cases = {
      {"value replaced, spelling of the key kept",
       "; settings\n[S]\na=1\nKey = old\nz=3\n\n[Other]\nx=y\n", "s", "KEY", "new",
       "; settings\n[S]\na=1\nKey=new\nz=3\n\n[Other]\nx=y\n"},
      {"key added after the section's last key", "[S]\na=1\n; note\n\n[T]\nb=2\n", "S", "c", "3",
       "[S]\na=1\nc=3\n; note\n\n[T]\nb=2\n"},
      {"key added to an empty section", "[S]\n[T]\n", "s", "k", "v", "[S]\nk=v\n[T]\n"},
      {"section added at the end", "[A]\na=1\n", "B", "k", "v", "[A]\na=1\n\n[B]\nk=v\n"},
      {"section added after a blank line", "[A]\na=1\n\n", "B", "k", "v", "[A]\na=1\n\n[B]\nk=v\n"},
      {"section added after an unterminated line", "[A]\na=1", "B", "k", "v", "[A]\na=1\n\n[B]\nk=v\n"},
      {"key added after an unterminated line", "[A]\na=1", "A", "b", "2", "[A]\na=1\nb=2\n"},
      {"unterminated line replaced", "[A]\na=1", "A", "a", "2", "[A]\na=2"},
      {"CR LF kept for a new key", "[A]\r\na=1\r\n", "A", "b", "2", "[A]\r\na=1\r\nb=2\r\n"},
      {"CR LF kept for a new section", "[A]\r\na=1\r\n", "B", "b", "2", "[A]\r\na=1\r\n\r\n[B]\r\nb=2\r\n"},
      {"CR LF kept for a replaced key", "[A]\r\na=1\r\n", "A", "a", "2", "[A]\r\na=2\r\n"},
      {"byte-order mark kept", bom + "[A]\na=1\n", "A", "a", "2", bom + "[A]\na=2\n"},
      {"file of only a byte-order mark", bom, "A", "a", "1", bom + "[A]\na=1\n"},
      {"empty file", "", "A", "a", "1", "[A]\na=1\n"},
      {"only the first of two sections", "[A]\na=1\n[a]\na=1\n", "A", "a", "2", "[A]\na=2\n[a]\na=1\n"},
      {"value with spaces and bytes", "[A]\n", "A", "path", "/opt/Original files/\xE0",
       "[A]\npath=/opt/Original files/\xE0\n"},
  };
  Scratch_folder folder;
  Ini_store store(folder.File("test.ini"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Write_text(store.path(), c.before);
    store.Write(c.section, c.key, c.value);
    EXPECT_EQ(Text_of(store.path()), c.after);
    EXPECT_EQ(store.Read(c.section, c.key, "none"), c.value);
  }
}

TEST(IniStoreWrite, CreatesAMissingFileWithLfLineEnds) {
  Scratch_folder folder;
  Ini_store store(folder.File("new.ini"));
  store.Write("Configuration", "a", "1");
  store.Write("Configuration", "b", "2");
  store.Write("Default_Settings", "c", "3");
  EXPECT_EQ(Text_of(store.path()), "[Configuration]\na=1\nb=2\n\n[Default_Settings]\nc=3\n");
}

TEST(IniStoreWrite, LeavesNoTemporaryFileAndKeepsPermissionBits) {
  Scratch_folder folder;
  Ini_store store(folder.File("test.ini"));
  Write_text(store.path(), "[A]\n");
  testing::Set_mode(store.path(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
  for (int i = 0; i < 5; ++i) store.Write("A", "key" + std::to_string(i), "value");
  store.Erase_section("A");
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"test.ini"});
  EXPECT_EQ(fs::status(store.path()).permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(IniStoreWrite, WritesThroughASymbolicLink) {
  Scratch_folder folder;
  Write_text(folder.File("real.ini"), "[A]\na=1\n");
  fs::create_symlink(folder.File("real.ini"), folder.File("link.ini"));
  Ini_store(folder.File("link.ini")).Write("A", "a", "2");
  EXPECT_TRUE(fs::is_symlink(folder.File("link.ini")));
  EXPECT_EQ(Text_of(folder.File("real.ini")), "[A]\na=2\n");
}

TEST(IniStoreEraseSection, RemovesTheSectionAndItsLines) {
  struct Case {
    const char* what;
    std::string before, section, after;
  };
  const std::vector<Case> cases = {
      {"middle section", "; top\n[A]\na=1\n[B]\nb=2\n; about B\n[C]\nc=3\n", "b", "; top\n[A]\na=1\n[C]\nc=3\n"},
      {"last section", "[A]\na=1\n\n[B]\nb=2", "B", "[A]\na=1\n\n"},
      {"every section of that name", "[A]\n[B]\nb=1\n[A]\na=2\n", "a", "[B]\nb=1\n"},
      {"missing section", "[A]\na=1", "B", "[A]\na=1"},
      {"byte-order mark and CR LF kept", bom + "[A]\r\na=1\r\n[B]\r\n", "A", bom + "[B]\r\n"},
  };
  Scratch_folder folder;
  Ini_store store(folder.File("test.ini"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Write_text(store.path(), c.before);
    store.Erase_section(c.section);
    EXPECT_EQ(Text_of(store.path()), c.after);
  }
}

TEST(IniStoreSectionNames, ListsEachSectionOnceInFileOrder) {
  struct Case {
    const char* what;
    std::string text;
    std::vector<std::string> names;
  };
  const std::vector<Case> cases = {
      {"plain", "; c\n[Configuration]\nk=1\n[Profile_b]\n[Default_Settings]\n",
       {"Configuration", "Profile_b", "Default_Settings"}},
      {"same name in another case", "[Profile_Work]\n[PROFILE_WORK]\n[x]\n", {"Profile_Work", "x"}},
      {"spaces kept", "[Profile_ two words ]\n", {"Profile_ two words "}},
      {"no sections", "k=1\n", {}},
      {"byte-order mark and CR LF", bom + "[A]\r\n[B]\r\n", {"A", "B"}},
  };
  Scratch_folder folder;
  const Ini_store store(folder.File("test.ini"));
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Write_text(store.path(), c.text);
    EXPECT_EQ(store.Section_names(), c.names);
  }
}

TEST(IniStoreMissingFile, ReadsAsEmptyAndIsNotCreatedByReadsOrErase) {
  Scratch_folder folder;
  Ini_store store(folder.File("absent.ini"));
  EXPECT_EQ(store.Read("A", "a", "default"), "default");
  EXPECT_TRUE(store.Section_names().empty());
  store.Erase_section("A");
  EXPECT_TRUE(folder.Names().empty());
}

// ---- Failures -------------------------------------------------------------------

void Expect_error(const std::function<void()>& action, const std::string& text) {
  try {
    action();
    ADD_FAILURE() << "no error; expected " << text;
  } catch (const Settings_error& error) {
    EXPECT_EQ(std::string(error.what()), text);
  }
}

TEST(IniStoreFailures, ReadOnlyFileOrFolderIsLeftAsItWas) {
  struct Case {
    const char* what;
    bool file_exists;
    bool file_read_only;
    bool folder_read_only;
  };
  const std::vector<Case> cases = {
      {"read-only file", true, true, false},
      {"writable file in a read-only folder", true, false, true},
      {"new file in a read-only folder", false, false, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Scratch_folder folder;
    Ini_store store(folder.File("Quorvandel.ini"));
    const std::string before = "[A]\na=1\n";
    if (c.file_exists) Write_text(store.path(), before);
    if (c.file_exists) testing::Set_mode(store.path(), c.file_read_only ? fs::perms::owner_read | fs::perms::others_read : fs::perms::all);
    if (c.folder_read_only) testing::Set_mode(folder.path(), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_read | fs::perms::others_exec);
    testing::Without_root_rights user;
    if (!user.ok()) GTEST_SKIP() << "cannot give up root's file rights";
    const std::string message = "Unable to write to " + store.path();
    Expect_error([&] { store.Write("A", "a", "2"); }, message);
    Expect_error([&] { store.Write("B", "b", "2"); }, message);
    if (c.file_exists) Expect_error([&] { store.Erase_section("A"); }, message);
    EXPECT_EQ(Text_of(store.path()), c.file_exists ? std::optional<std::string>(before) : std::nullopt);
    EXPECT_EQ(folder.Names().size(), c.file_exists ? 1U : 0U);
  }
}

TEST(IniStoreFailures, UnreadableFileFailsEveryOperation) {
  Scratch_folder folder;
  Ini_store store(folder.File("Quorvandel.ini"));
  Write_text(store.path(), "[A]\na=1\n");
  testing::Set_mode(store.path(), fs::perms::none);
  testing::Without_root_rights user;
  if (!user.ok()) GTEST_SKIP() << "cannot give up root's file rights";
  Expect_error([&] { store.Read("A", "a", ""); }, "Unable to read " + store.path());
  Expect_error([&] { store.Section_names(); }, "Unable to read " + store.path());
  Expect_error([&] { store.Write("A", "a", "2"); }, "Unable to write to " + store.path());
}

TEST(IniStoreFailures, FolderInPlaceOfTheFileCannotBeReadOrWritten) {
  Scratch_folder folder;
  Ini_store store(folder.File("Quorvandel.ini"));
  fs::create_directory(store.path());
  Expect_error([&] { store.Read("A", "a", ""); }, "Unable to read " + store.path());
  Expect_error([&] { store.Write("A", "a", "1"); }, "Unable to write to " + store.path());
}

TEST(IniStoreFailures, FullDiskKeepsTheOldFileAndRemovesTheTemporary) {
  Scratch_folder folder;
  Ini_store store(folder.File("Quorvandel.ini"));
  const std::string before = "[A]\na=1\n";
  Write_text(store.path(), before);
  {
    testing::File_size_limit full_disk(64);
    Expect_error([&] { store.Write("A", "a", std::string(200, 'x')); }, "Unable to write to " + store.path());
  }
  EXPECT_EQ(Text_of(store.path()), before);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"Quorvandel.ini"});
}

TEST(IniStoreFailures, LineBreaksCannotBeWritten) {
  Scratch_folder folder;
  Ini_store store(folder.File("Quorvandel.ini"));
  const std::string message = "Unable to write to " + store.path();
  Expect_error([&] { store.Write("A", "a", "two\nlines"); }, message);
  Expect_error([&] { store.Write("A", "a\r", "1"); }, message);
  Expect_error([&] { store.Write("A", "a=b", "1"); }, message);
  EXPECT_TRUE(folder.Names().empty());
}

}  // namespace
}  // namespace quorvandel
