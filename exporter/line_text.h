// Small builders for the exporter's text lines. Integers never depend on the
// user's settings; real numbers go through exportlib's formatter, which uses
// the user's decimal separator and rounds halves away from zero.
#ifndef GANNET_EXPORTER_LINE_TEXT_H_
#define GANNET_EXPORTER_LINE_TEXT_H_

#include <charconv>
#include <cstdint>
#include <string>

#include "exportlib/number_format.h"

namespace exporter {

/// Appends `value` in plain decimal ("-12").
inline void AppendDecimal(std::string& line, std::int64_t value) {
  char digits[24];
  const auto result = std::to_chars(digits, digits + sizeof(digits), value);
  line.append(digits, result.ptr);
}

/// `value` in plain decimal.
inline std::string Decimal(std::int64_t value) {
  std::string text;
  AppendDecimal(text, value);
  return text;
}

/// Appends `value` in fixed notation with `decimals` decimals ("%.Nf").
inline void AppendFixed(std::string& line, double value, int decimals) {
  line += exportlib::FormatFixed(value, decimals);
}

}  // namespace exporter

#endif  // GANNET_EXPORTER_LINE_TEXT_H_
