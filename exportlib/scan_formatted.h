// Pulls numbers out of a tool's printed output by a format pattern.
#ifndef GANNET_EXPORTLIB_SCAN_FORMATTED_H_
#define GANNET_EXPORTLIB_SCAN_FORMATTED_H_

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace exportlib {

/// One target of ScanFormatted: %d fills an int32, %f a long double (extended
/// precision), %s a string.
using ScanTarget = std::variant<std::int32_t*, long double*, std::string*>;

/// Walks `format` and `input` as the plug-ins always have: spaces in the
/// format are skipped, a literal skips the input up to and past its next
/// occurrence, %d / %f / %s skip leading spaces and collect a run of number
/// characters (or a word). Returns how many targets were filled; stops at the
/// first mismatch and leaves later targets untouched. A target whose kind
/// differs from its conversion stops the scan too. Throws ConversionError for a
/// collected run that is not a number ("1-2").
int ScanFormatted(std::string_view input, std::string_view format,
                  std::span<const ScanTarget> targets);

}  // namespace exportlib

#endif  // GANNET_EXPORTLIB_SCAN_FORMATTED_H_
