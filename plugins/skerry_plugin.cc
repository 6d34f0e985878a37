// Skerry.mcp: the batch tool plug-in's identity and its two entry points of
// its own; the other four are common_exports.cc.
#include <cstdint>

#include "batchtool/tool_switch.h"
#include "exportlib/user_channel.h"
#include "hostplugin/host_api.h"
#include "hostplugin/mcp_abi.h"
#include "platform/tool_bitmap.h"
#include "plugins/plugin_identity.h"

namespace {

constexpr std::uint16_t kToolValue = 2;

// Its address is the tool's identifier: unique within the host process.
const char g_identity = 0;

}  // namespace

constinit const plugins::PluginIdentity plugins::kThisPlugin = {
    .name = "Skerry",
    .description = "Skerry",
    .kind = kPluginKindTool,
    .fixed_id = 0,
    .id_address = &g_identity,
    .release_answers_first_argument = false};

namespace {

std::uint64_t ToolId() {
  return plugins::PluginId(plugins::kThisPlugin);
}
std::uint32_t ToolIdLow() {
  return static_cast<std::uint32_t>(ToolId());
}
std::uint32_t ToolIdHigh() {
  return static_cast<std::uint32_t>(ToolId() >> 32);
}
bool IsToolId(std::uint32_t id_low, std::uint32_t id_high) {
  return id_low == ToolIdLow() && id_high == ToolIdHigh();
}

}  // namespace

MCP_EXPORT std::uint8_t MCP_CALL MCP_GetToolInfo(mcp::Context context0, mcp::Context context1,
                                                 std::uint32_t id_low, std::uint32_t id_high) {
  if (!IsToolId(id_low, id_high)) {
    return 0;
  }
  mcp::ToolInfoRecord record{};
  record.width = platform::kToolBitmapWidth;
  record.height = platform::kToolBitmapHeight;
  record.bitmap = platform::LoadToolBitmap();
  record.text = "";
  record.value16 = kToolValue;
  plugins::Host().SubmitInfo(id_low, id_high, context0, context1, mcp::kInfoKindTool, &record,
                             sizeof record);
  return 1;
}

MCP_EXPORT std::int32_t MCP_CALL MCP_ToolSwitch(mcp::Context, mcp::Context, std::uint32_t id_low,
                                                std::uint32_t id_high, std::uint8_t switch_state,
                                                mcp::Handle scene, mcp::ToolStateRecord* state) {
  if (state != nullptr) {
    state->field = 0;
  }
  if (!IsToolId(id_low, id_high) || switch_state != 1) {
    return 0;
  }
  try {
    return batchtool::RunToolScript(plugins::Host(), scene, exportlib::PlatformUserChannel());
  } catch (...) {
    // Nothing may unwind into the host.
    return 0;
  }
}
