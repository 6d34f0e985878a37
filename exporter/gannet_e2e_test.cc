// Whole exports the way a user makes them: the substitute host loads
// Gannet.mcp, serves a JSON scene and answers the message boxes.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>
#include <optional>

#include "exporter/testing/export_sandbox.h"
#include "testing/clayhost_run.h"
#include "testing/file_bytes.h"
#include "testing/program_run.h"

namespace exporter {
namespace {

using gannet_testing::HostRun;
using gannet_testing::RunClayhost;
using gannet_testing::WriteBytes;
using testing::ExportSandbox;

constexpr const char* kComment = "#created with Gannet v2 May 2023 for MarbleClay.";

unsigned U16(const std::string& bytes, std::size_t at) {
  return static_cast<unsigned>(static_cast<unsigned char>(bytes[at]) |
                               (static_cast<unsigned char>(bytes[at + 1]) << 8));
}

// One clayhost run of `plugin` on `scene`, drive C: as the sandbox's, PATH
// as the sandbox set it.
HostRun RunHost(const ExportSandbox& sandbox, const std::string& command, const char* plugin,
                const std::filesystem::path& scene, const std::vector<std::string>& arguments) {
  return RunClayhost(CLAYHOST_PROGRAM, {.command = command,
                                        .plugin = plugin,
                                        .scene = scene,
                                        .drive_c = sandbox.drive(),
                                        .arguments = arguments,
                                        .path_first = {}});
}

// `clayhost export` of `scene` to `out` (a POSIX path; the plug-in sees it as
// Z:\...).
HostRun ExportThroughHost(const ExportSandbox& sandbox, const std::filesystem::path& scene,
                          const std::filesystem::path& out,
                          const std::vector<std::string>& answers) {
  std::vector<std::string> arguments = {"--out", out.string()};
  for (const std::string& answer : answers) {
    arguments.insert(arguments.end(), {"--answer", answer});
  }
  return RunHost(sandbox, "export", GANNET_PLUGIN, scene, arguments);
}

constexpr const char* kTriangleScene = R"({
  "objects": [
    {"attributes": {"Name": "hidden", "Activated": "0"},
     "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]], "faces": [{"v": [0, 1, 2]}]},
    {"attributes": {"Name": "tri", "Activated": "1"},
     "vertices": [[1, 2, 3], [1, 0, 0], [0, 1, 0]],
     "faces": [{"v": [0, 1, 2], "material": 0}]}
  ],
  "materials": [
    {"name": "red", "params": {"Diffuse": {"type": 3, "color": [1, 0, 0, 1]}}}
  ]
})";

class GannetThroughHost : public ::testing::Test {
 protected:
  GannetThroughHost() {
    std::filesystem::create_directories(sandbox_.OnDrive("out"));
    scene_ = sandbox_.drive().parent_path() / "scene.json";
    WriteBytes(scene_, kTriangleScene);
  }
  ExportSandbox sandbox_;
  std::filesystem::path scene_;
};

TEST_F(GannetThroughHost, UntexturedExportIsExactAndLaunches) {
  const HostRun run = ExportThroughHost(sandbox_, scene_, sandbox_.OnDrive("out\\ship.rsd"),
                                        {"Launch NO$PSX?=yes"});
  EXPECT_EQ(run.exit_code, 0) << run.output;
  EXPECT_EQ(sandbox_.Read("out\\ship.rsd"),
            std::string(kComment) + "\r\n@RSD940102\r\nPLY=ship.ply\r\nMAT=ship.mat\r\nNTEX=0\r\n");
  EXPECT_EQ(sandbox_.Read("out\\ship.ply"), std::string(kComment) +
                                                "\r\n@PLY940102\r\n"
                                                "# Number of Items - verts, normals, polygons\r\n"
                                                "3 1 1\r\n#verts = 3\r\n"
                                                "20.0000 -30.0000 10.0000\r\n"
                                                "0.0000 0.0000 10.0000\r\n"
                                                "10.0000 0.0000 0.0000\r\n"
                                                "# \r\n#polygon normals = 1\r\n# \r\n"
                                                "-0.6396 -0.4264 -0.6396\r\n"
                                                "#\r\n#polygons=1  0=tri 1=quad\r\n#\r\n"
                                                "0   2 1 0 0  0 0 0 0\r\n");
  EXPECT_EQ(sandbox_.Read("out\\ship.mat"), std::string(kComment) +
                                                "\r\n@MAT940801\r\n# Number of Items\r\n1\r\n"
                                                "# Materials\r\n0 1  F C   128 0 0 \r\n");
  ASSERT_EQ(run.boxes.size(), 1u);
  EXPECT_EQ(run.boxes[0].caption, "Launch NO$PSX?");
  EXPECT_EQ(run.boxes[0].buttons, "yesnocancel");
  EXPECT_EQ(run.boxes[0].text,
            "RSD files have been created, Do you want to, Create TMDs and Launch NO$PSX (YES), "
            "Only convert to TMD, no No$PSX (NO)?, Just stop here (CANCEL)?\r\n"
            "Finished correctly\r\n\r\nModel tri has: \r\n3 Verts, \r\n1 faces\r\n\r\n\r\n\r\n" +
                std::string(kComment));
  EXPECT_EQ(sandbox_.ToolCalls(), std::vector<std::string>{"/out\trsdn.bat [ship] [1.0] [1]"});
}

TEST_F(GannetThroughHost, CancelRunsNothingAndNoRunsTmdOnly) {
  HostRun run = ExportThroughHost(sandbox_, scene_, sandbox_.OnDrive("out\\ship.rsd"),
                                  {"Launch NO$PSX?=cancel"});
  EXPECT_EQ(run.exit_code, 0);  // an object was handed over
  EXPECT_TRUE(sandbox_.ToolCalls().empty());
  EXPECT_TRUE(sandbox_.Exists("out\\ship.mat"));
  run =
      ExportThroughHost(sandbox_, scene_, sandbox_.OnDrive("out\\ship.rsd"), {"Launch NO$PSX?=no"});
  EXPECT_EQ(sandbox_.ToolCalls(), std::vector<std::string>{"/out\trsdn.bat [ship] [1.0] [0]"});
}

TEST_F(GannetThroughHost, TooLongNameAndNoActivatedObject) {
  HostRun run = ExportThroughHost(sandbox_, scene_, sandbox_.OnDrive("out\\longname.rsd"), {});
  EXPECT_EQ(run.exit_code, 3);  // answered 1, but the export stopped at an error box
  ASSERT_EQ(run.boxes.size(), 1u);
  EXPECT_TRUE(run.boxes[0].error);
  EXPECT_EQ(run.boxes[0].caption, "Gannet");
  EXPECT_EQ(run.boxes[0].text,
            "Error: Filename longname is too long, it must be 7 characters or less.");
  EXPECT_FALSE(sandbox_.Exists("out\\longname.rsd"));

  WriteBytes(scene_, R"({"objects": [{"attributes": {"Activated": "0"},
      "vertices": [[0, 0, 0]], "faces": []}]})");
  run = ExportThroughHost(sandbox_, scene_, sandbox_.OnDrive("out\\ship.rsd"), {});
  EXPECT_EQ(run.exit_code, 1);
  ASSERT_EQ(run.boxes.size(), 1u);
  EXPECT_EQ(run.boxes[0].text,
            "ERROR! No model selected or no model data is present! Please select the root model "
            "to export.");
}

