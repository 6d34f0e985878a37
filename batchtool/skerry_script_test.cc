// The tool plug-in end to end: SkerryScript.txt run by the substitute host
// on scenes it reads, with stand-in programs that record how they were run.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "batchtool/testing/assimp_info.h"
#include "testing/clayhost_run.h"
#include "testing/file_bytes.h"
#include "testing/temp_folder.h"

namespace batchtool {
namespace {

namespace fs = std::filesystem;
using gannet_testing::HostRun;
using gannet_testing::ReadBytes;
using gannet_testing::RunClayhost;
using gannet_testing::TempFolder;
using gannet_testing::WriteBytes;
using gannet_testing::WriteScript;

// Object "CUBE " (one triangle) before object "Cube" (six quads on a unit
// cube); every face uses "Clay", whose DiffuseMap has no texture.
constexpr const char* kCubeScene = R"({
  "materials": [{"name": "Clay", "params": {"DiffuseMap": {"type": 5}}}],
  "objects": [
    {"attributes": {"Name": "CUBE "}, "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0]],
     "faces": [{"v": [0, 1, 2]}]},
    {"attributes": {"Name": "Cube"},
     "vertices": [[0, 0, 0], [1, 0, 0], [0, 1, 0], [1, 1, 0],
                  [0, 0, 1], [1, 0, 1], [0, 1, 1], [1, 1, 1]],
     "faces": [{"v": [0, 1, 3, 2]}, {"v": [4, 6, 7, 5]}, {"v": [0, 4, 5, 1]},
               {"v": [2, 3, 7, 6]}, {"v": [0, 2, 6, 4]}, {"v": [1, 5, 7, 3]}]}
  ]
})";

// Two materials whose textures differ only in the case of their names, and a
// hidden face.
constexpr const char* kCarScene = R"({
  "textures": {"Grain.png": {}, "grain.PNG": {}},
  "materials": [
    {"name": "wood ~ 2", "params": {"DiffuseMap": {"type": 5, "texture": "Grain.png"},
                                    "Diffuse": {"type": 3, "color": [1, 0.5, 0]}}},
    {"name": "oak", "params": {"DiffuseMap": {"type": 5, "texture": "grain.PNG"}}}
  ],
  "objects": [
    {"attributes": {"Name": "Car"},
     "vertices": [[0, 0, 0], [1, 0, 0], [1, 1, 0], [0, 1, 0]],
     "texcoords": [[0, 0], [0.5, 0], [0.5, 0.5], [0, 0.5]],
     "faces": [{"v": [0, 1, 2, 3], "t": [1, 2, 3, 4], "material": 0},
               {"v": [0, 1, 2], "material": 0, "flags": 64},
               {"v": [0, 1, 2], "material": 1},
               {"v": [0, 2, 3], "material": 0}]}
  ]
})";

// One face per material: none, colour "Transparency" with a positive
// "Specular" and "Shininess" (textured), colour "Transparency" all 0, float
// "Transparency" (textured).
constexpr const char* kShipScene = R"({
  "textures": {"glass.bmp": {}, "frost.bmp": {}},
  "materials": [
    {"name": "plain"},
    {"name": "glass~8x8x4", "params": {
      "DiffuseMap": {"type": 5, "texture": "glass.bmp"},
      "Transparency": {"type": 3, "color": [0, 0.5, 1]},
      "Specular": {"type": 1, "value": 0.5},
      "Shininess": {"type": 1, "value": 1}}},
    {"name": "clear", "params": {"Transparency": {"type": 4, "color": [0, 0, 0]}}},
    {"name": "frosted~8x8x4", "params": {
      "DiffuseMap": {"type": 5, "texture": "frost.bmp"},
      "Transparency": {"type": 1, "value": 0.5}}}
  ],
  "objects": [
    {"attributes": {"Name": "Ship", "Activated": "1"},
     "vertices": [[1, 2, 3], [0, 0, 0], [1, 0, 0]],
     "faces": [{"v": [0, 1, 2], "material": 0}, {"v": [0, 1, 2], "material": 1},
               {"v": [0, 1, 2], "material": 2}, {"v": [0, 1, 2], "material": 3}]}
  ]
})";

