// Models nobody here made, through the chain a user runs: the substitute
// host serves the OBJ file to Gannet.mcp (with ImageMagick and img2tim),
// rsd2tmd converts the export and rsdview draws it. Each model must end as
// it deserves: exported, converted and drawn, upright and with its normals
// pointing out; or stopped with a message that says why.
#include <gtest/gtest.h>

#include <stb/stb_image.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "exporter/testing/export_sandbox.h"
#include "testing/clayhost_run.h"
#include "testing/file_bytes.h"
#include "testing/program_run.h"
#include "tools/rsdformat/mat_file.h"
#include "tools/rsdformat/ply_file.h"
#include "tools/rsdformat/read_error.h"
#include "tools/rsdformat/rsd_file.h"

namespace exporter {
namespace {

namespace fs = std::filesystem;
using gannet_testing::HostRun;
using gannet_testing::ProgramRun;
using gannet_testing::RunProgram;
using gannet_testing::WriteBytes;
using rsdformat::Vector3;
using testing::ExportSandbox;

const fs::path kQuirks = REAL_MODELS_DIR "/objreader-tests";
const fs::path kBlub = BLUB_MODEL;

// --- geometry of the exported files ---------------------------------------

Vector3 Minus(const Vector3& a, const Vector3& b) {
  return {a.x - b.x, a.y - b.y, a.z - b.z};
}
Vector3 Cross(const Vector3& a, const Vector3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(const Vector3& a, const Vector3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}

// Three times the volume the PLY polygons enclose, once with their corners
// in PLY order and once with their areas turned by their own normals. For a
// closed surface the first is negative when the corners run clockwise seen
// from outside (the console's front) and the second positive when the
// normals point out.
struct Enclosed {
  double by_corners = 0;
  double by_normals = 0;
};

Enclosed EnclosedVolume(const rsdformat::PlyFile& ply) {
  Enclosed volume;
  const auto add = [&](const rsdformat::PlyPolygon& polygon, int a, int b, int c) {
    const Vector3& p0 = ply.vertices[static_cast<std::size_t>(polygon.vertex[a])];
    const Vector3& p1 = ply.vertices[static_cast<std::size_t>(polygon.vertex[b])];
    const Vector3& p2 = ply.vertices[static_cast<std::size_t>(polygon.vertex[c])];
    const Vector3 area = Cross(Minus(p1, p0), Minus(p2, p0));
    volume.by_corners += Dot(p0, area) / 2;
    const Vector3& n = ply.normals[static_cast<std::size_t>(polygon.normal[0])];
    const Vector3 centre = {(p0.x + p1.x + p2.x) / 3, (p0.y + p1.y + p2.y) / 3,
                            (p0.z + p1.z + p2.z) / 3};
    volume.by_normals += std::sqrt(Dot(area, area)) / 2 * Dot(n, centre);
  };
  for (const rsdformat::PlyPolygon& polygon : ply.polygons) {
    add(polygon, 0, 1, 2);
    if (polygon.quad) {
      add(polygon, 1, 3, 2);  // the second triangle of the "Z" order
    }
  }
  return volume;
}

// The OBJ file's positions at scale 10 with y turned down, as the console
// wants them.
std::vector<Vector3> ConsolePositions(const fs::path& obj) {
  std::vector<Vector3> positions;
  std::istringstream lines(gannet_testing::ReadBytes(obj));
  for (std::string line; std::getline(lines, line);) {
    std::istringstream words(line);
    std::string keyword;
    double x = 0, y = 0, z = 0;
    if (words >> keyword && keyword == "v" && words >> x >> y >> z) {
      positions.push_back({10 * x, -10 * y, 10 * z});
    }
  }
  return positions;
}

// Each PLY vertex is an OBJ vertex at (10x, -10y, 10z), to the precision of
// the host's 32-bit floats: upright, not mirrored, not turned.
void ExpectUpright(const rsdformat::PlyFile& ply, const fs::path& obj) {
  const std::vector<Vector3> positions = ConsolePositions(obj);
  const auto near = [](double a, double b) { return std::abs(a - b) <= 1e-4 + 1e-6 * std::abs(b); };
  int misplaced = 0;
  for (const Vector3& v : ply.vertices) {
    misplaced += std::none_of(positions.begin(), positions.end(), [&](const Vector3& p) {
      return near(v.x, p.x) && near(v.y, p.y) && near(v.z, p.z);
    });
  }
  EXPECT_EQ(misplaced, 0) << obj << ": PLY vertices that are no OBJ vertex at (10x, -10y, 10z)";
}

// --- the chain -----------------------------------------------------------------

// One model through export, rsd2tmd and rsdview in one sandbox.
class RealModel {
 public:
  RealModel() {
    sandbox_.UseRealTools(fs::path(IMG2TIM_PROGRAM).parent_path());
    fs::create_directories(sandbox_.OnDrive("out"));
  }

  HostRun Export(const fs::path& scene, const std::vector<std::string>& more = {}) {
    std::vector<std::string> arguments = {"--out", sandbox_.OnDrive("out\\m.rsd").string(),
                                          "--answer", "Launch NO$PSX?=no"};
    arguments.insert(arguments.end(), more.begin(), more.end());
    return gannet_testing::RunClayhost(CLAYHOST_PROGRAM, {.command = "export",
                                                          .plugin = GANNET_PLUGIN,
                                                          .scene = scene,
                                                          .drive_c = sandbox_.drive(),
                                                          .arguments = arguments,
                                                          .path_first = {}});
  }

  ProgramRun Convert(const std::vector<std::string>& more = {}) {
    std::vector<std::string> command = {RSD2TMD_PROGRAM, "m.rsd"};
    command.insert(command.end(), more.begin(), more.end());
    return RunProgram(command, InOut());
  }

  ProgramRun Draw(const std::vector<std::string>& more = {}) {
    std::vector<std::string> command = {RSDVIEW_PROGRAM, "model", "m.rsd", "-o", "m.png"};
    command.insert(command.end(), more.begin(), more.end());
    return RunProgram(command, InOut());
  }

  // Writes a scene of `files` (name, bytes) into a folder of its own and
  // answers the path of the first, the OBJ file.
  fs::path Scene(const std::vector<std::pair<std::string, std::string>>& files) const {
    const fs::path folder = Out().parent_path() / "scene";
    fs::create_directories(folder);
    for (const auto& [name, bytes] : files) {
      WriteBytes(folder / name, bytes);
    }
    return folder / files.front().first;
  }

  fs::path Out() const { return sandbox_.OnDrive("out"); }
  gannet_testing::RunOptions InOut() const {
    gannet_testing::RunOptions options;
    options.folder = Out();
    return options;
  }
  const ExportSandbox& sandbox() const { return sandbox_; }

 private:
  ExportSandbox sandbox_;
};

// Every MAT line parses: colours 0..255, a flag of known bits, a texture
// number the RSD file lists.
void ExpectMatInRange(const fs::path& mat, std::size_t textures) {
  try {
    const rsdformat::MatFile file = rsdformat::ReadMat(mat);
    for (const rsdformat::MatLine& line : file.lines) {
      EXPECT_EQ(line.flag & ~0x3F, 0) << mat << ":" << line.line;
      if (line.textured()) {
        EXPECT_LT(static_cast<std::size_t>(line.texture), textures) << mat << ":" << line.line;
      }
    }
  } catch (const rsdformat::ReadError& error) {
    ADD_FAILURE() << error.what();
  }
}

std::string Describe(const HostRun& run) {
  std::string text = run.output;
  for (const auto& box : run.boxes) {
    text += "\n[box " + box.caption + "] " + box.text;
  }
  return text;
}

// Closed surfaces of the corpus, whose normals must point out; and models
// whose coordinates need a smaller factor to fit the TMD's 16 bits.
const std::set<std::string> kClosed = {"catmark_torus_creases0.obj", "map-bump.obj",
                                       "tr-and-d-issue-43.obj", "usemtl-issue-68.obj"};
const std::map<std::string, std::string> kFactors = {{"issue-295-trianguation-failure.obj", "0.1"},
                                                     {"issue-319-002.obj", "0.1"},
                                                     {"issue-319-003.obj", "0.1"}};

// The first line of `text`.
std::string FirstLine(const std::string& text) {
  return text.substr(0, text.find_first_of("\r\n"));
}

// The scene's fault as clayhost names it, without the file's own path.
std::string SceneFault(const std::string& output, const fs::path& obj) {
  const std::string prefix = "clayhost: " + obj.string();
  const std::size_t at = output.find(prefix);
  return at == std::string::npos ? FirstLine(output) : FirstLine(output.substr(at + prefix.size()));
}

// One model through the chain, as one line: how far it went and why it
// stopped there. Checks the geometry of what was exported on the way.
std::string ThroughTheChain(const fs::path& obj) {
  const std::string name = obj.filename().string();
  RealModel model;
  const HostRun run = model.Export(obj);
  if (run.exit_code == 2) {
    EXPECT_TRUE(run.boxes.empty()) << Describe(run);
    return name + ": scene refused: " + SceneFault(run.output, obj);
  }
  if (run.boxes.empty() || run.boxes.back().caption != "Launch NO$PSX?") {
    return name +
           ": export stopped: " + (run.boxes.empty() ? "no box" : FirstLine(run.boxes.back().text));
  }
  const rsdformat::PlyFile ply = rsdformat::ReadPly(model.Out() / "m.ply");
  const std::size_t textures = rsdformat::ReadRsd(model.Out() / "m.rsd").textures.size();
  ExpectMatInRange(model.Out() / "m.mat", textures);
  ExpectUpright(ply, obj);
  if (kClosed.count(name) != 0) {
    const Enclosed volume = EnclosedVolume(ply);
    EXPECT_GT(volume.by_normals, 0) << name << ": normals point in";
    EXPECT_LT(volume.by_corners, 0) << name << ": corners run anticlockwise seen from outside";
  }
  const std::string line = name + ": exported " + std::to_string(ply.vertices.size()) +
                           " vertices, " + std::to_string(ply.polygons.size()) + " polygons, " +
                           std::to_string(textures) + " textures";
  const auto factor = kFactors.find(name);
  const ProgramRun converted =
      model.Convert({"-s", factor == kFactors.end() ? "1" : factor->second});
  if (converted.exit_code != 0) {
    return line + "; rsd2tmd refused: " + FirstLine(converted.output);
  }
  const ProgramRun drawn = model.Draw({"--size", "64"});
  EXPECT_EQ(drawn.exit_code, 0) << name << "\n" << drawn.output;
  return line + "; converted and drawn";
}

// Every model of the corpus, in name order, one line each. Models whose
// textures are not in the corpus (the exporter then lists a TIM in the RSD
// file that it could not make) are converted no further.
TEST(RealModels, EachCorpusModelEndsAsItDeserves) {
  std::vector<fs::path> models;
  for (const auto& entry : fs::directory_iterator(kQuirks)) {
    if (entry.path().extension() == ".obj") {
      models.push_back(entry.path());
    }
  }
  std::sort(models.begin(), models.end());
  std::string endings;
  for (const fs::path& obj : models) {
    SCOPED_TRACE(obj.filename());
    endings += ThroughTheChain(obj) + "\n";
  }
  EXPECT_EQ(endings, gannet_testing::ReadGolden(REAL_MODELS_ENDINGS));
}

// A fish made in Blender, with Blender's default material lines (Ni 1.45
// among them) and a texture: exported, converted and drawn without a
// refusal, colours inside 0..255.
TEST(RealModels, TheBlenderFishGoesThroughTheWholeChain) {
  RealModel model;
  const HostRun run = model.Export(kBlub, {"--scale", "10"});
  ASSERT_EQ(run.exit_code, 0) << Describe(run);
  ASSERT_EQ(run.boxes.size(), 1u) << Describe(run);
  EXPECT_NE(run.boxes[0].text.find("Finished correctly\r\n\r\nModel blub_triangulated has: \r\n"
                                   "7106 Verts, \r\n14208 faces\r\n"),
            std::string::npos)
      << run.boxes[0].text;
  ExpectMatInRange(model.Out() / "m.mat", 1);
  const std::string mat = model.sandbox().Read("out\\m.mat");
  // Lit (Ns 250), textured, the colour 0.8 x 255 as written (Ni 1.45 would
  // have made it 296).
  EXPECT_NE(mat.find("\r\n0 0 F  T  0  147 149    142 156    149 154    0 0    204 204 204 \r\n"),
            std::string::npos)
      << mat.substr(0, 600);

  const ProgramRun converted = model.Convert({"-s", "1"});
  EXPECT_EQ(converted.exit_code, 0) << converted.output;
  const ProgramRun drawn = model.Draw({"--size", "128", "--cull"});
  EXPECT_EQ(drawn.exit_code, 0) << drawn.output;

  const rsdformat::PlyFile ply = rsdformat::ReadPly(model.Out() / "m.ply");
  ASSERT_EQ(ply.polygons.size(), 14208u);
  const Enclosed volume = EnclosedVolume(ply);
  EXPECT_GT(volume.by_normals, 0);
  EXPECT_LT(volume.by_corners, 0);
  // Upright at scale 100: its height (OBJ y, -0.67 to 1.08) runs down y.
  double top = INFINITY, bottom = -INFINITY;
  for (const Vector3& v : ply.vertices) {
    top = std::min(top, v.y);
    bottom = std::max(bottom, v.y);
  }
  EXPECT_NEAR(top, -107.769, 0.001);
  EXPECT_NEAR(bottom, 66.9432, 0.001);
}

// A box 1 wide, 3 high and 2 deep: upright in the console's frame (y down),
// 10 x 30 x 20, every normal pointing out of it.
TEST(RealModels, ATallBoxStandsUprightWithItsNormalsOut) {
  RealModel model;
  const HostRun run = model.Export(
      model.Scene({{"box.obj",
                    "v 0 0 0\nv 1 0 0\nv 1 3 0\nv 0 3 0\nv 0 0 2\nv 1 0 2\nv 1 3 2\nv 0 3 2\n"
                    "f 5 6 7 8\nf 1 4 3 2\nf 1 2 6 5\nf 4 8 7 3\nf 1 5 8 4\nf 2 3 7 6\n"}}));
  ASSERT_EQ(run.exit_code, 0) << Describe(run);
  EXPECT_EQ(model.sandbox().Read("out\\m.ply"),
            "#created with Gannet v2 May 2023 for MarbleClay.\r\n@PLY940102\r\n"
            "# Number of Items - verts, normals, polygons\r\n8 6 6\r\n#verts = 8\r\n"
            "0.0000 0.0000 20.0000\r\n10.0000 0.0000 20.0000\r\n10.0000 -30.0000 20.0000\r\n"
            "0.0000 -30.0000 20.0000\r\n0.0000 0.0000 0.0000\r\n0.0000 -30.0000 0.0000\r\n"
            "10.0000 -30.0000 0.0000\r\n10.0000 0.0000 0.0000\r\n"
            "# \r\n#polygon normals = 6\r\n# \r\n"
            // front (the modeller's viewer's side, +z), back, bottom (y down),
            // top, left, right
            "0.0000 0.0000 1.0000\r\n0.0000 0.0000 -1.0000\r\n0.0000 1.0000 0.0000\r\n"
            "0.0000 -1.0000 0.0000\r\n-1.0000 0.0000 0.0000\r\n1.0000 0.0000 0.0000\r\n"
            "#\r\n#polygons=6  0=tri 1=quad\r\n#\r\n"
            "1 1 2 0 3  0 0 0 0\r\n1 5 6 4 7  1 1 1 1\r\n1 7 1 4 0  2 2 2 2\r\n"
            "1 3 2 5 6  3 3 3 3\r\n1 0 3 4 5  4 4 4 4\r\n1 6 2 7 1  5 5 5 5\r\n");
  const Enclosed volume = EnclosedVolume(rsdformat::ReadPly(model.Out() / "m.ply"));
  EXPECT_NEAR(volume.by_normals, 3 * 10 * 30 * 20, 1e-6);
  EXPECT_NEAR(volume.by_corners, -3 * 10 * 30 * 20, 1e-6);
}

// A texture the model names but does not carry: the host warns, serves the
// texture by name and fails to save it, and the exporter says what it says
// when the modeller cannot save a texture.
TEST(RealModels, AMissingTextureStopsTheExportWithThePluginsOwnMessage) {
  RealModel model;
  const fs::path obj = model.Scene(
      {{"w.obj", "mtllib w.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl wood~64x64x8\nf 1 2 3\n"},
       {"w.mtl", "newmtl wood~64x64x8\nmap_Kd C:\\art\\wood.png\n"}});
  const HostRun run = model.Export(obj);
  EXPECT_NE(run.output.find("clayhost: " + obj.parent_path().string() + "/w.mtl" +
                            ":2: warning: the texture path \"C:\\art\\wood.png\" is not relative "
                            "to the material file; looking for wood.png beside it\n"),
            std::string::npos)
      << run.output;
  ASSERT_FALSE(run.boxes.empty()) << Describe(run);
  EXPECT_EQ(run.boxes.back().text,
            "Error: BMP not found, Texture needs manual exporting first, click material "
            "(wood~64x64x8) > DiffuseMap > Import > right click > last option.");
}

// --- texel positions and a picture the right way round ------------------------

// A 64 x 64 picture in four quadrants: red top left, green top right, blue
// bottom left, white bottom right (a binary PPM, which the host reads).
std::string QuadrantPicture() {
  std::string ppm = "P6\n64 64\n255\n";
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      const bool right = x >= 32, bottom = y >= 32;
      const std::array<char, 3> rgb =
          !bottom ? (right ? std::array<char, 3>{0, '\xff', 0} : std::array<char, 3>{'\xff', 0, 0})
                  : (right ? std::array<char, 3>{'\xff', '\xff', '\xff'}
                           : std::array<char, 3>{0, 0, '\xff'});
      ppm.append(rgb.begin(), rgb.end());
    }
  }
  return ppm;
}

struct Rgb {
  int red, green, blue;
};

// The pixel (x, y) of a PNG file.
Rgb PixelOf(const fs::path& png, int x, int y) {
  int width = 0, height = 0, channels = 0;
  std::unique_ptr<unsigned char, void (*)(void*)> pixels(
      stbi_load(png.c_str(), &width, &height, &channels, 3), stbi_image_free);
  if (!pixels || x >= width || y >= height) {
    ADD_FAILURE() << "cannot read " << png;
    return {0, 0, 0};
  }
  const unsigned char* p = pixels.get() + 3 * (static_cast<std::size_t>(y) * width + x);
  return {p[0], p[1], p[2]};
}

// A quad facing the modeller's viewer with its picture mapped the usual way
// (v up): the console's front view lays it out as the modeller shows it, so
// what is written on it reads the right way round.
TEST(RealModels, APictureReadsTheRightWayRoundFromTheFront) {
  RealModel model;
  const HostRun run = model.Export(
      model.Scene({{"q.obj",
                    "mtllib q.mtl\nv -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\n"
                    "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nusemtl sign~64x64x8\nf 1/1 2/2 3/3 4/4\n"},
                   {"q.mtl", "newmtl sign~64x64x8\nKd 1 1 1\nmap_Kd q.ppm\n"},
                   {"q.ppm", QuadrantPicture()}}));
  ASSERT_EQ(run.exit_code, 0) << Describe(run);
  ASSERT_EQ(model.Draw({"--views", "front", "--size", "64"}).exit_code, 0);
  const fs::path png = model.Out() / "m.png";
  const Rgb top_left = PixelOf(png, 16, 16), top_right = PixelOf(png, 48, 16);
  const Rgb bottom_left = PixelOf(png, 16, 48), bottom_right = PixelOf(png, 48, 48);
  EXPECT_GT(top_left.red, 200);
  EXPECT_LT(top_left.green + top_left.blue, 60);
  EXPECT_GT(top_right.green, 200);
  EXPECT_LT(top_right.red + top_right.blue, 60);
  EXPECT_GT(bottom_left.blue, 200);
  EXPECT_LT(bottom_left.red + bottom_left.green, 60);
  EXPECT_GT(bottom_right.red + bottom_right.green + bottom_right.blue, 600);
}

// Texture coordinates at a seam stray below 0 and above 1, and a texture
// mapped whole ends on its far edge: the TMD takes them onto the image's
// edge instead of refusing the model.
TEST(RealModels, TexelPositionsPastTheImageAreClampedNotRefused) {
  RealModel model;
  const HostRun run =
      model.Export(model.Scene({{"q.obj",
                                 "mtllib q.mtl\nv -1 -1 0\nv 1 -1 0\nv 1 1 0\nv -1 1 0\n"
                                 "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\nvt -0.05 -0.05\nvt 1.05 1.05\n"
                                 "usemtl big~256x256x8\nf 1/1 2/2 3/3 4/4\nf 1/5 2/2 3/6 4/4\n"},
                                {"q.mtl", "newmtl big~256x256x8\nmap_Kd q.ppm\n"},
                                {"q.ppm", QuadrantPicture()}}));
  ASSERT_EQ(run.exit_code, 0) << Describe(run);
  const ProgramRun converted = model.Convert();
  ASSERT_EQ(converted.exit_code, 0) << converted.output;
  EXPECT_EQ(converted.output,
            "Warning: m.mat:8: 6 texel positions lie outside their images and are moved onto "
            "the image's edge, the first on polygon 0\n"
            "rsd2tmd: wrote m.tmd: 2 polygons, 4 vertices, 2 normals, 152 bytes\n");
  const ProgramRun info = RunProgram({TMDINFO_PROGRAM, "m.tmd"}, model.InOut());
  ASSERT_EQ(info.exit_code, 0) << info.output;
  // Both quads: corners 3, 2, 0, 1 of the OBJ face at the image's corners.
  EXPECT_NE(
      info.output.find("uv 255,255 255,0 0,255 0,0\n  colour 128,128,128\n  vertices 1 2 0 3\n"
                       "primitive 1 at 72: mode 0x2d flag 0x01 ilen 7 olen 9, unlit "
                       "textured quad\n  cba 0x4028 (palette 640,256) tsb 0x008a (page 640,0, "
                       "8-bit, rate 0)\n  uv 255,255 255,0 0,255 0,0\n"),
      std::string::npos)
      << info.output;
  EXPECT_EQ(model.Draw().exit_code, 0);
}

}  // namespace
}  // namespace exporter
