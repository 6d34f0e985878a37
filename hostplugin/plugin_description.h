// What both plug-ins answer alike in their first entry points.
#ifndef GANNET_HOSTPLUGIN_PLUGIN_DESCRIPTION_H_
#define GANNET_HOSTPLUGIN_PLUGIN_DESCRIPTION_H_

#include <cstdint>

#include "hostplugin/host_api.h"

namespace mcp {

/// The plug-in kinds of PluginInfoRecord.
inline constexpr std::uint16_t kPluginKindExporter = 1;
inline constexpr std::uint16_t kPluginKindTool = 2;

/// 1 for a host version the plug-ins work with (0x50600 or later), else 0.
std::int32_t AcceptHostVersion(std::uint32_t host_version);

/// Submits the zero-filled PluginInfoRecord of a plug-in through SubmitInfo
/// (identifier 0, kind 0, the record's size). `name` and `description` must
/// stay valid while the plug-in is loaded.
void SubmitPluginInfo(const HostApi& host, Context context0, Context context1, const char* name,
                      const char* description, std::uint16_t kind, std::uint64_t id);

}  // namespace mcp

#endif  // GANNET_HOSTPLUGIN_PLUGIN_DESCRIPTION_H_
