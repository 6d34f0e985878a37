#include "batchtool/tool_switch.h"

namespace batchtool {

// The script interpreter lands with the batch tool; until then no script runs.
std::int32_t RunToolScript(const mcp::HostApi&, mcp::Handle) { return 0; }

}  // namespace batchtool
