// A canvas as a PNG file.
#ifndef GANNET_TOOLS_RSDVIEW_PNG_FILE_H_
#define GANNET_TOOLS_RSDVIEW_PNG_FILE_H_

#include <optional>
#include <string>

#include "tools/rsdview/canvas.h"

namespace rsdview {

/// The 8-bit RGB PNG file of `canvas`; nullopt for an empty canvas.
std::optional<std::string> PngBytes(const Canvas& canvas);

}  // namespace rsdview

#endif  // GANNET_TOOLS_RSDVIEW_PNG_FILE_H_
