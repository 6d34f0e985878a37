// img2tim's decoders and TIM writer over any bytes: BMP, PNG, TGA and JPEG
// files, damaged or not, with any mix of the options that change the
// colours and the palette.
//
// Input: byte 0 holds the settings (bits 0-1 the depth: the source's, 4, 8
// or 16; bit 2 -usealpha, 3 -b, 4 -t, 5 -tcol 0 0 0, 6 -tindex 1, 7 a
// palette off the 16-column grid); the rest is the file.
//
// A decoded image must be whole (a colour, and an alpha and an index where
// it has them, for every pixel; every index inside the palette), and a TIM
// written must be as long as its header says; a refusal always says why.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tools/img2tim/image_file.h"
#include "tools/img2tim/tim_image.h"

namespace {

void Require(bool ok, const char* what) {
  if (!ok) {
    std::fprintf(stderr, "img2tim broke its contract: %s\n", what);
    std::abort();
  }
}

img2tim::TimSettings Settings(std::uint8_t bits) {
  img2tim::TimSettings settings;
  constexpr int kDepths[4] = {0, 4, 8, 16};
  if ((bits & 3) != 0) {
    settings.bits_per_pixel = kDepths[bits & 3];
  }
  settings.use_alpha = (bits & 4) != 0;
  settings.opaque_black = (bits & 8) != 0;
  settings.semi_transparent = (bits & 16) != 0;
  if ((bits & 32) != 0) {
    settings.transparent = img2tim::Rgb{0, 0, 0};
  }
  if ((bits & 64) != 0) {
    settings.transparent_index = 1;
  }
  settings.palette_x = (bits & 128) != 0 ? 8 : 0;
  settings.image_x = 0;
  return settings;
}

void CheckImage(const img2tim::Image& image) {
  Require(image.width >= 1 && image.height >= 1 && image.width <= img2tim::kMaxSide &&
              image.height <= img2tim::kMaxSide,
          "a size out of range");
  const std::size_t count = static_cast<std::size_t>(image.width) * image.height;
  Require(image.pixels.size() == count, "not a colour for every pixel");
  Require(image.alpha.empty() || image.alpha.size() == count, "not an alpha for every pixel");
  Require(image.palette_alpha.empty() || image.palette_alpha.size() == image.palette.size(),
          "not an alpha for every palette entry");
  Require(image.indices.empty() == image.palette.empty(), "indices without a palette");
  Require(image.indices.empty() || image.indices.size() == count, "not an index for every pixel");
  for (std::uint8_t index : image.indices) {
    Require(index < image.palette.size(), "an index outside the palette");
  }
}

std::uint32_t U32(const std::string& bytes, std::size_t at) {
  std::uint32_t value = 0;
  for (int k = 3; k >= 0; --k) {
    value = (value << 8) | static_cast<std::uint8_t>(bytes[at + static_cast<std::size_t>(k)]);
  }
  return value;
}

void CheckTim(const std::string& tim, int depth) {
  Require(tim.size() >= 8 && U32(tim, 0) == 0x10, "no TIM id");
  std::size_t at = 8;
  if (depth != 16) {
    Require(tim.size() >= at + 4, "a palette block cut short");
    at += U32(tim, at);
  }
  Require(tim.size() >= at + 4 && at + U32(tim, at) == tim.size(),
          "an image block of the wrong size");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  const std::string_view file(reinterpret_cast<const char*>(data) + 1, size - 1);
  std::string error;
  const std::optional<img2tim::Image> image = img2tim::DecodeImage(file, error);
  if (!image) {
    Require(!error.empty(), "a decoding refusal without a reason");
    return 0;
  }
  CheckImage(*image);
  const img2tim::TimSettings settings = Settings(data[0]);
  error.clear();
  const std::optional<std::string> tim = img2tim::EncodeTim(*image, settings, error);
  if (!tim) {
    Require(!error.empty(), "an encoding refusal without a reason");
    return 0;
  }
  CheckTim(*tim, img2tim::TimDepth(*image, settings));
  return 0;
}
