// A TMD drawn through the render model: a model of every material kind,
// converted by the converter library, must give the render of its source
// pixel for pixel, from every view.
#include "tools/rsdview/tmd_model.h"

#include <gtest/gtest.h>

#include "tools/rsd2tmd/convert.h"
#include "tools/rsdformat/testing/tim_maker.h"
#include "tools/rsdview/model_render.h"

namespace rsdview {
namespace {

// Nine quads in a 3 x 3 grid, each at its own depth, with whole-number
// corners and normals that 4096 holds exactly, so the TMD keeps every value.
std::string GridPly() {
  std::string ply = "@PLY940102\n36 3 9\n";
  for (int i = 0; i < 9; ++i) {
    const int x = i % 3 * 12, y = i / 3 * 12;
    for (const auto& [dx, dy] : {std::pair{0, 0}, {10, 0}, {0, 10}, {10, 10}}) {
      ply += std::to_string(x + dx) + " " + std::to_string(y + dy) + " " + std::to_string(i) + "\n";
    }
  }
  ply += "0 0 -1\n0.5 -0.5 -0.5\n-0.25 0 -1\n";
  for (int i = 0; i < 9; ++i) {
    const std::string v = std::to_string(4 * i);
    ply += "1 " + v + " " + std::to_string(4 * i + 1) + " " + std::to_string(4 * i + 2) + " " +
           std::to_string(4 * i + 3) + (i == 1 ? " 0 1 2 1\n" : " 1 1 1 1\n");
  }
  return ply;
}

// Every type, lit and unlit, flat and smooth, semi-transparent at two rates.
constexpr const char* kGridMat =
    "@MAT940801\n9\n"
    "0 0 F C 200 40 40\n"
    "1 0 G G 255 0 0 0 255 0 0 0 255 255 255 0\n"
    "2 1 F C 10 200 30\n"
    "3 3 F G 250 10 10 10 250 10 10 10 250 200 200 200\n"
    "4 0 F T 0 0 0 15 0 0 15 15 15\n"
    "5 1 F D 1 0 0 15 0 0 15 15 15 100 160 200\n"
    "6 1 F H 0 2 1 13 2 1 14 15 15 255 0 0 0 255 0 0 0 255 128 128 128\n"
    "7 5 F C 90 90 250\n"
    "8 d F D 1 15 0 0 0 15 15 0 15 128 128 128\n";

rsd2tmd::SourceModel GridSource() {
  rsd2tmd::SourceModel source;
  source.rsd.textures = {"t0.tim", "t1.tim"};
  source.ply = rsdformat::ParsePly(GridPly(), "grid.ply");
  source.mat = rsdformat::ParseMat(kGridMat, "grid.mat");
  // Neither image starts its page, so the texel offsets matter.
  const auto stripes = [](int u, int v) { return (u + 2 * v) % 4; };
  const std::vector<img2tim::Rgb> palette = {
      {0, 0, 0}, {250, 200, 20}, {20, 90, 240}, {240, 240, 240}};
  source.tims = {rsdformat::ParseTim(rsdformat::test_files::MakeTim(16, 16, palette, stripes,
                                                                    {4, 644, 0, 640, 256}),
                                     "t0.tim"),
                 rsdformat::ParseTim(rsdformat::test_files::MakeTim(16, 16, palette, stripes,
                                                                    {8, 700, 20, 640, 257}),
                                     "t1.tim")};
  return source;
}

Model RsdModel(const rsd2tmd::SourceModel& source) {
  Model model;
  model.rsd = source.rsd;
  model.ply = source.ply;
  model.mat = source.mat;
  model.material = rsdformat::MaterialOfEachPolygon(source.mat, 9);
  for (std::size_t i = 0; i < source.tims.size(); ++i) {
    model.textures.push_back({static_cast<int>(i), source.rsd.textures[i], source.tims[i]});
  }
  return model;
}

TEST(ModelFromTmd, DrawsWhatTheSourceDrawsFromEveryView) {
  const rsd2tmd::SourceModel source = GridSource();
  const rsd2tmd::Conversion converted = rsd2tmd::Convert(source, 1.0);
  ASSERT_TRUE(converted.model) << converted.refusal;
  const Model rsd = RsdModel(source);
  const Model tmd = ModelFromTmd(*converted.model, rsd.textures);
  const VideoMemory memory = LoadVideoMemory(rsd.textures);
  for (const bool cull : {false, true}) {
    for (const View view : {View::kFront, View::kSide, View::kTop, View::kThreeQuarter}) {
      const Canvas want = RenderView(rsd, memory, view, {96, cull});
      const Canvas got = RenderView(tmd, memory, view, {96, cull});
      EXPECT_EQ(got.bytes(), want.bytes()) << ViewName(view) << (cull ? " culled" : "");
    }
  }
  // Not a blank match: the front view shows textured and coloured pixels.
  const Canvas front = RenderView(tmd, memory, View::kFront, {96, false});
  int drawn = 0;
  for (int y = 0; y < 96; ++y) {
    for (int x = 0; x < 96; ++x) {
      drawn += front.At(x, y) == kRenderBackground ? 0 : 1;
    }
  }
  EXPECT_GT(drawn, 96 * 96 / 2);
}

TEST(ModelFromTmd, TakesThePageAndPaletteWordsAndTheKindFromEachPrimitive) {
  rsd2tmd::TmdModel tmd;
  tmd.vertices = {{0, 0, 0, 0}, {8, 0, 0, 0}, {0, 8, 0, 0}, {8, 8, 0, 0}};
  tmd.normals = {{0, 0, -4096, 0}, {0, 4096, 0, 0}};
  rsd2tmd::TmdPolygon textured;
  textured.corners = 4;
  textured.lit = false;
  textured.textured = true;
  textured.semi_transparent = true;
  textured.vertex_colours = true;
  textured.colours = {{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}, {10, 11, 12}}};
  textured.uv = {{{16, 0}, {31, 0}, {16, 15}, {31, 15}}};
  textured.cba = static_cast<std::uint16_t>(257 * 64 + 640 / 16);
  textured.tsb = static_cast<std::uint16_t>(11 | 1 << 4 | 2 << 5 | 1 << 7);
  textured.vertices = {0, 1, 2, 3};
  rsd2tmd::TmdPolygon lit;
  lit.smooth = true;
  lit.double_sided = true;
  lit.colours[0] = {50, 60, 70};
  lit.vertices = {3, 2, 1, 0};
  lit.normals = {1, 0, 1, 0};
  tmd.polygons = {textured, lit};
  const Model model = ModelFromTmd(tmd, {});

