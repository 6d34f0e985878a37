#include "tools/rsdformat/texel_clamp.h"

#include <gtest/gtest.h>

#include "tools/rsdformat/texture_page.h"

namespace rsdformat {
namespace {

TimFile Image(int x, int y, int depth, int texel_width, int rows) {
  TimFile tim;
  tim.depth = depth;
  tim.x = x;
  tim.y = y;
  tim.columns = texel_width / TexelsPerColumn(depth);
  tim.rows = rows;
  return tim;
}

MatFile Mat(const std::string& lines, int count) {
  return ParseMat("@MAT940801\n" + std::to_string(count) + "\n" + lines, "m.mat");
}

std::vector<TexelPosition> Texels(const MatLine& line) {
  return {line.texels.begin(), line.texels.end()};
}

TEST(ClampTexelPositions, AWholeTextureOnAQuadEndsOnItsLastTexel) {
  // 256 x 256 at 8 bits at the start of its page: the exporter writes 256
  // for the far edges, which no U or V byte holds.
  const TimFile image = Image(640, 0, 8, 256, 256);
  MatFile mat = Mat("0 1 F T 0 0 0 256 0 0 256 256 256\n", 1);
  EXPECT_EQ(ClampTexelPositions(mat, {&image}),
            "Warning: m.mat:3: 3 texel positions lie outside their images and are moved onto "
            "the image's edge, the first on polygon 0");
  EXPECT_EQ(Texels(mat.lines[0]),
            (std::vector<TexelPosition>{{0, 0}, {255, 0}, {0, 255}, {255, 255}}));
}

TEST(ClampTexelPositions, EachImageKeepsToItsOwnPartOfThePage) {
  // A 4-bit image 64 texels wide starts 64 texels into its page; an 8-bit
  // one 256 wide starting 64 texels in runs past its page at 191.
  const TimFile small = Image(656, 0, 4, 64, 32);
  const TimFile overhanging = Image(672, 256, 8, 256, 256);
  MatFile mat =
      Mat("0 1 F C 10 20 30\n"
          "1-2 1 F T 0 -1 0 63 31 64 32 0 0\n"
          "3 1 F T 1 191 255 192 0 10 10 0 0\n",
          3);
  EXPECT_EQ(ClampTexelPositions(mat, {&small, &overhanging}),
            "Warning: m.mat:4: 3 texel positions lie outside their images and are moved onto "
            "the image's edge, the first on polygon 1");
  EXPECT_EQ(Texels(mat.lines[1]), (std::vector<TexelPosition>{{0, 0}, {63, 31}, {63, 31}, {0, 0}}));
  EXPECT_EQ(Texels(mat.lines[2]),
            (std::vector<TexelPosition>{{191, 255}, {191, 0}, {10, 10}, {0, 0}}));
}

TEST(ClampTexelPositions, PositionsInsideAndLinesWithoutAnImageStay) {
  const TimFile image = Image(640, 0, 16, 64, 64);
  MatFile mat =
      Mat("0 1 F T 0 0 0 63 0 0 63 63 63\n"
          "1 1 F T 1 0 0 300 0 0 300 300 300\n",
          2);
  EXPECT_EQ(ClampTexelPositions(mat, {&image}), "");
  EXPECT_EQ(mat.lines[1].texels[1].u, 300);
}

TEST(ClampTexelPositions, OnePositionIsCountedInTheSingular) {
  const TimFile image = Image(640, 0, 8, 32, 32);
  MatFile mat = Mat("7 1 F T 0 0 0 32 0 0 31 0 0\n", 1);
  EXPECT_EQ(ClampTexelPositions(mat, {&image}),
            "Warning: m.mat:3: 1 texel position lies outside its image and is moved onto the "
            "image's edge, the first on polygon 7");
}

}  // namespace
}  // namespace rsdformat