// The bundled textured scene with the real ImageMagick and img2tim.
TEST(GannetWithRealTools, TexturedSceneMakesCheckedTimFiles) {
  ExportSandbox sandbox;
  sandbox.UseRealTools(std::filesystem::path(IMG2TIM_PROGRAM).parent_path());
  std::filesystem::create_directories(sandbox.OnDrive("out"));
  const HostRun run = ExportThroughHost(sandbox, EXAMPLE_SCENE, sandbox.OnDrive("out\\ship.rsd"),
                                        {"Launch NO$PSX?=no"});
  EXPECT_EQ(run.exit_code, 0) << run.output;
  ASSERT_EQ(run.boxes.size(), 1u) << run.output;
  EXPECT_EQ(run.boxes[0].caption, "Launch NO$PSX?");
  EXPECT_NE(run.boxes[0].text.find("Finished correctly\r\n\r\nModel ship has: \r\n8 Verts, \r\n6 "
                                   "faces\r\n"),
            std::string::npos)
      << run.boxes[0].text;

  const std::string rsd = sandbox.Read("out\\ship.rsd");
  EXPECT_NE(rsd.find("NTEX=2\r\nTEX[0]=ship0.tim\r\nTEX[1]=ship1.tim\r\n"), std::string::npos);
  EXPECT_NE(sandbox.Read("out\\ship.PSX").find("File_0=ship0.tim\r\nFile_1=ship1.tim\r\n"),
            std::string::npos);
  // hull~64x64x4 first (4-bit, 64 wide: 16 columns), then deck~32x32x8.
  const std::string tim0 = sandbox.Read("out\\ship0.tim");
  const std::string tim1 = sandbox.Read("out\\ship1.tim");
  ASSERT_EQ(tim0.size(), 8u + 12 + 32 + 12 + 16 * 2 * 64);
  ASSERT_EQ(tim1.size(), 8u + 12 + 512 + 12 + 16 * 2 * 32);
  EXPECT_EQ(U16(tim0, 4), 0x08u);
  EXPECT_EQ(U16(tim0, 12), 640u);  // palette x, y
  EXPECT_EQ(U16(tim0, 14), 256u);
  EXPECT_EQ(U16(tim0, 56), 640u);  // image x, y, words, rows
  EXPECT_EQ(U16(tim0, 58), 0u);
  EXPECT_EQ(U16(tim0, 60), 16u);
  EXPECT_EQ(U16(tim0, 62), 64u);
  EXPECT_EQ(U16(tim1, 4), 0x09u);
  EXPECT_EQ(U16(tim1, 14), 257u);
  EXPECT_EQ(U16(tim1, 536), 656u);  // 640 + 15 + 1
  EXPECT_EQ(U16(tim1, 540), 16u);
  EXPECT_EQ(U16(tim1, 542), 32u);
  for (const auto& [name, size] :
       {std::pair{"out\\ship0.tim", " TIM 64x64 "}, std::pair{"out\\ship1.tim", " TIM 32x32 "}}) {
    const std::string output =
        gannet_testing::RunProgram({"identify", sandbox.OnDrive(name).string()}).output;
    const std::string line = output.substr(0, output.find('\n'));
    ASSERT_FALSE(line.empty());
    EXPECT_NE(line.find(size), std::string::npos) << line;
  }
  const std::string mat = sandbox.Read("out\\ship.mat");
  EXPECT_NE(mat.find("# img2tim  -bpp 8 -tcol 0 0 0 -org 656  0  -plt 640 257  -o \"Z:\\"),
            std::string::npos)
      << mat;
  EXPECT_TRUE(sandbox.Exists("out\\ship1-resized.bmp"));
  EXPECT_EQ(sandbox.ToolCalls(), std::vector<std::string>{"/out\trsdn.bat [ship] [1.0] [0]"});
}

