#include "exporter/export_rsd_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>

#include "clayhost/served_scene.h"
#include "clayhost/testing/test_scene.h"
#include "exporter/export_driver.h"
#include "exporter/launch.h"
#include "exporter/testing/export_sandbox.h"

namespace exporter {
namespace {

using clayhost::ServedScene;
using clayhost::testing::FloatParam;
using clayhost::testing::NamedTexture;
using clayhost::testing::SetAttribute;
using clayhost::testing::TestObject;
using clayhost::testing::TextureParam;
using testing::ExportSandbox;
using testing::RsdnPlace;

constexpr int kYes = 6;
constexpr int kNo = 7;
constexpr int kCancel = 2;

constexpr const char* kComment = "#created with Gannet v2 May 2023 for MarbleClay.";
constexpr const char* kNoData =
    "ERROR, no model selected or no model data is present! Please select the model to export.";

clayhost::SceneObject OneTriangle(const std::string& name = "tri") {
  clayhost::SceneObject object = TestObject(name);
  object.vertices = {{{0, 0, 0}}, {{1, 0, 0}}, {{0, 1, 0}}};
  clayhost::Face face;
  face.vertex = {0, 1, 2, 0};
  object.faces = {face};
  return object;
}

std::string Launch(const std::string& report) {
  return "RSD files have been created, Do you want to, Create TMDs and Launch NO$PSX (YES), Only "
         "convert to TMD, no No$PSX (NO)?, Just stop here (CANCEL)?\r\n" +
         report + "\r\n" + kComment;
}

class ExportTest : public ::testing::Test {
 protected:
  explicit ExportTest(RsdnPlace place = RsdnPlace::kRoot) : sandbox_(place) {
    std::filesystem::create_directories(sandbox_.OnDrive("out"));
    scene_.materials = {{"red", {}}};
  }

  bool Export(const std::string& path = "C:\\out\\ship.rsd", int item = 0, double scale = 1.0,
              int launch_mode = kLaunchAsk,
              RsdExportOptions options = RsdExportOptions::ForExporter()) {
    ServedScene host(scene_);
    const bool exported = ExportRsdModel(host.api(), ServedScene::handle(), item, path, scale,
                                         launch_mode, options, exportlib::PlatformUserChannel());
    EXPECT_EQ(host.diagnostics(), "");
    return exported;
  }

  std::uint8_t ExecuteFromHost(const char* path = "C:\\out\\ship.rsd") {
    ServedScene host(scene_);
    mcp::ExportParams params{};
    params.path = path;
    params.scale = 1.0f;
    const std::uint8_t result =
        ExecuteExport(host.api(), ServedScene::handle(), params, exportlib::PlatformUserChannel());
    EXPECT_EQ(host.diagnostics(), "");
    return result;
  }

