// Reading the BMP files that ImageMagick's convert writes: palettized with
// 1, 4 or 8 bits per pixel (uncompressed, RLE4 or RLE8), or direct colour
// with 16, 24 or 32 bits (uncompressed or with bit-field masks).
#ifndef GANNET_TOOLS_IMG2TIM_BMP_IMAGE_H_
#define GANNET_TOOLS_IMG2TIM_BMP_IMAGE_H_

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace img2tim {

/// An 8-bit-per-channel colour.
struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

/// A decoded image, rows top to bottom. Palettized images keep their palette
/// and per-pixel indices; `pixels` always holds every pixel's colour.
struct BmpImage {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;
  std::vector<Rgb> palette;           // empty for direct colour
  std::vector<std::uint8_t> indices;  // one per pixel when palettized
  int bits_per_pixel = 0;             // as stored in the file
};

/// Decodes `bytes`; on failure returns nullopt and sets `error` to a reason.
std::optional<BmpImage> DecodeBmp(std::string_view bytes, std::string& error);

}  // namespace img2tim

#endif  // GANNET_TOOLS_IMG2TIM_BMP_IMAGE_H_
