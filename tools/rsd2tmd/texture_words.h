// The texture words of a textured TMD polygon: where the GPU finds its
// palette (CBA) and its texture page (TSB), and how a texel position
// counted from the image's own corner becomes one counted from its page.
#ifndef GANNET_TOOLS_RSD2TMD_TEXTURE_WORDS_H_
#define GANNET_TOOLS_RSD2TMD_TEXTURE_WORDS_H_

#include <cstdint>
#include <optional>

namespace rsd2tmd {

/// Where a TIM image and its palette lie in video memory (16-bit columns,
/// rows) and its colour depth in bits per texel: 4, 8 or 16.
struct TexturePlace {
  int depth = 16;
  int image_x = 0;
  int image_y = 0;
  int palette_x = 0;
  int palette_y = 0;
};

/// A page is 64 columns wide and 256 rows high; its texels are addressed by
/// 8-bit U and V.
inline constexpr int kPageColumns = 64;
inline constexpr int kPageRows = 256;
inline constexpr int kLargestTexel = 255;

/// CBA: (palette y << 6) | (palette x >> 4). 0 for a 16-bit image, which has
/// no palette.
std::uint16_t PaletteWord(const TexturePlace& place);

/// TSB: page x (image x / 64) | page y (image y / 256) << 4 | rate << 5 |
/// depth code (0 4-bit, 1 8-bit, 2 16-bit) << 7. `rate` is the
/// semi-transparency rate 0 to 3.
std::uint16_t PageWord(const TexturePlace& place, int rate);

/// A texel position counted from the page's corner.
struct PageTexel {
  int u = 0;
  int v = 0;
};

/// U + (image x mod 64) x (16 / depth), V + (image y mod 256). The result
/// may exceed 255, which no U or V byte can hold.
PageTexel TexelInPage(const TexturePlace& place, int u, int v);

}  // namespace rsd2tmd

#endif  // GANNET_TOOLS_RSD2TMD_TEXTURE_WORDS_H_
