#include "exporter/mat_writer.h"

#include <gtest/gtest.h>

#include "clayhost/served_scene.h"
#include "clayhost/testing/test_scene.h"
#include "exporter/export_stop.h"
#include "exporter/testing/export_sandbox.h"

namespace exporter {
namespace {

using clayhost::Scene;
using clayhost::ServedScene;
using clayhost::testing::ColorParam;
using clayhost::testing::FloatParam;
using clayhost::testing::NamedTexture;
using clayhost::testing::TextureParam;

Face TriangleFace() {
  Face face;
  face.vertex = {0, 1, 2, 0};
  return face;
}

Face QuadFace() {
  Face face = TriangleFace();
  face.vertex[3] = 3;
  face.corner_count = 4;
  return face;
}

// One object with texture coordinates, one material under test and the
// texture "wood.bmp" numbered 0 with the sizes 256 x 128.
class MatLineTest : public ::testing::Test {
 protected:
  MatLineTest() {
    scene_.objects.push_back({});
    clayhost::testing::SetTexCoords(scene_.objects[0],
                                    {{0.5f, 0.25f}, {1, 1}, {0, 0.5f}, {0.25f, 0}});
    scene_.textures = {NamedTexture("wood.bmp")};
    textures_.Add("WOOD.BMP");
    textures_.SetSize(0, {256, 128});
  }

  std::string Line(std::vector<clayhost::Param> params, const Face& face, std::int32_t n = 0,
                   RsdExportOptions options = RsdExportOptions::ForExporter()) {
    scene_.materials = {{"mat", std::move(params)}};
    ServedScene host(scene_);
    MatLineBuilder builder(host.api(), ServedScene::handle(), host.object(0), textures_, options);
    std::string line = builder.Line(face, n);
    conflict_ = builder.conflict();
    EXPECT_EQ(host.diagnostics(), "");
    return line;
  }

