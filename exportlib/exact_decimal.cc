#include "exportlib/exact_decimal.h"

#include <cmath>
#include <cstdint>
#include <vector>

namespace exportlib {
namespace {

// Little-endian limbs of base 10^9; enough for the exact expansion of any
// double (at most 767 significant digits).
class BigNatural {
 public:
  explicit BigNatural(std::uint64_t value) {
    do {
      limbs_.push_back(static_cast<std::uint32_t>(value % kBase));
      value /= kBase;
    } while (value != 0);
  }

  void MultiplyBy(std::uint32_t factor) {
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : limbs_) {
      const std::uint64_t product = static_cast<std::uint64_t>(limb) * factor + carry;
      limb = static_cast<std::uint32_t>(product % kBase);
      carry = product / kBase;
    }
    while (carry != 0) {
      limbs_.push_back(static_cast<std::uint32_t>(carry % kBase));
      carry /= kBase;
    }
  }

  void MultiplyByPower(std::uint32_t base, int exponent, std::uint32_t chunk_base, int chunk) {
    for (; exponent >= chunk; exponent -= chunk) {
      MultiplyBy(chunk_base);
    }
    for (; exponent > 0; --exponent) {
      MultiplyBy(base);
    }
  }

  std::string ToDigits() const {
    std::string text = std::to_string(limbs_.back());
    for (std::size_t i = limbs_.size() - 1; i-- > 0;) {
      const std::string limb = std::to_string(limbs_[i]);
      text.append(9 - limb.size(), '0');
      text += limb;
    }
    return text;
  }

 private:
  static constexpr std::uint64_t kBase = 1000000000;
  std::vector<std::uint32_t> limbs_;
};

// Adds one unit in the last place of a digit string; may lengthen it.
void IncrementDigits(std::string& digits) {
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
}

}  // namespace

Decimal ExactDecimal(double magnitude) {
  if (magnitude == 0) {
    return {"0", 0};
  }
  int exponent = 0;
  const double fraction = std::frexp(magnitude, &exponent);
  auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
  exponent -= 53;
  while ((mantissa & 1) == 0 && exponent < 0) {
    mantissa >>= 1;
    ++exponent;
  }
  BigNatural number(mantissa);
  if (exponent >= 0) {
    number.MultiplyByPower(2, exponent, 1u << 30, 30);
    return {number.ToDigits(), 0};
  }
  // m × 2^-k = m × 5^k / 10^k
  number.MultiplyByPower(5, -exponent, 1220703125u, 13);
  return {number.ToDigits(), -exponent};
}

std::string DropDigitsRounding(const std::string& digits, std::size_t count) {
  if (count == 0) {
    return digits;
  }
  const bool round_up = count <= digits.size() && digits[digits.size() - count] >= '5';
  std::string kept = count < digits.size() ? digits.substr(0, digits.size() - count) : "0";
  if (round_up) {
    IncrementDigits(kept);
  }
  return kept;
}

std::optional<std::string> NonFiniteText(double value) {
  if (std::isnan(value)) {
    return "NAN";
  }
  if (std::isinf(value)) {
    return value < 0 ? "-INF" : "INF";
  }
  return std::nullopt;
}

}  // namespace exportlib