// The triangle scene with one textured material per name, in that order,
// each on a texture of its own (the bundled images in turn).
nlohmann::json TexturedScene(const std::vector<std::string>& material_names) {
  const std::filesystem::path images = std::filesystem::path(EXAMPLE_SCENE).parent_path();
  const std::vector<std::string> files = {"hull.png", "deck.bmp", "crate.png"};
  nlohmann::json scene = nlohmann::json::parse(kTriangleScene);
  scene["materials"] = nlohmann::json::array();
  scene["textures"] = nlohmann::json::object();
  for (std::size_t i = 0; i < material_names.size(); ++i) {
    const std::string key = "t" + std::to_string(i);
    scene["materials"].push_back({{"name", material_names[i]},
                                  {"params", {{"DiffuseMap", {{"type", 5}, {"texture", key}}}}}});
    scene["textures"][key] = {{"file", (images / files[i % files.size()]).string()}};
  }
  return scene;
}

// Where a TIM file's image lies in video memory, in 16-bit columns and rows.
struct VramRect {
  unsigned x = 0, y = 0, columns = 0, rows = 0;
};

std::optional<VramRect> TimImageRect(const std::string& tim) {
  if (tim.size() < 8) {
    return std::nullopt;
  }
  std::size_t at = 8;
  if ((U16(tim, 4) & 0x08) != 0) {  // a palette block comes first
    if (tim.size() < at + 4) {
      return std::nullopt;
    }
    at += U16(tim, at) + (static_cast<std::size_t>(U16(tim, at + 2)) << 16);
  }
  if (tim.size() < at + 12) {
    return std::nullopt;
  }
  return VramRect{U16(tim, at + 4), U16(tim, at + 6), U16(tim, at + 8), U16(tim, at + 10)};
}

