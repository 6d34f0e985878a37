#include "tools/img2tim/image_file.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/img2tim/testing/image_bytes.h"

namespace img2tim {
namespace {

using test_files::Bmp;
using test_files::Png;
using test_files::Tga;

const Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255};

Image Decoded(const std::string& bytes) {
  std::string error;
  std::optional<Image> image = DecodeImage(bytes, error);
  EXPECT_TRUE(image) << error;
  return image.value_or(Image{});
}

std::string Refusal(const std::string& bytes) {
  std::string error;
  EXPECT_FALSE(DecodeImage(bytes, error));
  return error;
}

TEST(ImageFile, PalettizedPngKeepsItsPaletteAndAlpha) {
  // 3 pixels of 4 bits: entries 0, 1, 2; entry 0 fully transparent.
  const Image image = Decoded(
      Png(3, 1, 4, 3, {std::string("\x01\x20", 2)}, {kRed, kGreen, kBlue}, std::string(1, '\0')));
  EXPECT_EQ(image.bits_per_pixel, 4);
  EXPECT_EQ(image.palette, (std::vector<Rgb>{kRed, kGreen, kBlue}));
  EXPECT_EQ(image.palette_alpha, (std::vector<std::uint8_t>{0, 255, 255}));
  EXPECT_EQ(image.indices, (std::vector<std::uint8_t>{0, 1, 2}));
  EXPECT_EQ(image.pixels, (std::vector<Rgb>{kRed, kGreen, kBlue}));
  EXPECT_EQ(image.alpha, (std::vector<std::uint8_t>{0, 255, 255}));
  // Two entries of one colour: the pixels take the first, as drawn.
  const Image twice = Decoded(Png(2, 1, 8, 3, {std::string("\x01\x02", 2)}, {kRed, kRed, kBlue}));
  EXPECT_EQ(twice.indices, (std::vector<std::uint8_t>{0, 2}));
  EXPECT_EQ(twice.palette.size(), 3u);
}

TEST(ImageFile, PngWithoutPalette) {
  const Image grey = Decoded(Png(2, 1, 8, 0, {std::string("\x00\x80", 2)}));
  EXPECT_EQ(grey.bits_per_pixel, 8);
  EXPECT_EQ(grey.pixels, (std::vector<Rgb>{{0, 0, 0}, {128, 128, 128}}));
  EXPECT_TRUE(grey.palette.empty());
  EXPECT_TRUE(grey.alpha.empty());
  const Image rgba = Decoded(Png(1, 1, 8, 6, {std::string("\x01\x02\x03\x40", 4)}));
  EXPECT_EQ(rgba.bits_per_pixel, 32);
  EXPECT_EQ(rgba.pixels, (std::vector<Rgb>{{1, 2, 3}}));
  EXPECT_EQ(rgba.alpha, (std::vector<std::uint8_t>{0x40}));
}

TEST(ImageFile, TgaColourMappedAndTrueColour) {
  const std::string map("\x03\x02\x01\x06\x05\x04", 6);
  const Image top_down = Decoded(Tga(1, 2, 1, 8, map, 2, 24, std::string("\x01\x00", 2)));
  EXPECT_EQ(top_down.bits_per_pixel, 8);
  EXPECT_EQ(top_down.palette, (std::vector<Rgb>{{1, 2, 3}, {4, 5, 6}}));
  EXPECT_EQ(top_down.indices, (std::vector<std::uint8_t>{1, 0}));
  // Bottom row first.
  const Image bottom_up = Decoded(Tga(1, 1, 2, 8, map, 2, 24, std::string("\x00\x01", 2), 0));
  EXPECT_EQ(bottom_up.indices, (std::vector<std::uint8_t>{1, 0}));
  const Image direct = Decoded(Tga(2, 1, 1, 32, "", 0, 0, std::string("\x03\x02\x01\x80", 4)));
  EXPECT_EQ(direct.bits_per_pixel, 32);
  EXPECT_EQ(direct.pixels, (std::vector<Rgb>{{1, 2, 3}}));
  EXPECT_EQ(direct.alpha, (std::vector<std::uint8_t>{0x80}));
  EXPECT_TRUE(direct.palette.empty());
}

TEST(ImageFile, BmpGoesToItsOwnDecoder) {
  // Run-length data, which only the BMP decoder reads.
  const Image image = Decoded(Bmp(2, 1, 8, 1, {kRed, kBlue}, std::string("\x02\x01\x00\x01", 4)));
  EXPECT_EQ(image.indices, (std::vector<std::uint8_t>{1, 1}));
  EXPECT_EQ(Refusal(Bmp(1, 1, 8, 1, {kRed}, std::string("\x02\x00\x00\x01", 4))),
            "run-length data runs past the end of a row: pixel 2 of a row 1 wide");
}

TEST(ImageFile, RefusalsSayWhy) {
  EXPECT_EQ(Refusal("GIF89a\x01\x00\x01\x00"), "not a BMP, PNG, TGA or JPEG file");
  EXPECT_EQ(Refusal(""), "not a BMP, PNG, TGA or JPEG file");
  EXPECT_EQ(Refusal(Png(5000, 1, 8, 0, {})),
            "image size 5000x1 out of range: each side must be 1 to 4096 pixels");
  const std::string png = Png(2, 2, 8, 2, {std::string(6, '\x10'), std::string(6, '\x20')});
  EXPECT_EQ(Refusal(png.substr(0, png.size() - 30)).rfind("cannot decode: ", 0), 0u);
}

}  // namespace
}  // namespace img2tim