  Scene scene_;
  TextureList textures_;
  std::string conflict_;
};

TEST_F(MatLineTest, UntexturedLines) {
  EXPECT_EQ(Line({}, TriangleFace(), 7), "7 1  F C   64 64 255 ");
  // Half of full red without "Refraction": 127.5 rounds up.
  EXPECT_EQ(Line({ColorParam("Diffuse", 1, 0, 0)}, TriangleFace(), 3), "3 1  F C   128 0 0 ");
  EXPECT_EQ(Line({ColorParam("Diffuse", 1, 0, 0), FloatParam("Refraction", 1)}, QuadFace(), 3),
            "3 1  F C   255 0 0 ");
  // A factor of 0 or less leaves the colour unscaled.
  EXPECT_EQ(Line({ColorParam("Diffuse", 0.5f, 0.5f, 1), FloatParam("Refraction", 0)}, QuadFace()),
            "0 1  F C   128 128 255 ");
  EXPECT_EQ(Line({FloatParam("Specular", 0.1f)}, TriangleFace()), "0 0  F C   64 64 255 ");
  // A component holds 0 to 255: a factor above 1 and a colour below 0 are
  // written at the ends of the range.
  EXPECT_EQ(Line({ColorParam("Diffuse", 0.8f, 1, -0.5f), FloatParam("Refraction", 1.45f)},
                 TriangleFace()),
            "0 1  F C   255 255 0 ");
  EXPECT_EQ(
      Line({ColorParam("Diffuse", 0.6f, 0.8f, 1), FloatParam("Refraction", 1.45f)}, TriangleFace()),
      "0 1  F C   222 255 255 ");
  // Parameters of the wrong kind are ignored.
  EXPECT_EQ(Line({FloatParam("Diffuse", 1), ColorParam("Specular", 1, 1, 1),
                  ColorParam("Refraction", 1, 1, 1)},
                 TriangleFace()),
            "0 1  F C   64 64 255 ");
}

TEST_F(MatLineTest, TexturedFaceWithoutCoordinatesMapsTheWholeTexture) {
  textures_.SetSize(0, {256, 256});
  EXPECT_EQ(Line({TextureParam("DiffuseMap", 0)}, QuadFace()),
            "0 1 F T  0  0 0    256 0    0 256    256 256     64 64 255 ");
  EXPECT_EQ(Line({TextureParam("DiffuseMap", 0)}, TriangleFace()),
            "0 1 F  T  0  256 0    256 256    0 256    0 0    64 64 255 ");
}

TEST_F(MatLineTest, TexelPositionsFromCoordinates) {
  Face quad = QuadFace();
  quad.texcoord = {1, 2, 3, 4};
  // Corners 3, 2, 0, 1 at (256 u, (1 - v) 128).
  EXPECT_EQ(Line({TextureParam("DiffuseMap", 0), FloatParam("Shininess", 0)}, quad),
            "0 1 F  T   0  64 128    0 64    128 96    256 0     ");
  Face triangle = TriangleFace();
  triangle.texcoord = {1, 2, 3, 0};
  EXPECT_EQ(Line({TextureParam("DiffuseMap", 0), FloatParam("Shininess", 0)}, triangle),
            "0 1 F   T   0  0 64    256 0    128 96    0 0    ");
  // The form follows t3, not the corner count.
  quad.texcoord[3] = 0;
  EXPECT_EQ(Line({TextureParam("DiffuseMap", 0), FloatParam("Shininess", 0)}, quad),
            "0 1 F  T   0  0 64    256 0    128 96    0 0    ");
}

TEST_F(MatLineTest, ShininessChoosesColouredTextureAndSpacing) {
  EXPECT_EQ(Line({TextureParam("DiffuseMap", 0), FloatParam("Shininess", 2),
                  ColorParam("Diffuse", 1, 1, 1), FloatParam("Refraction", 1)},
                 TriangleFace()),
            "0 1  F  D   0  256 0    256 128    0 128    0 0    255 255 255 ");
  EXPECT_EQ(conflict_, "");
  EXPECT_EQ(
      Line({TextureParam("DiffuseMap", 0), FloatParam("Shininess", 2), FloatParam("Specular", 1)},
           QuadFace(), 4),
      "4 0 F  D   0  0 0    256 0    0 128    256 128     64 64 255 ");
  EXPECT_EQ(conflict_,
            "\r\n* Material (mat) can not use both light caculations (Specular) and RGB colour on "
            "texture (Shininess)\r\n   light caculation is defaulted, RGB colour is ignored.");
}

TEST_F(MatLineTest, TextureWithoutSizeWritesZeroTexels) {
  textures_.Add("plain.bmp");  // number 1, its material had no size suffix
  scene_.textures.push_back(NamedTexture("plain.bmp"));
  EXPECT_EQ(Line({TextureParam("DiffuseMap", 1)}, QuadFace()),
            "0 1 F T  1  0 0    0 0    0 0    0 0     64 64 255 ");
}

TEST_F(MatLineTest, UnnamedTextureStopsAndUnknownTextureWarns) {
  scene_.textures[0].naming = clayhost::TextureNaming::kNameless;
  try {
    Line({TextureParam("DiffuseMap", 0)}, QuadFace());
    FAIL() << "no stop";
  } catch (const ExportStop& stop) {
    EXPECT_EQ(stop.message(),
              "Error: Texture needs manual exporting first, click material (mat) > DiffuseMap > "
              "Import > right click > 3rd option.");
  }
  scene_.textures[0] = NamedTexture("other.bmp");
  testing::ExportSandbox sandbox;
  EXPECT_EQ(Line({TextureParam("DiffuseMap", 0)}, QuadFace()), "0 1  F C   64 64 255 ");
  ASSERT_EQ(sandbox.BoxTexts().size(), 1u);
  EXPECT_EQ(sandbox.BoxTexts()[0],
            "Warning: 2 No TIM created because material name (mat)does not end with ~256x256x8 "
            "(~widthxhieghtxbitwidth)");
  // A texture parameter without a texture is no texture.
  EXPECT_EQ(Line({TextureParam("DiffuseMap", -1)}, QuadFace()), "0 1  F C   64 64 255 ");
}

// The flag field is hexadecimal: 36 = 0x24 is written "24", which the
// converter reads as semi-transparent with rate 4 (bits 2 and 5), not as
// 0x36 (double-sided, rate 6).
TEST_F(MatLineTest, BatchLightFlagCarriesTransparencyInHexadecimal) {
  const RsdExportOptions batch = RsdExportOptions::ForBatchTool();
  EXPECT_EQ(Line({ColorParam("Transparency", 0, 0.5f, 1), FloatParam("Specular", 1)},
                 TriangleFace(), 0, batch),
            "0 24  F C   64 64 255 ");
  EXPECT_EQ(Line({ColorParam("Transparency", 0, 0, 0)}, TriangleFace(), 0, batch),
            "0 5  F C   64 64 255 ");
  EXPECT_EQ(Line({ColorParam("Transparency", 1, 1, 1, 4)}, TriangleFace(), 0, batch),
            "0 15  F C   64 64 255 ");
  EXPECT_EQ(Line({ColorParam("Transparency", 1, 0, 0), FloatParam("Specular", 1)}, TriangleFace(),
                 0, batch),
            "0 14  F C   64 64 255 ");
  EXPECT_EQ(Line({ColorParam("Transparency", 0, 1, 0)}, TriangleFace(), 0, batch),
            "0 25  F C   64 64 255 ");
  EXPECT_EQ(Line({ColorParam("Transparency", 0, 0, 1), FloatParam("Specular", 1)}, TriangleFace(),
                 0, batch),
            "0 44  F C   64 64 255 ");
  EXPECT_EQ(Line({ColorParam("Transparency", 0, 0, 0.1f)}, TriangleFace(), 0, batch),
            "0 45  F C   64 64 255 ");
  EXPECT_EQ(Line({FloatParam("Transparency", 1)}, TriangleFace(), 0, batch),
            "0 1  F C   64 64 255 ");
  EXPECT_EQ(Line({}, TriangleFace(), 0, batch), "0 1  F C   64 64 255 ");
  // The exporter ignores "Transparency".
  EXPECT_EQ(Line({ColorParam("Transparency", 1, 0, 0)}, TriangleFace()), "0 1  F C   64 64 255 ");
  // Transparency keeps a specular material from the conflict.
  Line({TextureParam("DiffuseMap", 0), FloatParam("Shininess", 2), FloatParam("Specular", 1),
        ColorParam("Transparency", 1, 0, 0)},
       QuadFace(), 0, batch);
  EXPECT_EQ(conflict_, "");
}

TEST(MatWriter, HeaderAndLinesSkipHiddenFaces) {
  Scene scene;
  scene.objects.push_back({});
  scene.materials = {{"m", {}}};
  clayhost::Face face;
  face.vertex = {0, 1, 2, 0};
  scene.objects[0].faces = {face, face, face};
  scene.objects[0].faces[1].flags = 0x20;
  ServedScene host(scene);
  TextureList textures;
  MatLineBuilder builder(host.api(), ServedScene::handle(), host.object(0), textures,
                         RsdExportOptions::ForExporter());
  const std::string text = testing::CaptureFile([&](platform::OutputFile& mat) {
    WriteMatHeader(mat, 2);
    WriteMatLines(host.api(), builder, host.object(0), 3, mat);
  });
  EXPECT_EQ(host.diagnostics(), "");
  EXPECT_EQ(text,
            "#created with Gannet v2 May 2023 for MarbleClay.\r\n@MAT940801\r\n# Number of "
            "Items\r\n2\r\n# Materials\r\n0 1  F C   64 64 255 \r\n1 1  F C   64 64 255 \r\n");
}

}  // namespace
}  // namespace exporter

