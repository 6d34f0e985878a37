// The two readers of user-written and tool-printed texts: ScanFormatted over
// any input and format, and the material-name size suffix with its
// video-memory block.
//
// Input: byte 0 picks the format (bits 0-1: "%dx%dx%d", "%dx%dx%dx%d", or
// the input's text up to its first zero byte) and the kinds of up to three
// targets (bits 2-7, two per target: int, long double, string, none). The
// rest is the scanned text, and also the material name.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "exporter/size_suffix.h"
#include "exportlib/conversion_error.h"
#include "exportlib/scan_formatted.h"

namespace {

void Require(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "scanner broke its contract: %s\n", what);
    std::abort();
  }
}

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

constexpr std::int32_t kUntouchedInt = 0x5EED;
constexpr long double kUntouchedReal = -7.25L;
const char kUntouchedWord[] = "untouched";

void CheckScan(std::uint8_t kinds, std::string_view input, std::string_view format) {
  std::int32_t ints[3] = {kUntouchedInt, kUntouchedInt, kUntouchedInt};
  long double reals[3] = {kUntouchedReal, kUntouchedReal, kUntouchedReal};
  std::string words[3] = {kUntouchedWord, kUntouchedWord, kUntouchedWord};
  std::vector<exportlib::ScanTarget> targets;
  for (int i = 0; i < 3; ++i) {
    switch ((kinds >> (2 * i)) & 3) {
      case 0:
        targets.emplace_back(&ints[i]);
        break;
      case 1:
        targets.emplace_back(&reals[i]);
        break;
      case 2:
        targets.emplace_back(&words[i]);
        break;
      default:
        break;
    }
  }
  int filled = 0;
  try {
    filled = exportlib::ScanFormatted(input, format, targets);
  } catch (const exportlib::ConversionError&) {
    return;  // a malformed number: the export in progress ends
  }
  Require(filled >= 0 && static_cast<std::size_t>(filled) <= targets.size(), "count out of range");
  for (std::size_t i = static_cast<std::size_t>(filled); i < targets.size(); ++i) {
    const bool untouched = std::visit(
        [](auto* target) {
          using T = std::remove_pointer_t<decltype(target)>;
          if constexpr (std::is_same_v<T, std::int32_t>) {
            return *target == kUntouchedInt;
          } else if constexpr (std::is_same_v<T, long double>) {
            return *target == kUntouchedReal;
          } else {
            return *target == kUntouchedWord;
          }
        },
        targets[i]);
    Require(untouched, "a target after the last filled one was changed");
  }
}

void CheckSuffix(const std::string& name) {
  exporter::SizeSuffix suffix;
  exporter::SuffixStatus status;
  try {
    status = exporter::ParseSizeSuffix(name, suffix);
  } catch (const exportlib::ConversionError&) {
    return;
  }
  const std::size_t tilde = name.find('~');
  Require((status == exporter::SuffixStatus::kNoTilde) == (tilde == std::string::npos),
          "no-tilde status disagrees with the name");
  if (status != exporter::SuffixStatus::kParsed) {
    return;
  }
  const bool grey = tilde + 1 < name.size() && (name[tilde + 1] == 'g' || name[tilde + 1] == 'G');
  Require(suffix.text == name.substr(tilde + 1 + (grey ? 1 : 0)), "suffix is not the name's end");
  Require(suffix.grey_option == (grey ? " -colorspace gray " : " "), "wrong grey option");
  Require(!suffix.width_text.empty() && StartsWith(suffix.text, suffix.width_text + "x"),
          "width text is not what precedes the first x");
  const std::string after_width = suffix.text.substr(suffix.width_text.size() + 1);
  if (suffix.has_height_separator) {
    Require(!suffix.height_text.empty() && StartsWith(after_width, suffix.height_text + "x"),
            "height text is not what lies between the first two x");
  } else {
    Require(suffix.height_text.empty(), "a height text without its separator");
  }
  try {
    const auto origin = exporter::ReadVramOrigin(suffix);
    Require(origin.has_value() == (suffix.text.find('~') != std::string::npos),
            "origin block found where there is no second ~, or missed");
  } catch (const exportlib::ConversionError&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  std::string_view text(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::string_view format;
  switch (data[0] & 3) {
    case 0:
      format = "%dx%dx%d";
      break;
    case 1:
      format = "%dx%dx%dx%d";
      break;
    default: {
      const std::size_t end = text.find('\0');
      format = text.substr(0, end);
      text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
    }
  }
  CheckScan(static_cast<std::uint8_t>(data[0] >> 2), text, format);
  CheckSuffix(std::string(text));
  return 0;
}
