#include "tools/rsdformat/text_lines.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

namespace rsdformat {
namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t';
}

bool IsComment(std::string_view line) {
  const std::string_view trimmed = Trimmed(line);
  return trimmed.empty() || trimmed.front() == '#';
}

// Digits, an optional fraction and exponent: what from_chars would also take
// as "inf", "nan" or hexadecimal is refused before it gets there.
bool LooksDecimal(std::string_view text) {
  bool digits = false;
  std::size_t i = 0;
  while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
    digits = true;
    ++i;
  }
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      digits = true;
      ++i;
    }
  }
  if (!digits) {
    return false;
  }
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    ++i;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
      ++i;
    }
    const std::size_t exponent = i;
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      ++i;
    }
    if (i == exponent) {
      return false;
    }
  }
  return i == text.size();
}

}  // namespace

TextCursor::TextCursor(std::string_view text, std::string file)
    : text_(text), file_(std::move(file)) {}

std::optional<TextLine> TextCursor::Next() {
  while (position_ < text_.size()) {
    const std::size_t end = text_.find('\n', position_);
    std::string_view line = end == std::string_view::npos
                                ? text_.substr(position_)
                                : text_.substr(position_, end - position_);
    position_ = end == std::string_view::npos ? text_.size() : end + 1;
    ++line_number_;
    if (line.size() > kLongestLine) {
      throw LineError(file_, line_number_,
                      "line " + std::to_string(line_number_) + " is longer than the limit of " +
                          std::to_string(kLongestLine) + " bytes");
    }
    if (!line.empty() && line.back() == '\r') {
      line.remove_suffix(1);
    }
    if (!IsComment(line)) {
      return TextLine{line_number_, line};
    }
  }
  return std::nullopt;
}

TextLine TextCursor::Expect(std::string_view what) {
  if (std::optional<TextLine> line = Next()) {
    return *line;
  }
  // An empty file still has a first line to point at.
  throw LineError(file_, std::max(line_number_, 1),
                  "the file ends where " + std::string(what) + " was expected");
}

void TextCursor::ExpectEnd(std::string_view what) {
  if (std::optional<TextLine> line = Next()) {
    throw LineError(file_, line->number,
                    "unexpected line after " + std::string(what) + ": " + Quoted(line->text));
  }
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) {
    text.remove_prefix(1);
  }
  while (!text.empty() && IsBlank(text.back())) {
    text.remove_suffix(1);
  }
  return text;
}

Fields::Fields(const TextLine& line, const std::string& file) : line_(line), file_(file) {
  std::size_t i = 0;
  const std::string_view text = line.text;
  while (i < text.size()) {
    while (i < text.size() && IsBlank(text[i])) {
      ++i;
    }
    const std::size_t start = i;
    while (i < text.size() && !IsBlank(text[i])) {
      ++i;
    }
    if (i > start) {
      fields_.push_back(text.substr(start, i - start));
    }
  }
}

void Fields::ExpectCount(std::size_t count, std::string_view what) const {
  if (fields_.size() != count) {
    throw Error("expected " + std::to_string(count) + " fields (" + std::string(what) +
                "), found " + std::to_string(fields_.size()) + ": " + Quoted(line_.text));
  }
}

std::int64_t Fields::Integer(std::size_t index, std::string_view what, std::int64_t min,
                             std::int64_t max) const {
  const std::string_view field = fields_.at(index);
  if (const std::optional<std::int64_t> value = ParseInteger(field, INT64_MIN, INT64_MAX)) {
    if (*value >= min && *value <= max) {
      return *value;
    }
    throw Error(std::string(what) + " " + std::string(field) + " is out of range " +
                std::to_string(min) + ".." + std::to_string(max));
  }
  throw Error(std::string(what) + " is not a whole number: " + Quoted(field));
}

double Fields::Real(std::size_t index, std::string_view what) const {
  std::string_view field = fields_.at(index);
  std::string_view digits = field;
  if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
    digits.remove_prefix(1);
  }
  double value = 0;
  if (LooksDecimal(digits)) {
    const char* begin = field.data() + (field.front() == '+' ? 1 : 0);
    const auto [end, error] = std::from_chars(begin, field.data() + field.size(), value);
    if (error == std::errc() && end == field.data() + field.size() && std::isfinite(value)) {
      return value;
    }
  }
  throw Error(std::string(what) + " is not a number: " + Quoted(field));
}

ReadError Fields::Error(const std::string& message) const {
  return LineError(file_, line_.number, message);
}

std::optional<std::int64_t> ParseInteger(std::string_view text, std::int64_t min,
                                         std::int64_t max) {
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (!text.empty() && text.front() == '-') {
      return std::nullopt;
    }
  }
  std::int64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || value < min ||
      value > max) {
    return std::nullopt;
  }
  return value;
}

}  // namespace rsdformat
