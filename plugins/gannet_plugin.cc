// Gannet.mcp: the exporter plug-in's identity and its two entry points of
// its own; the other four are common_exports.cc.
#include <cstdint>

#include "exporter/export_driver.h"
#include "exportlib/user_channel.h"
#include "hostplugin/host_api.h"
#include "hostplugin/mcp_abi.h"
#include "plugins/plugin_identity.h"

namespace {

constexpr char kExtension[] = "rsd";
constexpr char kFileTypeDescription[] = "PlayStation (filename must be <=7 chars!)";
constexpr char kOptions[] = "FlipV|restrFlipVValue=1";

// The host copies the options record while SubmitInfo runs; it stays a
// static all the same, refilled on every call.
mcp::ExporterOptionsRecord g_options;

}  // namespace

constinit const plugins::PluginIdentity plugins::kThisPlugin = {
    .name = "Gannet",
    .description = "PlayStation Gannet",
    .kind = kPluginKindExporter,
    .fixed_id = mcp::kExporterId,
    .id_address = nullptr,
    .release_answers_first_argument = true};

MCP_EXPORT std::uint8_t MCP_CALL MCP_GetExporterInfo(mcp::Context context0, mcp::Context context1,
                                                     std::uint32_t id_low, std::uint32_t id_high) {
  // Hosts have always passed the high half unset here; only the low half is
  // compared.
  if (id_low != mcp::kExporterId) {
    return 0;
  }
  const mcp::HostApi host = plugins::Host();
  g_options = mcp::ExporterOptionsRecord{};
  g_options.size = sizeof g_options;
  g_options.options = kOptions;
  host.SubmitInfo(id_low, id_high, context0, context1, mcp::kInfoKindExporterOptions, &g_options,
                  sizeof g_options);

  mcp::ExporterInfoRecord info{};
  info.extension = kExtension;
  info.description = kFileTypeDescription;
  info.value12 = 4;
  info.value14 = 2;
  info.value18 = 1;
  info.scale = 1.0f;
  host.SubmitInfo(id_low, id_high, context0, context1, mcp::kInfoKindExporter, &info, sizeof info);
  return 1;
}

MCP_EXPORT std::uint8_t MCP_CALL MCP_ExecuteExport(mcp::Context, mcp::Context, std::uint32_t id_low,
                                                   std::uint32_t id_high, mcp::Handle scene,
                                                   const mcp::ExportParams* params) {
  if (id_low != mcp::kExporterId || id_high != 0 || params == nullptr) {
    return 0;
  }
  try {
    return exporter::ExecuteExport(plugins::Host(), scene, *params,
                                   exportlib::PlatformUserChannel());
  } catch (...) {
    // Nothing may unwind into the host.
    return 0;
  }
}
