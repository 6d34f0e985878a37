// Texture words against values worked out by hand from the bit layout:
// CBA = y << 6 | x >> 4; TSB = x / 64 | (y / 256) << 4 | rate << 5 |
// depth code << 7; U += (x mod 64) * 16 / depth, V += y mod 256.
#include "tools/rsd2tmd/texture_words.h"

#include <gtest/gtest.h>

namespace rsd2tmd {
namespace {

TEST(TextureWordsTest, TheTwoWorkedExamples) {
  EXPECT_EQ(PaletteWord({.depth = 8, .palette_x = 640, .palette_y = 481}), 0x7868);
  EXPECT_EQ(PageWord({.depth = 8, .image_x = 448, .image_y = 0}, 0), 0x0087);
}

TEST(TextureWordsTest, FourBitImages) {
  // The exporter's default place of texture 0: image at 640,0, palette 640,256.
  const TexturePlace first{.depth = 4, .image_x = 640, .palette_x = 640, .palette_y = 256};
  EXPECT_EQ(PaletteWord(first), 0x4028);
  EXPECT_EQ(PageWord(first, 0), 0x000A);
  EXPECT_EQ(TexelInPage(first, 63, 63).u, 63);
  // Last page of both rows, 40 columns in: 160 texels to the right.
  const TexturePlace corner{.depth = 4, .image_x = 1000, .image_y = 500, .palette_y = 511};
  EXPECT_EQ(PaletteWord(corner), 0x7FC0);
  EXPECT_EQ(PageWord(corner, 2), 0x005F);
  EXPECT_EQ(TexelInPage(corner, 95, 11).u, 255);
  EXPECT_EQ(TexelInPage(corner, 95, 11).v, 255);
  EXPECT_EQ(TexelInPage(corner, 96, 12).u, 256);
  EXPECT_EQ(TexelInPage(corner, 96, 12).v, 256);
}

TEST(TextureWordsTest, EightBitImages) {
  // The exporter's texture 1 after a 64-wide 4-bit one: 656,0, palette 640,257.
  const TexturePlace second{.depth = 8, .image_x = 656, .palette_x = 640, .palette_y = 257};
  EXPECT_EQ(PaletteWord(second), 0x4068);
  EXPECT_EQ(PageWord(second, 1), 0x00AA);
  EXPECT_EQ(TexelInPage(second, 0, 0).u, 32);
  EXPECT_EQ(TexelInPage(second, 31, 5).u, 63);
  EXPECT_EQ(TexelInPage(second, 31, 5).v, 5);
  // A palette column that is not a multiple of 16 loses its low bits.
  EXPECT_EQ(PaletteWord({.depth = 8, .palette_x = 31, .palette_y = 1}), 0x0041);
}

TEST(TextureWordsTest, SixteenBitImagesHaveNoPalette) {
  const TexturePlace lower{
      .depth = 16, .image_x = 768, .image_y = 256, .palette_x = 640, .palette_y = 480};
  EXPECT_EQ(PaletteWord(lower), 0);
  EXPECT_EQ(PageWord(lower, 3), 0x017C);
  EXPECT_EQ(TexelInPage(lower, 10, 20).u, 10);
  EXPECT_EQ(TexelInPage(lower, 10, 20).v, 20);
  const TexturePlace inside{.depth = 16, .image_x = 800, .image_y = 300};
  EXPECT_EQ(PageWord(inside, 1), 0x013C);
  EXPECT_EQ(TexelInPage(inside, 10, 20).u, 42);
  EXPECT_EQ(TexelInPage(inside, 10, 20).v, 64);
}

}  // namespace
}  // namespace rsd2tmd
