// The two ways the formatter writes fixed notation. Callers use
// FormatFixed or AppendFixed (number_format.h); the paths are apart so that
// each can be checked against the other.
#ifndef GANNET_EXPORTLIB_FIXED_TEXT_H_
#define GANNET_EXPORTLIB_FIXED_TEXT_H_

#include <string>

namespace exportlib {

/// Appends the fixed-notation text of a value below 2^53 with at most 17
/// decimals through integer arithmetic (128-bit where the compiler has it)
/// and answers true; answers false and appends nothing for any other value.
bool AppendFixedThroughIntegers(std::string& text, double value, int decimals);

/// The same text for every value, from the value's full decimal expansion.
std::string FormatFixedExactly(double value, int decimals);

}  // namespace exportlib

#endif  // GANNET_EXPORTLIB_FIXED_TEXT_H_
