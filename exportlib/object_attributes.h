// Readers of named object attributes with defaults (two-call text protocol).
#ifndef GANNET_EXPORTLIB_OBJECT_ATTRIBUTES_H_
#define GANNET_EXPORTLIB_OBJECT_ATTRIBUTES_H_

#include <cstdint>
#include <string>

#include "hostplugin/host_api.h"

namespace exportlib {

/// The attribute as a decimal integer with optional sign; `fallback` when it is
/// absent, its text is empty ("") or memory runs out. Throws ConversionError
/// for a text that is not an integer.
std::int32_t ReadIntAttribute(const mcp::HostApi& host, mcp::Handle object, const char* name,
                              std::int32_t fallback);
/// The attribute's text; `fallback` when it is absent (size 0 or less) or
/// memory runs out. An empty text is answered as it is.
std::string ReadTextAttribute(const mcp::HostApi& host, mcp::Handle object, const char* name,
                              const std::string& fallback);

}  // namespace exportlib

#endif  // GANNET_EXPORTLIB_OBJECT_ATTRIBUTES_H_