  ExportSandbox sandbox_;
  clayhost::Scene scene_;
};

TEST_F(ExportTest, OneTriangleWritesEveryFileAndRunsRsdn) {
  scene_.objects = {OneTriangle()};
  EXPECT_TRUE(Export());
  EXPECT_EQ(sandbox_.Read("out\\ship.rsd"), std::string(kComment) +
                                                "\r\n@RSD940102\r\nPLY=ship.ply\r\nMAT=ship.mat\r\n"
                                                "NTEX=0\r\n");
  EXPECT_EQ(sandbox_.Read("out\\ship.ply"), std::string(kComment) +
                                                "\r\n@PLY940102\r\n"
                                                "# Number of Items - verts, normals, polygons\r\n"
                                                "3 1 1\r\n"
                                                "#verts = 3\r\n"
                                                "0.0000 0.0000 0.0000\r\n"
                                                "0.0000 0.0000 10.0000\r\n"
                                                "10.0000 0.0000 0.0000\r\n"
                                                "# \r\n"
                                                "#polygon normals = 1\r\n"
                                                "# \r\n"
                                                "0.0000 1.0000 0.0000\r\n"
                                                "#\r\n"
                                                "#polygons=1  0=tri 1=quad\r\n"
                                                "#\r\n"
                                                "0   2 1 0 0  0 0 0 0\r\n");
  EXPECT_EQ(sandbox_.Read("out\\ship.mat"), std::string(kComment) +
                                                "\r\n@MAT940801\r\n# Number of Items\r\n1\r\n"
                                                "# Materials\r\n0 1  F C   64 64 255 \r\n");
  EXPECT_FALSE(sandbox_.Exists("out\\ship.PSX"));
  ASSERT_EQ(sandbox_.boxes().size(), 1u);
  EXPECT_EQ(sandbox_.boxes()[0].caption, "Launch NO$PSX?");
  EXPECT_EQ(sandbox_.boxes()[0].buttons, 2);
  // The summary starts with CR LF, so the report's second line is empty.
  EXPECT_EQ(
      sandbox_.boxes()[0].text,
      Launch("Finished correctly\r\n\r\nModel tri has: \r\n3 Verts, \r\n1 faces\r\n\r\n\r\n"));
  EXPECT_EQ(sandbox_.ToolCalls(), std::vector<std::string>{"/out\trsdn.bat [ship] [1.0] [1]"});
}

TEST_F(ExportTest, LaunchAnswers) {
  scene_.objects = {OneTriangle()};
  sandbox_.QueueAnswers({kNo, kCancel});
  EXPECT_TRUE(Export());
  EXPECT_FALSE(Export());
  EXPECT_EQ(sandbox_.ToolCalls(), std::vector<std::string>{"/out\trsdn.bat [ship] [1.0] [0]"});
  // Cancel leaves the files written.
  EXPECT_NE(sandbox_.Read("out\\ship.mat").find("0 1  F C"), std::string::npos);
  // Modes 0 and 1 (and the batch tool's negative ones) ask nothing.
  EXPECT_TRUE(Export("C:\\out\\ship.rsd", 0, 1.0, 1));
  EXPECT_TRUE(Export("C:\\out\\ship.rsd", 0, 1.0, -3));
  EXPECT_EQ(sandbox_.boxes().size(), 2u);
  EXPECT_EQ(sandbox_.ToolCalls()[1], "/out\trsdn.bat [ship] [1.0] [1]");
  EXPECT_EQ(sandbox_.ToolCalls()[2], "/out\trsdn.bat [ship] [1.0] [-3]");
}

TEST_F(ExportTest, BaseNameLimitAndUnquotedSpace) {
  scene_.objects = {OneTriangle()};
  EXPECT_TRUE(Export("C:\\out\\abcdefg.rsd"));
  EXPECT_TRUE(sandbox_.Exists("out\\abcdefg.ply"));
  EXPECT_FALSE(Export("C:\\out\\abcdefgh.rsd"));
  EXPECT_FALSE(sandbox_.Exists("out\\abcdefgh.rsd"));
  EXPECT_EQ(sandbox_.BoxTexts().back(),
            "Error: Filename abcdefgh is too long, it must be 7 characters or less.");
  // A space in the base name splits it into two arguments of rsdn.bat.
  EXPECT_TRUE(Export("C:\\out\\my sh.rsd"));
  EXPECT_NE(sandbox_.Read("out\\my sh.rsd").find("\r\nPLY=my sh.ply\r\n"), std::string::npos);
  EXPECT_EQ(sandbox_.ToolCalls().back(), "/out\trsdn.bat [my] [sh] [1.0] [1]");
}

// rsdn.bat gets the base name unquoted: it must reach it as it is.
TEST_F(ExportTest, BaseNamesWithShellCharactersReachRsdnAsTheyAre) {
  scene_.objects = {OneTriangle()};
  for (const std::string name : {"`id`", "it's", "a$HOME", "a;b", "{a,b}"}) {
    EXPECT_TRUE(Export("C:\\out\\" + name + ".rsd")) << name;
    EXPECT_EQ(sandbox_.ToolCalls().back(), "/out\trsdn.bat [" + name + "] [1.0] [1]");
    EXPECT_NE(sandbox_.Read("out\\" + name + ".rsd").find("\r\nPLY=" + name + ".ply\r\n"),
              std::string::npos);
  }
  EXPECT_EQ(sandbox_.ToolCalls().size(), 5u);
}

// Under cmd.exe each of these would run a second command, redirect, escape,
// expand a variable or open a block.
TEST_F(ExportTest, BaseNameWithACommandCharacterIsRefusedBeforeAnyFile) {
  scene_.objects = {OneTriangle()};
  std::vector<std::string> expected;
  for (const char c : std::string("&|<>^%()*?\"")) {
    const std::string name = std::string("a") + c + "b";
    EXPECT_FALSE(Export("C:\\out\\" + name + ".rsd")) << name;
    expected.push_back("Error: Filename " + name + " holds the character " + c +
                       ", it must not hold any of & | < > ^ % ( ) * ? \".");
  }
  EXPECT_EQ(ExecuteFromHost("C:\\out\\(x).rsd"), 1);
  expected.push_back(
      "Error: Filename (x) holds the character (, it must not hold any of & | < > ^ % ( ) * ? \".");
  EXPECT_EQ(sandbox_.BoxTexts(), expected);
  EXPECT_TRUE(std::filesystem::is_empty(sandbox_.OnDrive("out")));
  EXPECT_TRUE(sandbox_.ToolCalls().empty());
  // The batch tool's variant refuses them alike; a folder may hold them.
  EXPECT_FALSE(
      Export("C:\\out\\x&y.rsd", 0, 1.0, kLaunchTmdOnly, RsdExportOptions::ForBatchTool()));
  EXPECT_EQ(sandbox_.BoxTexts().back().substr(0, 39), "Error: Filename x&y holds the character");
  std::filesystem::create_directories(sandbox_.OnDrive("a&(b)"));
  EXPECT_TRUE(Export("C:\\a&(b)\\ship.rsd"));
}

TEST_F(ExportTest, CoordinateThatIsNotFiniteAfterScalingStops) {
  scene_.objects = {OneTriangle()};
  scene_.objects[0].vertices[1] = {{0, 0, 0}};
  scene_.objects[0].vertices[2] = {{0, 1e30f, 0}};
  // The batch tool's scale as given: 1e300 × 1e30 is beyond a double.
  EXPECT_FALSE(
      Export("C:\\out\\ship.rsd", 0, 1e300, kLaunchTmdOnly, RsdExportOptions::ForBatchTool()));
  EXPECT_EQ(sandbox_.BoxTexts(),
            std::vector<std::string>{
                "Error: Vertex 2 is not a finite number after scaling, the export has stopped."});
  const std::string ply = sandbox_.Read("out\\ship.ply");
  EXPECT_EQ(ply.substr(ply.find("#verts = 3")),
            "#verts = 3\r\n0.0000 0.0000 0.0000\r\n0.0000 0.0000 0.0000\r\n");
  EXPECT_TRUE(sandbox_.ToolCalls().empty());

  // A host coordinate that is no number stops the host's export alike.
  scene_.objects[0].vertices[2] = {{0, 0, 0}};
  scene_.objects[0].vertices[0].c[2] = std::numeric_limits<float>::infinity();
  EXPECT_EQ(ExecuteFromHost(), 1);
  EXPECT_EQ(sandbox_.BoxTexts().back(),
            "Error: Vertex 0 is not a finite number after scaling, the export has stopped.");
  EXPECT_TRUE(sandbox_.ToolCalls().empty());
}

TEST_F(ExportTest, MissingRsdnStopsBeforeAnyFile) {
  std::filesystem::remove(sandbox_.OnDrive("MarbleCLAY\\plugin\\rsdn.bat"));
  scene_.objects = {OneTriangle()};
  EXPECT_FALSE(Export());
  EXPECT_FALSE(sandbox_.Exists("out\\ship.rsd"));
  EXPECT_EQ(sandbox_.BoxTexts(),
            std::vector<std::string>{"ERROR: Gannet rsdn.bat file not found, it must be in :\r\n"
                                     "C:\\MarbleCLAY\\plugin\\rsdn.bat\r\n or \r\nC:\\Program "
                                     "Files\\MarbleCLAY\\Plugin\\rsdn.bat"});
}

TEST_F(ExportTest, ScaleFactor) {
  scene_.objects = {OneTriangle()};
  scene_.objects[0].vertices[0] = {{1, 2, 3}};
  EXPECT_TRUE(Export("C:\\out\\ship.rsd", 0, 1.0, 0));
  EXPECT_NE(sandbox_.Read("out\\ship.ply").find("#verts = 3\r\n20.0000 -30.0000 10.0000\r\n"),
            std::string::npos);
  EXPECT_TRUE(Export("C:\\out\\ship.rsd", 0, 1.0, 0, RsdExportOptions::ForBatchTool()));
  EXPECT_NE(sandbox_.Read("out\\ship.ply").find("#verts = 3\r\n2.0000 -3.0000 1.0000\r\n"),
            std::string::npos);
}

TEST_F(ExportTest, ModelChecks) {
  scene_.objects = {OneTriangle()};
  scene_.objects[0].faces.clear();
  EXPECT_FALSE(Export());
  EXPECT_EQ(sandbox_.Read("out\\ship.ply"), "");
  EXPECT_TRUE(sandbox_.Exists("out\\ship.mat"));

  scene_.objects = {OneTriangle()};
  scene_.objects[0].faces[0].flags = 0x80;
  EXPECT_FALSE(Export());
  EXPECT_EQ(
      sandbox_.Read("out\\ship.ply"),
      std::string(kComment) + "\r\n@PLY940102\r\n# Number of Items - verts, normals, polygons\r\n");

  // No root object at the index: three empty files and the same message.
  EXPECT_FALSE(Export("C:\\out\\ship.rsd", 5));
  EXPECT_EQ(sandbox_.Read("out\\ship.ply"), "");
  EXPECT_EQ(sandbox_.BoxTexts(), (std::vector<std::string>{kNoData, kNoData, kNoData}));
  EXPECT_TRUE(sandbox_.ToolCalls().empty());
}

TEST_F(ExportTest, BadExportDataQuestion) {
  scene_.objects = {OneTriangle()};
  for (auto& vertex : scene_.objects[0].vertices) {
    vertex.flags = 0x20;
  }
  sandbox_.QueueAnswers({kNo});
  EXPECT_FALSE(Export());
  ASSERT_EQ(sandbox_.boxes().size(), 1u);
  EXPECT_EQ(sandbox_.boxes()[0].caption, "Bad export data!");
  EXPECT_EQ(sandbox_.boxes()[0].buttons, 1);
  EXPECT_EQ(sandbox_.boxes()[0].text,
            "Incorrect export data found!\r\nThis is commonly related to turning off mirror and "
            "the RSD exporting gets messed up. Saving your file and reopening it will fix "
            "this.\r\nDo you want to continue?");
  EXPECT_EQ(sandbox_.Read("out\\ship.ply"), "");

  sandbox_.QueueAnswers({kYes, kYes});
  EXPECT_TRUE(Export());
  // Flagged vertices are written all the same.
  EXPECT_NE(sandbox_.Read("out\\ship.ply").find("3 1 1\r\n#verts = 3\r\n"), std::string::npos);
}

TEST_F(ExportTest, WarningsReachTheReport) {
  clayhost::SceneObject quad = TestObject("q");
  quad.vertices = {{{0, 0, 1}}, {{1, 0, 0}}, {{1, 1, 0}}, {{0, 1, 0}}};
  clayhost::Face face;
  face.vertex = {0, 1, 2, 3};
  face.corner_count = 4;
  face.material = 1;
  quad.faces = {face};
  scene_.objects = {quad};
  scene_.textures = {NamedTexture("t.bmp")};
  scene_.materials.push_back(
      {"shiny",
       {TextureParam("DiffuseMap", 0), FloatParam("Specular", 1), FloatParam("Shininess", 1)}});
  EXPECT_TRUE(Export());
  ASSERT_EQ(sandbox_.boxes().size(), 2u);  // "No TIM created", then the question
  EXPECT_EQ(sandbox_.boxes()[1].text,
            Launch("Warning!\r\n\r\nModel q has: \r\n4 Verts, \r\n1 faces\r\n\r\n"
                   "* Model contains none Coplanar quads, depending on the view angle, they "
                   "disapear when they shouldnt!!\r\n This is fine while modelling, but not for "
                   "the final export, see help!\r\n"
                   "* Material (shiny) can not use both light caculations (Specular) and RGB "
                   "colour on texture (Shininess)\r\n   light caculation is defaulted, RGB colour "
                   "is ignored.\r\n\r\n"));
  // One texture without a suffix: listed, no TIM.
  EXPECT_EQ(sandbox_.Read("out\\ship.rsd"),
            std::string(kComment) +
                "\r\n@RSD940102\r\nPLY=ship.ply\r\nMAT=ship.mat\r\nNTEX=1\r\nTEX[0]=ship0.tim\r\n");
  EXPECT_EQ(sandbox_.Read("out\\ship.PSX"),
            std::string(kComment) +
                "\r\n[TIM Files]\r\nFile_0=ship0.tim\r\n#Gracphics mode is from the rsdv NY "
                "executable\r\n[Graphics Mode]\r\nWidth=640\r\nHeight=240\r\n");
  EXPECT_NE(sandbox_.Read("out\\ship.mat")
                .find("\r\n0 0 F  D   0  0 0    0 0    0 0    0 0     "
                      "64 64 255 \r\n"),
            std::string::npos);
}

TEST_F(ExportTest, TexturedModelListsTimFiles) {
  scene_.objects = {OneTriangle()};
  scene_.objects[0].faces[0].material = 2;
  scene_.textures = {NamedTexture("a.bmp"), NamedTexture("b.bmp")};
  scene_.materials.push_back({"a~64x32x4", {TextureParam("DiffuseMap", 0)}});
  scene_.materials.push_back({"b~64x32x8", {TextureParam("DiffuseMap", 1)}});
  sandbox_.QueueAnswers({kNo});
  EXPECT_TRUE(Export("C:\\out\\ship.rsd", 0, 1.0, kLaunchAsk, RsdExportOptions::ForBatchTool()));
  EXPECT_EQ(sandbox_.Read("out\\ship.rsd"),
            std::string(kComment) +
                "\r\n@RSD940102\r\nPLY=ship.ply\r\nMAT=ship.mat\r\nNTEX=2\r\n"
                "TEX[0]=ship0.tim\r\nTEX[1]=ship1.tim\r\n");
  EXPECT_EQ(sandbox_.Read("out\\ship.PSX"),
            std::string(kComment) +
                "\r\n[TIM Files]\r\nFile_0=ship0.tim\r\nFile_1=ship1.tim\r\n#Gracphics mode is "
                "from the rsdv NY executable\r\n[Graphics Mode]\r\nWidth=640\r\nHeight=240\r\n");
  EXPECT_EQ(sandbox_.Read("out\\ship.mat"),
            std::string(kComment) +
                "\r\n@MAT940801\r\n# Number of Items\r\n1\r\n# Materials\r\n"
                "# img2tim  -bpp 4 -tcol 0 0 0 -org 640  0  -plt 640 256  -o "
                "\"C:\\out\\ship0.tim\"   \"C:\\out\\ship0-resized.bmp\"\r\n"
                "# img2tim  -bpp 8 -tcol 0 0 0 -org 656  0  -plt 640 257  -o "
                "\"C:\\out\\ship1.tim\"   \"C:\\out\\ship1-resized.bmp\"\r\n"
                "0 1 F  T  1  64 0    64 32    0 32    0 0    64 64 255 \r\n");
  EXPECT_EQ(sandbox_.ToolCalls().size(), 7u);
  EXPECT_EQ(sandbox_.ToolCalls().back(), "/out\trsdn.bat [ship] [1.0] [0]");
}

TEST_F(ExportTest, TextureStopEndsTheExport) {
  scene_.objects = {OneTriangle()};
  scene_.textures = {NamedTexture("a.bmp")};
  scene_.materials.push_back({"a~64x32x24", {TextureParam("DiffuseMap", 0)}});
  EXPECT_FALSE(Export());
  EXPECT_EQ(sandbox_.BoxTexts(),
            std::vector<std::string>{"ERROR: Material texture (a~64x32x24) has an incorrect bit "
                                     "depth, only 4,8,16 should be used!"});
  // The RSD file stops after its header; the MAT file has no lines.
  EXPECT_EQ(sandbox_.Read("out\\ship.rsd"),
            std::string(kComment) + "\r\n@RSD940102\r\nPLY=ship.ply\r\nMAT=ship.mat\r\n");
  EXPECT_TRUE(sandbox_.ToolCalls().empty());
}

TEST_F(ExportTest, MalformedNumberInSuffixStopsWithAMessage) {
  scene_.objects = {OneTriangle()};
  scene_.textures = {NamedTexture("a.bmp")};
  scene_.materials.push_back({"a~6-4x32x4", {TextureParam("DiffuseMap", 0)}});
  EXPECT_FALSE(Export());
  ASSERT_EQ(sandbox_.boxes().size(), 1u);
  EXPECT_EQ(sandbox_.BoxTexts()[0],
            "Error: '6-4' is not a valid integer value on Material name: a~6-4x32x4, the export "
            "has stopped.");
}

TEST_F(ExportTest, OutputFileThatCannotBeCreatedStops) {
  scene_.objects = {OneTriangle()};
  std::filesystem::create_directories(sandbox_.OnDrive("out\\ship.ply"));  // a folder in the way
  EXPECT_FALSE(Export());
  EXPECT_EQ(sandbox_.BoxTexts(),
            std::vector<std::string>{"Error: Can not create the file C:\\out\\ship.ply"});
  EXPECT_TRUE(sandbox_.ToolCalls().empty());
  EXPECT_FALSE(sandbox_.Exists("out\\ship.mat"));
}

TEST_F(ExportTest, FileThatCannotBeWrittenInFullStopsBeforeTheLaunch) {
  if (!std::filesystem::exists("/dev/full")) {
    GTEST_SKIP() << "/dev/full is not available";
  }
  scene_.objects = {OneTriangle()};
  // A full disk under one file: it is created, its writes fail.
  std::filesystem::create_symlink("/dev/full", sandbox_.OnDrive("out\\ship.ply"));
  EXPECT_FALSE(Export());
  EXPECT_EQ(sandbox_.BoxTexts(),
            std::vector<std::string>{"Error: Can not write the file C:\\out\\ship.ply"});
  EXPECT_TRUE(sandbox_.ToolCalls().empty());
  EXPECT_TRUE(sandbox_.Exists("out\\ship.rsd"));
  EXPECT_TRUE(sandbox_.Exists("out\\ship.mat"));
}

TEST_F(ExportTest, HostEntryExportsTheFirstActivatedObjectOnly) {
  scene_.objects = {OneTriangle("off"), OneTriangle("first"), OneTriangle("second")};
  SetAttribute(scene_.objects[0], "Activated", "0");
  scene_.objects[2].vertices.pop_back();
  EXPECT_EQ(ExecuteFromHost(), 1);
  ASSERT_EQ(sandbox_.boxes().size(), 1u);
  EXPECT_NE(sandbox_.boxes()[0].text.find("Model first has: \r\n3 Verts"), std::string::npos);
  EXPECT_EQ(sandbox_.ToolCalls().size(), 1u);
}

TEST_F(ExportTest, HostEntryWithoutActivatedObject) {
  scene_.objects = {OneTriangle()};
  SetAttribute(scene_.objects[0], "Activated", std::nullopt);
  EXPECT_EQ(ExecuteFromHost(), 0);
  EXPECT_EQ(sandbox_.BoxTexts(),
            std::vector<std::string>{"ERROR! No model selected or no model data is present! "
                                     "Please select the root model to export."});
  EXPECT_FALSE(sandbox_.Exists("out\\ship.rsd"));
  // The export routine's own result is not passed on.
  SetAttribute(scene_.objects[0], "Activated", "1");
  scene_.objects[0].faces.clear();
  EXPECT_EQ(ExecuteFromHost(), 1);
}

TEST_F(ExportTest, HostEntryWithNonNumericActivatedStops) {
  scene_.objects = {OneTriangle("odd"), OneTriangle()};
  SetAttribute(scene_.objects[0], "Activated", "yes");
  EXPECT_EQ(ExecuteFromHost(), 0);
  ASSERT_EQ(sandbox_.boxes().size(), 1u);
  EXPECT_EQ(sandbox_.BoxTexts()[0],
            "Error: the \"Activated\" attribute of object (odd) is not a number: 'yes' is not a "
            "valid integer value, the export has stopped.");
  EXPECT_FALSE(sandbox_.Exists("out\\ship.rsd"));
}

class ProgramFilesPluginFolderTest : public ExportTest {
 protected:
  ProgramFilesPluginFolderTest() : ExportTest(RsdnPlace::kProgramFiles) {}
};

TEST_F(ProgramFilesPluginFolderTest, RsdnFromProgramFiles) {
  scene_.objects = {OneTriangle()};
  EXPECT_TRUE(Export("C:\\out\\ship.rsd", 0, 1.0, 1));
  EXPECT_EQ(sandbox_.ToolCalls(), std::vector<std::string>{"/out\trsdn.bat [ship] [1.0] [1]"});
}

TEST(RsdnCommand, ExactSpacing) {
  EXPECT_EQ(RsdnCommand("C:\\Program Files\\MarbleCLAY\\Plugin", "ship", 1),
            "  \"C:\\Program Files\\MarbleCLAY\\Plugin\\rsdn.bat\"   ship  1.0 1 ");
  EXPECT_EQ(RsdnCommand("C:\\MarbleCLAY\\plugin", "my sh", 0),
            "  \"C:\\MarbleCLAY\\plugin\\rsdn.bat\"   my sh  1.0 0 ");
}

}  // namespace
}  // namespace exporter
