#include "tools/rsdview/model_render.h"

#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "tools/rsdformat/testing/tim_maker.h"

namespace rsdview {
namespace {

using rsdformat::MatLine;
using rsdformat::MatType;
using rsdformat::PlyPolygon;

constexpr Rgb kBackground = kRenderBackground;

// A model built in memory: vertices, one normal per polygon, a material
// line per polygon.
struct ModelBuilder {
  Model model;

  void Vertex(double x, double y, double z) { model.ply.vertices.push_back({x, y, z}); }

  MatLine& Polygon(std::vector<std::int32_t> corners, rsdformat::Vector3 normal, MatLine line) {
    PlyPolygon polygon;
    polygon.quad = corners.size() == 4;
    for (std::size_t k = 0; k < corners.size(); ++k) {
      polygon.vertex[k] = corners[k];
      polygon.normal[k] = static_cast<std::int32_t>(model.ply.normals.size());
    }
    model.ply.normals.push_back(normal);
    model.ply.polygons.push_back(polygon);
    model.material.push_back(static_cast<std::int32_t>(model.mat.lines.size()));
    model.mat.lines.push_back(line);
    return model.mat.lines.back();
  }
};

MatLine Flat(Rgb color, std::uint8_t flag = 0x01) {
  MatLine line;
  line.flag = flag;
  line.type = MatType::kColor;
  line.colors[0] = color;
  return line;
}

Canvas Render(const Model& model, int size, View view = View::kFront, bool cull = false) {
  const VideoMemory memory = LoadVideoMemory(model.textures);
  return RenderView(model, memory, view, RenderOptions{size, cull});
}

// Front view at size 64: margin 4, so a model 7 units across is drawn at 8
// pixels per unit from pixel 4 to pixel 60.
TEST(ModelRender, AFlatTriangleCoversExactlyItsPixels) {
  ModelBuilder builder;
  builder.Vertex(0, 0, 0);
  builder.Vertex(7, 0, 0);
  builder.Vertex(0, 7, 0);
  builder.Polygon({0, 1, 2}, {0, 0, -1}, Flat({200, 100, 50}));
  const Canvas picture = Render(builder.model, 64);
  int covered = 0;
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      // Centres inside (4,4)-(60,4)-(4,60); the long edge is no top or left
      // edge, so centres on it stay out.
      const bool inside = x >= 4 && y >= 4 && x + y <= 62;
      covered += inside;
      EXPECT_EQ(picture.At(x, y), (inside ? Rgb{200, 100, 50} : kBackground)) << x << "," << y;
    }
  }
  EXPECT_EQ(covered, 55 * 56 / 2);
}

TEST(ModelRender, QuadHalvesShareTheirDiagonalWithoutGapOrOverlap) {
  ModelBuilder builder;
  for (auto [x, y] : {std::pair{0, 0}, {8, 0}, {0, 8}, {8, 8}}) {
    builder.Vertex(x, y, 0);
  }
  // Semi-transparent, rate 1 (adds): a pixel drawn twice would show it.
  builder.Polygon({0, 1, 2, 3}, {0, 0, -1}, Flat({0, 0, 100}, 0x01 | 0x04 | 0x08));
  const Canvas picture = Render(builder.model, 64);
  for (int y = 4; y < 60; ++y) {
    for (int x = 4; x < 60; ++x) {
      EXPECT_EQ(picture.At(x, y), (Rgb{kBackground.red, kBackground.green, 152})) << x << "," << y;
    }
  }
  EXPECT_EQ(picture.At(3, 3), kBackground);
  EXPECT_EQ(picture.At(60, 60), kBackground);
}

