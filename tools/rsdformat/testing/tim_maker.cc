#include "tools/rsdformat/testing/tim_maker.h"

#include <cstdio>

#include "tools/img2tim/tim_image.h"

namespace rsdformat::test_files {

std::string MakeTim(int width, int height, const std::vector<img2tim::Rgb>& palette,
                    const std::function<int(int u, int v)>& index, const TimPlace& place) {
  img2tim::Image image;
  image.width = width;
  image.height = height;
  image.bits_per_pixel = 8;
  image.palette = palette;
  for (int v = 0; v < height; ++v) {
    for (int u = 0; u < width; ++u) {
      const auto entry = static_cast<std::uint8_t>(index(u, v));
      image.indices.push_back(entry);
      image.pixels.push_back(palette.at(entry));
    }
  }
  img2tim::TimSettings settings;
  settings.bits_per_pixel = place.depth;
  settings.transparent = img2tim::Rgb{0, 0, 0};
  settings.image_x = place.x;
  settings.image_y = place.y;
  settings.palette_x = place.palette_x;
  settings.palette_y = place.palette_y;
  std::string error;
  const std::optional<std::string> tim = img2tim::EncodeTim(image, settings, error);
  if (!tim) {
    std::fprintf(stderr, "img2tim refused the test image: %s\n", error.c_str());
  }
  return tim.value_or("");
}

}  // namespace rsdformat::test_files