std::vector<std::string> SplitLines(const std::string& text, const std::string& end) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    const auto found = text.find(end, start);
    lines.push_back(text.substr(start, found == std::string::npos ? found : found - start));
    if (found == std::string::npos) {
      break;
    }
    start = found + end.size();
  }
  return lines;
}

int CountStarting(const std::vector<std::string>& lines, const std::string& start) {
  int count = 0;
  for (const auto& line : lines) {
    count += line.rfind(start, 0) == 0 ? 1 : 0;
  }
  return count;
}

class SkerryScriptTest : public ::testing::Test {
 protected:
  SkerryScriptTest() {
    const std::string log = (work_.path() / "calls.log").string();
    const std::string record = "echo \"$(basename \"$0\")|$PWD|$*\" >> '" + log + "'\n";
    WriteScript(bin() / "record", record + "echo \"recorded $*\"\n");
    WriteScript(bin() / "identify", record + "echo \"$1 BMP 8x8 8x8+0+0 8-bit sRGB\"\n");
    WriteScript(bin() / "convert", record);
    WriteScript(bin() / "img2tim", record);
    WriteScript(plugin_folder() / "rsdn.bat", record);
  }

  fs::path bin() const { return work_.path() / "bin"; }
  fs::path drive() const { return work_.path() / "c"; }
  fs::path plugin_folder() const { return drive() / "MarbleCLAY" / "plugin"; }
  fs::path out() const { return drive() / "out"; }

  void Script(const std::string& text) { WriteBytes(plugin_folder() / "SkerryScript.txt", text); }

  HostRun Run(const char* scene, const std::vector<std::string>& extra = {}) {
    const fs::path file = work_.path() / "scene.json";
    WriteBytes(file, scene);
    return RunClayhost(CLAYHOST_PROGRAM, {.command = "tool",
                                          .plugin = SKERRY_PLUGIN,
                                          .scene = file,
                                          .drive_c = drive(),
                                          .arguments = extra,
                                          .path_first = {bin()}});
  }

  // The recorded calls: program|working folder|arguments.
  std::vector<std::string> Calls() const {
    return SplitLines(ReadBytes(work_.path() / "calls.log"), "\n");
  }
  std::string Call(const std::string& program, const fs::path& folder,
                   const std::string& arguments) const {
    return program + "|" + folder.string() + "|" + arguments;
  }

  TempFolder work_;
};

TEST_F(SkerryScriptTest, ScriptUnderProgramFilesIsTheOneRun) {
  WriteBytes(drive() / "Program Files" / "MarbleCLAY" / "Plugin" / "SkerryScript.txt",
             "!assetpath c:\\\r\nrecord first\r\n");
  Script("!assetpath c:\\\r\nrecord second\r\n");
  const HostRun run = Run(kCubeScene);
  EXPECT_EQ(run.exit_code, 0) << run.output;
  EXPECT_EQ(Calls(), std::vector<std::string>{Call("record", drive(), "first")});
}

TEST_F(SkerryScriptTest, MissingAndEmptyScripts) {
  fs::remove(plugin_folder() / "rsdn.bat");
  const HostRun missing = Run(kCubeScene);
  EXPECT_EQ(missing.exit_code, 1);
  ASSERT_EQ(missing.boxes.size(), 1u);
  EXPECT_EQ(missing.boxes[0].caption, "Skerry");
  EXPECT_EQ(missing.boxes[0].text.substr(0, 57),
            "ERROR: MarbleCLay not found in the expected locations!!\r\n");

  Script("");
  const HostRun empty = Run(kCubeScene);
  EXPECT_EQ(empty.exit_code, 0);
  EXPECT_TRUE(empty.boxes.empty());
}

