// Letter translation between the six character sets, the Qwerty
// substitutions, the character kinds and the sets' short names.
#include "engine/char_sets.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "engine/test_settings.h"

namespace quorvandel {
namespace {

constexpr int set_count = 6;
constexpr int letter_count = 27;
constexpr int tav = 26;

std::string Byte_name(Unit u) {
  std::string name = std::to_string(u);
  if (u >= 33 && u <= 126) name += std::string(" '") + static_cast<char>(u) + "'";
  return name;
}

TOptQwerty Default_qwerty() { return *test::Default_settings()->qwerty; }

TOptConversion Default_conversion() { return *test::Default_settings()->conversion; }

// The byte each set writes for each letter (Qwerty sets with the default
// flags), in the order: Windows, DOS, Upper, Lower, Qwerty (U), Qwerty (L).
constexpr std::array<std::array<Unit, set_count>, letter_count> letter_bytes = {{
    {224, 128, 'A', '&', 'T', 't'},  // Alef
    {225, 129, 'B', 'b', 'C', 'c'},  // Bet
    {226, 130, 'C', 'c', 'D', 'd'},  // Gimel
    {227, 131, 'D', 'd', 'S', 's'},  // Dalet
    {228, 132, 'E', 'e', 'V', 'v'},  // He
    {229, 133, 'F', 'f', 'U', 'u'},  // Vav
    {230, 134, 'G', 'g', 'Z', 'z'},  // Zayin
    {231, 135, 'H', 'h', 'J', 'j'},  // Het
    {232, 136, 'I', 'i', 'Y', 'y'},  // Tet
    {233, 137, 'J', 'j', 'H', 'h'},  // Yod
    {234, 138, 'K', 'k', 'L', 'l'},  // final Kaf
    {235, 139, 'L', 'l', 'F', 'f'},  // Kaf
    {236, 140, 'M', 'm', 'K', 'k'},  // Lamed
    {237, 141, 'N', 'n', 'O', 'o'},  // final Mem
    {238, 142, 'O', 'o', 'N', 'n'},  // Mem
    {239, 143, 'P', 'p', 'I', 'i'},  // final Nun
    {240, 144, 'Q', 'q', 'B', 'b'},  // Nun
    {241, 145, 'R', 'r', 'X', 'x'},  // Samekh
    {242, 146, 'S', 's', 'G', 'g'},  // Ayin
    {243, 147, 'T', 't', ';', ';'},  // final Peh
    {244, 148, 'U', 'u', 'P', 'p'},  // Peh
    {245, 149, 'V', 'v', '.', '.'},  // final Tsadi
    {246, 150, 'W', 'w', 'M', 'm'},  // Tsadi
    {247, 151, 'X', 'x', 'E', 'e'},  // Qof
    {248, 152, 'Y', 'y', 'R', 'r'},  // Resh
    {249, 153, 'Z', 'z', 'A', 'a'},  // Shin
    {250, 154, '[', '{', ',', ','},  // Tav
}};

// Sets 2 and 3 write Tav as 91 and 123 but do not read those bytes back.
bool Reads_back(int set, int letter) { return !(letter == tav && (set == cs_upper || set == cs_lower)); }

TEST(ConvertLetter, EveryLetterBetweenEveryPairOfSets) {
  const TOptQwerty q = Default_qwerty();
  for (int source = 0; source < set_count; ++source) {
    for (int dest = 0; dest < set_count; ++dest) {
      for (int letter = 0; letter < letter_count; ++letter) {
        if (!Reads_back(source, letter)) continue;
        SCOPED_TRACE("set " + std::to_string(source) + " -> " + std::to_string(dest) + ", letter " +
                     std::to_string(letter));
        EXPECT_EQ(Convert_letter(letter_bytes[letter][source], source, dest, q), letter_bytes[letter][dest]);
      }
    }
  }
}

TEST(ConvertLetter, LettersRoundTripBetweenTheCodePagesAndTheOtherSets) {
  const TOptQwerty q = Default_qwerty();
  for (const int code_page : {cs_windows, cs_dos}) {
    for (int other = cs_upper; other < set_count; ++other) {
      for (int letter = 0; letter < letter_count; ++letter) {
        SCOPED_TRACE("set " + std::to_string(code_page) + " <-> " + std::to_string(other) + ", letter " +
                     std::to_string(letter));
        const Unit original = letter_bytes[letter][code_page];
        const Unit there = Convert_letter(original, code_page, other, q);
        const Unit back = Convert_letter(there, other, code_page, q);
        if (Reads_back(other, letter)) {
          EXPECT_EQ(back, original);
        } else {
          EXPECT_EQ(back, there) << "Tav's stand-in is not read back as Tav";
        }
      }
    }
  }
}

struct Translation_case {
  int source;
  int dest;
  Unit in;
  Unit out;
};

TEST(ConvertLetter, DocumentedTranslationsWithDefaultFlags) {
  const Translation_case cases[] = {
      {cs_windows, cs_dos, 224, 128},
      {cs_windows, cs_dos, 250, 154},
      {cs_windows, cs_dos, 251, 133},  // the extra Vav byte
      {cs_windows, cs_dos, 'A', 'A'},
      {cs_windows, cs_dos, 223, 223},
      {cs_dos, cs_windows, 155, 155},
      {cs_dos, cs_windows, 127, 127},
      {cs_dos, cs_windows, 251, 251},
      {cs_lower, cs_windows, 'a', 224},
      {cs_lower, cs_windows, '&', 224},
      {cs_lower, cs_windows, 'A', 'A'},
      {cs_windows, cs_lower, 224, '&'},
      {cs_windows, cs_lower, 225, 'b'},
      {cs_windows, cs_upper, 250, '['},
      {cs_upper, cs_windows, '[', '['},
      {cs_upper, cs_windows, 'a', 'a'},
      {cs_lower, cs_windows, '{', '{'},
      {cs_lower, cs_qwerty_upper, '{', '{'},
      {cs_upper, cs_lower, 'A', '&'},
      // Shin Lamed Vav final Mem
      {cs_windows, cs_qwerty_upper, 249, 'A'},
      {cs_windows, cs_qwerty_upper, 236, 'K'},
      {cs_windows, cs_qwerty_upper, 229, 'U'},
      {cs_windows, cs_qwerty_upper, 237, 'O'},
      {cs_windows, cs_qwerty_lower, 249, 'a'},
      {cs_windows, cs_qwerty_lower, 236, 'k'},
      {cs_windows, cs_qwerty_lower, 229, 'u'},
      {cs_windows, cs_qwerty_lower, 237, 'o'},
      {cs_windows, cs_qwerty_upper, 243, ';'},
      // Reading a Qwerty set
      {cs_qwerty_upper, cs_windows, 'T', 224},
      {cs_qwerty_upper, cs_windows, 'Q', '/'},
      {cs_qwerty_upper, cs_windows, 'W', '\''},
      {cs_qwerty_upper, cs_windows, ',', 250},
      {cs_qwerty_upper, cs_windows, '.', 245},
      {cs_qwerty_upper, cs_windows, ';', 243},
      {cs_qwerty_upper, cs_windows, '~', 243},
      {cs_qwerty_upper, cs_windows, '/', '.'},
      {cs_qwerty_upper, cs_windows, '\'', ','},
      {cs_qwerty_upper, cs_windows, '`', ';'},
      {cs_qwerty_upper, cs_windows, 't', 't'},  // English text in set 4
      {cs_qwerty_lower, cs_windows, 't', 224},
      {cs_qwerty_lower, cs_windows, 'q', '/'},
      {cs_qwerty_lower, cs_windows, 'w', '\''},
      {cs_qwerty_lower, cs_windows, 'T', 'T'},
      {cs_qwerty_lower, cs_windows, '~', 243},
      // Writing a Qwerty set: punctuation that stands for keys
      {cs_windows, cs_qwerty_upper, ',', '\''},
      {cs_windows, cs_qwerty_upper, '.', '/'},
      {cs_windows, cs_qwerty_upper, ';', '`'},
      {cs_windows, cs_qwerty_upper, '/', 'Q'},
      {cs_windows, cs_qwerty_lower, '/', 'q'},
      {cs_windows, cs_qwerty_upper, '\'', 'W'},
      {cs_windows, cs_qwerty_lower, '\'', 'w'},
      {cs_windows, cs_qwerty_upper, '`', '`'},
      {cs_windows, cs_qwerty_upper, 'a', 'a'},
      {cs_windows, cs_qwerty_lower, 'A', 'A'},
      // Qwerty to Qwerty: the two steps compose
      {cs_qwerty_upper, cs_qwerty_lower, 'Q', 'q'},
      {cs_qwerty_upper, cs_qwerty_lower, 'W', 'w'},
      {cs_qwerty_upper, cs_qwerty_lower, '/', '/'},
      {cs_qwerty_upper, cs_qwerty_lower, 'T', 't'},
      {cs_qwerty_upper, cs_qwerty_lower, 't', 't'},
      {cs_qwerty_upper, cs_qwerty_lower, '~', ';'},
      {cs_qwerty_lower, cs_qwerty_upper, 'q', 'Q'},
      {cs_qwerty_lower, cs_qwerty_upper, 'T', 'T'},
      // Digits, controls and the space are never letters
      {cs_windows, cs_qwerty_upper, '7', '7'},
      {cs_qwerty_upper, cs_upper, ' ', ' '},
      {cs_windows, cs_dos, 0, 0},
  };
  const TOptQwerty q = Default_qwerty();
  for (const auto& c : cases) {
    SCOPED_TRACE("set " + std::to_string(c.source) + " -> " + std::to_string(c.dest) + ", " + Byte_name(c.in));
    EXPECT_EQ(Convert_letter(c.in, c.source, c.dest, q), c.out);
  }
}

struct Flag_case {
  bool TOptQwerty::*flag;
  const char* flag_name;
  int source;
  int dest;
  Unit in;
  Unit out_when_set;
  Unit out_when_clear;
};

#define FLAG(name) &TOptQwerty::name, #name

TEST(ConvertLetter, EachQwertyFlagSetAndCleared) {
  const Flag_case cases[] = {
      // Reading a Qwerty source
      {FLAG(map_grave_to_semicolon), cs_qwerty_upper, cs_windows, '`', ';', '`'},
      {FLAG(map_q_to_slash), cs_qwerty_upper, cs_windows, 'Q', '/', 'Q'},
      {FLAG(map_q_to_slash), cs_qwerty_lower, cs_windows, 'q', '/', 'q'},
      {FLAG(map_w_to_apostrophe), cs_qwerty_upper, cs_windows, 'W', '\'', 'W'},
      {FLAG(map_w_to_apostrophe), cs_qwerty_lower, cs_windows, 'w', '\'', 'w'},
      {FLAG(map_semicolon_to_final_peh), cs_qwerty_upper, cs_windows, ';', 243, ';'},
      {FLAG(map_semicolon_to_final_peh), cs_qwerty_lower, cs_windows, '~', 243, 243},  // the tilde has its own
      {FLAG(map_tilde_to_final_peh), cs_qwerty_lower, cs_windows, '~', 243, '~'},
      {FLAG(map_tilde_to_final_peh), cs_qwerty_upper, cs_windows, '~', 243, '~'},
      {FLAG(map_apostrophe_to_comma), cs_qwerty_upper, cs_windows, '\'', ',', '\''},
      {FLAG(map_comma_to_tav), cs_qwerty_upper, cs_windows, ',', 250, ','},
      {FLAG(map_period_to_final_tsadi), cs_qwerty_lower, cs_windows, '.', 245, '.'},
      {FLAG(map_slash_to_period), cs_qwerty_upper, cs_windows, '/', '.', '/'},
      // Writing a Qwerty destination
      {FLAG(map_back_semicolon_to_grave), cs_windows, cs_qwerty_upper, ';', '`', ';'},
      {FLAG(map_back_slash_to_q), cs_windows, cs_qwerty_upper, '/', 'Q', '/'},
      {FLAG(map_back_slash_to_q), cs_windows, cs_qwerty_lower, '/', 'q', '/'},
      {FLAG(map_back_apostrophe_to_w), cs_windows, cs_qwerty_upper, '\'', 'W', '\''},
      {FLAG(map_back_apostrophe_to_w), cs_windows, cs_qwerty_lower, '\'', 'w', '\''},
      {FLAG(map_back_final_peh), cs_windows, cs_qwerty_upper, 243, ';', 243},
      {FLAG(map_back_final_peh), cs_dos, cs_qwerty_lower, 147, ';', 147},
      {FLAG(final_peh_mapped_to_tilde), cs_windows, cs_qwerty_upper, 243, '~', ';'},
      {FLAG(map_back_comma_to_apostrophe), cs_windows, cs_qwerty_upper, ',', '\'', ','},
      {FLAG(map_back_tav_to_comma), cs_windows, cs_qwerty_lower, 250, ',', 250},
      {FLAG(map_back_final_tsadi_to_period), cs_windows, cs_qwerty_upper, 245, '.', 245},
      {FLAG(map_back_period_to_slash), cs_windows, cs_qwerty_upper, '.', '/', '.'},
      // From one Qwerty set to the other, both sides act
      {FLAG(map_q_to_slash), cs_qwerty_upper, cs_qwerty_lower, 'Q', 'q', 'Q'},
      {FLAG(map_back_slash_to_q), cs_qwerty_upper, cs_qwerty_lower, 'Q', 'q', '/'},
      {FLAG(map_slash_to_period), cs_qwerty_upper, cs_qwerty_lower, '/', '/', 'q'},
      {FLAG(map_back_period_to_slash), cs_qwerty_upper, cs_qwerty_lower, '/', '/', '.'},
      {FLAG(map_comma_to_tav), cs_qwerty_lower, cs_qwerty_upper, ',', ',', '\''},
      {FLAG(map_back_final_peh), cs_qwerty_upper, cs_qwerty_lower, '~', ';', '~'},
      // Flags of the other side, or of a set that is not Qwerty, do nothing
      {FLAG(map_back_semicolon_to_grave), cs_windows, cs_dos, ';', ';', ';'},
      {FLAG(map_back_tav_to_comma), cs_windows, cs_upper, 250, '[', '['},
      {FLAG(map_comma_to_tav), cs_windows, cs_dos, ',', ',', ','},
      {FLAG(map_q_to_slash), cs_windows, cs_qwerty_upper, 'Q', 'Q', 'Q'},
      {FLAG(map_back_slash_to_q), cs_qwerty_upper, cs_windows, 'Q', '/', '/'},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.flag_name) + ", set " + std::to_string(c.source) + " -> " + std::to_string(c.dest) +
                 ", " + Byte_name(c.in));
    TOptQwerty q = Default_qwerty();
    q.*c.flag = true;
    EXPECT_EQ(Convert_letter(c.in, c.source, c.dest, q), c.out_when_set) << "flag set";
    q.*c.flag = false;
    EXPECT_EQ(Convert_letter(c.in, c.source, c.dest, q), c.out_when_clear) << "flag cleared";
  }
}