bool Overlap(unsigned a, unsigned a_length, unsigned b, unsigned b_length) {
  return a < b + b_length && b < a + a_length;
}

class RealToolsExport : public ::testing::Test {
 protected:
  RealToolsExport() {
    sandbox_.UseRealTools(std::filesystem::path(IMG2TIM_PROGRAM).parent_path());
    std::filesystem::create_directories(sandbox_.OnDrive("out"));
    scene_ = sandbox_.drive().parent_path() / "scene.json";
  }

  HostRun ExportTextures(const std::vector<std::string>& material_names) {
    WriteBytes(scene_, TexturedScene(material_names).dump());
    return ExportThroughHost(sandbox_, scene_, sandbox_.OnDrive("out\\ship.rsd"),
                             {"Launch NO$PSX?=no"});
  }

  // Skerry's !rsdexport of the same scene to C:\out\tri.rsd, launch mode 0.
  HostRun BatchExportTextures(const std::vector<std::string>& material_names) {
    WriteBytes(scene_, TexturedScene(material_names).dump());
    WriteBytes(sandbox_.OnDrive("MarbleCLAY\\plugin\\SkerryScript.txt"),
               "!assetpath C:\\out\r\n!rsdexport tri tri.rsd 10 0\r\n");
    return RunHost(sandbox_, "tool", SKERRY_PLUGIN, scene_, {});
  }

  // The images of the TIM files `base`0.tim ... in video memory; checks that
  // no two share a column of the same rows.
  std::vector<VramRect> PlacedImages(const std::string& base, int count) {
    std::vector<VramRect> rects;
    for (int k = 0; k < count; ++k) {
      const std::string name = "out\\" + base + std::to_string(k) + ".tim";
      const std::optional<VramRect> rect = TimImageRect(sandbox_.Read(name));
      if (!rect) {
        ADD_FAILURE() << name << " is missing or short";
        continue;
      }
      for (const VramRect& other : rects) {
        EXPECT_FALSE(Overlap(rect->x, rect->columns, other.x, other.columns) &&
                     Overlap(rect->y, rect->rows, other.y, other.rows))
            << name << " at " << rect->x << " shares columns with the image at " << other.x;
      }
      rects.push_back(*rect);
    }
    return rects;
  }

  ExportSandbox sandbox_;
  std::filesystem::path scene_;
};

std::vector<unsigned> Columns(const std::vector<VramRect>& rects) {
  std::vector<unsigned> columns;
  for (const VramRect& rect : rects) {
    columns.push_back(rect.x);
  }
  return columns;
}

