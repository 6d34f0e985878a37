// The tool's working entry behind the gates of MCP_ToolSwitch.
#ifndef GANNET_BATCHTOOL_TOOL_SWITCH_H_
#define GANNET_BATCHTOOL_TOOL_SWITCH_H_

#include <cstdint>

#include "batchtool/export_by_name.h"
#include "exportlib/user_channel.h"
#include "hostplugin/host_api.h"

namespace batchtool {

/// Finds SkerryScript.txt in the fixed plug-in folders and runs it on
/// `scene` with the shipped writers, talking to the user and the command
/// interpreter through `channel` alone. Returns 1 when the script was found
/// and ran to its end, else 0. Never throws.
std::int32_t RunToolScript(const mcp::HostApi& host, mcp::Handle scene,
                           const exportlib::UserChannel& channel);

/// RunToolScript with its writers given.
std::int32_t RunToolScript(const mcp::HostApi& host, mcp::Handle scene,
                           const exportlib::UserChannel& channel, const ObjectWriters& writers);

/// The writers of the shipped tool: ExportObjModel and the batch variant of
/// exporter::ExportRsdModel, both talking through `channel`.
ObjectWriters ShippedWriters(const mcp::HostApi& host, const exportlib::UserChannel& channel);

}  // namespace batchtool

#endif  // GANNET_BATCHTOOL_TOOL_SWITCH_H_
