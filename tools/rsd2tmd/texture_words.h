// The texture words of a textured TMD polygon, from the TIM image it uses:
// where the GPU finds the palette (CBA) and the texture page (TSB), and a
// texel position counted from the image's corner turned into one counted
// from its page's.
#ifndef GANNET_TOOLS_RSD2TMD_TEXTURE_WORDS_H_
#define GANNET_TOOLS_RSD2TMD_TEXTURE_WORDS_H_

#include <cstdint>

#include "tools/rsdformat/tim_file.h"

namespace rsd2tmd {

/// The two words a textured packet carries in T0 and T1.
struct TextureWords {
  std::uint16_t cba = 0;
  std::uint16_t tsb = 0;
};

/// CBA = (palette y << 6) | (palette x >> 4), 0 for an image without a
/// palette (16-bit); TSB = image x / 64 | (image y / 256) << 4 | `rate` << 5
/// | depth code (0 4-bit, 1 8-bit, 2 16-bit) << 7.
TextureWords WordsOf(const rsdformat::TimFile& tim, int rate);

/// A texel position counted from the page's corner.
struct PageTexel {
  int u = 0;
  int v = 0;
};

/// U + (image x mod 64) x (16 / depth), V + (image y mod 256); may lie
/// outside 0..255, which no U or V byte holds.
PageTexel TexelInPage(const rsdformat::TimFile& tim, int u, int v);

}  // namespace rsd2tmd

#endif  // GANNET_TOOLS_RSD2TMD_TEXTURE_WORDS_H_
