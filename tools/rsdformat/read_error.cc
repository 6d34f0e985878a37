#include "tools/rsdformat/read_error.h"

#include <optional>
#include <utility>

#include "toolfiles/input_file.h"

namespace rsdformat {
namespace {

std::string Joined(const std::string& file, const std::string& place, const std::string& message) {
  return place.empty() ? file + ": " + message : file + place + ": " + message;
}

}  // namespace

ReadError::ReadError(const std::string& file, const std::string& place, const std::string& message)
    : std::runtime_error(Joined(file, place, message)), file_(file), message_(message) {}

// The places are built by appending: mingw-w64's GCC 12 warns wrongly
// (-Wrestrict) on a literal + std::string concatenation.
ReadError LineError(const std::string& file, int line, const std::string& message) {
  std::string place = ":";
  place += std::to_string(line);
  return ReadError(file, place, message);
}

ReadError ByteError(const std::string& file, std::size_t offset, const std::string& message) {
  std::string place = ": byte ";
  place += std::to_string(offset);
  return ReadError(file, place, message);
}

std::string Quoted(std::string_view value) {
  constexpr std::size_t kLongest = 40;
  static const char* digits = "0123456789abcdef";
  std::string out = "'";
  for (std::size_t i = 0; i < value.size() && i < kLongest; ++i) {
    const auto byte = static_cast<unsigned char>(value[i]);
    if (byte >= 0x20 && byte < 0x7F) {
      out += static_cast<char>(byte);
    } else {
      out += "\\x";
      out += digits[byte >> 4];
      out += digits[byte & 15];
    }
  }
  if (value.size() > kLongest) {
    out += "...";
  }
  return out + "'";
}

std::string ReadWholeFile(const std::filesystem::path& path, std::uint64_t limit) {
  std::string problem;
  std::optional<std::string> bytes = toolfiles::ReadInputFile(path, limit, &problem);
  if (!bytes) {
    throw ReadError(path.string(), "", problem);
  }
  return std::move(*bytes);
}

}  // namespace rsdformat
