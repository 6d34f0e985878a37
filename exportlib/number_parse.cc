#include <charconv>
#include <cstdint>
#include <string>

#include "exportlib/number_format.h"

namespace exportlib {
namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

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

std::optional<std::int32_t> ParseInteger32(std::string_view text) {
  const std::optional<std::int64_t> value = ParseInteger(text);
  if (!value || *value < INT32_MIN || *value > INT32_MAX) {
    return std::nullopt;
  }
  return static_cast<std::int32_t>(*value);
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
  if (i < text.size() && text[i] == DecimalSeparator()) {
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
