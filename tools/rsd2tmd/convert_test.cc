// The converter on models built in memory: how each MAT material maps onto
// a packet kind, the scaling of vertices and normals, texture words, and
// every refusal and warning with its exact text.
#include "tools/rsd2tmd/convert.h"

#include <gtest/gtest.h>

namespace rsd2tmd {
namespace {

using rsdformat::MatLine;
using rsdformat::MatType;
using rsdformat::Shading;

// A quad and a triangle on five vertices (PLY lines 4-8) with two normals
// (lines 10-11); both polygons get `line` (line 5 of m.mat). Texture 0 is
// 8-bit, 32 x 32 at 656,0 (32 texels into its page) with its palette at
// 640,257.
SourceModel Model(const MatLine& line) {
  SourceModel model;
  model.rsd.file = "m.rsd";
  model.ply.file = "m.ply";
  model.mat.file = "m.mat";
  for (int i = 0; i < 5; ++i) {
    model.ply.vertices.push_back({1.0 * i, -2.0 * i, 0.5});
    model.ply.vertex_lines.push_back(4 + i);
  }
  model.ply.normals = {{0, 1, 0}, {0.70710678, 0, -0.70710678}};
  model.ply.normal_lines = {10, 11};
  model.ply.polygons = {{true, {0, 1, 3, 2}, {0, 1, 1, 0}, 13},
                        {false, {2, 3, 4, 0}, {1, 0, 1, 0}, 14}};
  MatLine both = line;
  both.line = 5;
  both.polygons = {{0, 1}};
  model.mat.lines = {both};
  rsdformat::TimFile tim;
  tim.file = "m0.tim";
  tim.depth = 8;
  tim.x = 656;
  tim.columns = 16;
  tim.rows = 32;
  tim.clut = rsdformat::TimClut{.x = 640, .y = 257, .colors_per_row = 256, .rows = 1, .colors = {}};
  model.tims = {tim};
  return model;
}

MatLine Material(std::uint8_t flag, bool smooth, char type) {
  MatLine line;
  line.flag = flag;
  line.shading = smooth ? Shading::kSmooth : Shading::kFlat;
  line.type = static_cast<MatType>(type);
  line.colors = {{{10, 20, 30}, {40, 50, 60}, {70, 80, 90}, {100, 110, 120}}};
  if (line.textured()) {
    line.texture = 0;
    line.texels = {{{0, 0}, {31, 0}, {0, 31}, {31, 31}}};
  }
  return line;
}

// "mode/flag" of the quad and of the triangle.
std::string Kinds(const Conversion& conversion) {
  char text[32];
  const TmdPolygon& quad = conversion.model->polygons[0];
  const TmdPolygon& tri = conversion.model->polygons[1];
  std::snprintf(text, sizeof text, "%02X/%02X %02X/%02X", ModeOf(quad), FlagOf(quad), ModeOf(tri),
                FlagOf(tri));
  return text;
}

TEST(ConvertTest, EveryMaterialKindMapsOntoItsPacket) {
  struct Case {
    std::uint8_t flag;
    bool smooth;
    char type;
    const char* kinds;
  } const cases[] = {
      {0x0, false, 'C', "28/00 20/00"}, {0x0, true, 'C', "38/00 30/00"},
      {0x0, false, 'G', "28/04 20/04"}, {0x0, true, 'G', "38/04 30/04"},
      {0x0, false, 'T', "2C/00 24/00"}, {0x0, true, 'T', "3C/00 34/00"},
      {0x1, false, 'C', "29/01 21/01"}, {0x1, true, 'C', "29/01 21/01"},
      {0x1, false, 'G', "39/01 31/01"}, {0x1, false, 'T', "2D/01 25/01"},
      {0x1, false, 'D', "2D/01 25/01"}, {0x1, false, 'H', "3D/01 35/01"},
      {0x2, false, 'C', "28/02 20/02"}, {0x7, false, 'C', "2B/03 23/03"},
      {0x1D, true, 'T', "2F/01 27/01"},
  };
  for (const Case& c : cases) {
    const Conversion conversion = Convert(Model(Material(c.flag, c.smooth, c.type)), 1);
    ASSERT_TRUE(conversion.model) << conversion.refusal;
    EXPECT_EQ(Kinds(conversion), c.kinds) << int{c.flag} << " " << c.smooth << " " << c.type;
    EXPECT_TRUE(conversion.warnings.empty());
  }
}

TEST(ConvertTest, ColoursNormalsAndIndicesGoWhereTheKindStoresThem) {
  const TmdModel smooth_g = *Convert(Model(Material(0, true, 'G')), 1).model;
  EXPECT_EQ(smooth_g.polygons[0].colours[3], (Rgb{100, 110, 120}));
  EXPECT_EQ(smooth_g.polygons[0].normals, (std::array<std::uint16_t, 4>{0, 1, 1, 0}));
  EXPECT_EQ(smooth_g.polygons[0].vertices, (std::array<std::uint16_t, 4>{0, 1, 3, 2}));
  const TmdModel flat_c = *Convert(Model(Material(0, false, 'C')), 1).model;
  EXPECT_EQ(flat_c.polygons[1].colours[0], (Rgb{10, 20, 30}));
  EXPECT_EQ(flat_c.polygons[1].normals, (std::array<std::uint16_t, 4>{1, 0, 0, 0}));
  EXPECT_EQ(flat_c.polygons[1].vertices, (std::array<std::uint16_t, 4>{2, 3, 4, 0}));
  const TmdModel unlit_t = *Convert(Model(Material(1, false, 'T')), 1).model;
  EXPECT_EQ(unlit_t.polygons[0].colours[0], (Rgb{128, 128, 128}));
  EXPECT_EQ(unlit_t.polygons[0].normals, (std::array<std::uint16_t, 4>{}));
  const TmdModel unlit_h = *Convert(Model(Material(1, false, 'H')), 1).model;
  EXPECT_EQ(unlit_h.polygons[1].colours[2], (Rgb{70, 80, 90}));
}

TEST(ConvertTest, ScalesVerticesAndNormalsRoundingHalvesAwayFromZero) {
  const TmdModel model = *Convert(Model(Material(0, false, 'C')), 3).model;
  ASSERT_EQ(model.vertices.size(), 5u);
  EXPECT_EQ(model.vertices[4].vx, 12);
  EXPECT_EQ(model.vertices[4].vy, -24);
  EXPECT_EQ(model.vertices[4].vz, 2);  // 1.5
  const TmdModel negative = *Convert(Model(Material(0, false, 'C')), -1).model;
  EXPECT_EQ(negative.vertices[0].vz, -1);  // -0.5
  ASSERT_EQ(model.normals.size(), 2u);
  EXPECT_EQ(model.normals[0].vy, 4096);
  EXPECT_EQ(model.normals[1].vx, 2896);
  EXPECT_EQ(model.normals[1].vz, -2896);
}

TEST(ConvertTest, TextureWordsComeFromThePlaceOfTheTim) {
  const MatLine material = Material(0x1D, false, 'T');  // unlit, semi-transparent, rate 3
  const TmdPolygon quad = Convert(Model(material), 1).model->polygons[0];
  EXPECT_EQ(quad.cba, 0x4068);
  EXPECT_EQ(quad.tsb, 0x00EA);
  EXPECT_EQ(quad.uv[0], (Uv{32, 0}));
  EXPECT_EQ(quad.uv[3], (Uv{63, 31}));
}

std::string RefusalOf(const SourceModel& model, double factor = 1) {
  const Conversion conversion = Convert(model, factor);
  EXPECT_FALSE(conversion.model);
  return conversion.refusal;
}

TEST(ConvertTest, RefusesWhatATmdCannotHold) {
  const SourceModel plain = Model(Material(0, true, 'C'));
  EXPECT_EQ(RefusalOf(plain, 10000),
            "m.ply:6: vertex 2 value -4 times 10000 is -40000, beyond the 16 bits of a TMD entry "
            "(-32768 to 32767)");
  SourceModel normal = plain;
  normal.ply.normals[1].x = 8;
  EXPECT_EQ(RefusalOf(normal),
            "m.ply:11: normal 1 value 8 times 4096 is 32768, beyond the 16 bits of a TMD entry "
            "(-32768 to 32767)");
  SourceModel huge = plain;
  huge.ply.polygons[0].vertex[0] = 70000;
  EXPECT_EQ(RefusalOf(huge),
            "m.ply:13: polygon 0 uses vertex 70000, beyond the 16 bits of a TMD index");
}

TEST(ConvertTest, RefusesPolygonsWithoutOrWithTwoMaterials) {
  SourceModel missing = Model(Material(0, false, 'C'));
  missing.mat.lines[0].polygons = {{0, 0}};
  EXPECT_EQ(RefusalOf(missing), "m.mat: polygon 1 has no material line");
  SourceModel twice = missing;
  twice.mat.lines.push_back(twice.mat.lines[0]);
  twice.mat.lines[1].line = 6;
  EXPECT_EQ(RefusalOf(twice), "m.mat:6: polygon 0 already has a material (line 5)");
}

TEST(ConvertTest, RefusesTexturesThatCannotBeAddressed) {
  MatLine no_tim = Material(0, false, 'T');
  no_tim.texture = 1;
  EXPECT_EQ(RefusalOf(Model(no_tim)), "m.mat:5: texture number 1 has no TIM (NTEX=1)");
  SourceModel palette = Model(Material(0, false, 'T'));
  palette.tims[0].clut->x = 648;
  EXPECT_EQ(RefusalOf(palette),
            "m.mat:5: texture 0 (m0.tim) has its palette at column 648, which is not a multiple "
            "of 16 and cannot be addressed");
}

// Exporters write the far edge of a texture (32 on a 32-wide image) and
// coordinates that stray past it at seams: such positions are moved onto the
// image's edge, never onto a neighbour's texels, and the file is converted.
TEST(ConvertTest, ClampsTexelPositionsOntoTheirImage) {
  MatLine line = Material(0, false, 'T');
  line.texels = {{{-1, 0}, {32, 0}, {0, 40}, {224, 256}}};
  const Conversion conversion = Convert(Model(line), 1);
  ASSERT_TRUE(conversion.model) << conversion.refusal;
  const TmdPolygon& quad = conversion.model->polygons[0];
  // U counts from the page: the image starts 32 texels in.
  EXPECT_EQ(quad.uv[0].u, 32);
  EXPECT_EQ(quad.uv[1].u, 63);
  EXPECT_EQ(quad.uv[2].v, 31);
  EXPECT_EQ(quad.uv[3].u, 63);
  EXPECT_EQ(quad.uv[3].v, 31);
  EXPECT_EQ(conversion.warnings,
            (std::vector<std::string>{"Warning: m.mat:5: 4 texel positions lie outside their "
                                      "images and are moved onto the image's edge, the first on "
                                      "polygon 0"}));
}

TEST(ConvertTest, WarnsOnceAMaterialLineAndStillConverts) {
  const Conversion rate = Convert(Model(Material(0x25, false, 'C')), 1);
  EXPECT_TRUE(rate.model);
  EXPECT_EQ(rate.warnings, (std::vector<std::string>{
                               "Warning: m.mat:5: flag 25 sets the reserved rate 4 (bits 3-5), "
                               "rate 0 used"}));
  const Conversion high = Convert(Model(Material(0xC1, false, 'C')), 1);
  EXPECT_TRUE(high.model);
  EXPECT_EQ(
      high.warnings,
      (std::vector<std::string>{"Warning: m.mat:5: flag c1 sets reserved bits (c0), ignored"}));
  for (const char type : {'D', 'H'}) {
    const Conversion lit = Convert(Model(Material(0, false, type)), 1);
    ASSERT_TRUE(lit.model);
    EXPECT_EQ(ModeOf(lit.model->polygons[0]), 0x2C);
    EXPECT_EQ(lit.warnings,
              (std::vector<std::string>{std::string("Warning: m.mat:5: ") + type +
                                        " material with light calculation (flag bit 0 clear): "
                                        "light calculation is kept, its RGB colour is ignored"}));
  }
}

}  // namespace
}  // namespace rsd2tmd
