// Reading the BMP files that ImageMagick's convert writes: palettized with
// 1, 4 or 8 bits per pixel (uncompressed, RLE4 or RLE8), or direct colour
// with 16, 24 or 32 bits (uncompressed or with bit-field masks, an alpha
// mask included).
#ifndef GANNET_TOOLS_IMG2TIM_BMP_IMAGE_H_
#define GANNET_TOOLS_IMG2TIM_BMP_IMAGE_H_

#include <optional>
#include <string>
#include <string_view>

#include "tools/img2tim/image.h"

namespace img2tim {

/// Whether `bytes` start like a BMP file.
bool LooksLikeBmp(std::string_view bytes);

/// Decodes `bytes`; on failure returns nullopt and sets `error` to a reason.
std::optional<Image> DecodeBmp(std::string_view bytes, std::string& error);

}  // namespace img2tim

#endif  // GANNET_TOOLS_IMG2TIM_BMP_IMAGE_H_
