// Video memory and its texture pages: where an image or palette lies, which
// page addresses it, and the page-relative texel positions and the palette
// and page words a polygon carries.
//
// Video memory is 1024 x 512 16-bit columns. A texture page starts every 64
// columns and every 256 rows and spans 256 x 256 texels: 64 columns at
// 16 bits, 128 at 8 bits, 256 at 4 bits (a column holds 16 / depth texels).
#ifndef GANNET_TOOLS_RSDFORMAT_TEXTURE_PAGE_H_
#define GANNET_TOOLS_RSDFORMAT_TEXTURE_PAGE_H_

#include <cstdint>

namespace rsdformat {

inline constexpr int kVramColumns = 1024;
inline constexpr int kVramRows = 512;
inline constexpr int kPageColumns = 64;
inline constexpr int kPageRows = 256;
inline constexpr int kPageTexels = 256;

/// Texels one 16-bit column holds at `depth` bits (4, 8 or 16).
constexpr int TexelsPerColumn(int depth) {
  return 16 / depth;
}

/// The page whose top-left corner is at or before column `x`, row `y`.
constexpr int PageX(int x) {
  return x / kPageColumns;
}
constexpr int PageY(int y) {
  return y / kPageRows;
}

/// What is added to an image's own texel position to address it from its
/// page: U += (x mod 64) * (16 / depth), V += y mod 256.
constexpr int PageOffsetU(int image_x, int depth) {
  return (image_x % kPageColumns) * TexelsPerColumn(depth);
}
constexpr int PageOffsetV(int image_y) {
  return image_y % kPageRows;
}

/// Whether a texel position within an image at (image_x, image_y) can be
/// addressed from the image's page: both page-relative values in 0..255.
constexpr bool Addressable(int image_x, int image_y, int depth, int u, int v) {
  const int page_u = PageOffsetU(image_x, depth) + u;
  const int page_v = PageOffsetV(image_y) + v;
  return page_u >= 0 && page_u < kPageTexels && page_v >= 0 && page_v < kPageTexels;
}

/// The palette word CBA: (y << 6) | (x >> 4). A palette at 640, 481 gives
/// 0x7868.
constexpr std::uint16_t PaletteWord(int palette_x, int palette_y) {
  return static_cast<std::uint16_t>(((palette_y & 0x1FF) << 6) | ((palette_x >> 4) & 0x3F));
}

/// The page word TSB: page x (bits 0-3), page y (bit 4), blend rate (bits
/// 5-6), depth (bits 7-8: 0 4-bit, 1 8-bit, 2 16-bit). An 8-bit image at
/// 448, 0 gives 0x0087.
constexpr std::uint16_t PageWord(int image_x, int image_y, int rate, int depth) {
  const int depth_code = depth == 4 ? 0 : depth == 8 ? 1 : 2;
  return static_cast<std::uint16_t>((PageX(image_x) & 0x0F) | ((PageY(image_y) & 1) << 4) |
                                    ((rate & 3) << 5) | (depth_code << 7));
}

}  // namespace rsdformat

#endif  // GANNET_TOOLS_RSDFORMAT_TEXTURE_PAGE_H_
