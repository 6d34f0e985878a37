// A decoded source image, whatever file it came from: every pixel's colour
// and alpha, and the palette and per-pixel indices when the file stores one.
#ifndef GANNET_TOOLS_IMG2TIM_IMAGE_H_
#define GANNET_TOOLS_IMG2TIM_IMAGE_H_

#include <cstdint>
#include <string>
#include <vector>

namespace img2tim {

/// The longest side decoded: 4096 pixels is 1024 columns at 4 bits, the
/// width of video memory; larger images could never be placed.
inline constexpr int kMaxSide = 4096;

/// An alpha of 255: fully opaque.
inline constexpr std::uint8_t kOpaque = 255;

/// An 8-bit-per-channel colour.
struct Rgb {
  std::uint8_t red = 0, green = 0, blue = 0;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

/// Rows top to bottom. `pixels` always holds every pixel's colour; a
/// palettized image also keeps its palette and per-pixel indices.
struct Image {
  int width = 0;
  int height = 0;
  std::vector<Rgb> pixels;
  std::vector<std::uint8_t> alpha;          // one per pixel; empty when every pixel is opaque
  std::vector<Rgb> palette;                 // empty for direct colour
  std::vector<std::uint8_t> palette_alpha;  // one per palette entry; empty when all are opaque
  std::vector<std::uint8_t> indices;        // one per pixel when palettized
  // As stored: the index bits of a palette or the bits of a grey level (1 to
  // 8), or 16 to 32 for colour; decides the TIM's depth when none is asked.
  int bits_per_pixel = 0;

  std::uint8_t AlphaAt(std::size_t pixel) const { return alpha.empty() ? kOpaque : alpha[pixel]; }
  std::uint8_t PaletteAlphaAt(std::size_t entry) const {
    return palette_alpha.empty() ? kOpaque : palette_alpha[entry];
  }
};

/// Whether a file's width and height lie in 1 .. kMaxSide; if not, `error`
/// names both and the limit.
bool CheckImageSize(std::int64_t width, std::int64_t height, std::string& error);

}  // namespace img2tim

#endif  // GANNET_TOOLS_IMG2TIM_IMAGE_H_
