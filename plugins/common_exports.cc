// The four entry points that both plug-ins export alike, compiled into each
// with that plug-in's identity (plugin_identity.h).
#include <cstdint>

#include "exportlib/number_format.h"
#include "hostplugin/host_api.h"
#include "hostplugin/mcp_abi.h"
#include "platform/decimal_separator.h"
#include "platform/message_box.h"
#include "plugins/plugin_identity.h"

namespace {

mcp::CallbackTable g_callbacks;

// Both plug-ins have always reported this value after their identifier; its
// meaning is the host's.
constexpr std::uint64_t kPluginValue = 97;

[[maybe_unused]] const bool g_loaded = [] {
  exportlib::SetDecimalSeparator(platform::ReadUserDecimalSeparator());
  platform::SetMessageCaption(plugins::kThisPlugin.name);
  return true;
}();

}  // namespace

mcp::HostApi plugins::Host() {
  return mcp::HostApi(g_callbacks);
}

MCP_EXPORT std::int32_t MCP_CALL MCP_InitializePluginProc(std::int32_t index,
                                                          std::uintptr_t value) {
  return g_callbacks.Store(index, value);
}

MCP_EXPORT std::int32_t MCP_CALL MCP_PluginEntry(std::uint32_t, std::uint32_t,
                                                 std::uint32_t host_version) {
  return host_version >= mcp::kMinimumHostVersion ? 1 : 0;
}

MCP_EXPORT std::uint8_t MCP_CALL MCP_GetPluginInfo(mcp::Context context0, mcp::Context context1,
                                                   std::int32_t plugin_index) {
  if (plugin_index != 0) {
    return 0;
  }
  const plugins::PluginIdentity& identity = plugins::kThisPlugin;
  mcp::PluginInfoRecord record{};
  record.name = identity.name;
  record.description = identity.description;
  record.kind = identity.kind;
  record.id = plugins::PluginId(identity);
  record.value = kPluginValue;
  plugins::Host().SubmitInfo(0, 0, context0, context1, mcp::kInfoKindPlugin, &record,
                             sizeof record);
  return 1;
}

MCP_EXPORT std::uintptr_t MCP_CALL MCP_ReleasePlugin(std::uint32_t id_low, std::uint32_t) {
  // Answered from data alone: a call here could end in a jump to the plug-in's
  // code, and the shipped-file checks read each export's own return.
  const plugins::PluginIdentity& identity = plugins::kThisPlugin;
  return identity.release_answers_first_argument
             ? id_low
             : static_cast<std::uintptr_t>(plugins::PluginId(identity));
}
