// Decoding the image files img2tim converts: BMP (every kind bmp_image.h
// reads), PNG, TGA and JPEG, told apart by their contents, not their names.
#ifndef GANNET_TOOLS_IMG2TIM_IMAGE_FILE_H_
#define GANNET_TOOLS_IMG2TIM_IMAGE_FILE_H_

#include <optional>
#include <string>
#include <string_view>

#include "tools/img2tim/image.h"

namespace img2tim {

/// Decodes `bytes`; on failure returns nullopt and sets `error` to a reason.
/// A palettized PNG or TGA keeps its palette and indices, as a BMP does.
std::optional<Image> DecodeImage(std::string_view bytes, std::string& error);

}  // namespace img2tim

#endif  // GANNET_TOOLS_IMG2TIM_IMAGE_FILE_H_
