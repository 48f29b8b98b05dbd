#include "settings/IntegerText.h"

#include <gtest/gtest.h>

namespace pixkura {
namespace {

TEST(IntegerText, DecimalWithBlanksAndSign) {
  EXPECT_EQ(TryStrToInt("0"), 0);
  EXPECT_EQ(TryStrToInt("15"), 15);
  EXPECT_EQ(TryStrToInt("  \t42"), 42);
  EXPECT_EQ(TryStrToInt("+7"), 7);
  EXPECT_EQ(TryStrToInt("-256"), -256);
  EXPECT_EQ(TryStrToInt("007"), 7);
  EXPECT_EQ(TryStrToInt("2147483647"), INT32_MAX);
  EXPECT_EQ(TryStrToInt("-2147483648"), INT32_MIN);
}

TEST(IntegerText, HexadecimalAfterDollarIsABitPattern) {
  EXPECT_EQ(TryStrToInt("$1F"), 31);
  EXPECT_EQ(TryStrToInt("$1f"), 31);
  EXPECT_EQ(TryStrToInt(" -$10"), -16);
  EXPECT_EQ(TryStrToInt("$7FFFFFFF"), INT32_MAX);
  EXPECT_EQ(TryStrToInt("$80000008"), static_cast<int32_t>(0x80000008u));
  EXPECT_EQ(TryStrToInt("$FFFFFFFF"), -1);
  EXPECT_EQ(TryStrToInt("$000000000000001"), 1);
}

TEST(IntegerText, EverythingElseIsNoNumber) {
  for (const char* text : {"", " ", "-", "+", "$", "-$", "abc", "12a", "1 ", "1.5", "0x1F", "$G", "$1F ",
                           "++1", "- 1", "$ 1", "1e3", "TRUE", "\xEF\xBC\x91"}) {
    EXPECT_FALSE(TryStrToInt(text).has_value()) << '"' << text << '"';
  }
}

TEST(IntegerText, OverflowIsNoNumber) {
  EXPECT_FALSE(TryStrToInt("2147483648").has_value());
  EXPECT_FALSE(TryStrToInt("-2147483649").has_value());
  EXPECT_FALSE(TryStrToInt("99999999999999999999999999").has_value());
  EXPECT_FALSE(TryStrToInt("$100000000").has_value());
}

TEST(IntegerText, FallbackOnlyForNoNumber) {
  EXPECT_EQ(StrToIntDef("x", 9), 9);
  EXPECT_EQ(StrToIntDef("0", 9), 0);
  EXPECT_EQ(StrToIntDef("4294967296", -1), -1);
}

}  // namespace
}  // namespace pixkura
