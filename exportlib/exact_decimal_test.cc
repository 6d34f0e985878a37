#include "exportlib/exact_decimal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace exportlib {
namespace {

TEST(ExactDecimal, GivesEveryDigitOfTheStoredValue) {
  const Decimal zero = ExactDecimal(0.0);
  EXPECT_EQ(zero.digits, "0");
  EXPECT_EQ(zero.fraction, 0);
  const Decimal eighth = ExactDecimal(0.125);
  EXPECT_EQ(eighth.digits, "125");
  EXPECT_EQ(eighth.fraction, 3);
  const Decimal large = ExactDecimal(0x1p64);
  EXPECT_EQ(large.digits, "18446744073709551616");
  EXPECT_EQ(large.fraction, 0);
  // 0.1 is stored as 0.1000000000000000055511151231257827...
  const Decimal tenth = ExactDecimal(0.1);
  EXPECT_EQ(tenth.fraction, 55);
  EXPECT_EQ(tenth.digits.substr(0, 20), "10000000000000000555");
  const Decimal smallest = ExactDecimal(std::numeric_limits<double>::denorm_min());
  EXPECT_EQ(smallest.fraction, 1074);
  EXPECT_EQ(smallest.digits.size(), 751u);
  EXPECT_EQ(smallest.digits.substr(0, 6), "494065");
}

TEST(ExactDecimal, DropDigitsRoundsHalvesAwayFromZeroAndCarries) {
  EXPECT_EQ(DropDigitsRounding("1234", 0), "1234");
  EXPECT_EQ(DropDigitsRounding("1234", 2), "12");
  EXPECT_EQ(DropDigitsRounding("1250", 2), "13");
  EXPECT_EQ(DropDigitsRounding("95", 1), "10");
  EXPECT_EQ(DropDigitsRounding("999", 1), "100");
  EXPECT_EQ(DropDigitsRounding("5", 1), "1");
  EXPECT_EQ(DropDigitsRounding("4", 1), "0");
  EXPECT_EQ(DropDigitsRounding("9", 3), "0");  // more dropped than there are
}

TEST(ExactDecimal, NamesOnlyTheValuesThatAreNotFinite) {
  EXPECT_EQ(NonFiniteText(std::nan("")), "NAN");
  EXPECT_EQ(NonFiniteText(HUGE_VAL), "INF");
  EXPECT_EQ(NonFiniteText(-HUGE_VAL), "-INF");
  EXPECT_EQ(NonFiniteText(-0.0), std::nullopt);
  EXPECT_EQ(NonFiniteText(1e308), std::nullopt);
}

}  // namespace
}  // namespace exportlib