#undef FLAG

TEST(ConvertLetter, WithEveryQwertyFlagClearedOnlyKeysTranslate) {
  const TOptQwerty none{};
  for (Unit b = 0; b <= last_byte_unit; ++b) {
    SCOPED_TRACE(Byte_name(b));
    const bool key = b >= 'A' && b <= 'Z' && b != 'Q' && b != 'W';
    const Unit from_upper = Convert_letter(b, cs_qwerty_upper, cs_windows, none);
    if (key) {
      EXPECT_GE(from_upper, 224U);
      EXPECT_LE(from_upper, 250U);
    } else {
      EXPECT_EQ(from_upper, b);
    }
    // Letters of set 0 that sit on punctuation keys stay as they were.
    const Unit to_lower = Convert_letter(b, cs_windows, cs_qwerty_lower, none);
    if (b >= 224 && b <= 251 && b != 243 && b != 245 && b != 250) {
      EXPECT_TRUE(to_lower >= 'a' && to_lower <= 'z') << Byte_name(to_lower);
    } else {
      EXPECT_EQ(to_lower, b);
    }
  }
}

TEST(ConvertLetter, UnitsAboveTheBytesPassThrough) {
  const TOptQwerty q = Default_qwerty();
  const Unit units[] = {256, 256 + 'A', 256 + 224, 0x05D0, 0x110000 + 0xE0, 0x1F600};
  for (int source = 0; source < set_count; ++source) {
    for (int dest = 0; dest < set_count; ++dest) {
      const Letter_table table(source, dest, q);
      for (const Unit u : units) {
        EXPECT_EQ(Convert_letter(u, source, dest, q), u) << source << " -> " << dest << ", " << Byte_name(u);
        EXPECT_EQ(table(u), u) << source << " -> " << dest << ", " << Byte_name(u);
      }
    }
  }
}

