// Words typed with the wrong keyboard layout, as the automatic conversion
// repairs a short selection: with the system's dictionaries, and without.
#include <gtest/gtest.h>

#include <string>

#include "engine/cp1255.h"
#include "engine/detection/auto_convert.h"
#include "engine/detection/detect.h"
#include "engine/dictionary.h"
#include "spelling/system_dictionary.h"
#include "tests/engine/test_settings.h"

namespace quorvandel {
namespace {

// A text converted automatically as a hotkey converts a selection, with a
// profile that changes nothing where nothing is judged; UTF-8 in and out.
std::string Auto(const std::string& utf8, Detection* found = nullptr) {
  auto profile = test::Default_settings();
  profile->conversion->reverse_hebrew_phrases = false;
  std::vector<Text> lines(1);
  for (const char c : utf8) {
    if (c == '\n') {
      lines.emplace_back();
    } else {
      lines.back().push_back(static_cast<unsigned char>(c));
    }
  }
  Document_detector detector;
  std::vector<Text> units;
  for (const Text& line : lines) {
    Text u;
    Append_text_from_utf8(u, std::string(line.begin(), line.end()));
    detector.Add_line(u);
    units.push_back(std::move(u));
  }
  detector.Finish();
  if (found != nullptr) *found = detector.Document();
  Auto_converter converter(detector, *profile);
  std::string out;
  for (std::size_t i = 0; i < units.size(); ++i) {
    converter.Convert_raw_line(i, units[i]);
    if (i > 0) out += '\n';
    out += Utf8_from_text(units[i]);
  }
  return out;
}

struct Case {
  const char* typed;
  const char* repaired;
};

// The dictionaries are installed for every engine test (see
// dictionary_environment.cpp); a test that takes them away puts them back.
class WrongLayout : public ::testing::Test {
 protected:
  void TearDown() override { Set_dictionary(System_dictionary()); }
};

TEST_F(WrongLayout, TheSystemHasBothDictionaries) {
  // The tables below assume Debian's hunspell-he and hunspell-en-us.
  ASSERT_TRUE(System_dictionary()->Has(Language::hebrew));
  ASSERT_TRUE(System_dictionary()->Has(Language::english));
}

TEST_F(WrongLayout, RepairsOnlyTheWrongWordsInBothDirections) {
  const Case cases[] = {
      // Hebrew typed on the English layout, alone and among English words.
      {"akuo", "שלום"},
      {"please send akuo", "please send שלום"},
      {"xpr jsa", "ספר חדש"},
      {"the akuo", "the שלום"},
      // English typed on the Hebrew layout, alone and among Hebrew words.
      {"יקךךם", "hello"},
      {"שלום יקךךם", "שלום hello"},
      {"איק 'םרךג", "the world"},
      // Caps Lock on the English layout.
      {"AKUO", "שלום"},
      {"XPR JSA", "ספר חדש"},
      // Keys of punctuation that type letters: Tav on the comma key, the
      // apostrophe of English on the Hebrew comma key, q and w.
      {",usv rcv", "תודה רבה"},
      {"t,v", "אתה"},
      {"גםמ,א", "don't"},
      {"/וןבל", "quick"},
      {"'ישא", "what"},
      // Final letters are where the keys put them, and a comma after an
      // English word typed on the Hebrew layout is a comma again.
      {"ahkt,", "שילאת"},
      {"יקךךםת 'םרךג", "hello, world"},
      // Short words that read as words either way follow their line.
      {"akuo to", "שלום אם"},
      {"t, fk", "את כל"},
      // A word selected alone that ends on the comma or semicolon key is a
      // Hebrew word ending in Tav or final Peh, though it reads as English.
      {"ch,", "בית"},
      {"CH,", "בית"},
      {"GU;", "עוף"},
      // The Hebrew keys type no capitals: a name is an English word too.
      {"ןמ חומק", "in june"},
      // A word neither dictionary knows follows a line typed on the wrong
      // layout, and so does one that only the Hebrew dictionary takes (it
      // takes many strings as a prefix and a word) against its letters.
      {"עפך רק/וןרקד אישא", "gpl requires that"},
      {"עמו שככקרם עקמקרשך", "gnu affero general"},
      // The letters alone are a weak voice in the line: "gpl" is unknown
      // and reads as Hebrew letters, "prohibit" is surely English.
      {"עפך אם פרםיןנןא", "gpl to prohibit"},
  };
  for (const Case& c : cases) EXPECT_EQ(Auto(c.typed), c.repaired) << c.typed;
}

TEST_F(WrongLayout, KeepsRightWordsAndEverythingAroundTheWords) {
  const Case cases[] = {
      {"hello world", "hello world"},
      {"שלום עולם", "שלום עולם"},
      {"to", "to"},  // "אם" on the Hebrew layout
      {"אם", "אם"},  // "to" on the English layout
      {"please send akuo to", "please send שלום to"},
      {"GPL", "GPL"},        // an abbreviation
      {"iPhone", "iPhone"},  // mixed case
      {"mp3 x86_64 a@b.c", "mp3 x86_64 a@b.c"},
      // English lines may end in a comma or semicolon after a word.
      {"I like it,", "I like it,"},
      {"see the list;", "see the list;"},
      {"please send akuo,", "please send שלום,"},
      // Spaces, punctuation and line breaks stay where they were.
      {"  akuo!  (akuo)\nhello,\tיקךךם?", "  שלום!  (שלום)\nhello,\thello?"},
  };
  for (const Case& c : cases) EXPECT_EQ(Auto(c.typed), c.repaired) << c.typed;
}

TEST_F(WrongLayout, DescribesTheKind) {
  const struct {
    const char* typed;
    const char* description;
  } cases[] = {
      {"please send akuo", "wrong layout: Hebrew typed on English keys"},
      {"שלום יקךךם", "wrong layout: English typed on Hebrew keys"},
      {"akuo יקךךם", "wrong layout: Hebrew typed on English keys, English typed on Hebrew keys"},
  };
  for (const auto& c : cases) {
    Detection found;
    Auto(c.typed, &found);
    EXPECT_EQ(Describe(found), c.description) << c.typed;
    EXPECT_TRUE(Is_repair(found)) << c.typed;
  }
}

TEST_F(WrongLayout, LongTextsKeepTheirJudgement) {
  // A paragraph of real Hebrew with one English word typed on the Hebrew
  // layout is judged by its letters, as before, and left as it is.
  const std::string paragraph =
      "שלום לכולם, הפגישה נדחתה ליום שלישי בשעה 10:30 ואנא שלחו את הקובץ בפורמט PDF עד סוף השבוע, "
      "הילדים שיחקו בגן הציבורי עד שהתחיל לרדת גשם וקיבלתי את ההודעה שלך ואחזור אליך מחר בבוקר. ";
  std::string text;
  while (text.size() < 4000) text += paragraph;
  Detection found;
  EXPECT_TRUE(Auto(text + "יקךךם", &found) == text + "יקךךם");
  EXPECT_EQ(found.wrong_layout, layout_right);
}

TEST_F(WrongLayout, WithoutDictionariesTheLetterStatisticsStillJudge) {
  Set_dictionary(nullptr);
  const Case cases[] = {
      {"akuo", "שלום"},
      {"please send akuo", "please send שלום"},
      {"שלום יקךךם", "שלום hello"},
      {"hello world", "hello world"},
      {"שלום עולם", "שלום עולם"},
      {"to", "to"},
  };
  for (const Case& c : cases) EXPECT_EQ(Auto(c.typed), c.repaired) << c.typed;
}

}  // namespace
}  // namespace quorvandel
