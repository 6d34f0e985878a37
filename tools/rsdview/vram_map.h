// The picture of video memory: the memory map on top, 1024 x 512 columns and
// rows at `zoom` pixels each, and below it every 4- and 8-bit texture at its
// true texel width.
//
// Marks of the map:
//   dark grey        unused memory
//   image colours    each image decoded through its own palette; a column
//                    of a 4- or 8-bit image shows the mean of its 4 or 2
//                    texels
//   palette strips   each palette's colours, one column per colour, at its row
//   grey lines       the texture-page grid, every 64 columns and 256 rows
//   green outline    the display area
//   white outline    each image, with its texture number at the top left
//   magenta fill     where images and palettes overlap or lie in the display
//   red outline      an image or palette past video memory, or an image that
//                    one texture page cannot address
#ifndef GANNET_TOOLS_RSDVIEW_VRAM_MAP_H_
#define GANNET_TOOLS_RSDVIEW_VRAM_MAP_H_

#include <vector>

#include "tools/rsdview/canvas.h"
#include "tools/rsdview/vram_check.h"

namespace rsdview {

namespace marks {
inline constexpr Rgb kUnused = {28, 28, 28};
inline constexpr Rgb kPageGrid = {96, 96, 96};
inline constexpr Rgb kDisplay = {0, 220, 0};
inline constexpr Rgb kImageOutline = {235, 235, 235};
inline constexpr Rgb kOverlap = {255, 0, 255};
inline constexpr Rgb kFaultOutline = {255, 32, 32};
inline constexpr Rgb kLabel = {255, 255, 255};
inline constexpr Rgb kLabelShadow = {0, 0, 0};
}  // namespace marks

/// Largest zoom: at 4 the map is already 4096 x 2048 pixels.
inline constexpr int kMostZoom = 4;

/// Draws the map of `textures` with `faults` (from FindFaults) marked.
Canvas DrawVramMap(const std::vector<Texture>& textures, const std::vector<VramFault>& faults,
                   const Area& display, int zoom);

}  // namespace rsdview

#endif  // GANNET_TOOLS_RSDVIEW_VRAM_MAP_H_
