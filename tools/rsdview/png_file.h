// Writing a canvas as a PNG file.
#ifndef GANNET_TOOLS_RSDVIEW_PNG_FILE_H_
#define GANNET_TOOLS_RSDVIEW_PNG_FILE_H_

#include <filesystem>

#include "tools/rsdview/canvas.h"

namespace rsdview {

/// Writes `canvas` to `path` as an 8-bit RGB PNG; false when the file
/// cannot be written.
bool WritePng(const Canvas& canvas, const std::filesystem::path& path);

}  // namespace rsdview

#endif  // GANNET_TOOLS_RSDVIEW_PNG_FILE_H_