TEST(LetterTable, AgreesWithConvertLetterForEveryByte) {
  TOptQwerty tilde = Default_qwerty();
  tilde.final_peh_mapped_to_tilde = true;
  const TOptQwerty flag_sets[] = {Default_qwerty(), TOptQwerty{}, tilde};
  for (const TOptQwerty& q : flag_sets) {
    for (int source = 0; source < set_count; ++source) {
      for (int dest = 0; dest < set_count; ++dest) {
        const Letter_table table(source, dest, q);
        for (Unit b = 0; b <= last_byte_unit; ++b) {
          const Unit direct = Convert_letter(b, source, dest, q);
          ASSERT_EQ(table(b), direct == 0 ? ' ' : direct) << source << " -> " << dest << ", " << Byte_name(b);
        }
      }
    }
  }
}

TEST(LetterTable, OnlyTheZeroByteBecomesASpace) {
  const TOptQwerty q = Default_qwerty();
  for (int source = 0; source < set_count; ++source) {
    for (int dest = 0; dest < set_count; ++dest) {
      const Letter_table table(source, dest, q);
      EXPECT_EQ(table(0), Unit{' '}) << source << " -> " << dest;
      for (Unit b = 1; b <= last_byte_unit; ++b) {
        EXPECT_NE(Convert_letter(b, source, dest, q), 0U) << source << " -> " << dest << ", " << Byte_name(b);
      }
    }
  }
}

