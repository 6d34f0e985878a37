#include "packer/tween_parameter.h"

#include <bit>
#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <utility>

namespace morphon {
namespace {

// The single-precision constant that segments of two frames are shifted by.
constexpr float kTwoFrameShift = 0.113f;

// An unsigned 128-bit integer, enough for every exact intermediate here.
struct U128 {
  std::uint64_t hi = 0;
  std::uint64_t lo = 0;
};

int BitWidth(const U128& x) {
  return x.hi != 0 ? 64 + std::bit_width(x.hi) : std::bit_width(x.lo);
}

bool IsZero(const U128& x) {
  return x.hi == 0 && x.lo == 0;
}

bool Less(const U128& a, const U128& b) {
  return a.hi != b.hi ? a.hi < b.hi : a.lo < b.lo;
}

U128 Add(const U128& a, const U128& b) {
  U128 sum{a.hi + b.hi, a.lo + b.lo};
  sum.hi += sum.lo < a.lo ? 1 : 0;
  return sum;
}

// x << s for 0 <= s < 128; bits beyond 128 are lost.
U128 ShiftLeft(const U128& x, int s) {
  if (s == 0) {
    return x;
  }
  if (s >= 64) {
    return U128{x.lo << (s - 64), 0};
  }
  return U128{x.hi << s | x.lo >> (64 - s), x.lo << s};
}

// x >> s for 0 <= s < 128.
U128 ShiftRight(const U128& x, int s) {
  if (s == 0) {
    return x;
  }
  if (s >= 64) {
    return U128{0, x.hi >> (s - 64)};
  }
  return U128{x.hi >> s, x.lo >> s | x.hi << (64 - s)};
}

// x / 2^s rounded to nearest, ties to even, for 0 < s < 128.
U128 ShiftRightRoundingToEven(const U128& x, int s) {
  U128 quotient = ShiftRight(x, s);
  const U128 dropped = ShiftRight(ShiftLeft(x, 128 - s), 128 - s);
  const U128 half = ShiftLeft(U128{0, 1}, s - 1);
  if (Less(half, dropped) || (!Less(dropped, half) && (quotient.lo & 1) != 0)) {
    quotient = Add(quotient, U128{0, 1});
  }
  return quotient;
}

U128 Multiply(std::uint64_t a, std::uint32_t b) {
  const std::uint64_t low = (a & 0xFFFFFFFFu) * b;
  const std::uint64_t high = (a >> 32) * b;
  U128 product{high >> 32, low};
  return Add(product, U128{0, high << 32});
}

// The value x * 2^exponent rounded to a 64-bit mantissa, ties to even.
ExtendedValue RoundToExtended(const U128& x, int exponent) {
  if (IsZero(x)) {
    return ExtendedValue{};
  }
  const int width = BitWidth(x);
  if (width <= 64) {
    return ExtendedValue{x.lo << (64 - width), exponent - (64 - width)};
  }
  int shift = width - 64;
  U128 mantissa = ShiftRightRoundingToEven(x, shift);
  if (mantissa.hi != 0) {  // rounded up to 2^64
    mantissa = U128{0, std::uint64_t{1} << 63};
    ++shift;
  }
  return ExtendedValue{mantissa.lo, exponent + shift};
}

// 1 / divisor rounded to a 64-bit mantissa.
ExtendedValue Reciprocal(std::uint32_t divisor) {
  // 2^(63 + width) / divisor lies in (2^63, 2^64]; long division in 32-bit
  // limbs keeps every partial dividend below 2^64.
  const int width = std::bit_width(divisor);
  const U128 dividend = ShiftLeft(U128{0, 1}, 63 + width);
  const std::uint32_t limbs[4] = {
      static_cast<std::uint32_t>(dividend.hi >> 32), static_cast<std::uint32_t>(dividend.hi),
      static_cast<std::uint32_t>(dividend.lo >> 32), static_cast<std::uint32_t>(dividend.lo)};
  U128 quotient;
  std::uint64_t remainder = 0;
  for (const std::uint32_t limb : limbs) {
    const std::uint64_t partial = remainder << 32 | limb;
    quotient = Add(ShiftLeft(quotient, 32), U128{0, partial / divisor});
    remainder = partial % divisor;
  }
  const std::uint64_t twice = remainder * 2;
  if (twice > divisor || (twice == divisor && (quotient.lo & 1) != 0)) {
    quotient = Add(quotient, U128{0, 1});
  }
  return RoundToExtended(quotient, -(63 + width));
}

// a + b rounded to a 64-bit mantissa.
ExtendedValue AddExtended(ExtendedValue a, ExtendedValue b) {
  if (a.mantissa == 0) {
    return b;
  }
  if (b.mantissa == 0) {
    return a;
  }
  if (a.exponent < b.exponent) {
    std::swap(a, b);
  }
  const int gap = a.exponent - b.exponent;
  // Below half an ulp of a, b cannot change the rounded sum.
  if (gap > 64) {
    return a;
  }
  const U128 aligned = ShiftLeft(U128{0, a.mantissa}, gap);
  return RoundToExtended(Add(aligned, U128{0, b.mantissa}), b.exponent);
}

float RoundToFloat(const ExtendedValue& value) {
  if (value.mantissa == 0) {
    return 0.0f;
  }
  constexpr int kDropped = 64 - 24;
  std::uint64_t kept = value.mantissa >> kDropped;
  const std::uint64_t dropped = value.mantissa & ((std::uint64_t{1} << kDropped) - 1);
  const std::uint64_t half = std::uint64_t{1} << (kDropped - 1);
  int exponent = value.exponent + kDropped;
  if (dropped > half || (dropped == half && (kept & 1) != 0)) {
    ++kept;
  }
  if (kept == std::uint64_t{1} << 24) {
    kept >>= 1;
    ++exponent;
  }
  return std::ldexp(static_cast<float>(kept), exponent);
}

}  // namespace

ExtendedValue ExtendedFromFloat(float value) {
  if (value == 0.0f) {
    return ExtendedValue{};
  }
  int exponent = 0;
  const double fraction = std::frexp(static_cast<double>(value), &exponent);
  return ExtendedValue{static_cast<std::uint64_t>(std::ldexp(fraction, 64)), exponent - 64};
}

TweenParameter ComputeTweenParameterExactly(std::uint32_t tweens, std::uint32_t k) {
  const ExtendedValue step = Reciprocal(tweens);
  ExtendedValue value = RoundToExtended(Multiply(step.mantissa, k), step.exponent);
  if (tweens <= 2) {
    value = AddExtended(value, ExtendedFromFloat(kTwoFrameShift));
  }
  return TweenParameter{value, RoundToFloat(value)};
}

#if MORPHON_HAS_EXTENDED_LONG_DOUBLE
TweenParameter ComputeTweenParameterWithLongDouble(std::uint32_t tweens, std::uint32_t k) {
  long double value = 1.0L / tweens;
  value *= k;
  if (tweens <= 2) {
    value += kTwoFrameShift;
  }
  ExtendedValue unrounded;
  if (value != 0.0L) {
    int exponent = 0;
    const long double fraction = std::frexp(value, &exponent);
    unrounded = ExtendedValue{static_cast<std::uint64_t>(std::ldexp(fraction, 64)), exponent - 64};
  }
  return TweenParameter{unrounded, static_cast<float>(value)};
}
#endif

TweenParameter ComputeTweenParameter(std::uint32_t tweens, std::uint32_t k) {
#if MORPHON_HAS_EXTENDED_LONG_DOUBLE
  return ComputeTweenParameterWithLongDouble(tweens, k);
#else
  return ComputeTweenParameterExactly(tweens, k);
#endif
}

std::string FormatSixDecimals(const ExtendedValue& value) {
  const U128 scaled = Multiply(value.mantissa, 1000000);
  U128 whole;
  if (value.exponent >= 0) {
    whole = ShiftLeft(scaled, value.exponent);
  } else if (value.exponent > -128) {
    whole = ShiftRightRoundingToEven(scaled, -value.exponent);
  }
  char text[48];
  std::snprintf(text, sizeof text, "%" PRIu64 ".%06" PRIu64, whole.lo / 1000000,
                whole.lo % 1000000);
  return text;
}

}  // namespace morphon
