// The engine's text: bytes and units, and the mapping between units,
// Unicode and UTF-8 through code page 1255.
#include "engine/text.h"

#include <gtest/gtest.h>

#include <string>

#include "engine/cp1255.h"

namespace quorvandel {
namespace {

std::string All_bytes() {
  std::string bytes;
  for (int b = 0; b <= 255; ++b) bytes.push_back(static_cast<char>(b));
  return bytes;
}

TEST(Text, BytesBecomeUnitsWithoutSignExtension) {
  const std::string bytes = All_bytes();
  const Text text = Text_from_bytes(bytes);
  ASSERT_EQ(text.size(), 256U);
  for (Unit b = 0; b <= 255; ++b) EXPECT_EQ(text[b], b);
  EXPECT_EQ(Bytes_from_text(text), bytes);
  EXPECT_FALSE(First_non_byte(text).has_value());
}

TEST(Text, AppendingKeepsWhatWasThere) {
  Text text = T("ab");
  Append_bytes(text, "\xE0\xFF");
  EXPECT_EQ(text, (Text{'a', 'b', 224, 255}));

  std::string bytes = "x";
  Append_as_bytes(bytes, Text{224, 'y'});
  EXPECT_EQ(bytes, "x\xE0y");
}

TEST(Text, UnitsThatAreNotBytes) {
  const struct {
    Text text;
    std::optional<std::size_t> first;
    std::string bytes;
  } cases[] = {
      {Text{}, std::nullopt, ""},
      {Text{'a', 255}, std::nullopt, "a\xFF"},
      {Text{256}, 0, "?"},
      {Text{'a', 'b', 0x05D0, 'c', 0x1F600}, 2, "ab?c?"},
      {Text{224, escaped_latin1_base + 0xE0}, 1, "\xE0?"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(First_non_byte(c.text), c.first) << c.bytes;
    EXPECT_EQ(Bytes_from_text(c.text), c.bytes);
  }
}

TEST(Cp1255, EveryByteRoundTripsThroughUnicode) {
  std::u32string images;
  for (Unit b = 0; b <= 255; ++b) {
    const char32_t c = Unicode_from_unit(b);
    EXPECT_EQ(Unit_from_unicode(c), b) << "byte " << static_cast<unsigned>(b) << " -> U+" << std::hex << static_cast<unsigned>(c);
    EXPECT_EQ(images.find(c), std::u32string::npos) << "two bytes map to U+" << std::hex << static_cast<unsigned>(c);
    images.push_back(c);
  }
}

TEST(Cp1255, CharactersOfKnownBytes) {
  const struct {
    Unit byte;
    char32_t unicode;
  } cases[] = {
      {0, 0x0000},    {'A', 0x0041},  {127, 0x007F},  {128, 0x20AC},  {130, 0x201A},
      {164, 0x20AA},  {160, 0x00A0},  {170, 0x00D7},  {186, 0x00F7},  {192, 0x05B0},
      {212, 0x05F0},  {216, 0x05F4},  {224, 0x05D0},  {250, 0x05EA},  {253, 0x200E},
      {254, 0x200F},
      // Bytes the code page leaves undefined
      {129, 0xF781},  {138, 0xF78A},  {140, 0xF78C},  {144, 0xF790},  {154, 0xF79A},
      {159, 0xF79F},  {202, 0xF7CA},  {217, 0xF7D9},  {223, 0xF7DF},  {251, 0xF7FB},
      {252, 0xF7FC},  {255, 0xF7FF},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(static_cast<unsigned>(Unicode_from_unit(c.byte)), static_cast<unsigned>(c.unicode)) << "byte " << static_cast<unsigned>(c.byte);
  }
}

TEST(Cp1255, CharactersOutsideTheCodePageRoundTrip) {
  const struct {
    char32_t unicode;
    Unit unit;
  } cases[] = {
      {0x00C0, escaped_latin1_base + 0xC0},  // Latin-1 letter without a byte
      {0x0080, escaped_latin1_base + 0x80},
      {0x00AA, escaped_latin1_base + 0xAA},  // byte 170 is the multiplication sign
      {0x00FF, escaped_latin1_base + 0xFF},
      {0x00D7, 170},                         // the multiplication sign has a byte
      {0x00A0, 160},
      {0x0100, 0x0100},
      {0x0430, 0x0430},
      {0x05BA, 0x05BA},
      {0xF700, 0xF700},  // private use, not the image of a byte
      {0xF7E0, 0xF7E0},
      {0xFFFD, 0xFFFD},
      {0x1F600, 0x1F600},
      {0x10FFFF, 0x10FFFF},
  };
  for (const auto& c : cases) {
    const Unit unit = Unit_from_unicode(c.unicode);
    EXPECT_EQ(unit, c.unit) << "U+" << std::hex << static_cast<unsigned>(c.unicode);
    EXPECT_EQ(Unicode_from_unit(unit), c.unicode) << "U+" << std::hex << static_cast<unsigned>(c.unicode);
  }
}

TEST(Utf8, EveryByteRoundTrips) {
  const Text bytes = Text_from_bytes(All_bytes());
  const std::string utf8 = Utf8_from_text(bytes);
  Text back;
  EXPECT_FALSE(Append_text_from_utf8(back, utf8).has_value());
  EXPECT_EQ(back, bytes);
}

TEST(Utf8, EncodingsOfSingleUnits) {
  const struct {
    Unit unit;
    std::string utf8;
  } cases[] = {
      {'A', "A"},
      {0, std::string(1, '\0')},
      {224, "\xD7\x90"},
      {128, "\xE2\x82\xAC"},
      {160, "\xC2\xA0"},
      {129, "\xEF\x9E\x81"},  // undefined byte, U+F781
      {escaped_latin1_base + 0xC0, "\xC3\x80"},
      {0x0430, "\xD0\xB0"},
      {0x1F600, "\xF0\x9F\x98\x80"},
      {0x10FFFF, "\xF4\x8F\xBF\xBF"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8_from_text(Text(1, c.unit)), c.utf8) << static_cast<unsigned>(c.unit);
    Text back;
    EXPECT_FALSE(Append_text_from_utf8(back, c.utf8).has_value()) << static_cast<unsigned>(c.unit);
    EXPECT_EQ(back, Text(1, c.unit));
  }
}

TEST(Utf8, MixedTextRoundTripsBothWays) {
  const std::string utf8 = "a \xD7\xA9\xD7\x9C\xD7\x95\xD7\x9D \xC3\x80\xD0\xB0\xF0\x9F\x98\x80 \xE2\x82\xAA 5";
  Text text;
  ASSERT_FALSE(Append_text_from_utf8(text, utf8).has_value());
  EXPECT_EQ(text, (Text{'a', ' ', 249, 236, 229, 237, ' ', escaped_latin1_base + 0xC0, 0x0430, 0x1F600, ' ', 164, ' ',
                        '5'}));
  EXPECT_EQ(Utf8_from_text(text), utf8);

  std::string appended = "x";
  Append_utf8(appended, Text{224});
  EXPECT_EQ(appended, "x\xD7\x90");
}

TEST(Utf8, MalformedInputReportsTheOffsetOfTheBadSequence) {
  const struct {
    const char* what;
    std::string utf8;
    std::size_t offset;
    Text before;
  } cases[] = {
      {"overlong two bytes", "ab\xC0\x80", 2, T("ab")},
      {"overlong two bytes, C1", "\xC1\xBF", 0, Text{}},
      {"overlong three bytes", "x\xE0\x80\xAF", 1, T("x")},
      {"overlong three bytes, U+07FF", "\xE0\x9F\xBF", 0, Text{}},
      {"overlong four bytes", "\xF0\x8F\xBF\xBF", 0, Text{}},
      {"high surrogate", "a\xED\xA0\x80", 1, T("a")},
      {"low surrogate", "\xD7\x90\xED\xBF\xBF", 2, Text{224}},
      {"above U+10FFFF", "\xF4\x90\x80\x80", 0, Text{}},
      {"lead byte F5", "ok\xF5\x80\x80\x80", 2, T("ok")},
      {"lead byte FF", "\xFF", 0, Text{}},
      {"truncated at the end", "abc\xD7", 3, T("abc")},
      {"truncated three bytes", "\xE2\x82", 0, Text{}},
      {"truncated four bytes", "a\xF0\x9F\x98", 1, T("a")},
      {"truncated before ASCII", "\xD7" "A", 0, Text{}},
      {"truncated before a lead byte", "\xE2\x82\xD7\x90", 0, Text{}},
      {"lone continuation byte", "\x80", 0, Text{}},
      {"continuation after a character", "\xD7\x90\x80", 2, Text{224}},
  };
  for (const auto& c : cases) {
    Text out = T("z");
    EXPECT_EQ(Append_text_from_utf8(out, c.utf8), std::optional<std::size_t>(c.offset)) << c.what;
    EXPECT_EQ(out, T("z") + c.before) << c.what;
  }
}

TEST(Utf8, CharactersAtTheEdgesOfTheValidRanges) {
  const struct {
    std::string utf8;
    char32_t code_point;
  } cases[] = {
      {"\x7F", 0x7F},
      {"\xC2\x80", 0x80},
      {"\xDF\xBF", 0x7FF},
      {"\xE0\xA0\x80", 0x800},
      {"\xED\x9F\xBF", 0xD7FF},
      {"\xEE\x80\x80", 0xE000},
      {"\xEF\xBF\xBF", 0xFFFF},
      {"\xF0\x90\x80\x80", 0x10000},
      {"\xF4\x8F\xBF\xBF", 0x10FFFF},
  };
  for (const auto& c : cases) {
    Text out;
    EXPECT_FALSE(Append_text_from_utf8(out, c.utf8).has_value()) << std::hex << static_cast<unsigned>(c.code_point);
    EXPECT_EQ(out, Text(1, Unit_from_unicode(c.code_point)));
  }
}

}  // namespace
}  // namespace quorvandel
