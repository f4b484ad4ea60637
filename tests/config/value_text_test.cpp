#include "config/value_text.h"

#include <gtest/gtest.h>

#include "base/bad_thing.h"

namespace zarvel {
namespace {

std::string Normalized(std::string text) {
  NormalizeValue(text);
  return text;
}

TEST(NormalizeValue, TrimsBlanksAndTrailingWhiteSpaceAndLowersLetters) {
  EXPECT_EQ(Normalized("  New \t \r\n"), "new");
  EXPECT_EQ(Normalized("a b  c"), "a b  c");
  EXPECT_EQ(Normalized("\tTab"), "\ttab");  // Only blanks count as leading white space.
  EXPECT_EQ(Normalized("\xC9T\xE9"), "\xC9t\xE9");
  EXPECT_EQ(Normalized("   "), "");
}

TEST(TrimValue, KeepsLetterCase) {
  std::string home = "  /Home/User/Zarvel/ \n";
  TrimValue(home);
  EXPECT_EQ(home, "/Home/User/Zarvel/");
}

TEST(ReadFlag, IsTrueOnlyForValuesBeginningWithT) {
  EXPECT_TRUE(ReadFlag("true"));
  EXPECT_TRUE(ReadFlag("t"));
  EXPECT_FALSE(ReadFlag("yes"));
  EXPECT_FALSE(ReadFlag("1"));
  EXPECT_FALSE(ReadFlag(""));
}

TEST(ReadDecimal, ReadsAsTheStandardConversionDoes) {
  EXPECT_EQ(ReadDecimal("  42abc"), 42);
  EXPECT_EQ(ReadDecimal("-7"), -7);
  EXPECT_EQ(ReadDecimal("abc"), 0);
  EXPECT_EQ(ReadDecimal(""), 0);
  // Numbers past the 32-bit range stay out of every range instead of wrapping into one.
  EXPECT_EQ(ReadDecimal("99999999999"), INT32_MAX);
  EXPECT_EQ(ReadDecimal("-99999999999"), INT32_MIN);
}

TEST(ReadHexadecimal, AcceptsThePrefixAndRefusesTextWithoutDigits) {
  EXPECT_EQ(ReadHexadecimal("378"), 0x378u);
  EXPECT_EQ(ReadHexadecimal("0x378"), 0x378u);
  EXPECT_EQ(ReadHexadecimal(" 1fz"), 0x1Fu);
  EXPECT_FALSE(ReadHexadecimal("zzz"));
  EXPECT_FALSE(ReadHexadecimal(""));
}

std::string RangeMessage(int32_t value, int32_t lowest, int32_t highest, bool hexadecimal) {
  try {
    CheckRange(value, "TickFreq", lowest, highest, hexadecimal);
  } catch (const BadThing& error) {
    return error.what();
  }
  return "accepted";
}

TEST(CheckRange, AcceptsBothBoundsAndNamesTheItemBeyondThem) {
  EXPECT_EQ(RangeMessage(1, 1, 1000, false), "accepted");
  EXPECT_EQ(RangeMessage(1000, 1, 1000, false), "accepted");
  EXPECT_EQ(RangeMessage(0, 1, 1000, false),
            "\"TickFreq\" is out of range. Values should range from 1 to 1000.\n");
  EXPECT_EQ(RangeMessage(1001, 1, 1000, false),
            "\"TickFreq\" is out of range. Values should range from 1 to 1000.\n");
  EXPECT_EQ(RangeMessage(0x20, 0, 0x1F, true),
            "\"TickFreq\" is out of range. Values should range from 0x00 to 0x1F.\n");
}

}  // namespace
}  // namespace zarvel
