#include "exportlib/scan_formatted.h"

#include <optional>

#include "exportlib/conversion_error.h"
#include "exportlib/number_format.h"

namespace exportlib {
namespace {

// Positions count from 1, as the scanner has always counted them.
class Scanner {
 public:
  Scanner(std::string_view input, std::string_view format) : input_(input), format_(format) {}

  // The next conversion character ('d', 'f', 's'), consuming the literals
  // before it; nullopt when the format or the input runs out first.
  std::optional<char> NextConversion() {
    while (true) {
      while (format_pos_ < Last(format_) && At(format_, format_pos_) == ' ') {
        ++format_pos_;
      }
      if (format_pos_ >= Last(format_)) {
        return std::nullopt;
      }
      const char c = At(format_, format_pos_);
      if (c == '%') {
        const char conversion = At(format_, format_pos_ + 1);
        format_pos_ += 2;
        if (conversion == 'd' || conversion == 'f' || conversion == 's') {
          return conversion;
        }
        return std::nullopt;
      }
      while (input_pos_ < Last(input_) && At(input_, input_pos_) != c) {
        ++input_pos_;
      }
      ++input_pos_;
      if (input_pos_ > Last(input_)) {
        return std::nullopt;
      }
      ++format_pos_;
    }
  }

  // Skips spaces, then collects the run of characters from `allowed`.
  std::string CollectNumber(std::string_view allowed) {
    SkipInputSpaces();
    std::string run;
    while (input_pos_ <= Last(input_) &&
           allowed.find(At(input_, input_pos_)) != std::string_view::npos) {
      run += At(input_, input_pos_++);
    }
    return run;
  }

  std::string CollectWord() {
    SkipInputSpaces();
    std::string word;
    while (input_pos_ <= Last(input_) && At(input_, input_pos_) != ' ') {
      word += At(input_, input_pos_++);
    }
    return word;
  }

 private:
  static std::size_t Last(std::string_view text) { return text.size(); }
  static char At(std::string_view text, std::size_t position) {
    return position >= 1 && position <= text.size() ? text[position - 1] : '\0';
  }

  void SkipInputSpaces() {
    while (input_pos_ < Last(input_) && At(input_, input_pos_) == ' ') {
      ++input_pos_;
    }
  }

  std::string_view input_;
  std::string_view format_;
  std::size_t input_pos_ = 1;
  std::size_t format_pos_ = 1;
};

std::int32_t ToInteger(const std::string& run) {
  const std::optional<std::int32_t> value = ParseInteger32(run);
  if (!value) {
    throw ConversionError(run, true);
  }
  return *value;
}

long double ToReal(const std::string& run) {
  const std::optional<long double> value = ParseReal(run);
  if (!value) {
    throw ConversionError(run, false);
  }
  return *value;
}

}  // namespace

int ScanFormatted(std::string_view input, std::string_view format,
                  std::span<const ScanTarget> targets) {
  Scanner scanner(input, format);
  int filled = 0;
  for (const ScanTarget& target : targets) {
    const std::optional<char> conversion = scanner.NextConversion();
    if (!conversion) {
      break;
    }
    if (*conversion == 'd') {
      auto* destination = std::get_if<std::int32_t*>(&target);
      if (destination == nullptr) {
        break;
      }
      const std::string run = scanner.CollectNumber("+-0123456789");
      if (run.empty()) {
        break;
      }
      **destination = ToInteger(run);
    } else if (*conversion == 'f') {
      auto* destination = std::get_if<long double*>(&target);
      if (destination == nullptr) {
        break;
      }
      const std::string run = scanner.CollectNumber("+-.0123456789Ee");
      if (run.empty()) {
        break;
      }
      **destination = ToReal(run);
    } else {
      auto* destination = std::get_if<std::string*>(&target);
      if (destination == nullptr) {
        break;
      }
      std::string word = scanner.CollectWord();
      if (word.empty()) {
        break;
      }
      **destination = std::move(word);
    }
    ++filled;
  }
  return filled;
}

}  // namespace exportlib
