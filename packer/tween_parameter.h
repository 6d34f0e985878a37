// The tween parameter t of frame k of N, computed the way the animation's
// consumers expect it bit for bit: 1/N times k (plus 0.113 for N <= 2) in
// extended precision with a 64-bit mantissa, rounded once to single
// precision. Where the compiler's long double is not that format, exact
// integer arithmetic gives the same results.
#ifndef PACKER_TWEEN_PARAMETER_H_
#define PACKER_TWEEN_PARAMETER_H_

#include <cfloat>
#include <cstdint>
#include <string>

namespace morphon {

/// A non-negative binary number mantissa * 2^exponent. A non-zero value
/// produced here has the top bit of its 64-bit mantissa set.
struct ExtendedValue {
  std::uint64_t mantissa = 0;
  int exponent = 0;
  friend bool operator==(const ExtendedValue&, const ExtendedValue&) = default;
};

/// The tween parameter of one frame: the extended-precision value before the
/// rounding to single precision, and t itself.
struct TweenParameter {
  ExtendedValue unrounded;
  float t = 0;
};

/// The tween parameter of frame `k` (0 <= k < tweens) of a segment of
/// `tweens` frames, on the fastest exact path the build has.
TweenParameter ComputeTweenParameter(std::uint32_t tweens, std::uint32_t k);

/// The same value computed with integer arithmetic only, for targets whose
/// long double is not the 80-bit format.
TweenParameter ComputeTweenParameterExactly(std::uint32_t tweens, std::uint32_t k);

#if LDBL_MANT_DIG == 64
#define MORPHON_HAS_EXTENDED_LONG_DOUBLE 1
/// The same value computed in the 80-bit long double.
TweenParameter ComputeTweenParameterWithLongDouble(std::uint32_t tweens, std::uint32_t k);
#endif

/// The exact value of a float.
ExtendedValue ExtendedFromFloat(float value);

/// `value` as printf's "%f" writes it: six decimals, exact ties to even.
std::string FormatSixDecimals(const ExtendedValue& value);

}  // namespace morphon

#endif  // PACKER_TWEEN_PARAMETER_H_
