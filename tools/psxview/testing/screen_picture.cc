#include "tools/psxview/testing/screen_picture.h"

#include <stb/stb_image.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>

namespace psxview::test_support {

Colour Picture::At(int x, int y) const {
  const std::size_t at = 3 * (static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
                              static_cast<std::size_t>(x));
  return {rgb[at], rgb[at + 1], rgb[at + 2]};
}

Picture ReadPicture(const std::filesystem::path& path) {
  int width = 0, height = 0, channels = 0;
  const std::unique_ptr<stbi_uc, void (*)(void*)> pixels(
      stbi_load(path.c_str(), &width, &height, &channels, 3), stbi_image_free);
  if (!pixels) {
    throw std::runtime_error("cannot read the picture " + path.string());
  }
  Picture picture{width, height, {}};
  picture.rgb.assign(pixels.get(), pixels.get() + 3 * static_cast<std::size_t>(width) * height);
  return picture;
}

Picture Crop(const Picture& picture, int x, int y, int width, int height) {
  Picture part{width, height, {}};
  for (int row = 0; row < height; ++row) {
    const auto begin = picture.rgb.begin() + 3 * ((y + row) * picture.width + x);
    part.rgb.insert(part.rgb.end(), begin, begin + 3 * width);
  }
  return part;
}

void Fill(Picture& picture, int x, int y, int width, int height, const Colour& colour) {
  for (int row = y; row < y + height; ++row) {
    for (int column = x; column < x + width; ++column) {
      const std::size_t at = 3 * (static_cast<std::size_t>(row) * picture.width + column);
      picture.rgb[at] = static_cast<std::uint8_t>(colour.red);
      picture.rgb[at + 1] = static_cast<std::uint8_t>(colour.green);
      picture.rgb[at + 2] = static_cast<std::uint8_t>(colour.blue);
    }
  }
}

bool Near(const Colour& got, const Colour& expected, int tolerance) {
  return std::abs(got.red - expected.red) <= tolerance &&
         std::abs(got.green - expected.green) <= tolerance &&
         std::abs(got.blue - expected.blue) <= tolerance;
}

namespace {

bool Covered(const Picture& picture, int x, int y) {
  return !Near(picture.At(x, y), kBackground, kColourTolerance);
}

// Whether `picture` has a covered pixel next to (x, y) or on it, and one of
// a colour near `colour` when `colour` is given.
bool CoveredNear(const Picture& picture, int x, int y, const Colour* colour) {
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const int nx = x + dx, ny = y + dy;
      if (nx < 0 || ny < 0 || nx >= picture.width || ny >= picture.height ||
          !Covered(picture, nx, ny)) {
        continue;
      }
      if (colour == nullptr || Near(picture.At(nx, ny), *colour, 2 * kColourTolerance)) {
        return true;
      }
    }
  }
  return false;
}

}  // namespace

Agreement Compare(const Picture& first, const Picture& second, int rows) {
  Agreement agreement;
  int covered_either = 0, agreeing = 0, colours_agree = 0;
  const int width = std::min(first.width, second.width);
  for (int y = 0; y < rows && y < first.height && y < second.height; ++y) {
    for (int x = 0; x < width; ++x) {
      const bool in_first = Covered(first, x, y), in_second = Covered(second, x, y);
      agreement.covered_first += in_first ? 1 : 0;
      agreement.covered_second += in_second ? 1 : 0;
      if (!in_first && !in_second) {
        continue;
      }
      ++covered_either;
      const bool agrees =
          in_first ? CoveredNear(second, x, y, nullptr) : CoveredNear(first, x, y, nullptr);
      agreeing += agrees ? 1 : 0;
      if (in_first && in_second) {
        ++agreement.covered_both;
        const Colour colour = first.At(x, y);
        colours_agree += CoveredNear(second, x, y, &colour) ? 1 : 0;
      }
    }
  }
  agreement.covered_share =
      covered_either == 0 ? 1.0 : static_cast<double>(agreeing) / covered_either;
  agreement.colour_share = agreement.covered_both == 0
                               ? 1.0
                               : static_cast<double>(colours_agree) / agreement.covered_both;
  return agreement;
}

std::string Describe(const Agreement& agreement) {
  char text[200];
  std::snprintf(text, sizeof text,
                "covered %d and %d pixels, %d by both: %.3f of the covered pixels agree within a "
                "pixel, %.3f of those covered by both in colour",
                agreement.covered_first, agreement.covered_second, agreement.covered_both,
                agreement.covered_share, agreement.colour_share);
  return text;
}

}  // namespace psxview::test_support
