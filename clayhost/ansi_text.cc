#include "clayhost/ansi_text.h"

#include <cstdio>

namespace clayhost {

std::string Latin1ToUtf8(std::string_view bytes) {
  std::string utf8;
  utf8.reserve(bytes.size());
  for (const char byte : bytes) {
    const auto code = static_cast<unsigned char>(byte);
    if (code < 0x80) {
      utf8 += byte;
    } else {
      utf8 += static_cast<char>(0xC0 | (code >> 6));
      utf8 += static_cast<char>(0x80 | (code & 0x3F));
    }
  }
  return utf8;
}

std::optional<std::string> Utf8ToLatin1(std::string_view utf8) {
  std::string bytes;
  bytes.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const auto lead = static_cast<unsigned char>(utf8[i]);
    if (lead < 0x80) {
      bytes += utf8[i];
      continue;
    }
    // Only U+0080 to U+00FF fit: lead bytes C2 and C3 with one continuation.
    if ((lead != 0xC2 && lead != 0xC3) || i + 1 == utf8.size()) {
      return std::nullopt;
    }
    const auto next = static_cast<unsigned char>(utf8[i + 1]);
    if ((next & 0xC0) != 0x80) {
      return std::nullopt;
    }
    bytes += static_cast<char>(((lead & 0x03) << 6) | (next & 0x3F));
    ++i;
  }
  return bytes;
}

std::string QuoteBytes(std::string_view bytes) {
  std::string quoted = "\"";
  for (const char byte : bytes) {
    const auto code = static_cast<unsigned char>(byte);
    switch (byte) {
      case '"':
        quoted += "\\\"";
        break;
      case '\\':
        quoted += "\\\\";
        break;
      case '\r':
        quoted += "\\r";
        break;
      case '\n':
        quoted += "\\n";
        break;
      case '\t':
        quoted += "\\t";
        break;
      default:
        if (code < 0x20 || code >= 0x7F) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\x%02X", code);
          quoted += escape;
        } else {
          quoted += byte;
        }
    }
  }
  quoted += '"';
  return quoted;
}

}  // namespace clayhost
