// Texture words against values worked out by hand from the bit layout:
// CBA = y << 6 | x >> 4; TSB = x / 64 | (y / 256) << 4 | rate << 5 |
// depth code << 7; U += (x mod 64) * 16 / depth, V += y mod 256.
#include "tools/rsd2tmd/texture_words.h"

#include <gtest/gtest.h>

namespace rsd2tmd {
namespace {

rsdformat::TimFile Tim(int depth, int x, int y, int palette_x = 0, int palette_y = 0) {
  rsdformat::TimFile tim;
  tim.depth = depth;
  tim.x = x;
  tim.y = y;
  if (depth != 16) {
    tim.clut = rsdformat::TimClut{
        .x = palette_x, .y = palette_y, .colors_per_row = 16, .rows = 1, .colors = {}};
  }
  return tim;
}

TEST(TextureWordsTest, TheTwoWorkedExamples) {
  EXPECT_EQ(WordsOf(Tim(4, 0, 0, 640, 481), 0).cba, 0x7868);
  EXPECT_EQ(WordsOf(Tim(8, 448, 0), 0).tsb, 0x0087);
}

TEST(TextureWordsTest, FourBitImages) {
  // The exporter's default place of texture 0: image at 640,0, palette 640,256.
  const rsdformat::TimFile first = Tim(4, 640, 0, 640, 256);
  EXPECT_EQ(WordsOf(first, 0).cba, 0x4028);
  EXPECT_EQ(WordsOf(first, 0).tsb, 0x000A);
  EXPECT_EQ(TexelInPage(first, 63, 63).u, 63);
  // Last page of both rows, 40 columns in: 160 texels to the right.
  const rsdformat::TimFile corner = Tim(4, 1000, 500, 0, 511);
  EXPECT_EQ(WordsOf(corner, 2).cba, 0x7FC0);
  EXPECT_EQ(WordsOf(corner, 2).tsb, 0x005F);
  EXPECT_EQ(TexelInPage(corner, 95, 11).u, 255);
  EXPECT_EQ(TexelInPage(corner, 95, 11).v, 255);
  EXPECT_EQ(TexelInPage(corner, 96, 12).u, 256);
  EXPECT_EQ(TexelInPage(corner, 96, 12).v, 256);
}

TEST(TextureWordsTest, EightBitImages) {
  // The exporter's texture 1 after a 64-wide 4-bit one: 656,0, palette 640,257.
  const rsdformat::TimFile second = Tim(8, 656, 0, 640, 257);
  EXPECT_EQ(WordsOf(second, 1).cba, 0x4068);
  EXPECT_EQ(WordsOf(second, 1).tsb, 0x00AA);
  EXPECT_EQ(TexelInPage(second, 0, 0).u, 32);
  EXPECT_EQ(TexelInPage(second, 31, 5).u, 63);
  EXPECT_EQ(TexelInPage(second, 31, 5).v, 5);
}

TEST(TextureWordsTest, SixteenBitImagesHaveNoPalette) {
  rsdformat::TimFile lower = Tim(16, 768, 256);
  lower.clut =
      rsdformat::TimClut{.x = 640, .y = 480, .colors_per_row = 16, .rows = 1, .colors = {}};
  EXPECT_EQ(WordsOf(lower, 3).cba, 0);
  EXPECT_EQ(WordsOf(lower, 3).tsb, 0x017C);
  EXPECT_EQ(TexelInPage(lower, 10, 20).u, 10);
  EXPECT_EQ(TexelInPage(lower, 10, 20).v, 20);
  const rsdformat::TimFile inside = Tim(16, 800, 300);
  EXPECT_EQ(WordsOf(inside, 1).tsb, 0x013C);
  EXPECT_EQ(TexelInPage(inside, 10, 20).u, 42);
  EXPECT_EQ(TexelInPage(inside, 10, 20).v, 64);
}

}  // namespace
}  // namespace rsd2tmd
