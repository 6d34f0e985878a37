#include "exportlib/text_rules.h"

#include <algorithm>

namespace exportlib {
namespace {

bool IsTrimmed(char c) {
  return static_cast<unsigned char>(c) <= 32;
}

char LowerAsciiChar(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

std::string_view TrimControl(std::string_view text) {
  while (!text.empty() && IsTrimmed(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsTrimmed(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  std::transform(lower.begin(), lower.end(), lower.begin(), LowerAsciiChar);
  return lower;
}

bool EqualsIgnoringAsciiCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return LowerAsciiChar(x) == LowerAsciiChar(y);
         });
}

std::string_view FromPosition(std::string_view text, long long position) {
  if (position < 1) {
    return text;
  }
  const auto index = static_cast<unsigned long long>(position - 1);
  return index >= text.size() ? std::string_view() : text.substr(index);
}

}  // namespace exportlib
