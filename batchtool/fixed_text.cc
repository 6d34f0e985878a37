#include "batchtool/fixed_text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "exportlib/number_format.h"

namespace batchtool {
namespace {

#if defined(__SIZEOF_INT128__)

// 128-bit integers are a compiler extension of 64-bit targets.
__extension__ typedef unsigned __int128 Wide;

constexpr int kMaxFastDecimals = 17;  // 10^17 < 2^57, so m × 10^d < 2^110

constexpr std::uint64_t PowerOfTen(int exponent) {
  std::uint64_t power = 1;
  for (int i = 0; i < exponent; ++i) {
    power *= 10;
  }
  return power;
}

constexpr auto kPowersOfTen = [] {
  std::array<std::uint64_t, kMaxFastDecimals + 1> powers{};
  for (int i = 0; i <= kMaxFastDecimals; ++i) {
    powers[static_cast<std::size_t>(i)] = PowerOfTen(i);
  }
  return powers;
}();

// The decimal digits of `value`, at least `minimum` of them (leading zeros).
void AppendDigits(std::string& text, std::uint64_t value, int minimum) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  const auto count = static_cast<int>(end - digits);
  if (count < minimum) {
    text.append(static_cast<std::size_t>(minimum - count), '0');
  }
  text.append(digits, end);
}

// value × 10^decimals rounded half away from zero, on the magnitude; false
// when the value lies outside the range this path handles.
bool ScaledMagnitude(double value, int decimals, Wide* scaled) {
  const double magnitude = std::fabs(value);
  if (!std::isfinite(magnitude) || magnitude >= 0x1p53 || decimals < 0 ||
      decimals > kMaxFastDecimals) {
    return false;
  }
  if (magnitude == 0) {
    *scaled = 0;
    return true;
  }
  // magnitude = mantissa × 2^-shift exactly, mantissa < 2^53.
  int exponent = 0;
  const double fraction = std::frexp(magnitude, &exponent);
  const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  const int shift = 53 - exponent;  // at least 0 below 2^53
  const Wide product = Wide{mantissa} * kPowersOfTen[static_cast<std::size_t>(decimals)];
  if (shift >= 127) {
    *scaled = 0;  // below 2^-74 × 10^17: far from half a unit
    return true;
  }
  const Wide quotient = product >> shift;
  const Wide remainder = product - (quotient << shift);
  const bool round_up = shift > 0 && remainder >= (Wide{1} << (shift - 1));
  *scaled = quotient + (round_up ? 1 : 0);
  return true;
}

bool AppendFast(std::string& text, double value, int decimals) {
  Wide scaled = 0;
  if (!ScaledMagnitude(value, decimals, &scaled)) {
    return false;
  }
  if (value < 0 && scaled != 0) {
    text += '-';
  }
  // Below 2^53 the whole part fits 64 bits, and so does the fraction
  // (below 10^17).
  const std::uint64_t unit = kPowersOfTen[static_cast<std::size_t>(decimals)];
  AppendDigits(text, static_cast<std::uint64_t>(scaled / unit), 1);
  if (decimals > 0) {
    text += exportlib::DecimalSeparator();
    AppendDigits(text, static_cast<std::uint64_t>(scaled % unit), decimals);
  }
  return true;
}

#else

bool AppendFast(std::string&, double, int) {
  return false;
}

#endif

}  // namespace

void AppendFixed(std::string& text, double value, int decimals) {
  if (!AppendFast(text, value, decimals)) {
    text += exportlib::FormatFixed(value, decimals);
  }
}

}  // namespace batchtool
