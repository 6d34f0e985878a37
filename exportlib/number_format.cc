#include "exportlib/number_format.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "exportlib/fixed_text.h"

namespace exportlib {
namespace {

char g_separator = '.';

constexpr int kGeneralDigits = 15;

// A non-negative number as decimal digits: value = digits × 10^-fraction.
struct Decimal {
  std::string digits;
  int fraction = 0;
};

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

// The exact decimal value of a finite, non-negative double.
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

// Drops the last `count` digits, rounding half away from zero on what they
// were; `digits` keeps at least one digit.
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

bool AllZero(const std::string& digits) {
  return digits.find_first_not_of('0') == std::string::npos;
}

std::optional<std::string> NonFinite(double value) {
  if (std::isnan(value)) {
    return "NAN";
  }
  if (std::isinf(value)) {
    return value < 0 ? "-INF" : "INF";
  }
  return std::nullopt;
}

std::string Exponent(int exponent) {
  return "E" + std::string(exponent < 0 ? "-" : "") + std::to_string(std::abs(exponent));
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// The arguments of one FormatPattern call, taken in order.
class ArgumentCursor {
 public:
  // The list outlives the cursor: both belong to one FormatPattern call.
  explicit ArgumentCursor(const std::initializer_list<FormatArg>& args)
      : next_(std::data(args)), end_(std::data(args) + args.size()) {}

  template <typename T>
  std::optional<T> Take() {
    assert(next_ != end_ && "FormatPattern: missing argument");
    if (next_ == end_) {
      return std::nullopt;
    }
    const FormatArg& arg = *next_++;
    if (const T* value = std::get_if<T>(&arg)) {
      return *value;
    }
    if constexpr (std::is_same_v<T, double>) {
      if (const std::int64_t* whole = std::get_if<std::int64_t>(&arg)) {
        return static_cast<double>(*whole);
      }
    }
    assert(false && "FormatPattern: mismatched argument");
    return std::nullopt;
  }

 private:
  const FormatArg* next_;
  const FormatArg* end_;
};

std::string FormatUnsigned(std::int64_t value) {
  // As a 32-bit plug-in always printed it: a negative value wraps.
  if (value < 0 && value >= INT32_MIN) {
    return std::to_string(static_cast<std::uint32_t>(value));
  }
  return std::to_string(static_cast<std::uint64_t>(value));
}

}  // namespace

char DecimalSeparator() {
  return g_separator;
}

void SetDecimalSeparator(char separator) {
  g_separator = separator;
}

std::string FormatFixed(double value, int decimals) {
  std::string text;
  AppendFixed(text, value, decimals);
  return text;
}

void AppendFixed(std::string& text, double value, int decimals) {
  if (!AppendFixedThroughIntegers(text, value, decimals)) {
    text += FormatFixedExactly(value, decimals);
  }
}

std::string FormatFixedExactly(double value, int decimals) {
  if (auto special = NonFinite(value)) {
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
  std::string text = (value < 0 && !AllZero(digits)) ? "-" : "";
  const std::size_t whole = digits.size() - static_cast<std::size_t>(decimals);
  text += digits.substr(0, whole);
  if (decimals > 0) {
    text += g_separator;
    text += digits.substr(whole);
  }
  return text;
}

std::string FormatGeneral(double value) {
  if (auto special = NonFinite(value)) {
    return *special;
  }
  if (value == 0) {
    return "0";
  }
  const Decimal exact = ExactDecimal(std::fabs(value));
  // The power of ten of the leading digit.
  int exponent = static_cast<int>(exact.digits.size()) - 1 - exact.fraction;
  std::string digits = exact.digits;
  if (digits.size() > kGeneralDigits) {
    digits = DropDigitsRounding(digits, digits.size() - kGeneralDigits);
    if (digits.size() > kGeneralDigits) {
      ++exponent;
      digits.resize(kGeneralDigits);
    }
  }
  digits.erase(digits.find_last_not_of('0') + 1);

  std::string text = value < 0 ? "-" : "";
  if (exponent >= kGeneralDigits || exponent < -5) {
    text += digits[0];
    if (digits.size() > 1) {
      text += g_separator;
      text += digits.substr(1);
    }
    return text + Exponent(exponent);
  }
  if (exponent < 0) {
    return text + "0" + g_separator + std::string(static_cast<std::size_t>(-exponent - 1), '0') +
           digits;
  }
  const auto whole = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= whole) {
    return text + digits + std::string(whole - digits.size(), '0');
  }
  return text + digits.substr(0, whole) + g_separator + digits.substr(whole);
}

std::string FormatPattern(std::string_view pattern, std::initializer_list<FormatArg> args) {
  ArgumentCursor cursor(args);
  std::string text;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != '%' || i + 1 >= pattern.size()) {
      text += pattern[i];
      continue;
    }
    std::size_t position = i + 1;
    std::optional<int> decimals;
    if (pattern[position] == '.' && position + 1 < pattern.size() &&
        IsDigit(pattern[position + 1])) {
      int count = 0;
      for (++position; position < pattern.size() && IsDigit(pattern[position]); ++position) {
        count = count * 10 + (pattern[position] - '0');
      }
      decimals = count;
    }
    const char conversion = position < pattern.size() ? pattern[position] : '\0';
    switch (conversion) {
      case '%':
        text += '%';
        break;
      case 'd':
        text += std::to_string(cursor.Take<std::int64_t>().value_or(0));
        break;
      case 'u':
        text += FormatUnsigned(cursor.Take<std::int64_t>().value_or(0));
        break;
      case 's':
        text += cursor.Take<std::string_view>().value_or("");
        break;
      case 'f':
        text += FormatFixed(cursor.Take<double>().value_or(0), decimals.value_or(2));
        break;
      case 'g':
        text += FormatGeneral(cursor.Take<double>().value_or(0));
        break;
      default:
        text += pattern[i];
        continue;
    }
    i = position;
  }
  return text;
}