TEST_F(SkerryScriptTest, LinesRunInTheAssetFolderWithEchoAndStops) {
  Script(
      "# settings\r\n"
      "\r\n"
      "!ASSETPATH C:\\Out\r\n"
      "!echo none\r\n"
      "record one Two\r\n"
      "!echo !quit\r\n"
      "record silent\r\n"
      "!assetpath\r\n"
      "record leaving !EXIT\r\n"
      "record never\r\n");
  const HostRun run = Run(kCubeScene);
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_TRUE(fs::is_directory(out()));  // created in lower case
  EXPECT_EQ(Calls(), (std::vector<std::string>{Call("record", out(), "one Two"),
                                               Call("record", out(), "silent")}));
  ASSERT_EQ(run.boxes.size(), 1u);
  EXPECT_EQ(run.boxes[0].text, " record one Two\r\nrecorded one Two\n");
}

// A command line means what cmd.exe makes of it: its operators act, and
// nothing else does.
TEST_F(SkerryScriptTest, CommandLinesKeepCmdOperatorsAndNothingElse) {
  Script(
      "!assetpath C:\\out\r\n"
      "record one > made.txt && record two >> made.txt & record three 2> none.txt\r\n"
      "record $HOME `id` 'q' m* (x) \"a & b\" a^&b\r\n");
  const HostRun run = Run(kCubeScene);
  EXPECT_EQ(run.exit_code, 0) << run.output;
  EXPECT_EQ(Calls(),
            (std::vector<std::string>{Call("record", out(), "one"), Call("record", out(), "two"),
                                      Call("record", out(), "three"),
                                      Call("record", out(), "$HOME `id` 'q' m* (x) a & b a&b")}));
  EXPECT_EQ(ReadBytes(out() / "made.txt"), "recorded one\nrecorded two\n");
  EXPECT_EQ(ReadBytes(out() / "none.txt"), "");
  ASSERT_EQ(run.boxes.size(), 2u);
  EXPECT_EQ(run.boxes[0].text,
            " record one > made.txt && record two >> made.txt & record three 2> none.txt\r\n"
            "recorded three\n");
  EXPECT_EQ(run.boxes[1].text.substr(run.boxes[1].text.find("\r\n")),
            "\r\nrecorded $HOME `id` 'q' m* (x) a & b a&b\n");
}

// A model's name never reaches a command line that could run a second
// command, under cmd.exe or here.
TEST_F(SkerryScriptTest, ExportNamesWithCommandCharactersAreRefusedAndTheRunGoesOn) {
  Script(
      "!assetpath C:\\out\r\n"
      "!rsdexport cube a&b.rsd 1 0\r\n"
      "!objexport cube (x).obj 1\r\n"
      "!rsdexport cube `id`.rsd 1 0\r\n"
      "!rsdexport cube c.rsd 1e400 0\r\n");
  const HostRun run = Run(kCubeScene);
  EXPECT_EQ(run.exit_code, 1);
  // Two objects are named cube: each export is refused twice.
  ASSERT_EQ(run.boxes.size(), 5u);
  EXPECT_EQ(
      run.boxes[0].text,
      "Error: Filename a&b holds the character &, it must not hold any of & | < > ^ % ( ) * ? \".");
  EXPECT_EQ(run.boxes[1].text, run.boxes[0].text);
  EXPECT_EQ(
      run.boxes[2].text,
      "Error: Filename (x) holds the character (, it must not hold any of & | < > ^ % ( ) * ? \".");
  EXPECT_EQ(run.boxes[3].text, run.boxes[2].text);
  EXPECT_EQ(run.boxes[4].text,
            "ERROR:  In line: 5  !rsdexport cube c.rsd 1e400 0\r\n'1e400' is not a valid floating "
            "point value");
  EXPECT_FALSE(fs::exists(out() / "a&b.rsd"));
  EXPECT_FALSE(fs::exists(out() / "(x).obj"));
  // Both were exported under the odd but harmless name.
  EXPECT_EQ(Calls(), (std::vector<std::string>{Call("rsdn.bat", out(), "`id` 1.0 0"),
                                               Call("rsdn.bat", out(), "`id` 1.0 0")}));
}

