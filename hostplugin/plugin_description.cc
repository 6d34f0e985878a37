#include "hostplugin/plugin_description.h"

namespace mcp {
namespace {

// Both plug-ins have always reported this value after their identifier; its
// meaning is the host's.
constexpr std::uint64_t kPluginValue = 97;

}  // namespace

std::int32_t AcceptHostVersion(std::uint32_t host_version) {
  return host_version >= kMinimumHostVersion ? 1 : 0;
}

void SubmitPluginInfo(const HostApi& host, Context context0, Context context1, const char* name,
                      const char* description, std::uint16_t kind, std::uint64_t id) {
  PluginInfoRecord record{};
  record.name = name;
  record.description = description;
  record.kind = kind;
  record.id = id;
  record.value = kPluginValue;
  host.SubmitInfo(0, 0, context0, context1, kInfoKindPlugin, &record, sizeof record);
}

}  // namespace mcp
