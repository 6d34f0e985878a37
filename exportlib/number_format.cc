#include "exportlib/number_format.h"

#include <cassert>
#include <cmath>
#include <cstdlib>

#include "exportlib/exact_decimal.h"
#include "exportlib/fixed_text.h"

namespace exportlib {
namespace {

char g_separator = '.';

constexpr int kGeneralDigits = 15;

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

std::string FormatGeneral(double value) {
  if (auto special = NonFiniteText(value)) {
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

}  // namespace exportlib
