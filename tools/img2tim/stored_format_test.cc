#include "tools/img2tim/stored_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/img2tim/testing/image_bytes.h"

namespace img2tim {
namespace {

using test_files::Png;
using test_files::Tga;

TEST(StoredFormat, PngDepthsAndPalette) {
  const auto palette =
      ReadPngFormat(Png(2, 1, 4, 3, {std::string("\x10", 1)}, {{1, 2, 3}, {4, 5, 6}, {7, 8, 9}},
                        std::string("\x00\x80", 2)));
  ASSERT_TRUE(palette);
  EXPECT_EQ(palette->bits_per_pixel, 4);
  EXPECT_EQ(palette->palette, (std::vector<Rgb>{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}}));
  // tRNS may be shorter than the palette: the rest is opaque.
  EXPECT_EQ(palette->palette_alpha, (std::vector<std::uint8_t>{0x00, 0x80, 0xFF}));
  // Grey keeps its bits, colour counts every channel.
  EXPECT_EQ(ReadPngFormat(Png(1, 1, 2, 0, {std::string(1, '\0')}))->bits_per_pixel, 2);
  EXPECT_EQ(ReadPngFormat(Png(1, 1, 8, 4, {std::string(2, '\0')}))->bits_per_pixel, 16);
  EXPECT_EQ(ReadPngFormat(Png(1, 1, 8, 2, {std::string(3, '\0')}))->bits_per_pixel, 24);
  EXPECT_EQ(ReadPngFormat(Png(1, 1, 16, 6, {std::string(8, '\0')}))->bits_per_pixel, 64);
  EXPECT_TRUE(ReadPngFormat(Png(1, 1, 8, 2, {std::string(3, '\0')}))->palette.empty());
}

TEST(StoredFormat, PngHeadersThatCannotBeRead) {
  const std::string good = Png(1, 1, 8, 3, {std::string(1, '\0')}, {{1, 2, 3}});
  EXPECT_FALSE(ReadPngFormat("not a png"));
  EXPECT_FALSE(ReadPngFormat(good.substr(0, 20)));
  std::string bad_type = good;
  bad_type[25] = 5;  // no colour type 5
  EXPECT_FALSE(ReadPngFormat(bad_type));
  // A palette chunk cut short is left out; the decoder then reports the file.
  const auto cut = ReadPngFormat(good.substr(0, 8 + 25 + 10));
  ASSERT_TRUE(cut);
  EXPECT_TRUE(cut->palette.empty());
}

TEST(StoredFormat, TgaColourMapsAsTheDecoderExpandsThem) {
  // 24-bit entries are stored BGR; 16-bit ones 5-5-5, scaled as c * 255 / 31.
  const auto bgr = ReadTgaFormat(
      Tga(1, 1, 1, 8, std::string("\x03\x02\x01\x06\x05\x04", 6), 2, 24, std::string(1, '\0')));
  ASSERT_TRUE(bgr);
  EXPECT_EQ(bgr->bits_per_pixel, 8);
  EXPECT_EQ(bgr->palette, (std::vector<Rgb>{{1, 2, 3}, {4, 5, 6}}));
  EXPECT_TRUE(bgr->palette_alpha.empty());
  const auto five = ReadTgaFormat(Tga(9, 1, 1, 8, std::string("\x1F\x7C", 2), 1, 16, ""));
  ASSERT_TRUE(five);
  EXPECT_EQ(five->palette, (std::vector<Rgb>{{255, 0, 255}}));
  const auto alpha = ReadTgaFormat(Tga(1, 1, 1, 8, std::string("\x03\x02\x01\x40", 4), 1, 32, ""));
  ASSERT_TRUE(alpha);
  EXPECT_EQ(alpha->palette_alpha, (std::vector<std::uint8_t>{0x40}));
  // True colour and grey keep no palette.
  EXPECT_EQ(ReadTgaFormat(Tga(2, 1, 1, 24, "", 0, 0, std::string(3, '\0')))->bits_per_pixel, 24);
  EXPECT_EQ(ReadTgaFormat(Tga(11, 1, 1, 8, "", 0, 0, ""))->bits_per_pixel, 8);
}

TEST(StoredFormat, WhatIsNoTga) {
  EXPECT_FALSE(ReadTgaFormat("short"));
  EXPECT_FALSE(ReadTgaFormat(Tga(2, 0, 1, 24, "", 0, 0, "")));              // no width
  EXPECT_FALSE(ReadTgaFormat(Tga(4, 1, 1, 24, "", 0, 0, "")));              // no image type 4
  EXPECT_FALSE(ReadTgaFormat(Tga(2, 1, 1, 12, "", 0, 0, "")));              // no 12-bit pixels
  EXPECT_FALSE(ReadTgaFormat(Tga(1, 1, 1, 8, "\x01", 1, 12, "")));          // no 12-bit entries
  EXPECT_FALSE(ReadTgaFormat(Tga(2, 1, 1, 8, "\x01\x02\x03", 1, 24, "")));  // a map on RGB
}

}  // namespace
}  // namespace img2tim
