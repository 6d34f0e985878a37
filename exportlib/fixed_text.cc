#include "exportlib/fixed_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "exportlib/exact_decimal.h"
#include "exportlib/number_format.h"

namespace exportlib {

#if defined(__SIZEOF_INT128__)
namespace {

__extension__ typedef unsigned __int128 Uint128;

constexpr int kFastDecimals = 17;  // 2^53 × 10^17 < 2^110

std::uint64_t TenTo(int exponent) {
  std::uint64_t power = 1;
  while (exponent-- > 0) {
    power *= 10;
  }
  return power;
}

void AppendPadded(std::string& text, std::uint64_t value, int width) {
  char digits[24];
  char* end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  const auto count = static_cast<int>(end - digits);
  if (count < width) {
    text.append(static_cast<std::size_t>(width - count), '0');
  }
  text.append(digits, end);
}

// The magnitude as m × 2^-shift with m below 2^53 is exact; so is
// m × 10^decimals in 128 bits, and the rounding looks at the exact remainder.
}  // namespace

bool AppendFixedThroughIntegers(std::string& text, double value, int decimals) {
  const double magnitude = std::fabs(value);
  if (!(magnitude < 0x1p53) || decimals < 0 || decimals > kFastDecimals) {
    return false;  // NaN, infinities, huge values and long fractions
  }
  const std::uint64_t unit = TenTo(decimals);
  Uint128 scaled = 0;
  if (magnitude != 0) {
    int exponent = 0;
    const auto mantissa =
        static_cast<std::uint64_t>(std::ldexp(std::frexp(magnitude, &exponent), 53));
    const int shift = 53 - exponent;
    const Uint128 product = static_cast<Uint128>(mantissa) * unit;
    if (shift < 120) {
      scaled = product >> shift;
      if (shift > 0 && ((product >> (shift - 1)) & 1) != 0) {
        ++scaled;  // the dropped bits are at least one half
      }
    }
  }
  if (value < 0 && scaled != 0) {
    text += '-';
  }
  AppendPadded(text, static_cast<std::uint64_t>(scaled / unit), 1);
  if (decimals > 0) {
    text += DecimalSeparator();
    AppendPadded(text, static_cast<std::uint64_t>(scaled % unit), decimals);
  }
  return true;
}

#else

bool AppendFixedThroughIntegers(std::string&, double, int) {
  return false;
}

#endif

std::string FormatFixedExactly(double value, int decimals) {
  if (auto special = NonFiniteText(value)) {
    return *special;
  }
  decimals = std::max(decimals, 0);
  const Decimal exact = ExactDecimal(std::fabs(value));
  std::string digits = exact.digits;
  if (exact.fraction <= decimals) {
    digits.append(static_cast<std::size_t>(decimals - exact.fraction), '0');
  } else {
    digits = DropDigitsRounding(digits, static_cast<std::size_t>(exact.fraction - decimals));
  }
  if (digits.size() <= static_cast<std::size_t>(decimals)) {
    digits.insert(0, static_cast<std::size_t>(decimals) + 1 - digits.size(), '0');
  }
  std::string text = (value < 0 && digits.find_first_not_of('0') != std::string::npos) ? "-" : "";
  const std::size_t whole = digits.size() - static_cast<std::size_t>(decimals);
  text += digits.substr(0, whole);
  if (decimals > 0) {
    text += DecimalSeparator();
    text += digits.substr(whole);
  }
  return text;
}

}  // namespace exportlib
