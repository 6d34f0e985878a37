#include "tools/img2tim/image_file.h"

#include <stb/stb_image.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <unordered_map>

#include "tools/img2tim/bmp_image.h"
#include "tools/img2tim/stored_format.h"

namespace img2tim {
namespace {

constexpr int kRgba = 4;

struct StbFree {
  void operator()(unsigned char* pixels) const { stbi_image_free(pixels); }
};

bool LooksLikeJpeg(std::string_view bytes) {
  return bytes.substr(0, 3) == std::string_view("\xFF\xD8\xFF", 3);
}

std::string StbReason() {
  const char* reason = stbi_failure_reason();
  return reason != nullptr ? reason : "unknown reason";
}

// What the file says of itself, or an error when it is no file we read.
std::optional<StoredFormat> FormatOf(std::string_view bytes, std::string& error) {
  if (LooksLikePng(bytes)) {
    return ReadPngFormat(bytes).value_or(StoredFormat{});
  }
  if (LooksLikeJpeg(bytes)) {
    return StoredFormat{};
  }
  if (const std::optional<StoredFormat> tga = ReadTgaFormat(bytes)) {
    return tga;
  }
  error = "not a BMP, PNG, TGA or JPEG file";
  return std::nullopt;
}

std::uint32_t Packed(const Rgb& colour, std::uint8_t alpha) {
  return colour.red | (colour.green << 8) | (colour.blue << 16) |
         (static_cast<std::uint32_t>(alpha) << 24);
}

// Gives each pixel the index of the first palette entry of its colour: the
// decoder expanded the indices into the entries' colours.
bool RecoverIndices(Image& image, std::string& error) {
  std::unordered_map<std::uint32_t, std::uint8_t> entry_of;
  for (std::size_t i = image.palette.size(); i-- > 0;) {
    entry_of[Packed(image.palette[i], image.PaletteAlphaAt(i))] = static_cast<std::uint8_t>(i);
  }
  image.indices.resize(image.pixels.size());
  for (std::size_t p = 0; p < image.pixels.size(); ++p) {
    const auto found = entry_of.find(Packed(image.pixels[p], image.AlphaAt(p)));
    if (found == entry_of.end()) {
      error = "colour index outside the palette";
      return false;
    }
    image.indices[p] = found->second;
  }
  return true;
}

void TakePixels(const unsigned char* rgba, Image& image) {
  const std::size_t count = static_cast<std::size_t>(image.width) * image.height;
  image.pixels.resize(count);
  image.alpha.resize(count);
  for (std::size_t p = 0; p < count; ++p) {
    image.pixels[p] = {rgba[p * kRgba], rgba[p * kRgba + 1], rgba[p * kRgba + 2]};
    image.alpha[p] = rgba[p * kRgba + 3];
  }
  if (std::all_of(image.alpha.begin(), image.alpha.end(),
                  [](std::uint8_t a) { return a == kOpaque; })) {
    image.alpha.clear();
  }
}

std::optional<Image> DecodeWithStb(std::string_view bytes, StoredFormat format,
                                   std::string& error) {
  if (bytes.size() > static_cast<std::size_t>(INT_MAX)) {
    error = "file too large to decode: " + std::to_string(bytes.size()) + " bytes";
    return std::nullopt;
  }
  const auto* data = reinterpret_cast<const unsigned char*>(bytes.data());
  const int size = static_cast<int>(bytes.size());
  Image image;
  int channels = 0;
  if (stbi_info_from_memory(data, size, &image.width, &image.height, &channels) == 0) {
    error = "cannot decode: " + StbReason();
    return std::nullopt;
  }
  if (!CheckImageSize(image.width, image.height, error)) {
    return std::nullopt;
  }
  const std::unique_ptr<unsigned char, StbFree> rgba(
      stbi_load_from_memory(data, size, &image.width, &image.height, &channels, kRgba));
  if (!rgba) {
    error = "cannot decode: " + StbReason();
    return std::nullopt;
  }
  TakePixels(rgba.get(), image);
  // A grey JPEG holds 8-bit levels; a colour one 24-bit colours.
  image.bits_per_pixel = format.bits_per_pixel != 0 ? format.bits_per_pixel : channels * 8;
  image.palette = std::move(format.palette);
  image.palette_alpha = std::move(format.palette_alpha);
  if (!image.palette.empty() && !RecoverIndices(image, error)) {
    return std::nullopt;
  }
  return image;
}

}  // namespace

std::optional<Image> DecodeImage(std::string_view bytes, std::string& error) {
  if (LooksLikeBmp(bytes)) {
    return DecodeBmp(bytes, error);
  }
  std::optional<StoredFormat> format = FormatOf(bytes, error);
  if (!format) {
    return std::nullopt;
  }
  return DecodeWithStb(bytes, std::move(*format), error);
}

}  // namespace img2tim
