#include "exportlib/fixed_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "exportlib/number_format.h"

namespace exportlib {
namespace {

std::string Fixed(double value, int decimals) {
  std::string text;
  AppendFixed(text, value, decimals);
  return text;
}

void ExpectSameAsExactExpansion(double value, int decimals) {
  EXPECT_EQ(Fixed(value, decimals), FormatFixedExactly(value, decimals))
      << std::hexfloat << value << " with " << decimals << " decimals";
}

TEST(FixedText, EdgeValues) {
  EXPECT_EQ(Fixed(-0.0, 4), "0.0000");
  EXPECT_EQ(Fixed(-0.00001, 4), "0.0000");
  EXPECT_EQ(Fixed(127.5, 0), "128");
  EXPECT_EQ(Fixed(-126.5, 0), "-127");
  EXPECT_EQ(Fixed(0.03125, 4), "0.0313");  // an exact tie rounds away from zero
  EXPECT_EQ(Fixed(2.675, 2), "2.67");      // stored just below the tie
  EXPECT_EQ(Fixed(20, 4), "20.0000");
  for (double value :
       {0.0, 1e-300, 0.5, 0.49999999999999994, 9.99995, 123456.78905, 0x1p52 + 0.5, 0x1p53 - 1,
        0x1p53, 1e300, -1e20, double{NAN}, double{INFINITY}, -double{INFINITY}, 5e-5, 4.9999e-5}) {
    for (int decimals : {0, 1, 4, 17}) {
      ExpectSameAsExactExpansion(value, decimals);
      ExpectSameAsExactExpansion(-value, decimals);
    }
  }
}

TEST(FixedText, RandomValuesAndTiesMatchTheExactExpansion) {
  std::mt19937_64 random(20231208);
  std::uniform_real_distribution<double> exponent(-20, 20);
  std::uniform_int_distribution<int> tie(-200000, 200000);
  for (int i = 0; i < 20000; ++i) {
    const double value = std::pow(10.0, exponent(random)) * (random() % 2 == 0 ? 1 : -1);
    ExpectSameAsExactExpansion(value, 4);
    ExpectSameAsExactExpansion(value, 0);
    // Multiples of 2^-5 and 2^-1: exact ties at four and at no decimals.
    ExpectSameAsExactExpansion(std::ldexp(tie(random), -5), 4);
    ExpectSameAsExactExpansion(std::ldexp(tie(random), -1), 0);
  }
}

TEST(FixedText, UsesTheDecimalSeparator) {
  SetDecimalSeparator(',');
  EXPECT_EQ(Fixed(-30, 4), "-30,0000");
  ExpectSameAsExactExpansion(1.25, 1);
  SetDecimalSeparator('.');
}

}  // namespace
}  // namespace exportlib