TEST(CharSetName, ShortNames) {
  const struct {
    int set;
    std::string name;
  } cases[] = {
      {0, "Windows"}, {1, "DOS"},   {2, "Upper"}, {3, "Lower"}, {4, "Qwerty (U)"},
      {5, "Qwerty (L)"}, {6, "None"}, {-1, "None"}, {255, "None"},
  };
  for (const auto& c : cases) EXPECT_EQ(Char_set_name(c.set), c.name) << c.set;
}

struct Kind_case {
  int set;
  int kind;
  Unit ch;
  bool expected;
};

TEST(IsOfKind, RangeEndsOfEverySet) {
  const Kind_case cases[] = {
      {cs_windows, kind_hebrew_letter, 223, false},
      {cs_windows, kind_hebrew_letter, 224, true},
      {cs_windows, kind_hebrew_letter, 251, true},
      {cs_windows, kind_hebrew_letter, 252, false},
      {cs_windows, kind_hebrew_letter, 'A', false},
      {cs_windows, kind_english_letter, '@', false},
      {cs_windows, kind_english_letter, 'A', true},
      {cs_windows, kind_english_letter, 'Z', true},
      {cs_windows, kind_english_letter, '[', false},
      {cs_windows, kind_english_letter, '`', false},
      {cs_windows, kind_english_letter, 'a', true},
      {cs_windows, kind_english_letter, 'z', true},
      {cs_windows, kind_english_letter, '{', false},
      {cs_windows, kind_english_letter, 224, false},
      {cs_dos, kind_hebrew_letter, 127, false},
      {cs_dos, kind_hebrew_letter, 128, true},
      {cs_dos, kind_hebrew_letter, 154, true},
      {cs_dos, kind_hebrew_letter, 155, false},
      {cs_dos, kind_hebrew_letter, 224, false},
      {cs_dos, kind_english_letter, 'q', true},
      {cs_upper, kind_english_letter, 'a', true},
      {cs_upper, kind_english_letter, 'A', false},
      {cs_upper, kind_hebrew_letter, '@', false},
      {cs_upper, kind_hebrew_letter, 'A', true},
      {cs_upper, kind_hebrew_letter, 'Z', true},
      {cs_upper, kind_hebrew_letter, '[', false},  // Tav's stand-in
      {cs_upper, kind_hebrew_letter, 224, false},
      {cs_lower, kind_english_letter, 'A', true},
      {cs_lower, kind_english_letter, 'a', false},
      {cs_lower, kind_hebrew_letter, 'a', true},
      {cs_lower, kind_hebrew_letter, 'z', true},
      {cs_lower, kind_hebrew_letter, '`', false},
      {cs_lower, kind_hebrew_letter, '{', false},
      {cs_lower, kind_hebrew_letter, '&', false},
      {cs_qwerty_upper, kind_english_letter, 'q', true},
      {cs_qwerty_upper, kind_hebrew_letter, 'Q', true},
      {cs_qwerty_upper, kind_hebrew_letter, ';', false},
      {cs_qwerty_upper, kind_hebrew_letter, ',', false},
      {cs_qwerty_upper, kind_hebrew_letter, '.', false},
      {cs_qwerty_upper, kind_hebrew_letter, '~', false},
      {cs_qwerty_lower, kind_english_letter, 'Q', true},
      {cs_qwerty_lower, kind_english_letter, 'q', false},
      {cs_qwerty_lower, kind_hebrew_letter, 'q', true},
      {cs_qwerty_lower, kind_hebrew_letter, ';', false},
      {cs_windows, kind_english_letter, ' ', false},
      {cs_windows, kind_english_phrase, ' ', true},
      {cs_windows, kind_english_phrase, 'k', true},
      {cs_windows, kind_english_phrase, 224, false},
      {cs_windows, kind_english_phrase, '\t', false},
      {cs_windows, kind_hebrew_letter, ' ', false},
      {cs_windows, kind_hebrew_phrase, ' ', true},
      {cs_windows, kind_hebrew_phrase, 230, true},
      {cs_windows, kind_hebrew_phrase, 'k', false},
      {cs_lower, kind_hebrew_phrase, 'k', true},
      {cs_lower, kind_english_phrase, 'K', true},
      {cs_windows, kind_digit, '/', false},
      {cs_windows, kind_digit, '0', true},
      {cs_windows, kind_digit, '9', true},
      {cs_windows, kind_digit, ':', false},
      {cs_qwerty_lower, kind_digit, '5', true},
      // The default separators: hyphen, period and slash
      {cs_windows, kind_expression, '5', true},
      {cs_windows, kind_expression, '-', true},
      {cs_windows, kind_expression, '.', true},
      {cs_windows, kind_expression, '/', true},
      {cs_windows, kind_expression, ',', false},
      {cs_windows, kind_expression, ':', false},
      {cs_windows, kind_expression, '+', false},
      {cs_windows, kind_expression, ' ', false},
      {cs_windows, kind_expression, 'a', false},
      // Kinds that do not exist
      {cs_windows, 0, 'a', false},
      {cs_windows, 0, ' ', false},
      {cs_windows, 7, '5', false},
      {cs_windows, -1, 224, false},
  };
  const TOptConversion conversion = Default_conversion();
  for (const auto& c : cases) {
    EXPECT_EQ(Is_of_kind(c.ch, c.kind, c.set, conversion), c.expected)
        << "set " << c.set << ", kind " << c.kind << ", " << Byte_name(c.ch);
  }
}

