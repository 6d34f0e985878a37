#include "tools/rsd2tmd/texture_words.h"

namespace rsd2tmd {
namespace {

int DepthCode(int depth) {
  switch (depth) {
    case 4:
      return 0;
    case 8:
      return 1;
    default:
      return 2;
  }
}

}  // namespace

std::uint16_t PaletteWord(const TexturePlace& place) {
  if (place.depth == 16) {
    return 0;
  }
  return static_cast<std::uint16_t>((place.palette_y << 6) | (place.palette_x >> 4));
}

std::uint16_t PageWord(const TexturePlace& place, int rate) {
  const int page_x = (place.image_x / kPageColumns) & 0xF;
  const int page_y = (place.image_y / kPageRows) & 0x1;
  return static_cast<std::uint16_t>(page_x | page_y << 4 | (rate & 3) << 5 |
                                    DepthCode(place.depth) << 7);
}

PageTexel TexelInPage(const TexturePlace& place, int u, int v) {
  const int texels_per_column = 16 / place.depth;
  return {u + (place.image_x % kPageColumns) * texels_per_column, v + place.image_y % kPageRows};
}

}  // namespace rsd2tmd