// An 8 x 8 texel 4-bit image, 2 x 2 checker of red and the transparent
// colour, on a quad 8 units across: 7 pixels per texel from pixel 4.
// D and H carry a colour too; on an unlit polygon the packet's raw-texture
// bit is set, so the console draws the texel as it is, and so does rsdview.
TEST(ModelRender, ATexturedQuadShowsItsCheckerAndSkipsTheTransparentColour) {
  // 32 texels into its page, so that the page offset counts.
  const std::string tim = rsdformat::test_files::MakeTim(
      8, 8, {{0, 0, 0}, {255, 0, 0}}, [](int u, int v) { return (u / 2 + v / 2) % 2; },
      {4, 704 + 8, 300, 640, 480});
  ASSERT_FALSE(tim.empty());

  ModelBuilder builder;
  builder.model.textures.push_back({0, "check.tim", rsdformat::ParseTim(tim, "check.tim")});
  for (auto [x, y] : {std::pair{0, 0}, {8, 0}, {0, 8}, {8, 8}}) {
    builder.Vertex(x, y, 0);
  }
  MatLine line;
  line.flag = 0x01;
  line.texture = 0;
  line.texels = {{{0, 0}, {8, 0}, {0, 8}, {8, 8}}};
  line.colors = {{{64, 255, 0}, {0, 0, 255}, {255, 255, 255}, {10, 20, 30}}};
  MatLine& drawn = builder.Polygon({0, 1, 2, 3}, {0, 0, -1}, line);
  for (const MatType type :
       {MatType::kTexture, MatType::kTextureColor, MatType::kTextureGradation}) {
    drawn.type = type;
    const Canvas picture = Render(builder.model, 64);
    for (int y = 0; y < 64; ++y) {
      for (int x = 0; x < 64; ++x) {
        const bool on_quad = x >= 4 && x < 60 && y >= 4 && y < 60;
        const int u = (x - 4) / 7, v = (y - 4) / 7;
        const bool red = on_quad && (u / 2 + v / 2) % 2 == 1;
        ASSERT_EQ(picture.At(x, y), (red ? Rgb{255, 0, 0} : kBackground))
            << static_cast<char>(type) << " " << x << "," << y;
      }
    }
  }
}

TEST(ModelRender, TheLightFlagDecidesTheShade) {
  const auto centre_of = [](std::uint8_t flag, rsdformat::Vector3 normal) {
    ModelBuilder builder;
    builder.Vertex(0, 0, 0);
    builder.Vertex(7, 0, 0);
    builder.Vertex(0, 7, 0);
    builder.Polygon({0, 1, 2}, normal, Flat({200, 200, 200}, flag));
    return Render(builder.model, 64).At(16, 16);
  };
  const Rgb unlit = centre_of(0x01, {0, 0, -1});
  const Rgb facing = centre_of(0x00, {0, 0, -1});      // towards the front
  const Rgb turned_away = centre_of(0x00, {0, 1, 0});  // down, away from the light
  EXPECT_EQ(unlit, (Rgb{200, 200, 200}));
  EXPECT_LT(facing.red, unlit.red);
  EXPECT_LT(turned_away.red, facing.red);
  EXPECT_GT(turned_away.red, 0);  // the ambient part
  // A normal's length does not matter.
  EXPECT_EQ(centre_of(0x00, {0, 0, -5}), facing);
}

TEST(ModelRender, TheDepthBufferKeepsTheNearerQuad) {
  for (bool near_first : {true, false}) {
    ModelBuilder builder;
    // Two 8 x 8 quads, the far one shifted right by 4: the frame is 12 wide.
    for (auto [x, y, z] : {std::tuple{0, 0, 0},
                           {8, 0, 0},
                           {0, 8, 0},
                           {8, 8, 0},
                           {4, 0, 5},
                           {12, 0, 5},
                           {4, 8, 5},
                           {12, 8, 5}}) {
      builder.Vertex(x, y, z);
    }
    const auto near = [&] { builder.Polygon({0, 1, 2, 3}, {0, 0, -1}, Flat({255, 0, 0})); };
    const auto far = [&] { builder.Polygon({4, 5, 6, 7}, {0, 0, -1}, Flat({0, 0, 255})); };
    near_first ? (near(), far()) : (far(), near());
    // size 100: margin 6.25, 87.5 / 12 pixels per unit; x = 6 is left of
    // the far quad, x = 50 in both, x = 90 only in the far one.
    const Canvas picture = Render(builder.model, 100);
    EXPECT_EQ(picture.At(20, 50), (Rgb{255, 0, 0})) << near_first;
    EXPECT_EQ(picture.At(50, 50), (Rgb{255, 0, 0})) << near_first;
    EXPECT_EQ(picture.At(85, 50), (Rgb{0, 0, 255})) << near_first;
  }
}

TEST(ModelRender, CullingSkipsBackFacesButNotDoubleSidedOnes) {
  const auto drawn = [](std::vector<std::int32_t> corners, std::uint8_t flag, bool cull) {
    ModelBuilder builder;
    builder.Vertex(0, 0, 0);
    builder.Vertex(7, 0, 0);
    builder.Vertex(0, 7, 0);
    builder.Polygon(std::move(corners), {0, 0, -1}, Flat({9, 9, 9}, flag));
    return Render(builder.model, 64, View::kFront, cull).At(16, 16) == Rgb{9, 9, 9};
  };
  // (0, 7, 0) is below (0, 0, 0) on screen: 0, 1, 2 runs clockwise, the
  // front the console draws; 0, 2, 1 is a back face.
  EXPECT_TRUE(drawn({0, 1, 2}, 0x01, true));
  EXPECT_FALSE(drawn({0, 2, 1}, 0x01, true));
  EXPECT_TRUE(drawn({0, 2, 1}, 0x01, false));
  EXPECT_TRUE(drawn({0, 2, 1}, 0x03, true));
}

