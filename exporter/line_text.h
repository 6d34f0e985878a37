// Small builders for the exporter's text lines. Integers never depend on the
// user's settings; real numbers (exportlib's formatter) use the
// user's decimal separator and round halves away from zero.
#ifndef GANNET_EXPORTER_LINE_TEXT_H_
#define GANNET_EXPORTER_LINE_TEXT_H_

#include <charconv>
#include <cstdint>
#include <string>

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

}  // namespace exporter

#endif  // GANNET_EXPORTER_LINE_TEXT_H_