TEST_F(SkerryScriptTest, StopsNameTheirFileLine) {
  Script("# first\r\n!assetpath C:\\a\\b\r\nrecord never\r\n");
  HostRun run = Run(kCubeScene);
  EXPECT_EQ(run.exit_code, 1);
  ASSERT_EQ(run.boxes.size(), 1u);
  EXPECT_EQ(run.boxes[0].text,
            "ERROR:  In line: 2 - Folder doesnt exist and could not be created:  c:\\a\\b");

  Script("!assetpath C:\\out\r\n\r\n!objexport Sphere s.obj 1\r\nrecord never\r\n");
  run = Run(kCubeScene);
  EXPECT_EQ(run.exit_code, 1);
  ASSERT_EQ(run.boxes.size(), 1u);
  EXPECT_EQ(run.boxes[0].text,
            "ERROR:  In line: 3  !objexport sphere s.obj 1\r\n\r\nExact root object name not "
            "found in your model: sphere");

  Script("!assetpath C:\\out\r\n!objexport cube cube.obj 1,5\r\n");
  run = Run(kCubeScene);
  EXPECT_EQ(run.exit_code, 1);
  ASSERT_EQ(run.boxes.size(), 1u);
  EXPECT_EQ(run.boxes[0].text,
            "ERROR:  In line: 2  !objexport cube cube.obj 1,5\r\n'1,5' is not a valid floating "
            "point value");
  EXPECT_TRUE(Calls().empty());
  EXPECT_FALSE(fs::exists(out() / "cube.obj"));
}

TEST_F(SkerryScriptTest, CubeOfSixQuadsExportsAsTwelveTriangles) {
  Script("!assetpath C:\\out\r\n!objexport Cube cube.obj 1.5\r\n");
  const HostRun run = Run(kCubeScene);
  EXPECT_EQ(run.exit_code, 0) << run.output;
  EXPECT_TRUE(run.boxes.empty());
  // Both objects named cube were written to the same file; the last stays.
  const auto obj = SplitLines(ReadBytes(out() / "cube.obj"), "\r\n");
  EXPECT_EQ(obj.at(2), "#Model Cube has: 24 Verts 12 faces textures: 0");
  EXPECT_EQ(CountStarting(obj, "v "), 24);
  EXPECT_EQ(CountStarting(obj, "vt 0.00 0.00"), 24);
  EXPECT_EQ(CountStarting(obj, "f "), 12);
  const auto mtl = SplitLines(ReadBytes(out() / "cube.mtl"), "\r\n");
  EXPECT_EQ(mtl.at(mtl.size() - 3), "newmtl _DefaultMat_");

  const auto counts = testing::ImportWithAssimp(out() / "cube.obj");
  ASSERT_TRUE(counts.has_value());
  EXPECT_EQ(counts->faces, 12);
  EXPECT_EQ(counts->vertices, 36);
  EXPECT_EQ(counts->material_names,
            (std::vector<std::string>{"DefaultMaterial", "Clay", "_DefaultMat_"}));
}

TEST_F(SkerryScriptTest, SharedTexturesAreSavedOnceAndConfirmedByDir) {
  Script("!assetpath C:\\out\r\n!objexport car car.obj 1\r\n");
  const HostRun run = Run(kCarScene);
  EXPECT_EQ(run.exit_code, 0) << run.output;
  EXPECT_TRUE(run.boxes.empty()) << run.boxes.at(0).text;
  EXPECT_TRUE(fs::is_regular_file(out() / "car0.bmp"));
  EXPECT_FALSE(fs::exists(out() / "car1.bmp"));

  const auto mtl = SplitLines(ReadBytes(out() / "car.mtl"), "\r\n");
  EXPECT_EQ(CountStarting(mtl, "map_Kd car0.bmp"), 2);
  EXPECT_EQ(CountStarting(mtl, "newmtl wood"), 1);
  const auto obj = SplitLines(ReadBytes(out() / "car.obj"), "\r\n");
  EXPECT_EQ(obj.at(2), "#Model Car has: 10 Verts 4 faces textures: 1");
  EXPECT_EQ(CountStarting(obj, "usemtl wood"), 2);
  EXPECT_EQ(CountStarting(obj, "vt "), 10);
  EXPECT_EQ(CountStarting(obj, "vt 0.500000000000000 0.500000000000000"), 1);

  const auto counts = testing::ImportWithAssimp(out() / "car.obj");
  ASSERT_TRUE(counts.has_value());
  EXPECT_EQ(counts->faces, 4);
  EXPECT_EQ(counts->vertices, 12);
}

