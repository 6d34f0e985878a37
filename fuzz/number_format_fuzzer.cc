// The number formatter and parsers against references computed another way:
// the C library's exact decimal expansion, rounded by hand half away from
// zero on the digit string, and strtoll / strtold behind a grammar check of
// their own.
//
// Input: byte 0 picks the mode (bit 0) and the separator (bit 1). Mode 0:
// bytes 1-8 are a double, byte 9 the decimals of FormatFixed (as a signed
// byte). Mode 1: the rest is a text for ParseInteger and ParseReal.
#include <cerrno>
#include <clocale>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

#include "exportlib/number_format.h"

namespace {

// Aborts with both texts, so that libFuzzer keeps the input.
void Expect(bool ok, const char* what, std::string_view input, const std::string& got,
            const std::string& want) {
  if (!ok) {
    std::fprintf(stderr, "%s of %.*s: got \"%s\", want \"%s\"\n", what,
                 static_cast<int>(input.size()), input.data(), got.c_str(), want.c_str());
    std::abort();
  }
}

std::string Printed(const char* format, double value) {
  char buffer[2048];
  const int length = std::snprintf(buffer, sizeof buffer, format, value);
  return std::string(buffer, static_cast<std::size_t>(length));
}

// Adds one to a string of decimal digits; returns true when it grew a digit.
bool Increment(std::string& digits) {
  for (std::size_t i = digits.size(); i-- > 0;) {
    if (digits[i] != '9') {
      ++digits[i];
      return false;
    }
    digits[i] = '0';
  }
  digits.insert(digits.begin(), '1');
  return true;
}

bool AllZero(const std::string& digits) {
  return digits.find_first_not_of('0') == std::string::npos;
}

std::string ReferenceFixed(double value, int decimals, char separator) {
  if (std::isnan(value)) {
    return "NAN";
  }
  if (std::isinf(value)) {
    return value < 0 ? "-INF" : "INF";
  }
  if (decimals < 0) {
    decimals = 0;
  }
  // 1100 decimals hold every double exactly (the smallest has 1074).
  const std::string exact = Printed("%.1100f", std::fabs(value));
  const std::size_t point = exact.find('.');
  const std::string whole = exact.substr(0, point);
  const std::string fraction = exact.substr(point + 1);
  std::string digits = whole + fraction.substr(0, static_cast<std::size_t>(decimals));
  if (fraction[static_cast<std::size_t>(decimals)] >= '5') {
    Increment(digits);
  }
  std::string text = value < 0 && !AllZero(digits) ? "-" : "";
  const std::size_t whole_digits = digits.size() - static_cast<std::size_t>(decimals);
  text += digits.substr(0, whole_digits);
  if (decimals > 0) {
    text += separator;
    text += digits.substr(whole_digits);
  }
  return text;
}

std::string ReferenceGeneral(double value, char separator) {
  if (std::isnan(value)) {
    return "NAN";
  }
  if (std::isinf(value)) {
    return value < 0 ? "-INF" : "INF";
  }
  if (value == 0) {
    return "0";
  }
  // 800 digits after the first hold every double exactly (at most 767).
  const std::string exact = Printed("%.800e", std::fabs(value));
  const std::size_t e = exact.find('e');
  int exponent = std::atoi(exact.c_str() + e + 1);
  const std::string all = exact.substr(0, 1) + exact.substr(2, e - 2);
  std::string digits = all.substr(0, 15);
  if (all[15] >= '5' && Increment(digits)) {
    digits.pop_back();
    ++exponent;
  }
  digits.erase(digits.find_last_not_of('0') + 1);
  std::string text = value < 0 ? "-" : "";
  if (exponent >= 15 || exponent < -5) {
    text += digits.substr(0, 1);
    if (digits.size() > 1) {
      text += separator + digits.substr(1);
    }
    return text + "E" + std::to_string(exponent);
  }
  if (exponent < 0) {
    return text + "0" + separator + std::string(static_cast<std::size_t>(-exponent - 1), '0') +
           digits;
  }
  const auto whole = static_cast<std::size_t>(exponent) + 1;
  if (digits.size() <= whole) {
    return text + digits + std::string(whole - digits.size(), '0');
  }
  return text + digits.substr(0, whole) + separator + digits.substr(whole);
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
  while (i < text.size() && IsDigit(text[i])) {
    ++i;
  }
  return i;
}

// [+-]digits+ with nothing else, read by strtoll; nullopt on overflow.
std::optional<std::int64_t> ReferenceInteger(std::string_view text) {
  std::size_t i = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
  if (i == text.size() || SkipDigits(text, i) != text.size()) {
    return std::nullopt;
  }
  const std::string copy(text);
  errno = 0;
  const long long value = std::strtoll(copy.c_str(), nullptr, 10);
  if (errno == ERANGE) {
    return std::nullopt;
  }
  return value;
}

// [+-] digits [separator digits] [(e|E) [+-] digits+], at least one mantissa
// digit; the text in the C library's notation, or nullopt.
std::optional<std::string> RealInCNotation(std::string_view text, char separator) {
  std::string plain;
  std::size_t i = 0;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    plain += text[i++];
  }
  std::size_t end = SkipDigits(text, i);
  std::size_t mantissa_digits = end - i;
  plain += text.substr(i, end - i);
  i = end;
  if (i < text.size() && text[i] == separator) {
    end = SkipDigits(text, i + 1);
    mantissa_digits += end - i - 1;
    plain += '.';
    plain += text.substr(i + 1, end - i - 1);
    i = end;
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
    end = SkipDigits(text, i);
    if (end == i) {
      return std::nullopt;
    }
    plain += text.substr(i, end - i);
    i = end;
  }
  if (i != text.size()) {
    return std::nullopt;
  }
  return plain;
}