TEST(IsOfKind, NumberOfMembersOfEachKindInEachSet) {
  // Kinds 1..6: English letter, English phrase, Hebrew letter, Hebrew phrase,
  // digit, expression (default separators).
  const std::array<std::array<int, 6>, set_count> counts = {{
      {52, 53, 28, 29, 10, 13},
      {52, 53, 27, 28, 10, 13},
      {26, 27, 26, 27, 10, 13},
      {26, 27, 26, 27, 10, 13},
      {26, 27, 26, 27, 10, 13},
      {26, 27, 26, 27, 10, 13},
  }};
  const TOptConversion conversion = Default_conversion();
  for (int set = 0; set < set_count; ++set) {
    for (int kind = 1; kind <= 6; ++kind) {
      int members = 0;
      for (Unit b = 0; b <= last_byte_unit; ++b) members += Is_of_kind(b, kind, set, conversion) ? 1 : 0;
      EXPECT_EQ(members, counts[set][kind - 1]) << "set " << set << ", kind " << kind;
    }
  }
}

TEST(IsOfKind, EachNumberSeparatorFollowsItsFlag) {
  const struct {
    bool TOptConversion::*flag;
    Unit ch;
  } separators[] = {
      {&TOptConversion::number_separator_hyphen, '-'},     {&TOptConversion::number_separator_period, '.'},
      {&TOptConversion::number_separator_comma, ','},      {&TOptConversion::number_separator_slash, '/'},
      {&TOptConversion::number_separator_colon, ':'},      {&TOptConversion::number_separator_plus_sign, '+'},
      {&TOptConversion::number_separator_space, ' '},
  };
  for (const auto& s : separators) {
    TOptConversion conversion{};
    EXPECT_FALSE(Is_of_kind(s.ch, kind_expression, cs_windows, conversion)) << Byte_name(s.ch);
    conversion.*s.flag = true;
    EXPECT_TRUE(Is_of_kind(s.ch, kind_expression, cs_windows, conversion)) << Byte_name(s.ch);
    EXPECT_FALSE(Is_of_kind(s.ch, kind_digit, cs_windows, conversion)) << Byte_name(s.ch);
    int members = 0;
    for (Unit b = 0; b <= last_byte_unit; ++b) members += Is_of_kind(b, kind_expression, cs_windows, conversion);
    EXPECT_EQ(members, 11) << "only " << Byte_name(s.ch) << " joins the digits";
  }
}