TEST_F(SkerryScriptTest, RsdExportRunsRsdnWithTheScriptsLaunchMode) {
  Script(
      "!assetpath C:\\out\r\n"
      "!rsdexport Ship Ship.rsd 1 0\r\n"
      "!rsdexport ship ship.rsd 1 1\r\n"
      "!rsdexport ship ship.rsd 1 2\r\n");
  const HostRun run = Run(kShipScene, {"--answer", "Launch NO$PSX?=no"});
  EXPECT_EQ(run.exit_code, 0) << run.output;
  std::vector<std::string> rsdn;
  for (const auto& call : Calls()) {
    if (call.rfind("rsdn.bat|", 0) == 0) {
      rsdn.push_back(call);
    }
  }
  EXPECT_EQ(rsdn, (std::vector<std::string>{Call("rsdn.bat", out(), "ship 1.0 0"),
                                            Call("rsdn.bat", out(), "ship 1.0 1"),
                                            Call("rsdn.bat", out(), "ship 1.0 0")}));
  // Only launch mode 2 asks, with the report in the question.
  ASSERT_EQ(run.boxes.size(), 1u);
  EXPECT_EQ(run.boxes[0].caption, "Launch NO$PSX?");
  EXPECT_NE(run.boxes[0].text.find("Finished correctly\r\n\r\nModel Ship has: \r\n3 Verts"),
            std::string::npos);
}

TEST_F(SkerryScriptTest, RsdExportUsesTheBatchVariant) {
  Script("!assetpath C:\\out\r\n!rsdexport ship ship.rsd 1 0\r\n");
  const HostRun run = Run(kShipScene);
  EXPECT_EQ(run.exit_code, 0) << run.output;
  EXPECT_TRUE(run.boxes.empty()) << run.boxes.at(0).text;

  // Script scale 1 writes the host coordinates as they are (no factor 10).
  const auto ply = SplitLines(ReadBytes(out() / "ship.ply"), "\r\n");
  EXPECT_EQ(ply.at(5), "2.0000 -3.0000 1.0000");

  // Light flags: none 1; colour transparency with specular 0 + 4 + 32;
  // colour transparency all 0: 1 + 4; float transparency 1.
  const auto mat = SplitLines(ReadBytes(out() / "ship.mat"), "\r\n");
  EXPECT_EQ(CountStarting(mat, "# convert"), 0);
  ASSERT_EQ(CountStarting(mat, "# img2tim"), 2);
  EXPECT_EQ(mat.at(5).rfind("# img2tim  -t  -bpp 4 ", 0), 0u) << mat.at(5);
  EXPECT_EQ(mat.at(6).rfind("# img2tim  -bpp 4 ", 0), 0u) << mat.at(6);
  std::vector<std::string> flags;
  for (std::size_t i = 7; i < mat.size(); ++i) {
    flags.push_back(SplitLines(mat[i], " ").at(1));
  }
  // 36 = 0x24: the flag field is hexadecimal.
  EXPECT_EQ(flags, (std::vector<std::string>{"1", "24", "5", "1"}));

  int tim_calls = 0;
  for (const auto& call : Calls()) {
    tim_calls += call.rfind("img2tim|", 0) == 0 ? 1 : 0;
  }
  EXPECT_EQ(tim_calls, 2);
}

