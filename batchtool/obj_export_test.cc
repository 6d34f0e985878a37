#include "batchtool/obj_export.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "batchtool/testing/assimp_info.h"
#include "clayhost/served_scene.h"
#include "clayhost/testing/test_scene.h"
#include "testing/file_bytes.h"
#include "testing/temp_folder.h"

namespace batchtool {
namespace {

using clayhost::Face;
using clayhost::SceneObject;
using clayhost::ServedScene;
using clayhost::TextureNaming;
using clayhost::testing::ColorParam;
using clayhost::testing::FloatParam;
using clayhost::testing::NamedTexture;
using clayhost::testing::SetTexCoords;
using clayhost::testing::TestObject;
using clayhost::testing::TextureParam;

constexpr const char* kComment = "#created with Gannet v2 May 2023 for MarbleClay.\r\n";
constexpr const char* kNoModelData =
    "ERROR, no model selected or no model data is present! Please select the model to export.";

Face Triangle(int a, int b, int c, mcp::MaterialRef material = 0) {
  Face face;
  face.vertex = {a, b, c, 0};
  face.material = material;
  return face;
}

Face Quad(int a, int b, int c, int d, mcp::MaterialRef material = 0) {
  Face face = Triangle(a, b, c, material);
  face.vertex[3] = d;
  face.corner_count = 4;
  return face;
}

clayhost::Material Material(const char* name, std::vector<clayhost::Param> params = {}) {
  return {name, std::move(params)};
}

// A unit cube of six quads on eight shared vertices.
SceneObject Cube() {
  SceneObject cube = TestObject("Box");
  for (int i = 0; i < 8; ++i) {
    cube.vertices.push_back({{static_cast<float>(i & 1), static_cast<float>((i >> 1) & 1),
                              static_cast<float>((i >> 2) & 1)},
                             0});
  }
  cube.faces = {Quad(0, 1, 3, 2), Quad(4, 6, 7, 5), Quad(0, 4, 5, 1),
                Quad(2, 3, 7, 6), Quad(0, 2, 6, 4), Quad(1, 5, 7, 3)};
  return cube;
}

int CountLines(const std::string& text, const std::string& start) {
  int count = 0;
  std::size_t position = 0;
  while (position < text.size()) {
    const auto end = text.find("\r\n", position);
    if (text.compare(position, start.size(), start) == 0) {
      ++count;
    }
    if (end == std::string::npos) {
      break;
    }
    position = end + 2;
  }
  return count;
}

class ObjExportTest : public ::testing::Test {
 protected:
  ObjExportTest() {
    services_.show_message = [this](const std::string& text) { messages_.push_back(text); };
    // The directory listing names every file that SaveTexture was asked for.
    services_.run_command = [this](const std::string& command, const std::string& folder) {
      commands_.push_back(command + " @ " + folder);
      std::string listing = " Directory listing\r\n";
      for (const auto& saved : saves_) {
        if (command.find(saved.path) != std::string::npos) {
          listing += saved.path.substr(saved.path.find_last_of('\\') + 1) + "\r\n";
        }
      }
      return listing;
    };
  }

  void Export(const std::string& file_name, double scale = 1.0, std::int32_t index = 0) {
    ServedScene host(scene_, [this](const clayhost::SaveCall& call) { saves_.push_back(call); });
    ExportObjModel(host.api(), ServedScene::handle(), index, folder_.windows() + "\\" + file_name,
                   scale, services_);
    EXPECT_EQ(host.diagnostics(), "");
  }

  std::string Read(const std::string& file_name) {
    return gannet_testing::ReadBytes(folder_.path() / file_name);
  }

