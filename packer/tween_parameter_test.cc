#include "packer/tween_parameter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>

namespace morphon {
namespace {

TEST(TweenParameterTest, TwoFrameSegmentsAreShiftedByTheSinglePrecisionConstant) {
  for (const auto& compute : {ComputeTweenParameter, ComputeTweenParameterExactly}) {
    EXPECT_EQ(compute(2, 0).t, 0.113f);
    EXPECT_EQ(compute(2, 1).t, 0.613f);
    EXPECT_EQ(compute(2, 1).t, 0.61299998f);
    EXPECT_EQ(FormatSixDecimals(compute(2, 1).unrounded), "0.613000");
  }
}

TEST(TweenParameterTest, RunsFromZeroInStepsOfOneNth) {
  for (const auto& compute : {ComputeTweenParameter, ComputeTweenParameterExactly}) {
    EXPECT_EQ(compute(3, 0).t, 0.0f);
    EXPECT_EQ(compute(3, 1).t, 0.33333334f);
    EXPECT_EQ(compute(3, 2).t, 0.66666669f);
    EXPECT_EQ(compute(10, 7).t, 0.699999988f);
    EXPECT_EQ(compute(4, 3).t, 0.75f);
    EXPECT_EQ(FormatSixDecimals(compute(3, 2).unrounded), "0.666667");
  }
}

TEST(TweenParameterTest, ExactValueIsTheReciprocalRoundedThenTheProductRounded) {
  // 1/3 to 64 bits is 0xAAAAAAAAAAAAAAAB * 2^-65; times 2 it stays exact.
  const ExtendedValue third = ComputeTweenParameterExactly(3, 1).unrounded;
  EXPECT_EQ(third.mantissa, 0xAAAAAAAAAAAAAAABu);
  EXPECT_EQ(third.exponent, -65);
  const ExtendedValue two_thirds = ComputeTweenParameterExactly(3, 2).unrounded;
  EXPECT_EQ(two_thirds.mantissa, 0xAAAAAAAAAAAAAAABu);
  EXPECT_EQ(two_thirds.exponent, -64);
  EXPECT_EQ(ComputeTweenParameterExactly(8, 0).unrounded, ExtendedValue{});
}

#if MORPHON_HAS_EXTENDED_LONG_DOUBLE
// The integer path must give the long double's results bit for bit.
void ExpectPathsAgree(std::uint32_t tweens, std::uint32_t k) {
  const TweenParameter hardware = ComputeTweenParameterWithLongDouble(tweens, k);
  const TweenParameter exact = ComputeTweenParameterExactly(tweens, k);
  ASSERT_EQ(hardware.unrounded, exact.unrounded) << tweens << " " << k;
  ASSERT_EQ(hardware.t, exact.t) << tweens << " " << k;
}

TEST(TweenParameterTest, IntegerPathAgreesWithLongDoubleForEveryFrameOfSmallCounts) {
  for (std::uint32_t tweens = 1; tweens <= 1200; ++tweens) {
    for (std::uint32_t k = 0; k < tweens; ++k) {
      ExpectPathsAgree(tweens, k);
    }
  }
}

TEST(TweenParameterTest, IntegerPathAgreesWithLongDoubleForLargeCounts) {
  std::uint32_t state = 12345;
  const auto next = [&state]() { return state = state * 1664525u + 1013904223u; };
  for (int i = 0; i < 200000; ++i) {
    const std::uint32_t tweens = next() | 1u << (next() % 32);
    ExpectPathsAgree(tweens, next() % tweens);
    ExpectPathsAgree(tweens, tweens - 1);
  }
  for (int bit = 0; bit < 32; ++bit) {
    const std::uint32_t power = 1u << bit;
    ExpectPathsAgree(power, power - 1);
    if (power > 2) {
      ExpectPathsAgree(power - 1, power - 2);
      ExpectPathsAgree(power + 1, power);
    }
  }
  ExpectPathsAgree(0xFFFFFFFFu, 0xFFFFFFFEu);
}

TEST(TweenParameterTest, SixDecimalsMatchPrintfOfTheLongDouble) {
  const auto expect_like_printf = [](long double value) {
    char expected[64];
    std::snprintf(expected, sizeof expected, "%.6Lf", value);
    int exponent = 0;
    const long double fraction = std::frexp(value, &exponent);
    const ExtendedValue extended =
        value == 0
            ? ExtendedValue{}
            : ExtendedValue{static_cast<std::uint64_t>(std::ldexp(fraction, 64)), exponent - 64};
    EXPECT_EQ(FormatSixDecimals(extended), expected) << static_cast<double>(value);
  };
  for (std::uint32_t tweens = 1; tweens <= 300; ++tweens) {
    for (std::uint32_t k = 0; k < tweens; ++k) {
      const long double value = (1.0L / tweens) * k;
      expect_like_printf(value);
    }
  }
  // Exact ties at the sixth decimal go to even, as printf rounds them.
  expect_like_printf(0.0078125L);
  expect_like_printf(0.0234375L);
  expect_like_printf(1.0L / (1u << 20));
  expect_like_printf(0.9999995L);
}
#endif

TEST(TweenParameterTest, SixDecimalsOfFloats) {
  EXPECT_EQ(FormatSixDecimals(ExtendedFromFloat(0.61299998f)), "0.613000");
  EXPECT_EQ(FormatSixDecimals(ExtendedFromFloat(0.0f)), "0.000000");
  EXPECT_EQ(FormatSixDecimals(ExtendedFromFloat(0.0078125f)), "0.007812");
  EXPECT_EQ(FormatSixDecimals(ExtendedFromFloat(0.0234375f)), "0.023438");
  EXPECT_EQ(FormatSixDecimals(ExtendedFromFloat(0.9999999f)), "1.000000");
}

}  // namespace
}  // namespace morphon
