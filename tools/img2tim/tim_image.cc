#include "tools/img2tim/tim_image.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace img2tim {
namespace {

void PutU16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>((value >> 8) & 0xFF);
}

void PutU32(std::string& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

std::uint16_t Five(std::uint8_t channel) {
  return static_cast<std::uint16_t>((channel * 31 + 127) / 255);
}

// Palette and per-pixel indices for a depth with `capacity` colours: the
// bitmap's own palette when its indices fit, else the distinct colours in
// order of first appearance.
bool BuildPalette(const Image& image, std::size_t capacity, std::vector<Rgb>& palette,
                  std::vector<std::uint8_t>& indices, std::string& error) {
  if (!image.palette.empty()) {
    bool fits = true;
    for (std::uint8_t index : image.indices) {
      fits = fits && index < capacity;
    }
    if (fits) {
      palette.assign(image.palette.begin(),
                     image.palette.begin() +
                         static_cast<std::ptrdiff_t>(std::min(capacity, image.palette.size())));
      indices = image.indices;
      return true;
    }
  }
  palette.clear();
  indices.clear();
  indices.reserve(image.pixels.size());
  for (const Rgb& pixel : image.pixels) {
    std::size_t found = 0;
    while (found < palette.size() && !(palette[found] == pixel)) {
      ++found;
    }
    if (found == palette.size()) {
      if (palette.size() == capacity) {
        error = "the image has more than " + std::to_string(capacity) + " colours";
        return false;
      }
      palette.push_back(pixel);
    }
    indices.push_back(static_cast<std::uint8_t>(found));
  }
  return true;
}

void PutImageHeader(std::string& out, const TimSettings& settings, int words, int height) {
  PutU32(out, static_cast<std::uint32_t>(12 + 2 * words * height));
  PutU16(out, static_cast<std::uint32_t>(settings.image_x));
  PutU16(out, static_cast<std::uint32_t>(settings.image_y));
  PutU16(out, static_cast<std::uint32_t>(words));
  PutU16(out, static_cast<std::uint32_t>(height));
}

bool CheckPlace(int x, int y, int width, int height, const char* what, std::string& error) {
  if (x < 0 || y < 0 || x + width > kVramWidth || y + height > kVramHeight) {
    error = std::string(what) + " at " + std::to_string(x) + "," + std::to_string(y) +
            " does not fit video memory";
    return false;
  }
  return true;
}

}  // namespace

std::uint16_t TimColor(const Rgb& color, const TimSettings& settings) {
  if (settings.transparent && color == *settings.transparent) {
    return 0;
  }
  std::uint16_t value = static_cast<std::uint16_t>(Five(color.red) | (Five(color.green) << 5) |
                                                   (Five(color.blue) << 10));
  if (settings.semi_transparent || value == 0) {
    value |= 0x8000;
  }
  return value;
}

std::optional<std::string> EncodeTim(const Image& image, const TimSettings& settings,
                                     std::string& error) {
  const int depth = settings.bits_per_pixel;
  const int pixels_per_word = 16 / depth;
  const int words = (image.width + pixels_per_word - 1) / pixels_per_word;
  if (!CheckPlace(settings.image_x, settings.image_y, words, image.height, "image", error)) {
    return std::nullopt;
  }
  std::string out;
  PutU32(out, 0x10);
  if (depth == 16) {
    PutU32(out, 2);
  } else {
    const std::size_t colours = depth == 4 ? 16 : 256;
    std::vector<Rgb> palette;
    std::vector<std::uint8_t> indices;
    if (!BuildPalette(image, colours, palette, indices, error) ||
        !CheckPlace(settings.palette_x, settings.palette_y, static_cast<int>(colours), 1, "palette",
                    error)) {
      return std::nullopt;
    }
    PutU32(out, 0x08 | (depth == 4 ? 0 : 1));
    PutU32(out, static_cast<std::uint32_t>(12 + 2 * colours));
    PutU16(out, static_cast<std::uint32_t>(settings.palette_x));
    PutU16(out, static_cast<std::uint32_t>(settings.palette_y));
    PutU16(out, static_cast<std::uint32_t>(colours));
    PutU16(out, 1);
    for (std::size_t i = 0; i < colours; ++i) {
      PutU16(out, i < palette.size() ? TimColor(palette[i], settings) : 0);
    }
    PutImageHeader(out, settings, words, image.height);
    for (int y = 0; y < image.height; ++y) {
      for (int w = 0; w < words; ++w) {
        std::uint32_t word = 0;
        for (int k = 0; k < pixels_per_word; ++k) {
          const int x = w * pixels_per_word + k;
          const std::uint32_t index =
              x < image.width ? indices[static_cast<std::size_t>(y) * image.width + x] : 0;
          word |= index << (k * depth);
        }
        PutU16(out, word);
      }
    }
    return out;
  }
  PutImageHeader(out, settings, words, image.height);
  for (const Rgb& pixel : image.pixels) {
    PutU16(out, TimColor(pixel, settings));
  }
  return out;
}

}  // namespace img2tim
