#include "tools/img2tim/bmp_image.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/img2tim/testing/image_bytes.h"

namespace img2tim {
namespace {

using test_files::Bmp;
using test_files::U16;
using test_files::U32;

const Rgb kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255};

TEST(BmpImage, FourBitRowsBottomUpWithPadding) {
  // 3 x 2: bottom row stored first, each row padded to 4 bytes.
  const std::string pixels =
      std::string("\x12\x00\x00\x00", 4) + std::string("\x01\x20\x00\x00", 4);
  std::string error;
  const auto image = DecodeBmp(Bmp(3, 2, 4, 0, {kRed, kGreen, kBlue}, pixels), error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(image->indices, (std::vector<std::uint8_t>{0, 1, 2, 1, 2, 0}));
  EXPECT_EQ(image->pixels[0], kRed);
  EXPECT_EQ(image->pixels[5], kRed);
  EXPECT_EQ(image->palette.size(), 3u);
}

TEST(BmpImage, RunLengthEightBit) {
  // Row 0 (bottom): run of 3 x index 1 then one absolute pixel 2 ... as ImageMagick writes.
  std::string rle;
  rle += std::string("\x03\x01", 2);                  // three pixels of 1
  rle += std::string("\x00\x00", 2);                  // end of line
  rle += std::string("\x00\x03\x02\x00\x01\x00", 6);  // absolute 2 0 1, padded
  rle += std::string("\x00\x01", 2);                  // end of bitmap
  std::string error;
  const auto image = DecodeBmp(Bmp(3, 2, 8, 1, {kRed, kGreen, kBlue}, rle), error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(image->indices, (std::vector<std::uint8_t>{2, 0, 1, 1, 1, 1}));
}

TEST(BmpImage, RunLengthFourBit) {
  std::string rle;
  rle += std::string("\x04\x12", 2);  // 1 2 1 2
  rle += std::string("\x00\x01", 2);
  std::string error;
  const auto image = DecodeBmp(Bmp(4, 1, 4, 2, {kRed, kGreen, kBlue}, rle), error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(image->indices, (std::vector<std::uint8_t>{1, 2, 1, 2}));
}

TEST(BmpImage, DirectColourTopDownAndBitFields) {
  std::string error;
  // 24-bit, height -1: top-down; BGR order, row padded to 8 bytes.
  const auto top_down =
      DecodeBmp(Bmp(2, -1, 24, 0, {}, std::string("\x01\x02\x03\x04\x05\x06\x00\x00", 8)), error);
  ASSERT_TRUE(top_down) << error;
  EXPECT_EQ(top_down->pixels[0], (Rgb{3, 2, 1}));
  EXPECT_EQ(top_down->pixels[1], (Rgb{6, 5, 4}));
  EXPECT_TRUE(top_down->palette.empty());
  // 16-bit 565 through masks: pure green at full scale.
  const auto fields = DecodeBmp(
      Bmp(1, 1, 16, 3, {}, std::string("\xE0\x07\x00\x00", 4), {0xF800, 0x07E0, 0x001F}), error);
  ASSERT_TRUE(fields) << error;
  EXPECT_EQ(fields->pixels[0], (Rgb{0, 255, 0}));
}

// A 32-bit BMP with a 124-byte header and an alpha mask, as ImageMagick
// writes an image with alpha: `pixels` as stored, BGRA.
std::string BmpWithAlpha(int width, int height, const std::string& pixels) {
  constexpr unsigned kOffset = 14 + 124;
  std::string out = "BM";
  U32(out, kOffset + static_cast<unsigned>(pixels.size()));
  U32(out, 0);
  U32(out, kOffset);
  U32(out, 124);
  U32(out, static_cast<unsigned>(width));
  U32(out, static_cast<unsigned>(height));
  U16(out, 1);
  U16(out, 32);
  U32(out, 3);  // bit fields
  U32(out, static_cast<unsigned>(pixels.size()));
  U32(out, 2835);
  U32(out, 2835);
  U32(out, 0);
  U32(out, 0);
  for (unsigned mask : {0x00FF0000u, 0x0000FF00u, 0x000000FFu, 0xFF000000u}) {
    U32(out, mask);
  }
  out.resize(kOffset, '\0');
  return out + pixels;
}

TEST(BmpImage, AlphaFromTheAlphaMask) {
  std::string error;
  const auto image =
      DecodeBmp(BmpWithAlpha(2, 1, std::string("\x01\x02\x03\x80\x04\x05\x06\xFF", 8)), error);
  ASSERT_TRUE(image) << error;
  EXPECT_EQ(image->pixels[0], (Rgb{3, 2, 1}));
  EXPECT_EQ(image->alpha, (std::vector<std::uint8_t>{0x80, 0xFF}));
  EXPECT_EQ(image->bits_per_pixel, 32);
  // Without an alpha mask the fourth byte is padding, not alpha.
  const auto plain = DecodeBmp(Bmp(1, 1, 32, 0, {}, std::string("\x01\x02\x03\x00", 4)), error);
  ASSERT_TRUE(plain) << error;
  EXPECT_TRUE(plain->alpha.empty());
}

TEST(BmpImage, RunLengthDataPastTheImageIsRefused) {
  std::string error;
  // Four pixels in a row three wide.
  EXPECT_FALSE(DecodeBmp(Bmp(3, 1, 8, 1, {kRed}, std::string("\x04\x00\x00\x01", 4)), error));
  EXPECT_EQ(error, "run-length data runs past the end of a row: pixel 4 of a row 3 wide");
  // An absolute block does the same.
  EXPECT_FALSE(DecodeBmp(
      Bmp(2, 1, 8, 1, {kRed}, std::string("\x00\x03\x00\x00\x00\x00\x00\x01", 8)), error));
  EXPECT_EQ(error, "run-length data runs past the end of a row: pixel 3 of a row 2 wide");
  // A run on the line after the last one.
  EXPECT_FALSE(DecodeBmp(
      Bmp(2, 1, 8, 1, {kRed}, std::string("\x02\x00\x00\x00\x01\x00\x00\x01", 8)), error));
  EXPECT_EQ(error, "run-length data runs past the image's last row (height 1)");
  // A delta that moves past the row's end, then a pixel.
  EXPECT_FALSE(DecodeBmp(
      Bmp(4, 1, 4, 2, {kRed}, std::string("\x00\x02\x05\x00\x01\x00\x00\x01", 8)), error));
  EXPECT_EQ(error, "run-length data runs past the end of a row: pixel 5 of a row 4 wide");
  // Moving past the end without drawing there is fine.
  EXPECT_TRUE(DecodeBmp(Bmp(2, 1, 8, 1, {kRed}, std::string("\x00\x02\x09\x00\x00\x01", 6)), error))
      << error;
}

TEST(BmpImage, RejectsBrokenFilesSayingWhy) {
  std::string error;
  EXPECT_FALSE(DecodeBmp("GIF89a", error));
  EXPECT_EQ(error, "not a BMP file");
  const std::string good = Bmp(3, 2, 4, 0, {kRed}, std::string(8, '\0'));
  EXPECT_FALSE(DecodeBmp(good.substr(0, 30), error));
  EXPECT_EQ(error,
            "truncated BMP header: the file has 30 bytes, its 40-byte header ends at byte 54");
  EXPECT_FALSE(DecodeBmp(good.substr(0, 10), error));
  EXPECT_EQ(error, "truncated BMP header: the file has 10 bytes, a BMP header at least 26");
  std::string odd_header = good;
  odd_header[14] = 20;
  EXPECT_FALSE(DecodeBmp(odd_header, error));
  EXPECT_EQ(error, "unknown BMP header size 20: only 12, or 40 and more");
  EXPECT_FALSE(DecodeBmp(good.substr(0, good.size() - 1), error));
  EXPECT_EQ(error, "truncated pixel data");
  EXPECT_FALSE(DecodeBmp(Bmp(1, 1, 4, 0, {kRed}, std::string("\x50\0\0\0", 4)), error));
  EXPECT_EQ(error, "colour index outside the palette");
  EXPECT_FALSE(DecodeBmp(Bmp(0, 1, 24, 0, {}, ""), error));
  EXPECT_EQ(error, "image size 0x1 out of range: each side must be 1 to 4096 pixels");
  EXPECT_FALSE(DecodeBmp(Bmp(5000, -3, 24, 0, {}, ""), error));
  EXPECT_EQ(error, "image size 5000x3 out of range: each side must be 1 to 4096 pixels");
  EXPECT_FALSE(DecodeBmp(Bmp(1, 1, 8, 1, {kRed}, std::string("\x01\x00", 2)), error));
  EXPECT_EQ(error, "truncated run-length data");
  EXPECT_FALSE(DecodeBmp(Bmp(1, 1, 2, 0, {kRed}, std::string(4, '\0')), error));
  EXPECT_EQ(error, "unsupported pixel format");
}

}  // namespace
}  // namespace img2tim
