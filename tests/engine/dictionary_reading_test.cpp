// The spelling dictionaries read word by word (only the lines of the word
// list that can make the word asked) answer as the whole word list does:
// for words of running text, for what the other keyboard layout makes of
// them, and for the forms the affix rules make.
#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <string>
#include <vector>

#include "engine/cp1255.h"
#include "spelling/hunspell_dictionary.h"
#include "tests/corpus/hebrew_corpus.h"

namespace quorvandel {
namespace {

bool Is_hebrew(Unit u) { return u >= 224 && u <= 250; }
bool Is_latin(Unit u) { return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z'); }

// The words of the texts, and the same keys read on the other layout.
void Add_words(const std::vector<Text>& texts, bool (*letter)(Unit), std::set<std::string>& words,
               std::set<std::string>& other_words) {
  static constexpr char keys[] = "tcdsvuzjyhlfkonibxg;p.mera,";  // alef..tav in code page 1255 order
  for (const Text& text : texts) {
    std::size_t i = 0;
    while (i < text.size()) {
      std::size_t end = i;
      while (end < text.size() && letter(text[end])) ++end;
      if (end > i) {
        const Text word = text.substr(i, end - i);
        words.insert(Utf8_from_text(word));
        Text other;
        for (const Unit u : word) {
          if (Is_hebrew(u)) {
            other.push_back(static_cast<unsigned char>(keys[u - 224]));
          } else {
            for (Unit h = 224; h <= 250; ++h)
              if (static_cast<Unit>(keys[h - 224]) == (u | 0x20)) other.push_back(h);
          }
        }
        other_words.insert(Utf8_from_text(other));
      }
      i = end + 1;
    }
  }
}

TEST(DictionaryReading, WordByWordAnswersAsTheWholeList) {
  const auto whole = Make_hunspell_dictionary(Dictionary_reading::whole);
  const auto word_by_word = Make_hunspell_dictionary(Dictionary_reading::word_by_word_only);
  ASSERT_TRUE(whole && word_by_word);
  ASSERT_TRUE(whole->Has(Language::hebrew) && whole->Has(Language::english)) << "hunspell-he and hunspell-en-us";

  std::set<std::string> hebrew = {
      // prefixes, final letters, geresh and gershayim, nothing
      "ושלום", "כשהבית", "ומהבית", "שלומ", "צה\"ל", "ג'ירפה", "'שלום", "שלום'", "א", "בבבבב", "םולש",
  };
  std::set<std::string> english = {
      // suffixes that take letters off the stem, case, apostrophes,
      // compounds of digits, hyphens, names, abbreviations, nothing
      "tried", "cries", "happier", "stopped", "Hello", "HELLO", "hELLO", "don't", "children's", "1st", "22nd",
      "well-known", "June", "june", "GNU", "gnu", "NASA", "nasa", "I", "a", "xqzv", "Tried", "TRIED",
  };
  Add_words(test::Hebrew_paragraphs(12), Is_hebrew, hebrew, english);
  Add_words(test::English_paragraphs(12), Is_latin, english, hebrew);
  for (const auto& [language, words] : {std::pair{Language::hebrew, &hebrew}, std::pair{Language::english, &english}}) {
    for (const std::string& word : *words) {
      EXPECT_EQ(word_by_word->Knows(language, word), whole->Knows(language, word))
          << word << (language == Language::hebrew ? " in Hebrew" : " in English");
    }
  }
}

TEST(DictionaryReading, WithoutRoomForItsLinesTheWholeListAnswers) {
  const char* const before = std::getenv("TMPDIR");
  const std::string saved = before != nullptr ? before : "";
  setenv("TMPDIR", "/nonexistent/quorvandel", 1);
  {
    const auto word_by_word = Make_hunspell_dictionary(Dictionary_reading::word_by_word);
    ASSERT_TRUE(word_by_word);
    EXPECT_TRUE(word_by_word->Knows(Language::hebrew, "\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d"));  // shalom
    EXPECT_TRUE(word_by_word->Knows(Language::english, "hello"));
    EXPECT_FALSE(word_by_word->Knows(Language::english, "xqzv"));
  }
  if (before != nullptr) {
    setenv("TMPDIR", saved.c_str(), 1);
  } else {
    unsetenv("TMPDIR");
  }
}

}  // namespace
}  // namespace quorvandel