std::optional<std::int64_t> ParseInteger(std::string_view text) {
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) {
    return std::nullopt;
  }
  std::uint64_t magnitude = 0;
  constexpr std::uint64_t kLimit = static_cast<std::uint64_t>(INT64_MAX) + 1;
  for (char c : text) {
    if (!IsDigit(c)) {
      return std::nullopt;
    }
    // Tested before the step, which could wrap 64 bits (2^64 would read 0).
    const auto digit = static_cast<std::uint64_t>(c - '0');
    if (magnitude > (kLimit - digit) / 10) {
      return std::nullopt;
    }
    magnitude = magnitude * 10 + digit;
  }
  if (!negative && magnitude == kLimit) {
    return std::nullopt;
  }
  return negative ? static_cast<std::int64_t>(0 - magnitude) : static_cast<std::int64_t>(magnitude);
}

std::optional<long double> ParseReal(std::string_view text) {
  std::string plain;  // the number in the notation from_chars reads
  std::size_t i = 0;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  int mantissa_digits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i, ++mantissa_digits) {
    plain += text[i];
  }
  if (i < text.size() && text[i] == g_separator) {
    plain += '.';
    for (++i; i < text.size() && IsDigit(text[i]); ++i, ++mantissa_digits) {
      plain += text[i];
    }
  }
  if (mantissa_digits == 0) {
    return std::nullopt;
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    plain += 'e';
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      plain += text[i++];
    }
    int exponent_digits = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i, ++exponent_digits) {
      plain += text[i];
    }
    if (exponent_digits == 0) {
      return std::nullopt;
    }
  }
  if (i != text.size()) {
    return std::nullopt;
  }
  long double value = 0;
  const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
  if (error != std::errc() || end != plain.data() + plain.size()) {
    return std::nullopt;
  }
  return negative ? -value : value;
}

}  // namespace exportlib