  clayhost::Scene scene_;
  std::vector<clayhost::SaveCall> saves_;
  exportlib::UserChannel services_;
  std::vector<std::string> messages_;
  std::vector<std::string> commands_;
  gannet_testing::TempFolder folder_;
};

TEST_F(ObjExportTest, WritesTrianglesAndSplitQuadsWithReversedWinding) {
  SceneObject thing = TestObject("Thing");
  thing.vertices = {{{0, 0, 0}, 0}, {{1, 0, 0}, 0}, {{1, 1, 0}, 0}, {{0, 1, 0.5f}, 0}};
  thing.faces = {Triangle(0, 1, 2), Quad(0, 1, 2, 3)};
  scene_.objects = {TestObject(), thing};
  scene_.materials = {Material("wood ~ 2", {ColorParam("Diffuse", 1, 0.5f, 0.25f)})};

  Export("thing.obj", 1.0, 1);

  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(Read("thing.obj"), std::string(kComment) +
                                   "mtllib thing.mtl\r\n"
                                   "#Model Thing has: 7 Verts 3 faces textures: 0\r\n"
                                   "o thing\r\n"
                                   "v 0.00 0.00 0.00 \r\n"
                                   "v 10.00 0.00 10.00 \r\n"
                                   "v 0.00 0.00 10.00 \r\n"
                                   "v 0.00 0.00 0.00 \r\n"
                                   "v 10.00 0.00 10.00 \r\n"
                                   "v 0.00 0.00 10.00 \r\n"
                                   "v 10.00 5.00 0.00 \r\n"
                                   "# \r\n"
                                   "vt 0.00 0.00\r\nvt 0.00 0.00\r\nvt 0.00 0.00\r\n"
                                   "vt 0.00 0.00\r\nvt 0.00 0.00\r\nvt 0.00 0.00\r\n"
                                   "vt 0.00 0.00\r\n"
                                   "# \r\n"
                                   "s off  \r\n"
                                   "usemtl wood\r\n"
                                   "f  1/1/  2/2/  3/3/  \r\n"
                                   "usemtl wood\r\n"
                                   "f  4/4/  5/5/  6/6/ \r\n"
                                   "f  4/4/  7/7/  5/5/  \r\n");
  EXPECT_EQ(Read("thing.mtl"), std::string(kComment) +
                                   "\r\n"
                                   "newmtl wood\r\n"
                                   "Ka 1.00 1.00 1.00\r\n"
                                   "Kd  1.00000 0.50000 0.25000 \r\n"
                                   "\r\n"
                                   "newmtl _DefaultMat_\r\n"
                                   "Ka 0.00 0.00 0.00\r\n"
                                   "Kd  0.5 0.5 1.0 \r\n");
}

TEST_F(ObjExportTest, CubeOfSixQuadsLoadsInAnIndependentReader) {
  scene_.objects = {Cube()};
  scene_.materials = {Material("Clay", {TextureParam("DiffuseMap", -1)})};

  Export("cube.obj", 1.5);

  const std::string obj = Read("cube.obj");
  EXPECT_EQ(CountLines(obj, "v "), 24);
  EXPECT_EQ(CountLines(obj, "vt 0.00 0.00\r"), 24);
  EXPECT_EQ(CountLines(obj, "f "), 12);
  EXPECT_NE(obj.find("\r\n#Model Box has: 24 Verts 12 faces textures: 0\r\n"), std::string::npos);
  // 10 × 1.5 per unit.
  EXPECT_NE(obj.find("\r\nv 15.00 15.00 15.00 \r\n"), std::string::npos);
  const std::string mtl = Read("cube.mtl");
  const std::string tail = "newmtl _DefaultMat_\r\nKa 0.00 0.00 0.00\r\nKd  0.5 0.5 1.0 \r\n";
  EXPECT_EQ(mtl.substr(mtl.size() - tail.size()), tail);

  if (!testing::AssimpAvailable()) {
    GTEST_SKIP() << "assimp not installed";
  }
  const auto counts = testing::ImportWithAssimp(folder_.path() / "cube.obj");
  ASSERT_TRUE(counts.has_value());
  EXPECT_EQ(counts->faces, 12);
  EXPECT_EQ(counts->vertices, 36);
  EXPECT_EQ(counts->materials, 3);
  EXPECT_EQ(counts->material_names,
            (std::vector<std::string>{"DefaultMaterial", "Clay", "_DefaultMat_"}));
}

TEST_F(ObjExportTest, TexturesAreSavedOnceAndNumberedInSavingOrder) {
  SceneObject car = TestObject("car");
  car.vertices = {{{0, 0, 0}, 0}, {{1, 0, 0}, 0}, {{1, 1, 0}, 0}, {{0, 1, 0}, 0}};
  SetTexCoords(car, {{0.25f, 0.5f}, {0.75f, 0.125f}, {1, 1}});
  Face mapped = Triangle(0, 1, 2, 0);
  mapped.texcoord = {1, 2, 3, 0};
  Face hidden = Triangle(0, 1, 2, 0);
  hidden.flags = 0x40;
  car.faces = {mapped, hidden, Quad(0, 1, 2, 3, 1)};
  scene_.objects = {car};
  scene_.textures = {NamedTexture("Bricks.png"), NamedTexture("bricks.PNG"), NamedTexture("bump")};
  scene_.materials = {
      Material("_DefaultMat_"),
      Material("A", {TextureParam("DiffuseMap", 0), FloatParam("Specular", 0.25f)}),
      Material("B~64x64x8", {TextureParam("DiffuseMap", 1), TextureParam("BumpMap", 2)})};
  // Faces refer to materials by reference: 1 is A, 2 is B.
  scene_.objects[0].faces[0].material = 1;
  scene_.objects[0].faces[2].material = 2;

  Export("car.obj");

  EXPECT_TRUE(messages_.empty());
  ASSERT_EQ(saves_.size(), 2u);
  EXPECT_EQ(saves_[0].texture, 0);
  EXPECT_EQ(saves_[0].path, folder_.windows() + "\\car0.bmp");
  EXPECT_EQ(saves_[0].format, 4);
  EXPECT_EQ(saves_[1].texture, 2);
  EXPECT_EQ(saves_[1].path, folder_.windows() + "\\car1.bmp");
  EXPECT_EQ(commands_.at(0), " dir \"" + folder_.windows() + "\\car0.bmp\" @ C:\\");
  EXPECT_EQ(Read("car.mtl"), std::string(kComment) +
                                 "\r\nnewmtl A\r\nKa 1.00 1.00 1.00\r\n"
                                 "Ks 1.00 1.00 1.00\r\nillum 0\r\nNs 250\r\nmap_Kd car0.bmp\r\n"
                                 "\r\nnewmtl B\r\nKa 1.00 1.00 1.00\r\n"
                                 "Ks 1.00 1.00 1.00\r\nillum 0\r\nNs 500\r\nmap_Kd car0.bmp\r\n"
                                 "# Assimp doesnt use map_Bump\r\nmap_Kn car1.bmp\r\n");
  const std::string obj = Read("car.obj");
  EXPECT_NE(obj.find("#Model car has: 7 Verts 3 faces textures: 2\r\n"), std::string::npos);
  EXPECT_NE(obj.find("# \r\n"
                     "vt 0.250000000000000 0.500000000000000\r\n"
                     "vt 1.000000000000000 1.000000000000000\r\n"
                     "vt 0.750000000000000 0.125000000000000\r\n"
                     "vt 0.00 0.00\r\nvt 1.00 1.00\r\nvt 1.00 0.00\r\nvt 0.00 1.00\r\n# \r\n"),
            std::string::npos);
  EXPECT_NE(obj.find("s off  \r\nusemtl A\r\nf  1/1/  2/2/  3/3/  \r\nusemtl B\r\n"
                     "f  4/4/  5/5/  6/6/ \r\nf  4/4/  7/7/  5/5/  \r\n"),
            std::string::npos);

  if (testing::AssimpAvailable()) {
    const auto counts = testing::ImportWithAssimp(folder_.path() / "car.obj");
    ASSERT_TRUE(counts.has_value());
    EXPECT_EQ(counts->faces, 3);
  }
}

TEST_F(ObjExportTest, MaterialNamedZeroGetsNoFirstUsemtl) {
  scene_.objects = {Cube()};
  scene_.materials = {Material("0")};
  Export("zero.obj");
  const std::string obj = Read("zero.obj");
  EXPECT_EQ(obj.find("usemtl"), std::string::npos);
  EXPECT_EQ(CountLines(obj, "f "), 12);
}

TEST_F(ObjExportTest, UnconfirmedTextureStopsWithFilesClosedAsFarAsWritten) {
  scene_.objects = {Cube()};
  scene_.materials = {Material("Skin~8x8x4", {TextureParam("DiffuseMap", 0)})};
  scene_.textures = {NamedTexture("skin")};
  services_.run_command = [](const std::string&, const std::string&) {
    return std::string("File Not Found\r\n");
  };
  Export("cube.obj");
  EXPECT_EQ(messages_, std::vector<std::string>{
                           "Error: BMP not found, Texture needs manual exporting first, click "
                           "material (Skin~8x8x4) > DiffuseMap > Import > right click > last "
                           "option."});
  EXPECT_EQ(Read("cube.obj"), kComment);
  EXPECT_EQ(Read("cube.mtl"), std::string(kComment) + "\r\nnewmtl Skin\r\nKa 1.00 1.00 1.00\r\n");
}

TEST_F(ObjExportTest, UnreadableTextureNameStops) {
  scene_.objects = {Cube()};
  scene_.materials = {Material("Skin", {TextureParam("DiffuseMap", 0)})};
  scene_.textures = {NamedTexture("skin", TextureNaming::kUnreadable)};
  Export("cube.obj");
  EXPECT_EQ(messages_, std::vector<std::string>{"Error: bad material name?? (Skin)"});
  EXPECT_TRUE(saves_.empty());
}

TEST_F(ObjExportTest, ObjectsWithoutValidFacesAreRefused) {
  SceneObject empty = TestObject();
  SceneObject hidden = Cube();
  for (auto& face : hidden.faces) {
    face.flags = 0x20;
  }
  scene_.objects = {empty, hidden};
  scene_.materials = {Material("m")};

  Export("a.obj", 1.0, 0);
  EXPECT_EQ(Read("a.obj"), kComment);
  EXPECT_EQ(Read("a.mtl"), kComment);

  Export("b.obj", 1.0, 1);
  EXPECT_EQ(Read("b.obj"), kComment);
  EXPECT_NE(Read("b.mtl").find("newmtl _DefaultMat_"), std::string::npos);
  EXPECT_EQ(messages_, (std::vector<std::string>{kNoModelData, kNoModelData}));
}

TEST_F(ObjExportTest, DerivedNamesDropTheLastFourCharactersWhateverTheyAre) {
  scene_.objects = {Cube()};
  scene_.materials = {Material("m")};
  Export("model");
  EXPECT_NE(Read("m.obj").find("mtllib m.mtl\r\n"), std::string::npos);
  EXPECT_NE(Read("m.obj").find("o m\r\n"), std::string::npos);
}

// The texture test runs " dir " with the base name in its command line.
TEST_F(ObjExportTest, BaseNameWithACommandCharacterIsRefusedBeforeAnyFile) {
  scene_.objects = {Cube()};
  scene_.materials = {Material("m")};
  std::vector<std::string> expected;
  for (const char c : std::string("&|<>^%()*?\"")) {
    const std::string name = std::string("a") + c + "b";
    Export(name + ".obj");
    expected.push_back("Error: Filename " + name + " holds the character " + c +
                       ", it must not hold any of & | < > ^ % ( ) * ? \".");
  }
  Export("(x).obj");
  expected.push_back(
      "Error: Filename (x) holds the character (, it must not hold any of & | < > ^ % ( ) * ? \".");
  EXPECT_EQ(messages_, expected);
  EXPECT_TRUE(std::filesystem::is_empty(folder_.path()));
  // What only a POSIX shell would act on is an ordinary name.
  for (const std::string name : {"`id`", "it's", "a$HOME"}) {
    Export(name + ".obj");
    EXPECT_NE(Read(name + ".obj").find("\r\no " + name + "\r\n"), std::string::npos) << name;
  }
  EXPECT_EQ(messages_, expected);
}

TEST_F(ObjExportTest, CoordinateThatIsNotFiniteAfterScalingStops) {
  SceneObject far = TestObject("far");
  far.vertices = {{{0, 0, 0}, 0}, {{2, 0, 0}, 0}, {{1e30f, 0, 0}, 0}};
  far.faces = {Triangle(0, 1, 2)};
  scene_.objects = {far};
  scene_.materials = {Material("m")};
  // 10 × 1e300 × 1e30 is beyond a double; corner 0 is written, corner 2 next.
  Export("far.obj", 1e300);
  EXPECT_EQ(messages_, std::vector<std::string>{"Error: Vertex 2 is not a finite number after "
                                                "scaling, the export has stopped."});
  const std::string obj = Read("far.obj");
  EXPECT_EQ(obj.substr(obj.find("o far")), "o far\r\nv 0.00 0.00 0.00 \r\n");

  // A coordinate the host gives as no number is no better.
  scene_.objects[0].vertices[1].c[1] = std::numeric_limits<float>::quiet_NaN();
  messages_.clear();
  Export("far.obj");
  EXPECT_EQ(messages_, std::vector<std::string>{"Error: Vertex 1 is not a finite number after "
                                                "scaling, the export has stopped."});
}

TEST_F(ObjExportTest, FileThatCannotBeCreatedIsNamed) {
  scene_.objects = {Cube()};
  Export("missing\\cube.obj");
  EXPECT_EQ(messages_, std::vector<std::string>{"Error: Can not create the file " +
                                                folder_.windows() + "\\missing\\cube.obj"});
}

}  // namespace
}  // namespace batchtool
