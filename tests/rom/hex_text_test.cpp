#include "rom/hex_text.h"

#include <gtest/gtest.h>

#include <string>

#include "rom/describe.h"

namespace tivok {
namespace {

TEST(HexText, WritesUpperCaseWithoutLeadingZeros) {
  EXPECT_EQ(UpperHex(0), "0");
  EXPECT_EQ(UpperHex(5), "5");
  EXPECT_EQ(UpperHex(0x1F), "1F");
  EXPECT_EQ(UpperHex(0x2476C), "2476C");
  EXPECT_EQ(UpperHex(0xFFFFFFFF), "FFFFFFFF");
}

TEST(HexText, ShowsOffsetsInHex) {
  EXPECT_EQ(OffsetText(0x2478C), "offset 0x2478C");
  EXPECT_EQ(OffsetText(0), "offset 0x0");
  EXPECT_EQ(OffsetText(-1), "offset -0x1");
}

TEST(HexText, ParsesOnlyWholeHexNumbersThatFit) {
  EXPECT_EQ(ParseHex("2476C"), 0x2476C);
  EXPECT_EQ(ParseHex("2476c"), 0x2476C);
  EXPECT_EQ(ParseHex("7FFFFFFF"), 0x7FFFFFFF);
  EXPECT_FALSE(ParseHex(""));
  EXPECT_FALSE(ParseHex("80000000"));  // past a 32-bit signed integer
  EXPECT_FALSE(ParseHex("-1"));
  EXPECT_FALSE(ParseHex("24 76C"));
  EXPECT_FALSE(ParseHex("2476G"));
}

TEST(Describe, EscapesWhatATerminalWouldObey) {
  EXPECT_EQ(Escaped("a\\b\x1B[31m\n\t\x7F"), "a\\b\\x1B[31m\\n\\t\\x7F");
  EXPECT_EQ(Escaped("caf\xC3\xA9 \xE2\x82\xAC"), "caf\xC3\xA9 \xE2\x82\xAC");
  // Emoji, Devanagari and Thai: four-byte sequences, and three-byte ones
  // whose continuation bytes use all six bits.
  const std::string world =
      "\U0001F600 \u0928\u092E\u0938\u094D\u0924\u0947 \u0E44\u0E17\u0E22";
  EXPECT_EQ(Escaped(world), world);
  EXPECT_EQ(Escaped("\xC2\x9B"
                    "2J"),
            "\\u009B2J");
  EXPECT_EQ(Escaped("caf\xE9\xC3"), "caf\\xE9\\xC3");
  EXPECT_EQ(Escaped(std::string("a\0b", 3)), "a\\x00b");
  // Characters that reorder text: U+202A to U+202E and U+2066 to U+2069,
  // not their neighbours.
  EXPECT_EQ(Escaped("a\u202Ab\u202Ec\u2066d\u2069"),
            "a\\u202Ab\\u202Ec\\u2066d\\u2069");
  EXPECT_EQ(Escaped("\u2029\u202F\u2065\u206A"), "\u2029\u202F\u2065\u206A");
}

}  // namespace
}  // namespace tivok