  ASSERT_EQ(model.ply.polygons.size(), 2u);
  EXPECT_TRUE(model.ply.polygons[0].quad);
  EXPECT_FALSE(model.ply.polygons[1].quad);
  EXPECT_EQ(model.ply.polygons[1].vertex, (std::array<std::int32_t, 4>{3, 2, 1, 0}));
  EXPECT_EQ(model.ply.polygons[1].normal, (std::array<std::int32_t, 4>{1, 0, 1, 0}));
  EXPECT_DOUBLE_EQ(model.ply.normals[0].z, -1.0);
  EXPECT_DOUBLE_EQ(model.ply.vertices[3].y, 8.0);

  const rsdformat::MatLine& first = model.mat.lines[static_cast<std::size_t>(model.material[0])];
  EXPECT_EQ(first.type, rsdformat::MatType::kTextureGradation);
  EXPECT_EQ(first.flag, 0x01 | 0x04 | 2 << 3);
  EXPECT_EQ(first.texels[3], (rsdformat::TexelPosition{31, 15}));
  EXPECT_EQ(first.colors[2], (rsdformat::Rgb{7, 8, 9}));
  const TextureWindow& window = model.windows[0];
  EXPECT_EQ(window.page_x, 11);
  EXPECT_EQ(window.page_y, 1);
  EXPECT_EQ(window.depth, 8);
  EXPECT_EQ(window.palette_x, 640);
  EXPECT_EQ(window.palette_y, 257);
  EXPECT_EQ(window.offset_u, 0);

  const rsdformat::MatLine& second = model.mat.lines[static_cast<std::size_t>(model.material[1])];
  EXPECT_EQ(second.type, rsdformat::MatType::kColor);
  EXPECT_EQ(second.shading, rsdformat::Shading::kSmooth);
  EXPECT_EQ(second.flag, 0x02);
  EXPECT_EQ(second.colors[0], (rsdformat::Rgb{50, 60, 70}));
}

TEST(WithVertices, MovesTheVerticesAndKeepsThePolygons) {
  rsd2tmd::TmdModel tmd;
  tmd.vertices = {{0, 0, 0, 0}, {8, 0, 0, 0}, {0, 8, 0, 0}};
  tmd.normals = {{0, 0, -4096, 0}};
  rsd2tmd::TmdPolygon triangle;
  triangle.vertices = {0, 1, 2, 0};
  tmd.polygons = {triangle};
  const Model base = ModelFromTmd(tmd, {});
  const Model moved = WithVertices(base, {{1, 2, 3, 0}, {9, 2, 3, 0}, {1, 10, 3, 0}}, {});
  EXPECT_DOUBLE_EQ(moved.ply.vertices[2].y, 10.0);
  EXPECT_DOUBLE_EQ(moved.ply.vertices[0].z, 3.0);
  EXPECT_DOUBLE_EQ(moved.ply.normals[0].z, -1.0);
  EXPECT_EQ(moved.ply.polygons[0].vertex, base.ply.polygons[0].vertex);
  const Model turned = WithVertices(base, tmd.vertices, {{4096, 0, 0, 0}});
  EXPECT_DOUBLE_EQ(turned.ply.normals[0].x, 1.0);
}

}  // namespace
}  // namespace rsdview
