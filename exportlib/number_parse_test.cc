#include <gtest/gtest.h>

#include <cstdint>

#include "exportlib/number_format.h"

namespace exportlib {
namespace {

// Restores the '.' separator after a test that changes it.
class NumberParseTest : public ::testing::Test {
 protected:
  void TearDown() override { SetDecimalSeparator('.'); }
};

TEST_F(NumberParseTest, ParseRealReadsOnlyTheSetSeparator) {
  SetDecimalSeparator(',');
  EXPECT_EQ(ParseReal("1,5"), 1.5L);
  EXPECT_EQ(ParseReal("1.5"), std::nullopt);
}

TEST_F(NumberParseTest, ParseIntegerAcceptsOnlyASignedRunOfDigits) {
  EXPECT_EQ(ParseInteger("42"), 42);
  EXPECT_EQ(ParseInteger("-5"), -5);
  EXPECT_EQ(ParseInteger("+5"), 5);
  EXPECT_EQ(ParseInteger("-9223372036854775808"), INT64_MIN);
  EXPECT_EQ(ParseInteger("9223372036854775808"), std::nullopt);
  // Long enough to wrap 64 bits: too large, not the wrapped value.
  EXPECT_EQ(ParseInteger("18446744073709551616"), std::nullopt);
  EXPECT_EQ(ParseInteger("5211111111111111111111759"), std::nullopt);
  EXPECT_EQ(ParseInteger(""), std::nullopt);
  EXPECT_EQ(ParseInteger("-"), std::nullopt);
  EXPECT_EQ(ParseInteger("1-2"), std::nullopt);
  EXPECT_EQ(ParseInteger(" 1"), std::nullopt);
  EXPECT_EQ(ParseInteger("1.0"), std::nullopt);
}

TEST_F(NumberParseTest, ParseInteger32KeepsTheParseRulesAndAddsTheRange) {
  EXPECT_EQ(ParseInteger32("2147483647"), INT32_MAX);
  EXPECT_EQ(ParseInteger32("-2147483648"), INT32_MIN);
  EXPECT_EQ(ParseInteger32("2147483648"), std::nullopt);
  EXPECT_EQ(ParseInteger32("-2147483649"), std::nullopt);
  EXPECT_EQ(ParseInteger32("+7"), 7);
  EXPECT_EQ(ParseInteger32(" 7"), std::nullopt);
  EXPECT_EQ(ParseInteger32(""), std::nullopt);
}

TEST_F(NumberParseTest, ParseRealReadsThePluginsNotation) {
  EXPECT_EQ(ParseReal("2.5"), 2.5L);
  EXPECT_EQ(ParseReal("-0.25"), -0.25L);
  EXPECT_EQ(ParseReal("+1E3"), 1000.0L);
  EXPECT_EQ(ParseReal("5e-1"), 0.5L);
  EXPECT_EQ(ParseReal(".5"), 0.5L);
  EXPECT_EQ(ParseReal("7"), 7.0L);
  EXPECT_EQ(ParseReal(""), std::nullopt);
  EXPECT_EQ(ParseReal("."), std::nullopt);
  EXPECT_EQ(ParseReal("1e"), std::nullopt);
  EXPECT_EQ(ParseReal("1-2"), std::nullopt);
  EXPECT_EQ(ParseReal("inf"), std::nullopt);
  EXPECT_EQ(ParseReal("0x10"), std::nullopt);
  EXPECT_EQ(ParseReal("1e99999"), std::nullopt);
}

}  // namespace
}  // namespace exportlib
