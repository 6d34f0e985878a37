#include "batchtool/fixed_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

#include "exportlib/number_format.h"

namespace batchtool {
namespace {

std::string Fixed(double value, int decimals) {
  std::string text;
  AppendFixed(text, value, decimals);
  return text;
}

void ExpectSameAsExportlib(double value) {
  for (const int decimals : {0, 2, 5, 15, 17, 20}) {
    ASSERT_EQ(Fixed(value, decimals), exportlib::FormatFixed(value, decimals))
        << "value " << value << " with " << decimals << " decimals";
  }
}

TEST(AppendFixedTest, RoundsHalvesAwayFromZeroOnTheExactValue) {
  EXPECT_EQ(Fixed(0.125, 2), "0.13");
  EXPECT_EQ(Fixed(-0.125, 2), "-0.13");
  EXPECT_EQ(Fixed(2.675, 2), "2.67");  // stored as 2.67499...
  EXPECT_EQ(Fixed(127.5, 0), "128");
  EXPECT_EQ(Fixed(-0.001, 2), "0.00");
  EXPECT_EQ(Fixed(-0.0, 2), "0.00");
  EXPECT_EQ(Fixed(0.1f, 15), "0.100000001490116");
}

TEST(AppendFixedTest, AgreesWithExportlibEverywhere) {
  const std::vector<double> special = {0.0,
                                       -0.0,
                                       0.5,
                                       1.5,
                                       2.5,
                                       0.005,
                                       0.015,
                                       9.995,
                                       99.995,
                                       0x1p52 + 0.5,
                                       0x1p53,
                                       1e300,
                                       -1e300,
                                       5e-324,
                                       std::numeric_limits<double>::infinity(),
                                       -std::numeric_limits<double>::infinity(),
                                       std::numeric_limits<double>::quiet_NaN()};
  for (const double value : special) {
    ExpectSameAsExportlib(value);
  }
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> unit(-1, 1);
  std::uniform_int_distribution<int> power(-30, 20);
  for (int i = 0; i < 20000; ++i) {
    const double value = unit(random) * std::pow(10.0, power(random));
    ExpectSameAsExportlib(value);
    // Coordinates arrive as float32 and are scaled by 10 × scale.
    ExpectSameAsExportlib(10.0 * static_cast<float>(value));
    // Multiples of 2^-n sit exactly on rounding halves.
    ExpectSameAsExportlib(std::ldexp(std::round(unit(random) * 4096), -(i % 12)));
  }
}

TEST(AppendFixedTest, UsesTheDecimalSeparator) {
  exportlib::SetDecimalSeparator(',');
  EXPECT_EQ(Fixed(-1.25, 2), "-1,25");
  EXPECT_EQ(Fixed(3, 0), "3");
  exportlib::SetDecimalSeparator('.');
}

}  // namespace
}  // namespace batchtool
