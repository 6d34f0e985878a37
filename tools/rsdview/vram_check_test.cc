#include "tools/rsdview/vram_check.h"

#include <gtest/gtest.h>

namespace rsdview {
namespace {

Texture Placed(int number, int depth, int x, int y, int columns, int rows, int palette_x = 640,
               int palette_y = 256) {
  Texture texture;
  texture.number = number;
  texture.name = "t" + std::to_string(number) + ".tim";
  rsdformat::TimFile& tim = texture.tim;
  tim.depth = depth;
  tim.x = x;
  tim.y = y;
  tim.columns = columns;
  tim.rows = rows;
  tim.data.assign(static_cast<std::size_t>(columns * rows), 0);
  if (depth < 16) {
    const int colours = depth == 4 ? 16 : 256;
    tim.clut = rsdformat::TimClut{palette_x, palette_y, colours, 1,
                                  std::vector<std::uint16_t>(static_cast<std::size_t>(colours))};
  }
  return texture;
}

const Area kDisplay{0, 0, 640, 240};

std::vector<std::string> Texts(const std::vector<Texture>& textures, Area display = kDisplay) {
  std::vector<std::string> texts;
  for (const VramFault& fault : FindFaults(textures, display)) {
    texts.push_back(fault.text);
  }
  return texts;
}

TEST(VramCheck, TheExamplePlacementHasNoFault) {
  // What the exporter does by default: images side by side from column 640,
  // palettes on rows 256, 257, ...
  EXPECT_TRUE(Texts({Placed(0, 4, 640, 0, 16, 64, 640, 256), Placed(1, 8, 656, 0, 16, 32, 640, 257),
                     Placed(2, 16, 672, 0, 32, 32)})
                  .empty());
}

TEST(VramCheck, ImagesThatShareColumnsOverlap) {
  const std::vector<Texture> textures = {Placed(0, 8, 640, 0, 128, 64, 640, 256),
                                         Placed(1, 8, 704, 32, 64, 64, 640, 257)};
  EXPECT_EQ(Texts(textures),
            (std::vector<std::string>{
                "image of texture 0 (t0.tim) and image of texture 1 (t1.tim) overlap (columns "
                "704-767, rows 32-63)"}));
  const std::vector<VramFault> faults = FindFaults(textures, kDisplay);
  EXPECT_EQ(faults[0].kind, FaultKind::kOverlap);
  EXPECT_EQ(faults[0].area.x, 704);
  EXPECT_EQ(faults[0].area.width, 64);
}

TEST(VramCheck, PalettesAndImagesOverlapEveryWay) {
  EXPECT_EQ(Texts({Placed(0, 4, 640, 0, 16, 16, 640, 256), Placed(1, 4, 656, 0, 16, 16, 648, 256)}),
            (std::vector<std::string>{"palette of texture 0 (t0.tim) and palette of texture 1 "
                                      "(t1.tim) overlap (columns 648-655, row 256)"}));
  EXPECT_EQ(Texts({Placed(0, 16, 700, 296, 8, 8), Placed(1, 4, 640, 0, 16, 16, 700, 300)}),
            (std::vector<std::string>{"image of texture 0 (t0.tim) and palette of texture 1 "
                                      "(t1.tim) overlap (columns 700-707, row 300)"}));
  EXPECT_EQ(Texts({Placed(0, 4, 640, 0, 16, 16, 700, 300), Placed(1, 16, 700, 296, 8, 8)}),
            (std::vector<std::string>{"palette of texture 0 (t0.tim) and image of texture 1 "
                                      "(t1.tim) overlap (columns 700-707, row 300)"}));
  EXPECT_EQ(Texts({Placed(0, 4, 640, 0, 16, 16, 644, 10)}),
            (std::vector<std::string>{
                "image and palette of texture 0 (t0.tim) overlap (columns 644-655, row 10)"}));
}

TEST(VramCheck, APageStraddlingImageIsReported) {
  // 8-bit, 128 columns = 256 texels, starting 32 columns (64 texels) into
  // its page: only 192 texels are left.
  EXPECT_EQ(Texts({Placed(0, 8, 672, 0, 128, 32)}),
            (std::vector<std::string>{
                "image of texture 0 (t0.tim) cannot be addressed from one texture page (columns "
                "672-799, rows 0-31, 256 x 32 texels; its page has 192 x 256 left)"}));
  EXPECT_EQ(Texts({Placed(0, 8, 672, 0, 96, 32)}).size(), 0u);
  // The same columns at 4 bits are 256 texels: too wide even from a page's start.
  EXPECT_EQ(Texts({Placed(0, 4, 640, 0, 64, 32)}).size(), 0u);
  EXPECT_EQ(Texts({Placed(0, 4, 640, 0, 65, 32)}).size(), 1u);
}

TEST(VramCheck, PastVideoMemoryAndInTheDisplayArea) {
  EXPECT_EQ(Texts({Placed(0, 16, 1000, 500, 64, 32)}),
            (std::vector<std::string>{
                "image of texture 0 (t0.tim) runs past video memory (columns 1000-1063, rows "
                "500-531)",
                "image of texture 0 (t0.tim) cannot be addressed from one texture page (columns "
                "1000-1063, rows 500-531, 64 x 32 texels; its page has 216 x 12 left)"}));
  EXPECT_EQ(Texts({Placed(0, 4, 1020, 0, 4, 4, 1016, 511)}),
            (std::vector<std::string>{"palette of texture 0 (t0.tim) runs past video memory "
                                      "(columns 1016-1031, row 511)"}));
  EXPECT_EQ(Texts({Placed(0, 16, 600, 200, 64, 64)}, Area{0, 0, 320, 240}).size(), 1u);
  EXPECT_EQ(Texts({Placed(0, 16, 600, 200, 40, 40)}),
            (std::vector<std::string>{"image of texture 0 (t0.tim) lies in the display area "
                                      "(columns 600-639, rows 200-239)"}));
}

TEST(VramCheck, TheReportLineOfATexture) {
  EXPECT_EQ(TextureLine(Placed(0, 4, 640, 0, 16, 64)),
            "texture 0 t0.tim: image 640,0, 16 columns x 64 rows, 4-bit, palette 640,256 (16 "
            "colours)");
  EXPECT_EQ(TextureLine(Placed(3, 16, 768, 0, 128, 64)),
            "texture 3 t3.tim: image 768,0, 128 columns x 64 rows, 16-bit, no palette");
}

}  // namespace
}  // namespace rsdview