TEST_F(SkerryScriptTest, ScriptScaleTenWritesWhatTheHostsExportWritesAtScaleOne) {
  Script("!assetpath C:\\out\r\n!rsdexport ship ship.rsd 10 0\r\n");
  ASSERT_EQ(Run(kShipScene).exit_code, 0);
  const fs::path host_export = work_.path() / "gannet";
  fs::create_directories(host_export);
  const HostRun gannet = RunClayhost(
      CLAYHOST_PROGRAM,
      {.command = "export",
       .plugin = GANNET_PLUGIN,
       .scene = work_.path() / "scene.json",
       .drive_c = drive(),
       .arguments = {"--out", (host_export / "ship.rsd").string(), "--answer", "Launch NO$PSX?=no"},
       .path_first = {bin()}});
  EXPECT_EQ(gannet.exit_code, 0) << gannet.output;
  const std::string ply = ReadBytes(out() / "ship.ply");
  EXPECT_NE(ply.find("\r\n20.0000 -30.0000 10.0000\r\n"), std::string::npos);
  EXPECT_EQ(ply, ReadBytes(host_export / "ship.ply"));
}

TEST_F(SkerryScriptTest, FilesThatCannotBeCreatedAreNamedAndTheRunGoesOn) {
  Script(
      "!assetpath C:\\out\r\n"
      "!objexport ship missing\\s.obj 1\r\n"
      "!rsdexport ship missing\\s.rsd 1 0\r\n"
      "record after\r\n");
  const HostRun run = Run(kShipScene);
  // The script ran to its end (answer 1); its two failed exports make the
  // host's status 3, and only they are marked as errors.
  EXPECT_EQ(run.exit_code, 3) << run.output;
  ASSERT_EQ(run.boxes.size(), 3u);
  EXPECT_TRUE(run.boxes[0].error && run.boxes[1].error);
  EXPECT_FALSE(run.boxes[2].error);
  EXPECT_EQ(run.boxes[0].text, "Error: Can not create the file c:\\out\\missing\\s.obj");
  EXPECT_EQ(run.boxes[1].text, "Error: Can not create the file c:\\out\\missing\\s.rsd");
  EXPECT_EQ(run.boxes[2].text, " record after\r\nrecorded after\n");
}

// --- an OBJ file through the host and back ---------------------------------

struct Position {
  double x, y, z;
};

