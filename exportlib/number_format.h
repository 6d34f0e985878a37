// Number formatting and parsing for every text the plug-ins write or read.
//
// Rounding is to nearest at the last written digit with halves away from
// zero, decided on the exact binary value (127.5 gives 128, 2.675 with two
// decimals gives 2.67 because it is stored as 2.67499...). A value that
// rounds to zero has no minus sign. The decimal separator is the one set by
// SetDecimalSeparator (the plug-ins set the user's at load).
#ifndef GANNET_EXPORTLIB_NUMBER_FORMAT_H_
#define GANNET_EXPORTLIB_NUMBER_FORMAT_H_

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace exportlib {

/// The separator that formatting and parsing use; '.' until set.
char DecimalSeparator();
void SetDecimalSeparator(char separator);

/// Fixed notation with `decimals` decimals ("%.Nf"); 0 decimals has no
/// separator. NaN and infinities are written as "NAN", "INF", "-INF".
std::string FormatFixed(double value, int decimals);
/// Appends the text of FormatFixed(value, decimals) to `text`, without a
/// string of its own: for the millions of numbers of a model file.
void AppendFixed(std::string& text, double value, int decimals);
/// The general form: up to 15 significant digits, no trailing zeros, no
/// separator for whole numbers; exponent form "1E20" beyond 15 digits.
std::string FormatGeneral(double value);

/// One argument of FormatPattern.
using FormatArg = std::variant<std::int64_t, double, std::string_view>;

/// printf-like formatting with the rules above: %d and %u (integers), %s
/// (texts), %f (two decimals, as the plug-ins have always written it), %.Nf,
/// %g (the general form), %%. Every other character is copied. A missing or
/// mismatched argument is a programming error and asserts.
std::string FormatPattern(std::string_view pattern, std::initializer_list<FormatArg> args);

/// A decimal integer with optional leading sign and nothing else.
std::optional<std::int64_t> ParseInteger(std::string_view text);
/// ParseInteger for the 32-bit numbers of the plug-ins' settings and
/// attributes: nullopt also when the value lies outside int32_t.
std::optional<std::int32_t> ParseInteger32(std::string_view text);
/// A real number in the plug-ins' notation (DecimalSeparator, optional sign
/// and exponent).
std::optional<long double> ParseReal(std::string_view text);

}  // namespace exportlib

#endif  // GANNET_EXPORTLIB_NUMBER_FORMAT_H_
