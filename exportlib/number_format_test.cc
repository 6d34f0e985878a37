#include "exportlib/number_format.h"

#include <gtest/gtest.h>

#include <limits>

namespace exportlib {
namespace {

// Restores the '.' separator after a test that changes it.
class NumberFormatTest : public ::testing::Test {
 protected:
  void TearDown() override { SetDecimalSeparator('.'); }
};

TEST_F(NumberFormatTest, FixedRoundsHalvesAwayFromZeroOnTheExactValue) {
  EXPECT_EQ(FormatFixed(127.5, 0), "128");
  EXPECT_EQ(FormatFixed(126.5, 0), "127");
  EXPECT_EQ(FormatFixed(-126.5, 0), "-127");
  EXPECT_EQ(FormatFixed(0.5, 0), "1");
  EXPECT_EQ(FormatFixed(0.125, 2), "0.13");
  EXPECT_EQ(FormatFixed(0.375, 2), "0.38");
  // 2.675 and 1.005 are stored just below the half.
  EXPECT_EQ(FormatFixed(2.675, 2), "2.67");
  EXPECT_EQ(FormatFixed(1.005, 2), "1.00");
  EXPECT_EQ(FormatFixed(9.995, 2), "9.99");
  EXPECT_EQ(FormatFixed(9.9999, 2), "10.00");
  EXPECT_EQ(FormatFixed(0.0, 4), "0.0000");
  EXPECT_EQ(FormatFixed(1.0, 6), "1.000000");
  EXPECT_EQ(FormatFixed(0.45, 1), "0.5");  // 0.45000000000000001110...
  EXPECT_EQ(FormatFixed(1e21, 0), "1000000000000000000000");
  EXPECT_EQ(FormatFixed(123456789.0, 2), "123456789.00");
}

TEST_F(NumberFormatTest, FixedWritesNoMinusSignForWhatRoundsToZero) {
  EXPECT_EQ(FormatFixed(-0.0, 2), "0.00");
  EXPECT_EQ(FormatFixed(-0.004, 2), "0.00");
  EXPECT_EQ(FormatFixed(-0.4, 0), "0");
  EXPECT_EQ(FormatFixed(-0.005, 2), "-0.01");  // -0.005000000000000000104...
  EXPECT_EQ(FormatFixed(-1e-300, 6), "0.000000");
}

TEST_F(NumberFormatTest, FixedOfTinyAndSubnormalValues) {
  EXPECT_EQ(FormatFixed(std::numeric_limits<double>::denorm_min(), 3), "0.000");
  EXPECT_EQ(FormatFixed(0.0001, 4), "0.0001");
  EXPECT_EQ(FormatFixed(0.00005, 4), "0.0001");  // 0.0000500000000000000023...
}

TEST_F(NumberFormatTest, NonFiniteValues) {
  EXPECT_EQ(FormatFixed(std::numeric_limits<double>::quiet_NaN(), 2), "NAN");
  EXPECT_EQ(FormatFixed(std::numeric_limits<double>::infinity(), 2), "INF");
  EXPECT_EQ(FormatGeneral(-std::numeric_limits<double>::infinity()), "-INF");
}

TEST_F(NumberFormatTest, GeneralFormKeepsFifteenDigitsWithoutTrailingZeros) {
  EXPECT_EQ(FormatGeneral(0), "0");
  EXPECT_EQ(FormatGeneral(-0.0), "0");
  EXPECT_EQ(FormatGeneral(1), "1");
  EXPECT_EQ(FormatGeneral(-2.5), "-2.5");
  EXPECT_EQ(FormatGeneral(0.1), "0.1");
  EXPECT_EQ(FormatGeneral(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(FormatGeneral(2.0 / 3.0), "0.666666666666667");
  EXPECT_EQ(FormatGeneral(0.1f), "0.100000001490116");
  EXPECT_EQ(FormatGeneral(123456.789), "123456.789");
  EXPECT_EQ(FormatGeneral(999999999999999.0), "999999999999999");
  EXPECT_EQ(FormatGeneral(0.00001), "0.00001");
}

TEST_F(NumberFormatTest, GeneralFormSwitchesToExponentOutsideItsRange) {
  EXPECT_EQ(FormatGeneral(1e15), "1E15");
  EXPECT_EQ(FormatGeneral(1e20), "1E20");
  EXPECT_EQ(FormatGeneral(-1.5e20), "-1.5E20");
  EXPECT_EQ(FormatGeneral(0.000001), "1E-6");
  EXPECT_EQ(FormatGeneral(1.25e-7), "1.25E-7");
  // Rounding to fifteen digits carries into a new leading digit.
  EXPECT_EQ(FormatGeneral(9999999999999999.0), "1E16");
  EXPECT_EQ(FormatGeneral(0.99999999999999999), "1");
}

TEST_F(NumberFormatTest, SeparatorAppliesToFormatting) {
  SetDecimalSeparator(',');
  EXPECT_EQ(DecimalSeparator(), ',');
  EXPECT_EQ(FormatFixed(1.5, 2), "1,50");
  EXPECT_EQ(FormatGeneral(0.25), "0,25");
  EXPECT_EQ(FormatGeneral(1.5e20), "1,5E20");
  EXPECT_EQ(FormatPattern("%.1f;%f", {2.25, 3.0}), "2,3;3,00");
}

TEST_F(NumberFormatTest, PatternConversions) {
  EXPECT_EQ(FormatPattern("v %.4f %.4f", {1.0, -0.00001}), "v 1.0000 0.0000");
  EXPECT_EQ(FormatPattern("%f", {0.125}), "0.13");
  EXPECT_EQ(FormatPattern("%.0f", {2.5}), "3");
  EXPECT_EQ(FormatPattern("%d %s=%g%%", {std::int64_t{-7}, "TEX[0]", 0.5}), "-7 TEX[0]=0.5%");
  EXPECT_EQ(FormatPattern("%u", {std::int64_t{-1}}), "4294967295");
  EXPECT_EQ(FormatPattern("%f", {std::int64_t{3}}), "3.00");
  EXPECT_EQ(FormatPattern("100% %x", {}), "100% %x");
  EXPECT_EQ(FormatPattern("end%", {}), "end%");
}

}  // namespace
}  // namespace exportlib