TEST(IsOfKind, JudgesBySourceSetOfTheSettings) {
  auto settings = test::Default_settings();
  settings->source_props->source_char_set = cs_upper;
  settings->dest_props->destination_char_set = cs_windows;
  EXPECT_TRUE(Is_of_kind('a', kind_english_letter, *settings));
  EXPECT_TRUE(Is_of_kind('A', kind_hebrew_letter, *settings));
  EXPECT_FALSE(Is_of_kind(224, kind_hebrew_letter, *settings));

  settings->source_props->source_char_set = cs_windows;
  settings->dest_props->destination_char_set = cs_upper;
  EXPECT_TRUE(Is_of_kind('a', kind_english_letter, *settings));
  EXPECT_TRUE(Is_of_kind('A', kind_english_letter, *settings));
  EXPECT_TRUE(Is_of_kind(224, kind_hebrew_letter, *settings));

  settings->conversion->number_separator_colon = true;
  EXPECT_TRUE(Is_of_kind(':', kind_expression, *settings));
}

TEST(KindTable, AgreesWithIsOfKindForEveryByte) {
  TOptConversion all_separators{};
  all_separators.number_separator_hyphen = all_separators.number_separator_period =
      all_separators.number_separator_slash = all_separators.number_separator_comma =
          all_separators.number_separator_plus_sign = all_separators.number_separator_colon =
              all_separators.number_separator_space = true;
  const TOptConversion conversions[] = {Default_conversion(), TOptConversion{}, all_separators};
  for (const TOptConversion& conversion : conversions) {
    for (int set = 0; set < set_count; ++set) {
      const Kind_table table(set, conversion);
      for (Unit b = 0; b <= last_byte_unit; ++b) {
        for (int kind = 0; kind <= 7; ++kind) {
          ASSERT_EQ(table.Is(b, kind), Is_of_kind(b, kind, set, conversion))
              << "set " << set << ", kind " << kind << ", " << Byte_name(b);
        }
      }
    }
  }
}

TEST(KindTable, UnitsAboveTheBytesAreOfNoKind) {
  TOptConversion conversion = Default_conversion();
  conversion.number_separator_space = true;
  const Unit units[] = {256, 256 + ' ', 256 + '5', 256 + 'a', 256 + 224, 0x05D0, 0x110000 + ' ', 0x1F600};
  for (int set = 0; set < set_count; ++set) {
    const Kind_table table(set, conversion);
    for (const Unit u : units) {
      for (int kind = 1; kind <= 6; ++kind) {
        EXPECT_FALSE(Is_of_kind(u, kind, set, conversion)) << "set " << set << ", kind " << kind << ", " << Byte_name(u);
        EXPECT_FALSE(table.Is(u, kind)) << "set " << set << ", kind " << kind << ", " << Byte_name(u);
      }
    }
  }
}

}  // namespace
}  // namespace quorvandel