Position Minus(const Position& a, const Position& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Position Cross(const Position& a, const Position& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(const Position& a, const Position& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

// The positions and the faces (positions counted from 0, in corner order)
// of an OBJ file.
struct ObjModel {
  std::vector<Position> positions;
  std::vector<std::vector<int>> faces;
};

ObjModel ReadObj(const fs::path& file, double scale = 1) {
  ObjModel model;
  std::istringstream lines(ReadBytes(file));
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string keyword;
    words >> keyword;
    if (keyword == "v") {
      Position p{};
      words >> p.x >> p.y >> p.z;
      model.positions.push_back({scale * p.x, scale * p.y, scale * p.z});
    } else if (keyword == "f") {
      std::vector<int> face;
      for (std::string corner; words >> corner;) {
        face.push_back(std::stoi(corner.substr(0, corner.find('/'))) - 1);
      }
      model.faces.push_back(face);
    }
  }
  return model;
}

// The normal of a polygon by its corners' turn (Newell's sum).
Position TurnOf(const ObjModel& model, const std::vector<int>& face) {
  Position sum{0, 0, 0};
  for (std::size_t k = 0; k < face.size(); ++k) {
    const Position& a = model.positions[static_cast<std::size_t>(face[k])];
    const Position& b = model.positions[static_cast<std::size_t>(face[(k + 1) % face.size()])];
    const Position c = Cross(a, b);
    sum = {sum.x + c.x, sum.y + c.y, sum.z + c.z};
  }
  return sum;
}

bool Near(const Position& a, const Position& b) {
  const Position d = Minus(a, b);
  return std::abs(d.x) < 0.006 && std::abs(d.y) < 0.006 && std::abs(d.z) < 0.006;
}

// Each written triangle, in order, lies on the corners of the file's face it
// came from (a quad gives two) and turns the same way.
void ExpectSameGeometry(const ObjModel& in, const ObjModel& out) {
  std::size_t next = 0;
  for (const std::vector<int>& face : in.faces) {
    const Position turn = TurnOf(in, face);
    for (std::size_t t = 0; t + 2 < face.size(); ++t, ++next) {
      ASSERT_LT(next, out.faces.size());
      for (int corner : out.faces[next]) {
        const Position& p = out.positions[static_cast<std::size_t>(corner)];
        EXPECT_TRUE(
            std::any_of(face.begin(), face.end(),
                        [&](int i) { return Near(p, in.positions[static_cast<std::size_t>(i)]); }))
            << "triangle " << next << " has a corner the face does not";
      }
      EXPECT_GT(Dot(TurnOf(out, out.faces[next]), turn), 0) << "triangle " << next << " turned";
    }
  }
  EXPECT_EQ(next, out.faces.size());
}

// The host serves an OBJ file in the modeller's frame and the batch tool
// writes the modeller's frame back as OBJ: what comes out is the file that
// went in, at the script's scale 10 a hundred times as large (positions
// keep two decimals).
TEST_F(SkerryScriptTest, ObjFilesComeBackFromObjExportAsTheyWent) {
  const std::pair<fs::path, std::string> models[] = {{CUBE_OBJ, "crate"},
                                                     {BLUB_OBJ, "blub_triangulated"}};
  for (const auto& [source, object] : models) {
    SCOPED_TRACE(source);
    const fs::path scene = work_.path() / "model";
    fs::remove_all(scene);
    fs::copy(source.parent_path(), scene);
    Script("!assetpath C:\\out\r\n!objexport " + object + " back.obj 10\r\n");
    const HostRun run = RunClayhost(CLAYHOST_PROGRAM, {.command = "tool",
                                                       .plugin = SKERRY_PLUGIN,
                                                       .scene = scene / source.filename(),
                                                       .drive_c = drive(),
                                                       .arguments = {},
                                                       .path_first = {bin()}});
    ASSERT_EQ(run.exit_code, 0) << run.output;
    ExpectSameGeometry(ReadObj(source, 100), ReadObj(out() / "back.obj"));
  }
}

// The example that the documentation runs: copied to a scratch drive C:.
TEST(SkerryExampleTest, BundledScriptWritesObjAndRsdFiles) {
  TempFolder work;
  const fs::path drive = work.path() / "c";
  fs::copy(SKERRY_EXAMPLE, drive, fs::copy_options::recursive);
  const HostRun run = RunClayhost(CLAYHOST_PROGRAM, {.command = "tool",
                                                     .plugin = SKERRY_PLUGIN,
                                                     .scene = drive / "scene.json",
                                                     .drive_c = drive,
                                                     .arguments = {},
                                                     .path_first = {work.path()}});
  EXPECT_EQ(run.exit_code, 0) << run.output;
  ASSERT_EQ(run.boxes.size(), 1u) << run.output;
  EXPECT_EQ(run.boxes[0].text.rfind(" dir\r\n", 0), 0u);

  const fs::path out = drive / "skerry-out";
  for (const char* file : {"crate.obj", "crate.mtl", "crate.rsd", "crate.ply", "crate.mat"}) {
    EXPECT_TRUE(fs::is_regular_file(out / file)) << file;
  }
  EXPECT_EQ(ReadBytes(out / "rsdn.log"), "rsdn.bat crate 1.0 0\n");
  const auto counts = testing::ImportWithAssimp(out / "crate.obj");
  ASSERT_TRUE(counts.has_value());
  EXPECT_EQ(counts->faces, 12);
}

}  // namespace
}  // namespace batchtool
