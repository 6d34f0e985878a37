#include "tools/psxview/viewer_image.h"

#include <system_error>

namespace psxview {

std::vector<std::filesystem::path> ViewerPlaces(const std::filesystem::path& program) {
  const std::filesystem::path folder = program.parent_path();
  return {folder / kViewerName, folder / ".." / "share" / "gannet" / "console" / kViewerName};
}

std::optional<std::filesystem::path> FindViewer(const std::filesystem::path& program) {
  for (const std::filesystem::path& place : ViewerPlaces(program)) {
    std::error_code error;
    if (std::filesystem::is_regular_file(place, error)) {
      return place;
    }
  }
  return std::nullopt;
}

}  // namespace psxview