void CheckFormatting(const std::uint8_t* data, std::size_t size, char separator) {
  if (size < 10) {
    return;
  }
  double value = 0;
  std::memcpy(&value, data + 1, sizeof value);
  const int decimals = static_cast<std::int8_t>(data[9]);
  const std::string name = Printed("%a", value) + " decimals " + std::to_string(decimals);
  const std::string fixed = exportlib::FormatFixed(value, decimals);
  Expect(fixed == ReferenceFixed(value, decimals, separator), "FormatFixed", name, fixed,
         ReferenceFixed(value, decimals, separator));
  const std::string general = exportlib::FormatGeneral(value);
  Expect(general == ReferenceGeneral(value, separator), "FormatGeneral", name, general,
         ReferenceGeneral(value, separator));
}

void CheckParsing(std::string_view text, char separator) {
  const auto integer = exportlib::ParseInteger(text);
  const auto want_integer = ReferenceInteger(text);
  Expect(integer == want_integer, "ParseInteger", text, integer ? std::to_string(*integer) : "none",
         want_integer ? std::to_string(*want_integer) : "none");

  const auto real = exportlib::ParseReal(text);
  const auto plain = RealInCNotation(text, separator);
  if (!plain) {
    Expect(!real, "ParseReal", text, "a number", "none");
    return;
  }
  errno = 0;
  const long double want = std::strtold(plain->c_str(), nullptr);
  if (errno == ERANGE) {
    return;  // overflow and underflow: either answer will do, but no crash
  }
  Expect(real.has_value() && *real == want, "ParseReal", text,
         real ? Printed("%a", static_cast<double>(*real)) : "none",
         Printed("%a", static_cast<double>(want)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  std::setlocale(LC_NUMERIC, "C");  // the references' notation
  const char separator = (data[0] & 2) != 0 ? ',' : '.';
  exportlib::SetDecimalSeparator(separator);
  if ((data[0] & 1) == 0) {
    CheckFormatting(data, size, separator);
  } else {
    CheckParsing(std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1), separator);
  }
  exportlib::SetDecimalSeparator('.');
  return 0;
}
