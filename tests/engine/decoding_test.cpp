// Reading entity digits, and decoding entity references and quoted-printable
// escapes within a line.
#include "engine/decoding.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace quorvandel {
namespace {

TEST(Hex_to_int, ReadsHexadecimalDigitsThatFit) {
  const struct {
    const char* digits;
    std::int32_t expected;
  } cases[] = {
      {"", 0},           {"e0", 224},       {"5D0", 1488}, {"7FFFFFFF", 0x7FFFFFFF}, {"00000000005EA", 1514},
      {"80000000", -1},  {"100000000", -1}, {"1G", -1},    {" 1", -1},               {"-1", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(Hex_to_int(T(c.digits)), c.expected) << c.digits;
  EXPECT_EQ(Hex_to_int(Text{256 + U'1', U'0'}), -1);
}

TEST(Entity_to_char, GivesTheLowByteOfTheNumberMinus1264) {
  const struct {
    const char* digits;
    bool hexadecimal;
    std::optional<Unit> expected;
  } cases[] = {
      {"05D0", true, 224},        {"5ea", true, 250},        {"41", true, 81},         {"", true, 16},
      {"7FFFFFFF", true, 15},     {"zz", true, std::nullopt}, {"80000000", true, std::nullopt},
      {"000000041", true, std::nullopt},
      {"1488", false, 224},       {"65", false, 81},         {"X05D0", false, 224},    {"x5d0", false, 224},
      {"0X5D0", false, 224},      {"$5D0", false, 224},      {"   +1488", false, 224}, {"-1", false, 15},
      {"-$10", false, 0},         {"-2147483648", false, 16},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << c.digits << (c.hexadecimal ? " hexadecimal" : " decimal"));
    EXPECT_EQ(Entity_to_char(T(c.digits), c.hexadecimal), c.expected);
  }
}

std::string Decimal_error(const Text& digits) {
  try {
    Entity_to_char(digits, false);
  } catch (const Conversion_error& error) {
    return error.what();
  }
  return "no error";
}

TEST(Entity_to_char, RefusesDecimalDigitsThatAreNoValidInteger) {
  for (const char* digits : {"", " ", "+", "$", "0x", "14 88", "1488 ", "1A", "- 1", "++1", "$80000000",
                             "2147483648", "-2147483649", "99999999999999999999"}) {
    std::string expected = "'";  // built piece by piece: GCC 12 warns wrongly on a + chain here
    expected.append(digits).append("' is not a valid integer value");
    EXPECT_EQ(Decimal_error(T(digits)), expected);
  }
  // The byte 224 is Alef in code page 1255; the unit 0x263A has no byte.
  EXPECT_EQ(Decimal_error(Text{U'1', 224, 0x263A}), "'1\xD7\x90\xE2\x98\xBA' is not a valid integer value");
}

TEST(Translate_entities, ReplacesEachReferenceByOneByte) {
  const struct {
    const char* line;
    const char* expected;
  } cases[] = {
      {"&#1513;&#1500;&#1493;&#1501;", "\xF9\xEC\xE5\xED"},
      {"&#x05E9;&#x05DC;&#x05D5;&#x05DD;", "\xF9\xEC\xE5\xED"},
      {"&#1513;&#x05DC;&#1493;&#X05DD;", "\xF9\xEC\xE5\xED"},
      {"&&#1488;", "&\xE0"},
      {"ab&#1488;", "ab\xE0"},
      {"ab&#65;", "ab&#65;"},
      {"ab&#65;c", "abQc"},
      {"&#1488;&#65;", "\xE0&#65;"},
      {"&#x5D0;&#1488 x", "\xE0&#1488 x"},
      {"&#x;ab", "\x10" "ab"},
      {"&#xZZ;abc", "&#xZZ;abc"},
      {"&#xZZ&#1488;", "&#xZZ\xE0"},
      {"&#x123456789;", "&#x123456789;"},
      {"&#x80000000;", "&#x80000000;"},
      {"&#x00000041;x", "Qx"},
  };
  for (const auto& c : cases) {
    Text line = T(c.line);
    Translate_entities(line);
    EXPECT_EQ(Bytes_from_text(line), c.expected) << c.line;
  }
  Text line = {0x5D0, U'&', U'#', U'1', U'4', U'8', U'8', U';', 0x5D1};
  Translate_entities(line);
  EXPECT_EQ(line, (Text{0x5D0, 224, 0x5D1}));
}

TEST(Translate_entities, StopsOnADecimalReferenceThatIsNoInteger) {
  Text line = T("&#1488;&#1488 then;&#1489;");
  EXPECT_THROW(Translate_entities(line), Conversion_error);
  // What was decoded before the faulty reference stays decoded.
  EXPECT_EQ(Bytes_from_text(line), "\xE0&#1488 then;&#1489;");
}

TEST(Translate_quoted_printable, ReplacesEachEscapeByOneByte) {
  const struct {
    const char* line;
    const char* expected;
  } cases[] = {
      {"=E0=E9", "\xE0\xE9"}, {"a=e0b", "a\xE0" "b"}, {"a=E", "a=E"},     {"ab=", "ab="},
      {"=E0=E", "\xE0=E"},    {"==E0", "=\xE0"},      {"=3D41", "=41"},    {"=G0=E0", "=G0\xE0"},
  };
  for (const auto& c : cases) {
    Text line = T(c.line);
    Translate_quoted_printable(line);
    EXPECT_EQ(Bytes_from_text(line), c.expected) << c.line;
  }
  Text line = {U'=', 256 + U'E', U'0', U'=', U'E', U'9'};
  Translate_quoted_printable(line);
  EXPECT_EQ(line, (Text{U'=', 256 + U'E', U'0', 233}));
}

}  // namespace
}  // namespace quorvandel
