#include "tools/img2tim/tim_image.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace img2tim {
namespace {

constexpr std::uint16_t kTransparent = 0x0000;
constexpr std::uint16_t kSemiTransparencyBit = 0x8000;
constexpr Rgb kBlack{0, 0, 0};

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

// "a 4-bit TIM", "an 8-bit TIM".
std::string TimOfDepth(int depth) {
  return (depth == 8 ? "an " : "a ") + std::to_string(depth) + "-bit TIM";
}

std::string Counted(int count, const std::string& noun) {
  return std::to_string(count) + " " + noun + (count == 1 ? "" : "s");
}

bool IsNamedEntry(const TimSettings& settings, std::size_t entry) {
  return settings.transparent_index &&
         static_cast<std::size_t>(*settings.transparent_index) == entry;
}

// The TIM's colours and the entry of each pixel.
struct Palette {
  std::vector<std::uint16_t> colors;
  std::vector<std::uint8_t> indices;
};

// The source's own palette, in its order, when every index fits the depth.
std::optional<Palette> KeptPalette(const Image& image, std::size_t capacity,
                                   const TimSettings& settings) {
  if (image.palette.empty() ||
      std::any_of(image.indices.begin(), image.indices.end(),
                  [capacity](std::uint8_t index) { return index >= capacity; })) {
    return std::nullopt;
  }
  Palette palette;
  for (std::size_t i = 0; i < std::min(capacity, image.palette.size()); ++i) {
    palette.colors.push_back(IsNamedEntry(settings, i)
                                 ? kTransparent
                                 : TimColor(image.palette[i], image.PaletteAlphaAt(i), settings));
  }
  palette.indices = image.indices;
  return palette;
}

// The distinct TIM colours of the pixels in order of first use, when they fit.
bool RebuiltPalette(const Image& image, std::size_t capacity, int depth,
                    const TimSettings& settings, Palette& palette, std::string& error) {
  std::vector<std::uint16_t> values(image.pixels.size());
  std::vector<int> entry_of(0x10000, -1);
  for (std::size_t p = 0; p < image.pixels.size(); ++p) {
    values[p] = TimColor(image.pixels[p], image.AlphaAt(p), settings);
    if (entry_of[values[p]] < 0) {
      entry_of[values[p]] = static_cast<int>(palette.colors.size());
      palette.colors.push_back(values[p]);
    }
  }
  if (palette.colors.size() > capacity) {
    error = "the image has " + std::to_string(palette.colors.size()) +
            " colours in 15 bits, more than the " + std::to_string(capacity) + " of " +
            TimOfDepth(depth);
    return false;
  }
  for (std::uint16_t value : values) {
    palette.indices.push_back(static_cast<std::uint8_t>(entry_of[value]));
  }
  if (settings.transparent_index &&
      static_cast<std::size_t>(*settings.transparent_index) < palette.colors.size()) {
    palette.colors[static_cast<std::size_t>(*settings.transparent_index)] = kTransparent;
  }
  return true;
}

bool CheckPlace(int x, int y, int columns, int rows, const char* what, std::string& error) {
  if (x < 0 || y < 0 || x + columns > kVramWidth || y + rows > kVramHeight) {
    error = std::string(what) + " at " + std::to_string(x) + "," + std::to_string(y) +
            " does not fit video memory: " + Counted(columns, "column") + " x " +
            Counted(rows, "row") + " end at " + std::to_string(x + columns) + "," +
            std::to_string(y + rows) + ", beyond its " + std::to_string(kVramWidth) + " x " +
            std::to_string(kVramHeight);
    return false;
  }
  return true;
}

bool CheckPalettePlace(const TimSettings& settings, int colours, std::string& error) {
  if (settings.palette_x % kPaletteColumnStep != 0) {
    error = "palette at " + std::to_string(settings.palette_x) + "," +
            std::to_string(settings.palette_y) + " is off the " +
            std::to_string(kPaletteColumnStep) + "-column grid: x must be a multiple of " +
            std::to_string(kPaletteColumnStep);
    return false;
  }
  return CheckPlace(settings.palette_x, settings.palette_y, colours, 1, "palette", error);
}

bool CheckNamedEntry(const TimSettings& settings, std::size_t capacity, int depth,
                     std::string& error) {
  if (settings.transparent_index &&
      static_cast<std::size_t>(*settings.transparent_index) >= capacity) {
    error = "-tindex " + std::to_string(*settings.transparent_index) + " is past the " +
            std::to_string(capacity) + " palette entries of " + TimOfDepth(depth);
    return false;
  }
  return true;
}

bool BuildPalette(const Image& image, std::size_t capacity, int depth, const TimSettings& settings,
                  Palette& palette, std::string& error) {
  if (!CheckNamedEntry(settings, capacity, depth, error)) {
    return false;
  }
  if (std::optional<Palette> kept = KeptPalette(image, capacity, settings)) {
    palette = std::move(*kept);
    return true;
  }
  return RebuiltPalette(image, capacity, depth, settings, palette, error);
}

// Each pixel's colour in a 16-bit TIM: -tindex names entries of the source's palette.
bool DirectColors(const Image& image, const TimSettings& settings,
                  std::vector<std::uint16_t>& colors, std::string& error) {
  if (settings.transparent_index && image.indices.empty()) {
    error = "-tindex " + std::to_string(*settings.transparent_index) +
            " names a palette entry, but the image has none and the TIM is 16-bit";
    return false;
  }
  for (std::size_t p = 0; p < image.pixels.size(); ++p) {
    const bool named = !image.indices.empty() && IsNamedEntry(settings, image.indices[p]);
    colors.push_back(named ? kTransparent : TimColor(image.pixels[p], image.AlphaAt(p), settings));
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

void PutPalette(std::string& out, const TimSettings& settings, const Palette& palette, int depth,
                std::size_t capacity) {
  PutU32(out, 0x08 | (depth == 4 ? 0 : 1));
  PutU32(out, static_cast<std::uint32_t>(12 + 2 * capacity));
  PutU16(out, static_cast<std::uint32_t>(settings.palette_x));
  PutU16(out, static_cast<std::uint32_t>(settings.palette_y));
  PutU16(out, static_cast<std::uint32_t>(capacity));
  PutU16(out, 1);
  for (std::size_t i = 0; i < capacity; ++i) {
    PutU16(out, i < palette.colors.size() ? palette.colors[i] : kTransparent);
  }
}

void PutIndexedPixels(std::string& out, const Image& image, const Palette& palette, int depth,
                      int words) {
  const int pixels_per_word = 16 / depth;
  for (int y = 0; y < image.height; ++y) {
    for (int w = 0; w < words; ++w) {
      std::uint32_t word = 0;
      for (int k = 0; k < pixels_per_word; ++k) {
        const int x = w * pixels_per_word + k;
        const std::uint32_t index =
            x < image.width ? palette.indices[static_cast<std::size_t>(y) * image.width + x] : 0;
        word |= index << (k * depth);
      }
      PutU16(out, word);
    }
  }
}

}  // namespace

int TimDepth(const Image& image, const TimSettings& settings) {
  if (settings.bits_per_pixel) {
    return *settings.bits_per_pixel;
  }
  return image.bits_per_pixel <= 4 ? 4 : image.bits_per_pixel <= 8 ? 8 : 16;
}

std::uint16_t TimColor(const Rgb& color, std::uint8_t alpha, const TimSettings& settings) {
  const bool below_threshold = settings.use_alpha && alpha < settings.alpha_threshold;
  const bool named = settings.transparent && color == *settings.transparent;
  const bool transparent_black = color == kBlack && !settings.opaque_black;
  if (below_threshold || named || transparent_black) {
    return kTransparent;
  }
  const auto value = static_cast<std::uint16_t>(Five(color.red) | (Five(color.green) << 5) |
                                                (Five(color.blue) << 10));
  const bool partly_transparent = settings.use_alpha && alpha < kOpaque;
  if (settings.semi_transparent || partly_transparent || value == 0) {
    return value | kSemiTransparencyBit;
  }
  return value;
}

std::optional<std::string> EncodeTim(const Image& image, const TimSettings& settings,
                                     std::string& error) {
  const int depth = TimDepth(image, settings);
  const int pixels_per_word = 16 / depth;
  const int words = (image.width + pixels_per_word - 1) / pixels_per_word;
  if (!CheckPlace(settings.image_x, settings.image_y, words, image.height, "image", error)) {
    return std::nullopt;
  }
  std::string out;
  PutU32(out, 0x10);
  if (depth == 16) {
    std::vector<std::uint16_t> colors;
    if (!DirectColors(image, settings, colors, error)) {
      return std::nullopt;
    }
    PutU32(out, 2);
    PutImageHeader(out, settings, words, image.height);
    for (std::uint16_t color : colors) {
      PutU16(out, color);
    }
    return out;
  }
  const std::size_t capacity = depth == 4 ? 16 : 256;
  Palette palette;
  if (!CheckPalettePlace(settings, static_cast<int>(capacity), error) ||
      !BuildPalette(image, capacity, depth, settings, palette, error)) {
    return std::nullopt;
  }
  PutPalette(out, settings, palette, depth, capacity);
  PutImageHeader(out, settings, words, image.height);
  PutIndexedPixels(out, image, palette, depth, words);
  return out;
}

}  // namespace img2tim
