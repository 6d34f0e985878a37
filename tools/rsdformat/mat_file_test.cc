#include "tools/rsdformat/mat_file.h"

#include <gtest/gtest.h>

#include "tools/rsdformat/read_error.h"

namespace rsdformat {
namespace {

MatFile Parse(const std::string& lines, int count) {
  return ParseMat("@MAT940801\n" + std::to_string(count) + "\n" + lines, "m.mat");
}

MatLine One(const std::string& line) {
  return Parse(line + "\n", 1).lines.at(0);
}

std::string ErrorOf(const std::string& lines, int count = 1) {
  try {
    Parse(lines, count);
  } catch (const ReadError& error) {
    return error.what();
  }
  return "no error";
}

TEST(MatFile, ReadsTheExportersLines) {
  const MatFile mat = ParseMat(
      "#created with Gannet v2 May 2023 for MarbleClay.\r\n@MAT940801\r\n# Number of Items\r\n"
      "3\r\n# Materials\r\n"
      "# img2tim  -bpp 8 -tcol 0 0 0 -org 640  0  -plt 640 256  -o \"C:\\ship0.tim\"\r\n"
      "0 1  F C   64 64 255 \r\n"
      "1 1 F T  0  0 0    256 0    0 256    256 256     64 64 255 \r\n"
      "2 0  F D   1  10 0    20 0    0 30    0 0   255 0 0 \r\n",
      "ship.mat");
  ASSERT_EQ(mat.lines.size(), 3u);
  const MatLine& flat = mat.lines[0];
  EXPECT_EQ(flat.line, 7);
  EXPECT_EQ(flat.type, MatType::kColor);
  EXPECT_FALSE(flat.lit());
  EXPECT_EQ(flat.colors[0], (Rgb{64, 64, 255}));
  const MatLine& textured = mat.lines[1];
  EXPECT_EQ(textured.type, MatType::kTexture);
  EXPECT_EQ(textured.texture, 0);
  EXPECT_EQ(textured.texels[3], (TexelPosition{256, 256}));
  EXPECT_TRUE(textured.unused_color);
  EXPECT_EQ(textured.colors[0], (Rgb{64, 64, 255}));
  const MatLine& tinted = mat.lines[2];
  EXPECT_TRUE(tinted.lit());
  EXPECT_EQ(tinted.type, MatType::kTextureColor);
  EXPECT_EQ(tinted.texture, 1);
  EXPECT_EQ(tinted.texels[2], (TexelPosition{0, 30}));
  EXPECT_EQ(tinted.colors[0], (Rgb{255, 0, 0}));
  EXPECT_EQ(tinted.polygons.size(), 1u);
  EXPECT_EQ(tinted.polygons[0].first, 2);
}

TEST(MatFile, PolygonNumbersRangesAndLists) {
  const MatLine range = One("2-9 0 F C 1 2 3");
  ASSERT_EQ(range.polygons.size(), 1u);
  EXPECT_EQ(range.polygons[0].first, 2);
  EXPECT_EQ(range.polygons[0].last, 9);
  const MatLine list = One("2,4,6-7 0 F C 1 2 3");
  ASSERT_EQ(list.polygons.size(), 3u);
  EXPECT_EQ(list.polygons[1].first, 4);
  EXPECT_EQ(list.polygons[2].last, 7);
  EXPECT_EQ(ErrorOf("9-2 0 F C 1 2 3\n"), "m.mat:3: polygon range 9-2 runs backwards");
  for (const char* bad : {"-2", "2-", "2,,4", "a", "2,", "+1", "1-2-3"}) {
    EXPECT_EQ(ErrorOf(std::string(bad) + " 0 F C 1 2 3\n"),
              "m.mat:3: polygons are not a number, a range a-b or a list a,b,c: '" +
                  std::string(bad) + "'")
        << bad;
  }
  // A range too large for any model once read as "not a number".
  EXPECT_EQ(ErrorOf("0-4294967296 0 F C 1 2 3\n"),
            "m.mat:3: polygon number 4294967296 in '0-4294967296' is beyond the largest, "
            "2147483647");
}

TEST(MatFile, FlagsAreHexadecimal) {
  const MatLine line = One("0 1E G C 1 2 3");
  EXPECT_EQ(line.flag, 0x1E);
  EXPECT_TRUE(line.lit());
  EXPECT_TRUE(line.double_sided());
  EXPECT_TRUE(line.semi_transparent());
  EXPECT_EQ(line.rate(), 3);
  EXPECT_EQ(line.shading, Shading::kSmooth);
  EXPECT_EQ(One("0 21 F C 1 2 3").flag, 0x21);
  EXPECT_EQ(One("0 ff F C 1 2 3").flag, 0xFF);
  EXPECT_EQ(ErrorOf("0 100 F C 1 2 3\n"), "m.mat:3: flag is not a hexadecimal byte: '100'");
  EXPECT_EQ(ErrorOf("0 0x1 F C 1 2 3\n"), "m.mat:3: flag is not a hexadecimal byte: '0x1'");
  EXPECT_EQ(ErrorOf("0 -1 F C 1 2 3\n"), "m.mat:3: flag is not a hexadecimal byte: '-1'");
}

TEST(MatFile, EveryTypeWithItsFields) {
  const MatLine gradation = One("0 0 G G 1 2 3 4 5 6 7 8 9 10 11 12");
  EXPECT_TRUE(gradation.per_corner_color());
  EXPECT_FALSE(gradation.textured());
  EXPECT_EQ(gradation.colors[3], (Rgb{10, 11, 12}));
  const MatLine texture = One("0 0 F T 3 1 2 3 4 5 6 7 8");
  EXPECT_TRUE(texture.textured());
  EXPECT_FALSE(texture.unused_color);
  EXPECT_EQ(texture.texels[1], (TexelPosition{3, 4}));
  EXPECT_EQ(texture.texels[3], (TexelPosition{7, 8}));
  const MatLine gradient_texture =
      One("0 1 F H 2 1 2 3 4 5 6 7 8  10 20 30 40 50 60 70 80 90 100 110 120");
  EXPECT_EQ(gradient_texture.type, MatType::kTextureGradation);
  EXPECT_EQ(gradient_texture.texture, 2);
  EXPECT_EQ(gradient_texture.colors[0], (Rgb{10, 20, 30}));
  EXPECT_EQ(gradient_texture.colors[3], (Rgb{100, 110, 120}));
  EXPECT_EQ(ErrorOf("0 0 F C 1 2\n"),
            "m.mat:3: expected 7 fields (polygons flag shading C R G B), found 6: '0 0 F C 1 2'");
  EXPECT_EQ(ErrorOf("0 0 F T 0 1 2 3 4 5 6 7 8 9\n"),
            "m.mat:3: expected 13 fields (polygons flag shading T TNO U0 V0 U1 V1 U2 V2 U3 V3), "
            "found 14: '0 0 F T 0 1 2 3 4 5 6 7 8 9'");
  EXPECT_EQ(ErrorOf("0 0 F D 0 1 2 3 4 5 6 7 8\n"),
            "m.mat:3: expected 16 fields (polygons flag shading D TNO U0 V0 .. U3 V3 R G B), "
            "found 13: '0 0 F D 0 1 2 3 4 5 6 7 8'");
  EXPECT_EQ(ErrorOf("0 0 F C 1 256 3\n"), "m.mat:3: green 256 is out of range 0..255");
  EXPECT_EQ(ErrorOf("0 0 F T -1 1 2 3 4 5 6 7 8\n"),
            "m.mat:3: texture number -1 is out of range 0..2147483647");
  EXPECT_EQ(ErrorOf("0 0 F T 0 1 2 3 x 5 6 7 8\n"), "m.mat:3: V1 is not a whole number: 'x'");
  EXPECT_EQ(ErrorOf("0 0 S C 1 2 3\n"), "m.mat:3: shading is not F or G: 'S'");
  EXPECT_EQ(ErrorOf("0 0 F c 1 2 3\n"), "m.mat:3: material type is not C, G, T, D or H: 'c'");
  EXPECT_EQ(ErrorOf("0 0 F\n"), "m.mat:3: expected polygons, flag, shading and type: '0 0 F'");
}

TEST(MatFile, TheCountMustMatchTheLines) {
  EXPECT_EQ(ErrorOf("0 0 F C 1 2 3\n", 2),
            "m.mat:3: the file ends where a material line was expected");
  EXPECT_EQ(ErrorOf("0 0 F C 1 2 3\n1 0 F C 1 2 3\n", 1),
            "m.mat:4: unexpected line after the last of 1 material lines: '1 0 F C 1 2 3'");
}

TEST(MatFile, MaterialOfEachPolygon) {
  const MatFile mat = Parse("1-2 0 F C 1 2 3\n0,3 0 F C 4 5 6\n", 2);
  EXPECT_EQ(MaterialOfEachPolygon(mat, 4), (std::vector<std::int32_t>{1, 0, 0, 1}));
  const auto message = [&](const MatFile& file, std::int32_t count) {
    try {
      MaterialOfEachPolygon(file, count);
    } catch (const ReadError& error) {
      return std::string(error.what());
    }
    return std::string("no error");
  };
  EXPECT_EQ(message(mat, 3), "m.mat:4: polygon 3 is beyond the model's 3 polygons");
  EXPECT_EQ(message(mat, 5), "m.mat: polygon 4 has no material line");
  EXPECT_EQ(message(Parse("0-1 0 F C 1 2 3\n1 0 F C 1 2 3\n", 2), 2),
            "m.mat:4: polygon 1 already has a material (line 3)");
  // A range far beyond the model is refused before it is walked.
  EXPECT_EQ(message(Parse("0-2147483647 0 F C 1 2 3\n", 1), 2),
            "m.mat:3: polygon 2147483647 is beyond the model's 2 polygons");
}

TEST(MatFile, TextureNumbersNeedATim) {
  const MatFile mat = Parse("0 0 F C 9 9 9\n1 0 F T 2 0 0 0 0 0 0 0 0\n", 2);
  EXPECT_NO_THROW(CheckTextureNumbers(mat, 3));
  try {
    CheckTextureNumbers(mat, 2);
    FAIL();
  } catch (const ReadError& error) {
    EXPECT_STREQ(error.what(), "m.mat:4: texture number 2 has no TIM (NTEX=2)");
  }
}

}  // namespace
}  // namespace rsdformat