namespace exporter {
namespace {

// Materials are read once; what depends on face order still follows it.
TEST(MatWriter, SharedMaterialsKeepPerFaceWarningsAndTheLastConflict) {
  Scene scene;
  scene.objects.push_back({});
  scene.textures = {NamedTexture("t.bmp"), NamedTexture("lost.bmp")};
  const clayhost::Param map = TextureParam("DiffuseMap", 0);
  const clayhost::Param lost = TextureParam("DiffuseMap", 1);
  const clayhost::Param specular = FloatParam("Specular", 1);
  const clayhost::Param shininess = FloatParam("Shininess", 1);
  scene.materials = {
      {"A", {map, specular, shininess}}, {"B", {map, specular, shininess}}, {"C", {lost}}};
  clayhost::Face face;
  face.vertex = {0, 1, 2, 0};
  for (mcp::MaterialRef ref : {0u, 1u, 0u, 2u, 2u}) {
    face.material = ref;
    scene.objects[0].faces.push_back(face);
  }
  testing::ExportSandbox sandbox;
  ServedScene host(scene);
  TextureList textures;
  textures.Add("t.bmp");
  MatLineBuilder builder(host.api(), ServedScene::handle(), host.object(0), textures,
                         RsdExportOptions::ForExporter());
  std::string conflict;
  testing::CaptureFile([&](platform::OutputFile& mat) {
    conflict = WriteMatLines(host.api(), builder, host.object(0), 5, mat);
  });
  EXPECT_EQ(host.diagnostics(), "");
  EXPECT_NE(conflict.find("* Material (A) can not use"), std::string::npos) << conflict;
  EXPECT_EQ(sandbox.BoxTexts().size(), 2u);  // one per face of C
}

}  // namespace
}  // namespace exporter
