// What sets one plug-in apart in the four entry points that both plug-ins
// export alike (common_exports.cc, compiled into each). Every plug-in's own
// entry file defines these functions once.
#ifndef GANNET_PLUGINS_PLUGIN_IDENTITY_H_
#define GANNET_PLUGINS_PLUGIN_IDENTITY_H_

#include <cstdint>

#include "hostplugin/host_api.h"

namespace plugins {

/// The plug-in kinds of PluginInfoRecord.
inline constexpr std::uint16_t kPluginKindExporter = 1;
inline constexpr std::uint16_t kPluginKindTool = 2;

/// How a plug-in presents itself to the host. The texts are constants of
/// the plug-in and stay valid while it is loaded.
struct PluginIdentity {
  /// The name in its PluginInfoRecord, also the caption of its message boxes.
  const char* name;
  /// The description in its PluginInfoRecord.
  const char* description;
  /// kPluginKindExporter or kPluginKindTool.
  std::uint16_t kind;
};

/// This plug-in's identity; the same on every call.
PluginIdentity ThisPlugin();

/// The identifier this plug-in reports in its PluginInfoRecord and expects
/// back in its own entry points.
std::uint64_t ThisPluginId();

/// What MCP_ReleasePlugin answers when the host releases `id_low`/`id_high`.
/// The plug-ins have always differed here: the exporter answers `id_low`,
/// the tool its own identifier.
std::uintptr_t ReleaseResult(std::uint32_t id_low, std::uint32_t id_high);

/// Typed calls through the callback table that MCP_InitializePluginProc
/// fills.
mcp::HostApi Host();

}  // namespace plugins

#endif  // GANNET_PLUGINS_PLUGIN_IDENTITY_H_
