#include "tools/rsdformat/texel_clamp.h"

#include <algorithm>

#include "tools/rsdformat/texture_page.h"

namespace rsdformat {
namespace {

// The last texel position an image's polygons can address along one axis.
int LastAddressable(int image_size, int page_offset) {
  return std::max(std::min(image_size, kPageTexels - page_offset) - 1, 0);
}

// Moves `value` into 0..last; answers whether it moved.
bool Clamp(std::int32_t& value, int last) {
  const std::int32_t clamped = std::clamp(value, 0, last);
  const bool moved = clamped != value;
  value = clamped;
  return moved;
}

}  // namespace

std::string ClampTexelPositions(MatFile& mat, const std::vector<const TimFile*>& images) {
  long long moved = 0;
  const MatLine* first = nullptr;
  for (MatLine& line : mat.lines) {
    if (!line.textured() || line.texture < 0 ||
        static_cast<std::size_t>(line.texture) >= images.size()) {
      continue;
    }
    const TimFile& image = *images[static_cast<std::size_t>(line.texture)];
    const int last_u = LastAddressable(image.texel_width(), PageOffsetU(image.x, image.depth));
    const int last_v = LastAddressable(image.rows, PageOffsetV(image.y));
    for (TexelPosition& texel : line.texels) {
      const bool moved_u = Clamp(texel.u, last_u);
      const bool moved_v = Clamp(texel.v, last_v);
      if (moved_u || moved_v) {
        ++moved;
        first = first == nullptr ? &line : first;
      }
    }
  }
  if (first == nullptr) {
    return {};
  }
  const std::int32_t polygon = first->polygons.empty() ? 0 : first->polygons.front().first;
  return "Warning: " + mat.file + ":" + std::to_string(first->line) + ": " + std::to_string(moved) +
         " texel position" + (moved == 1 ? " lies" : "s lie") + " outside " +
         (moved == 1 ? "its image and is" : "their images and are") +
         " moved onto the image's edge, the first on polygon " + std::to_string(polygon);
}

}  // namespace rsdformat
