#include "exportlib/object_attributes.h"

#include <cstring>
#include <memory>
#include <new>
#include <optional>

#include "exportlib/conversion_error.h"
#include "exportlib/number_format.h"

namespace exportlib {
namespace {

// The attribute's text by the two-call protocol; nullopt when it is absent
// (size 0 or less) or the buffer cannot be had.
std::optional<std::string> FetchAttribute(const mcp::HostApi& host, mcp::Handle object,
                                          const char* name) {
  const std::int32_t size = host.GetObjectAttribute(object, name, nullptr, 0);
  if (size <= 0) {
    return std::nullopt;
  }
  const auto length = static_cast<std::size_t>(size);
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[length]());
  if (!buffer) {
    return std::nullopt;
  }
  if (host.GetObjectAttribute(object, name, buffer.get(), size) < 1) {
    return std::nullopt;
  }
  // A host that forgot the terminator must not make us read past the buffer.
  return std::string(buffer.get(), strnlen(buffer.get(), length));
}

}  // namespace

std::int32_t ReadIntAttribute(const mcp::HostApi& host, mcp::Handle object, const char* name,
                              std::int32_t fallback) {
  const std::optional<std::string> text = FetchAttribute(host, object, name);
  // An empty text is an empty answer, not a number gone wrong.
  if (!text || text->empty()) {
    return fallback;
  }
  const std::optional<std::int32_t> value = ParseInteger32(*text);
  if (!value) {
    throw ConversionError(*text, true);
  }
  return *value;
}

std::string ReadTextAttribute(const mcp::HostApi& host, mcp::Handle object, const char* name,
                              const std::string& fallback) {
  return FetchAttribute(host, object, name).value_or(fallback);
}

}  // namespace exportlib