TEST(ModelRender, ViewsLookAlongTheirAxes) {
  // A unit cube's corner (1, 1, 1) faces red towards +x: only the side view
  // looks at that face.
  ModelBuilder builder;
  for (auto [x, y, z] : {std::tuple{1, 0, 0}, {1, 1, 0}, {1, 0, 1}, {1, 1, 1}, {0, 0, 0}}) {
    builder.Vertex(x, y, z);
  }
  builder.Polygon({0, 1, 2, 3}, {1, 0, 0}, Flat({255, 0, 0}));
  EXPECT_EQ(Render(builder.model, 64, View::kSide).At(32, 32), (Rgb{255, 0, 0}));
  EXPECT_EQ(Render(builder.model, 64, View::kFront).At(32, 32), kBackground);
  EXPECT_EQ(Render(builder.model, 64, View::kTop).At(32, 32), kBackground);
  EXPECT_EQ(ViewNamed("three-quarter"), View::kThreeQuarter);
  EXPECT_EQ(ViewNamed("back"), std::nullopt);
}

Canvas RenderConsole(const Model& model, View view) {
  RenderOptions options;
  options.console_camera = true;
  return RenderView(model, LoadVideoMemory(model.textures), view, options);
}

// The centre of the pixels of `colour`, as a share of the picture's width
// and height (0.5 is the middle).
std::pair<double, double> CentreOf(const Canvas& picture, Rgb colour) {
  double x_sum = 0, y_sum = 0, count = 0;
  for (int y = 0; y < picture.height(); ++y) {
    for (int x = 0; x < picture.width(); ++x) {
      if (picture.At(x, y) == colour) {
        x_sum += x;
        y_sum += y;
        ++count;
      }
    }
  }
  return {x_sum / count / picture.width(), y_sum / count / picture.height()};
}

TEST(ModelRender, ConsoleCameraDrawsTheScreenInEveryViewAsTheOrthographicViewsTurn) {
  // Three big double-sided squares on the planes x, y, z = -8 and three
  // small ones on x = 14, y = 14, z = 10 past their far corner: in every view
  // the small ones lie on the same side of the picture through both cameras.
  ModelBuilder builder;
  const auto square = [&](int axis, int at, int from, int to, Rgb colour) {
    const std::int32_t first = static_cast<std::int32_t>(builder.model.ply.vertices.size());
    for (auto [a, b] : {std::pair{from, from}, {to, from}, {from, to}, {to, to}}) {
      double p[3];
      p[axis] = at;
      p[(axis + 1) % 3] = a;
      p[(axis + 2) % 3] = b;
      builder.Vertex(p[0], p[1], p[2]);
    }
    builder.Polygon({first, first + 1, first + 2, first + 3}, {0, 0, -1}, Flat(colour, 0x03));
  };
  for (int axis = 0; axis < 3; ++axis) {
    square(axis, -8, -8, 8, {200, 0, 0});
    square(axis, axis == 2 ? 10 : 14, 10, 14, {0, 200, 0});
  }
  const Rgb small{0, 200, 0};
  for (View view : {View::kFront, View::kSide, View::kTop, View::kThreeQuarter}) {
    const Canvas console = RenderConsole(builder.model, view);
    ASSERT_EQ(console.width(), 320);
    ASSERT_EQ(console.height(), 240);
    const auto [console_x, console_y] = CentreOf(console, small);
    const auto [ortho_x, ortho_y] = CentreOf(Render(builder.model, 64, view), small);
    EXPECT_EQ(console_x > 0.5, ortho_x > 0.5) << ViewName(view);
    EXPECT_EQ(console_y > 0.5, ortho_y > 0.5) << ViewName(view);
  }
}

TEST(ModelRender, ConsoleCameraAlwaysTestsTheBackFaceAsTheConsoleDoes) {
  const auto drawn = [](std::vector<std::int32_t> corners, std::uint8_t flag) {
    ModelBuilder builder;
    builder.Vertex(-7, -7, 0);
    builder.Vertex(7, -7, 0);
    builder.Vertex(-7, 7, 0);
    builder.Polygon(std::move(corners), {0, 0, -1}, Flat({9, 9, 9}, flag));
    return RenderConsole(builder.model, View::kFront).At(130, 100) == Rgb{9, 9, 9};
  };
  // Top left, top right, bottom left: clockwise on screen, the front.
  EXPECT_TRUE(drawn({0, 1, 2}, 0x01));
  EXPECT_FALSE(drawn({0, 2, 1}, 0x01));
  EXPECT_TRUE(drawn({0, 2, 1}, 0x03));  // double-sided
}

}  // namespace
}  // namespace rsdview
