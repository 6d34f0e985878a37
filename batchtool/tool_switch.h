// The tool's working entry behind the gates of MCP_ToolSwitch.
#ifndef GANNET_BATCHTOOL_TOOL_SWITCH_H_
#define GANNET_BATCHTOOL_TOOL_SWITCH_H_

#include <cstdint>

#include "batchtool/export_by_name.h"
#include "batchtool/tool_services.h"
#include "hostplugin/host_api.h"

namespace batchtool {

/// Finds SkerryScript.txt in the fixed plug-in folders and runs it on
/// `scene`. Returns 1 when the script was found and ran to its end, else 0.
/// Never throws.
std::int32_t RunToolScript(const mcp::HostApi& host, mcp::Handle scene);

/// RunToolScript with its message box, command runner and writers given.
std::int32_t RunToolScript(const mcp::HostApi& host, mcp::Handle scene,
                           const ToolServices& services, const ObjectWriters& writers);

/// The writers of the shipped tool: ExportObjModel and the batch variant of
/// exporter::ExportRsdModel.
ObjectWriters ShippedWriters(const mcp::HostApi& host, const ToolServices& services);

}  // namespace batchtool

#endif  // GANNET_BATCHTOOL_TOOL_SWITCH_H_
