// What sets one plug-in apart in the four entry points that both plug-ins
// export alike (common_exports.cc, compiled into each). Every plug-in's own
// entry file defines kThisPlugin once.
#ifndef GANNET_PLUGINS_PLUGIN_IDENTITY_H_
#define GANNET_PLUGINS_PLUGIN_IDENTITY_H_

#include <cstdint>

#include "hostplugin/host_api.h"

namespace plugins {

/// The plug-in kinds of PluginInfoRecord.
inline constexpr std::uint16_t kPluginKindExporter = 1;
inline constexpr std::uint16_t kPluginKindTool = 2;

/// How a plug-in presents itself to the host. Plain constants, so that the
/// object is ready before any code of the plug-in runs and the common
/// entry points answer from it without calling into the plug-in's own code.
struct PluginIdentity {
  /// The name in its PluginInfoRecord, also the caption of its message boxes.
  const char* name;
  /// The description in its PluginInfoRecord.
  const char* description;
  /// kPluginKindExporter or kPluginKindTool.
  std::uint16_t kind;
  /// The identifier, when it is a fixed number (the exporter's).
  std::uint64_t fixed_id;
  /// When set, the identifier is this address instead: unique within the
  /// host process (the tool's).
  const void* id_address;
  /// What MCP_ReleasePlugin answers: true, its first argument (the
  /// exporter); false, the plug-in's own identifier (the tool). The two
  /// plug-ins have always differed here.
  bool release_answers_first_argument;
};

/// This plug-in's identity, constant-initialized in its entry file.
extern const PluginIdentity kThisPlugin;

/// The identifier `identity` reports in its PluginInfoRecord and expects back
/// in its own entry points.
inline std::uint64_t PluginId(const PluginIdentity& identity) {
  return identity.id_address != nullptr ? reinterpret_cast<std::uintptr_t>(identity.id_address)
                                        : identity.fixed_id;
}

/// Typed calls through the callback table that MCP_InitializePluginProc
/// fills.
mcp::HostApi Host();

}  // namespace plugins

#endif  // GANNET_PLUGINS_PLUGIN_IDENTITY_H_
