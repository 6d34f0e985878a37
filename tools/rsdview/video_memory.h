// Video memory as the console holds it after loading a model's TIM files,
// and reading texels from it the way a textured polygon does: through the
// texture page of the image's origin and the palette at the CLUT position.
#ifndef GANNET_TOOLS_RSDVIEW_VIDEO_MEMORY_H_
#define GANNET_TOOLS_RSDVIEW_VIDEO_MEMORY_H_

#include <cstdint>
#include <vector>

#include "tools/rsdformat/texture_page.h"
#include "tools/rsdformat/tim_file.h"

namespace rsdview {

/// 1024 x 512 16-bit words, all 0 at first.
class VideoMemory {
 public:
  VideoMemory();

  /// Copies the TIM's palette and image to their places, later loads over
  /// earlier ones; whatever lies outside memory is left out.
  void Load(const rsdformat::TimFile& tim);

  std::uint16_t At(int column, int row) const {
    return words_[static_cast<std::size_t>(row) * rsdformat::kVramColumns +
                  static_cast<std::size_t>(column)];
  }

 private:
  void Put(int column, int row, std::uint16_t word);
  std::vector<std::uint16_t> words_;
};

/// What a polygon's page and palette words say about one texture.
struct TextureWindow {
  int page_x = 0, page_y = 0;      // page numbers, 0-15 and 0-1
  int offset_u = 0, offset_v = 0;  // the image's place in its page, in texels
  int depth = 16;
  int palette_x = 0, palette_y = 0;
};

/// The window of a TIM, as a converter would set it for its polygons.
TextureWindow WindowOf(const rsdformat::TimFile& tim);

/// The colour a polygon gets at texel (u, v) of the image (counted from the
/// image's corner): the page-relative position wraps at 256 as the
/// hardware's 8-bit texel coordinates do.
std::uint16_t SampleTexel(const VideoMemory& memory, const TextureWindow& window, int u, int v);

}  // namespace rsdview

#endif  // GANNET_TOOLS_RSDVIEW_VIDEO_MEMORY_H_
