// The exact decimal expansion of a double, from which the formatter takes
// every text that the integer path cannot write.
#ifndef GANNET_EXPORTLIB_EXACT_DECIMAL_H_
#define GANNET_EXPORTLIB_EXACT_DECIMAL_H_

#include <cstddef>
#include <optional>
#include <string>

namespace exportlib {

/// A non-negative number as decimal digits: value = digits × 10^-fraction.
struct Decimal {
  std::string digits;
  int fraction = 0;
};

/// The exact decimal value of a finite, non-negative double (at most 767
/// significant digits); 0 is {"0", 0}.
Decimal ExactDecimal(double magnitude);

/// `digits` without its last `count` digits, rounded half away from zero on
/// what they were; the result keeps at least one digit and may be one digit
/// longer than the kept part when the rounding carries ("95" less 1 is "10").
std::string DropDigitsRounding(const std::string& digits, std::size_t count);

/// "NAN", "INF" or "-INF" for a value that is not finite; nothing otherwise.
std::optional<std::string> NonFiniteText(double value);

}  // namespace exportlib

#endif  // GANNET_EXPORTLIB_EXACT_DECIMAL_H_
