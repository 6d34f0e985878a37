// The exporter's working entry behind the identifier gate of MCP_ExecuteExport.
#ifndef GANNET_EXPORTER_EXPORT_DRIVER_H_
#define GANNET_EXPORTER_EXPORT_DRIVER_H_

#include <cstdint>

#include "exportlib/user_channel.h"
#include "hostplugin/host_api.h"

namespace exporter {

/// Picks the first activated root object of `scene` and exports it to the
/// path and scale of `params`, talking to the user and the outside tools
/// through `channel` alone. Returns 1 when an object was handed to the
/// export routine, else 0. Never throws.
std::uint8_t ExecuteExport(const mcp::HostApi& host, mcp::Handle scene,
                           const mcp::ExportParams& params, const exportlib::UserChannel& channel);

}  // namespace exporter

#endif  // GANNET_EXPORTER_EXPORT_DRIVER_H_
