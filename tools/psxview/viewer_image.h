// Finding the console program's image, viewer.bin: beside psxview (the
// build tree and the Windows zip), or in share/gannet/console/ of the
// prefix psxview is installed in.
#ifndef GANNET_TOOLS_PSXVIEW_VIEWER_IMAGE_H_
#define GANNET_TOOLS_PSXVIEW_VIEWER_IMAGE_H_

#include <filesystem>
#include <optional>
#include <vector>

namespace psxview {

inline constexpr const char* kViewerName = "viewer.bin";

/// The places looked at, in order, for a psxview at `program`.
std::vector<std::filesystem::path> ViewerPlaces(const std::filesystem::path& program);

/// The first of ViewerPlaces that exists, or nullopt.
std::optional<std::filesystem::path> FindViewer(const std::filesystem::path& program);

}  // namespace psxview

#endif  // GANNET_TOOLS_PSXVIEW_VIEWER_IMAGE_H_