TEST_F(RealToolsExport, ThreeDefaultPlacedTexturesOfMixedDepthsKeepApart) {
  const HostRun run = ExportTextures({"a~128x32x16", "b~30x32x4", "c~64x32x8"});
  EXPECT_EQ(run.exit_code, 0) << run.output;
  ASSERT_EQ(run.boxes.size(), 1u) << run.output;
  EXPECT_EQ(run.boxes[0].caption, "Launch NO$PSX?");
  // 128 columns, then 30 texels at 4 bits in 8, then 64 at 8 bits in 32.
  EXPECT_EQ(Columns(PlacedImages("ship", 3)), (std::vector<unsigned>{640, 768, 776}));
}

TEST_F(RealToolsExport, FourDefaultPlacedTexturesOfMixedWidthsKeepApart) {
  const HostRun run = ExportTextures({"a~100x64x8", "b~64x32x4", "c~200x32x8", "d~48x16x16"});
  EXPECT_EQ(run.exit_code, 0) << run.output;
  ASSERT_EQ(run.boxes.size(), 1u) << run.output;
  // The 4-bit image would reach past the page at 640, so it starts at 704.
  const std::vector<VramRect> rects = PlacedImages("ship", 4);
  EXPECT_EQ(Columns(rects), (std::vector<unsigned>{640, 704, 720, 820}));
  ASSERT_EQ(rects.size(), 4u);
  EXPECT_EQ(rects[3].columns, 48u);
}

// img2tim puts its complaint at the very start of its output, the text the
// stop shows before " -ERROR-".
void ExpectImg2timStop(const HostRun& run, const std::string& complaint) {
  ASSERT_EQ(run.boxes.size(), 1u) << run.output;
  const std::string& text = run.boxes[0].text;
  EXPECT_EQ(text.rfind(complaint, 0), 0u) << text;
  EXPECT_EQ(text.substr(text.size() - 8), " -ERROR-") << text;
}

TEST_F(RealToolsExport, Img2timFailureStopsTheExport) {
  // The fourth image fits its page at 996 but runs past column 1023.
  const HostRun run = ExportTextures({"a~256x32x8", "b~256x32x8", "c~200x32x8", "d~64x32x8"});
  // MCP_ExecuteExport answers 1 (an object was handed over); the host's
  // status tells the export stopped, as the transcript marks the box.
  EXPECT_EQ(run.exit_code, 3) << run.output;
  ExpectImg2timStop(run, "ERROR: ");
  EXPECT_TRUE(run.boxes[0].error);
  EXPECT_NE(run.boxes[0].text.find("image at 996,0 does not fit video memory"), std::string::npos);
  EXPECT_EQ(run.boxes[0].caption, "Gannet");
  EXPECT_TRUE(sandbox_.Exists("out\\ship2.tim"));
  EXPECT_FALSE(sandbox_.Exists("out\\ship3.tim"));
  EXPECT_EQ(sandbox_.Read("out\\ship.rsd").find("NTEX"), std::string::npos);
  EXPECT_FALSE(sandbox_.Exists("out\\ship.PSX"));
  EXPECT_TRUE(sandbox_.ToolCalls().empty());  // rsdn.bat is not run
}

TEST_F(RealToolsExport, Img2timFailureStopsTheBatchExport) {
  // The fourth 256-wide 8-bit image would start at column 1024: img2tim
  // names the texture's file and the cause.
  const HostRun run = BatchExportTextures({"a~256x32x8", "b~256x32x8", "c~256x32x8", "d~256x32x8"});
  ExpectImg2timStop(run, "ERROR: ");
  EXPECT_NE(run.boxes[0].text.find("tri3-resized.bmp: image at 1024,0 does not fit video memory: "
                                   "128 columns x 32 rows end at 1152,32, beyond its 1024 x 512"),
            std::string::npos)
      << run.boxes[0].text;
  EXPECT_TRUE(sandbox_.Exists("out\\tri2.tim"));
  EXPECT_FALSE(sandbox_.Exists("out\\tri3.tim"));
  EXPECT_EQ(sandbox_.Read("out\\tri.rsd").find("NTEX"), std::string::npos);
  EXPECT_TRUE(sandbox_.ToolCalls().empty());
}

}  // namespace
}  // namespace exporter
