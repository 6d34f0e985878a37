// Writing pictures as an animated GIF that loops for ever. GIF holds 256
// colours a picture: every picture is mapped to one fixed palette, a
// 6 x 6 x 6 colour cube and 40 greys, each pixel to the nearest entry.
#ifndef GANNET_TOOLS_RSDVIEW_GIF_FILE_H_
#define GANNET_TOOLS_RSDVIEW_GIF_FILE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/rsdview/canvas.h"

namespace rsdview {

/// The palette index nearest to `color`.
std::uint8_t GifColorIndex(Rgb color);

/// The colour of palette entry `index`.
Rgb GifPaletteColor(std::uint8_t index);

/// The GIF file of `frames` (all of one size), each shown for `delay_ms`
/// milliseconds (rounded to hundredths); nullopt for no frames.
std::optional<std::string> GifBytes(const std::vector<Canvas>& frames, int delay_ms);

}  // namespace rsdview

#endif  // GANNET_TOOLS_RSDVIEW_GIF_FILE_H_
