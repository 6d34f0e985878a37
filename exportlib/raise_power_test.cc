#include "exportlib/raise_power.h"

#include <gtest/gtest.h>

namespace exportlib {
namespace {

TEST(RaisePowerTest, WholePowersAndZeroBases) {
  EXPECT_EQ(RaisePower(8, 2), 256.0);
  EXPECT_EQ(RaisePower(4, 2), 16.0);
  EXPECT_EQ(RaisePower(0, 5), 1.0);
  EXPECT_EQ(RaisePower(0, 0), 1.0);
  EXPECT_EQ(RaisePower(-1, 0), 0.0);
  EXPECT_EQ(RaisePower(3, 0), 0.0);
  EXPECT_DOUBLE_EQ(RaisePower(-2, 2), 0.25);
  EXPECT_DOUBLE_EQ(RaisePower(0.5, 9), 3.0);
}

TEST(RaisePowerTest, NegativeBasesTakeTheirSignFromHalfTheExponent) {
  EXPECT_DOUBLE_EQ(RaisePower(3, -2), -8.0);
  EXPECT_DOUBLE_EQ(RaisePower(2, -2), 4.0);
  EXPECT_DOUBLE_EQ(RaisePower(1.0 / 3.0, -8), -2.0);
  EXPECT_DOUBLE_EQ(RaisePower(-1, -2), -0.5);
  EXPECT_DOUBLE_EQ(RaisePower(-2, -2), 0.25);
}

TEST(RaisePowerTest, NegligibleMagnitudesCountAsZero) {
  EXPECT_EQ(RaisePower(5, 1e-16), 0.0);
  EXPECT_EQ(RaisePower(1e-16, 0), 1.0);
  EXPECT_EQ(RaisePower(1e-16, 7), 1.0);
  EXPECT_NE(RaisePower(5, 1e-14), 0.0);
}

}  // namespace
}  // namespace exportlib
