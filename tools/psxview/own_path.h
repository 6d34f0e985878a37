// Where the running program lies, to find the files installed beside it.
#ifndef GANNET_TOOLS_PSXVIEW_OWN_PATH_H_
#define GANNET_TOOLS_PSXVIEW_OWN_PATH_H_

#include <filesystem>

namespace psxview {

/// The running program's file; `fallback` (argv[0]) when the system does
/// not say.
std::filesystem::path OwnPath(const std::filesystem::path& fallback);

}  // namespace psxview

#endif  // GANNET_TOOLS_PSXVIEW_OWN_PATH_H_
