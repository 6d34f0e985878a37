// Skerry.mcp: the batch tool plug-in's six entry points.
#include <cstdint>

#include "batchtool/tool_switch.h"
#include "exportlib/number_format.h"
#include "hostplugin/host_api.h"
#include "hostplugin/mcp_abi.h"
#include "hostplugin/plugin_description.h"
#include "platform/decimal_separator.h"
#include "platform/message_box.h"
#include "platform/tool_bitmap.h"

namespace {

mcp::CallbackTable g_callbacks;

constexpr std::uint16_t kToolValue = 2;

// Its address is the tool's identifier: unique within the host process.
const char g_identity = 0;

std::uint64_t ToolId() {
  return reinterpret_cast<std::uintptr_t>(&g_identity);
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

[[maybe_unused]] const bool g_loaded = [] {
  exportlib::SetDecimalSeparator(platform::ReadUserDecimalSeparator());
  platform::SetMessageCaption("Skerry");
  return true;
}();

}  // namespace

MCP_EXPORT std::int32_t MCP_CALL MCP_InitializePluginProc(std::int32_t index,
                                                          std::uintptr_t value) {
  return g_callbacks.Store(index, value);
}

MCP_EXPORT std::int32_t MCP_CALL MCP_PluginEntry(std::uint32_t, std::uint32_t,
                                                 std::uint32_t host_version) {
  return mcp::AcceptHostVersion(host_version);
}

MCP_EXPORT std::uint8_t MCP_CALL MCP_GetPluginInfo(mcp::Context context0, mcp::Context context1,
                                                   std::int32_t plugin_index) {
  if (plugin_index != 0) {
    return 0;
  }
  mcp::SubmitPluginInfo(mcp::HostApi(g_callbacks), context0, context1, "Skerry", "Skerry",
                        mcp::kPluginKindTool, ToolId());
  return 1;
}

MCP_EXPORT std::uintptr_t MCP_CALL MCP_ReleasePlugin(std::uint32_t, std::uint32_t) {
  return static_cast<std::uintptr_t>(ToolId());
}

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
  mcp::HostApi(g_callbacks)
      .SubmitInfo(id_low, id_high, context0, context1, mcp::kInfoKindTool, &record, sizeof record);
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
    return batchtool::RunToolScript(mcp::HostApi(g_callbacks), scene);
  } catch (...) {
    // Nothing may unwind into the host.
    return 0;
  }
}
