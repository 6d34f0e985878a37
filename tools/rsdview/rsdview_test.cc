// rsdview as a process: on the exported example ship, on hand-made faulty
// exports, and on bad input. Whole pictures are decoded by ImageMagick and
// compared with what the library draws.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>

#include "testing/file_bytes.h"
#include "testing/program_run.h"
#include "testing/temp_folder.h"

#include "tools/rsd2tmd/tmd_file.h"
#include "tools/rsdformat/testing/tim_maker.h"
#include "tools/rsdview/anim_sheet.h"
#include "tools/rsdview/export_files.h"
#include "tools/rsdview/model_render.h"
#include "tools/rsdview/tmd_model.h"
#include "tools/rsdview/vram_map.h"

namespace rsdview {
namespace {

namespace fs = std::filesystem;

using gannet_testing::ReadBytes;
using gannet_testing::WriteBytes;
using Outcome = gannet_testing::ProgramRun;

class RsdviewProgram : public ::testing::Test {
 protected:
  // `command` run by the shell, standard error kept apart.
  Outcome Shell(const std::string& command) {
    gannet_testing::RunOptions options;
    options.errors_apart = true;
    return gannet_testing::RunShell(command, options);
  }

  Outcome Rsdview(const std::string& arguments) {
    return Shell("cd \"" + folder_.string() + "\" && " + RSDVIEW_PROGRAM + " " + arguments);
  }

  // The PNG's pixels as ImageMagick decodes them, R G B bytes.
  std::string Decoded(const fs::path& png) {
    const fs::path rgb = folder_ / "decoded.rgb";
    Shell("convert \"" + png.string() + "\" -depth 8 \"rgb:" + rgb.string() + "\"");
    return ReadBytes(rgb);
  }

  std::string Identified(const fs::path& png) {
    return Shell("identify -format '%m %wx%h' \"" + png.string() + "\"").output;
  }

  const gannet_testing::TempFolder scratch_{"rsdview"};
  const fs::path& folder_ = scratch_.path();
};

std::string Bytes(const Canvas& canvas) {
  return std::string(canvas.bytes().begin(), canvas.bytes().end());
}

// A TIM of `width` x `height` texels in green and the transparent colour.
std::string Tim(int depth, int width, int height, int x, int y, int palette_x, int palette_y) {
  return rsdformat::test_files::MakeTim(
      width, height, {{0, 0, 0}, {40, 200, 90}},
      [width](int u, int v) { return (v * width + u) % 3 == 0 ? 0 : 1; },
      {depth, x, y, palette_x, palette_y});
}

void WriteRsd(const fs::path& folder, int textures) {
  std::string rsd =
      "@RSD940102\r\nPLY=m.ply\r\nMAT=m.mat\r\nNTEX=" + std::to_string(textures) + "\r\n";
  for (int i = 0; i < textures; ++i) {
    rsd += "TEX[" + std::to_string(i) + "]=t" + std::to_string(i) + ".tim\r\n";
  }
  WriteBytes(folder / "m.rsd", rsd);
}

// One textured quad and one flat triangle.
void WriteModel(const fs::path& folder) {
  WriteBytes(folder / "m.ply",
             "@PLY940102\n5 2 2\n0 0 0\n10 0 0\n0 10 0\n10 10 0\n5 -5 -3\n0 0 -1\n0 -1 0\n"
             "1 0 1 2 3 0 0 0 0\n0 0 1 4 0 1 1 1 0\n");
  WriteBytes(folder / "m.mat", "@MAT940801\n2\n0 1 F T 0 0 0 16 0 0 16 16 16\n1 0 F C 200 40 40\n");
}

TEST_F(RsdviewProgram, TheExampleExportHasNoFaultAndRenders) {
  const fs::path out = folder_ / "export";
  const Outcome exported = Shell(std::string("\"") + EXAMPLE_EXPORT + "\" \"" + BUILD_DIR +
                                 "\" \"" + out.string() + "\"");
  ASSERT_EQ(exported.exit_code, 0) << exported.output << exported.errors;
  const Outcome vram = Rsdview("vram export/ship.rsd -o vram.png");
  EXPECT_EQ(vram.exit_code, 0) << vram.errors;
  EXPECT_EQ(vram.output,
            "texture 0 ship0.tim: image 640,0, 16 columns x 64 rows, 4-bit, palette 640,256 (16 "
            "colours)\n"
            "texture 1 ship1.tim: image 656,0, 16 columns x 32 rows, 8-bit, palette 640,257 (256 "
            "colours)\n"
            "2 textures, 0 faults, display area 640x240\n"
            "wrote vram.png (1024 x 604)\n");
  const std::vector<Texture> textures =
      ReadTextures(rsdformat::ReadRsd(out / "ship.rsd"), out / "ship.rsd");
  EXPECT_EQ(Decoded(folder_ / "vram.png"),
            Bytes(DrawVramMap(textures, {}, Area{0, 0, 640, 240}, 1)));

  const Outcome model = Rsdview("model export/ship.rsd -o model.png --size 128");
  EXPECT_EQ(model.exit_code, 0) << model.errors;
  // The exporter maps each texture whole: its far edges (64 and 32) are
  // moved onto the images' last texels.
  EXPECT_EQ(model.output,
            "Warning: export/ship.mat:10: 18 texel positions lie outside their images and are "
            "moved onto the image's edge, the first on polygon 0\n"
            "8 vertices, 6 polygons, 2 textures\nwrote model.png (512 x 128)\n");
  const Canvas expected = RenderPanels(ReadModel(out / "ship.rsd"),
                                       {View::kFront, View::kSide, View::kTop, View::kThreeQuarter},
                                       RenderOptions{128, false});
  EXPECT_EQ(Decoded(folder_ / "model.png"), Bytes(expected));
}

// The pixels of `got` that are not, within 4 levels a channel, the pixel of
// `want` at their place or at one of the eight around it. Rounding corners
// and normals to whole numbers may shift an edge by a pixel and a shade of
// light by a level; on a texture drawn smaller than its texels it may also
// pick the next texel row, which a few scattered pixels show.
int PixelsFarFrom(const std::string& want, const std::string& got, int width) {
  if (want.size() != got.size()) {
    return static_cast<int>(std::max(want.size(), got.size()) / 3);
  }
  const int height = static_cast<int>(want.size() / 3) / width;
  const auto channel = [width](const std::string& bytes, int x, int y, std::size_t c) {
    return static_cast<int>(static_cast<unsigned char>(
        bytes[(static_cast<std::size_t>(y) * static_cast<std::size_t>(width) +
               static_cast<std::size_t>(x)) *
                  3 +
              c]));
  };
  const auto near = [&](int x, int y, int nx, int ny) {
    for (std::size_t c = 0; c < 3; ++c) {
      if (std::abs(channel(want, nx, ny, c) - channel(got, x, y, c)) > 4) {
        return false;
      }
    }
    return true;
  };
  int far = 0;
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bool found = false;
      for (int dy = -1; dy <= 1 && !found; ++dy) {
        for (int dx = -1; dx <= 1 && !found; ++dx) {
          const int nx = x + dx, ny = y + dy;
          found = nx >= 0 && ny >= 0 && nx < width && ny < height && near(x, y, nx, ny);
        }
      }
      far += found ? 0 : 1;
    }
  }
  return far;
}

TEST_F(RsdviewProgram, TheExampleExportRendersAsItsTmdDoes) {
  const Outcome exported = Shell(std::string("\"") + EXAMPLE_EXPORT + "\" \"" + BUILD_DIR +
                                 "\" \"" + (folder_ / "export").string() + "\"");
  ASSERT_EQ(exported.exit_code, 0) << exported.output << exported.errors;
  ASSERT_TRUE(fs::exists(folder_ / "export" / "ship.tmd")) << exported.output;
  const std::string tims = " --tim export/ship0.tim --tim export/ship1.tim";
  ASSERT_EQ(Rsdview("model export/ship.rsd -o rsd.png --size 128").exit_code, 0);
  const Outcome tmd = Rsdview("model export/ship.tmd" + tims + " -o tmd.png --size 128");
  EXPECT_EQ(tmd.exit_code, 0) << tmd.errors;
  EXPECT_EQ(tmd.output, "8 vertices, 6 polygons, 2 textures\nwrote tmd.png (512 x 128)\n");
  const std::string rsd_pixels = Decoded(folder_ / "rsd.png");
  // The ship's corners are whole numbers: the TMD holds them exactly.
  EXPECT_EQ(Decoded(folder_ / "tmd.png"), rsd_pixels);

  // Scaled by 33.3 some corners are rounded, by up to a third of a percent.
  const Outcome scaled = Shell(std::string("cd \"") + folder_.string() + "/export\" && " +
                               BUILD_DIR + "/tools/rsd2tmd/rsd2tmd ship.rsd -o scaled.tmd -s 33.3");
  ASSERT_EQ(scaled.exit_code, 0) << scaled.errors;
  ASSERT_EQ(Rsdview("model export/scaled.tmd" + tims + " -o scaled.png --size 128").exit_code, 0);
  const std::string scaled_pixels = Decoded(folder_ / "scaled.png");
  EXPECT_NE(scaled_pixels, rsd_pixels);
  EXPECT_LE(PixelsFarFrom(rsd_pixels, scaled_pixels, 512), 512 * 128 / 1000);
  // Without the TIM files video memory is empty: the textured faces vanish.
  ASSERT_EQ(Rsdview("model export/ship.tmd -o bare.png --size 128").exit_code, 0);
  EXPECT_GT(PixelsFarFrom(rsd_pixels, Decoded(folder_ / "bare.png"), 512), 512 * 128 / 20);
}

TEST_F(RsdviewProgram, TwoTimsSharingColumnsAreAFault) {
  WriteRsd(folder_, 2);
  WriteBytes(folder_ / "t0.tim", Tim(8, 64, 32, 640, 0, 640, 256));
  WriteBytes(folder_ / "t1.tim", Tim(4, 64, 16, 660, 8, 640, 257));
  const Outcome run = Rsdview("vram m.rsd -o v.png --zoom 2 --display 320x240");
  EXPECT_EQ(run.exit_code, 1) << run.errors;
  EXPECT_EQ(run.output,
            "texture 0 t0.tim: image 640,0, 32 columns x 32 rows, 8-bit, palette 640,256 (256 "
            "colours)\n"
            "texture 1 t1.tim: image 660,8, 16 columns x 16 rows, 4-bit, palette 640,257 (16 "
            "colours)\n"
            "fault: image of texture 0 (t0.tim) and image of texture 1 (t1.tim) overlap (columns "
            "660-671, rows 8-23)\n"
            "2 textures, 1 faults, display area 320x240\n"
            "wrote v.png (2048 x 1116)\n");
  EXPECT_EQ(Identified(folder_ / "v.png"), "PNG 2048x1116");
  const std::string pixels = Decoded(folder_ / "v.png");
  ASSERT_EQ(pixels.size(), 2048u * 1116u * 3u);
  // Inside the shared part, away from outlines and labels: magenta.
  const std::size_t at = (static_cast<std::size_t>(20 * 2) * 2048 + 668 * 2) * 3;
  EXPECT_EQ(pixels.substr(at, 3), std::string("\xff\x00\xff", 3));
}

TEST_F(RsdviewProgram, APageStraddlingImageIsAFault) {
  WriteRsd(folder_, 1);
  WriteBytes(folder_ / "t0.tim", Tim(4, 240, 8, 700, 0, 640, 256));
  const Outcome run = Rsdview("vram m.rsd -o v.png");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_NE(
      run.output.find("fault: image of texture 0 (t0.tim) cannot be addressed from one texture "
                      "page (columns 700-759, rows 0-7, 240 x 8 texels; its page has 16 x 256 "
                      "left)\n"),
      std::string::npos)
      << run.output;
}

TEST_F(RsdviewProgram, AHandMadeModelRendersWhatTheLibraryDraws) {
  WriteRsd(folder_, 1);
  WriteModel(folder_);
  WriteBytes(folder_ / "t0.tim", Tim(4, 16, 16, 640, 0, 640, 256));
  const Outcome run = Rsdview("model m.rsd -o m.png --size 64 --views top,front --cull");
  EXPECT_EQ(run.exit_code, 0) << run.errors;
  EXPECT_EQ(run.output,
            "Warning: m.mat:3: 3 texel positions lie outside their images and are moved onto "
            "the image's edge, the first on polygon 0\n"
            "5 vertices, 2 polygons, 1 textures\nwrote m.png (128 x 64)\n");
  const Canvas expected = RenderPanels(ReadModel(folder_ / "m.rsd"), {View::kTop, View::kFront},
                                       RenderOptions{64, true});
  EXPECT_EQ(Decoded(folder_ / "m.png"), Bytes(expected));
}

TEST_F(RsdviewProgram, BadInputNamesTheFileAndLineAndExitsTwo) {
  WriteRsd(folder_, 1);
  WriteModel(folder_);
  const std::string tim = Tim(4, 16, 16, 640, 0, 640, 256);
  const auto failure = [&](const std::string& command) {
    const Outcome run = Rsdview(command);
    EXPECT_EQ(run.exit_code, 2) << command;
    EXPECT_TRUE(run.output.empty() || run.output.find("wrote") == std::string::npos) << run.output;
    return run.errors;
  };
  EXPECT_EQ(failure("model m.rsd -o m.png"),
            "rsdview: t0.tim: cannot read (No such file or directory)\n");
  WriteBytes(folder_ / "t0.tim", tim.substr(0, 70));
  EXPECT_EQ(failure("vram m.rsd -o v.png"),
            "rsdview: t0.tim: byte 64: image data needs 128 bytes, the file has 6 left\n");
  WriteBytes(folder_ / "t0.tim", tim);
  WriteBytes(folder_ / "m.mat", "@MAT940801\n2\n0 1 F T 0 0 0 16 0 0 16 16 16\n1 0 F C 200 40\n");
  EXPECT_EQ(failure("model m.rsd -o m.png"),
            "rsdview: m.mat:4: expected 7 fields (polygons flag shading C R G B), found 6: '1 0 F "
            "C 200 40'\n");
  WriteBytes(folder_ / "m.mat", "@MAT940801\n2\n0 1 F T 1 0 0 16 0 0 16 16 16\n1 0 F C 2 4 4\n");
  EXPECT_EQ(failure("model m.rsd -o m.png"),
            "rsdview: m.mat:3: texture number 1 has no TIM (NTEX=1)\n");
  WriteModel(folder_);
  WriteBytes(folder_ / "m.ply",
             "@PLY940102\n3 1 1\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n0 0 1 3 0 0 0 0 0\n");
  EXPECT_EQ(failure("model m.rsd -o m.png"),
            "rsdview: m.ply:7: vertex index v2 3 is out of range 0..2\n");
  WriteBytes(folder_ / "m.ply",
             "@PLY940102\n3 1 1\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n0 0 1 2 0 zero 0 0 0\n");
  EXPECT_EQ(failure("model m.rsd -o m.png"),
            "rsdview: m.ply:7: normal index n0 is not a whole number: 'zero'\n");
  EXPECT_EQ(failure("model missing.rsd -o m.png"),
            "rsdview: missing.rsd: cannot read (No such file or directory)\n");
  WriteBytes(folder_ / "m.PSX", "[Graphics Mode]\r\nWidth=wide\r\nHeight=240\r\n");
  EXPECT_EQ(failure("vram m.rsd -o v.png"),
            "rsdview: m.PSX:2: Width is not a size 1..1024: 'wide'\n");
  EXPECT_EQ(failure("vram m.rsd -o /nonexistent/v.png --display 640x480"),
            "rsdview: cannot write /nonexistent/v.png: cannot make a file in /nonexistent (No such "
            "file or directory)\n");
}

TEST_F(RsdviewProgram, ACommandLineErrorShowsTheUsage) {
  const std::string usage =
      "usage: rsdview vram MODEL.rsd -o OUT.png [--zoom N] [--display WxH]\n"
      "       rsdview model MODEL.rsd -o OUT.png [--size N] [--views "
      "front,side,top,three-quarter] [--cull] [--camera console]\n"
      "       rsdview model MODEL.tmd [--tim A.tim ...] -o OUT.png [--size N] [--views LIST] "
      "[--cull] [--camera console]\n"
      "       rsdview anim MORPHON.PCK --tmd BASE.tmd [--tim A.tim ...] -o OUT.png [--size N] "
      "[--view VIEW] [--cull] [--camera console] [--gif]\n";
  const auto error_of = [&](const std::string& arguments) {
    const Outcome run = Rsdview(arguments);
    EXPECT_EQ(run.exit_code, 2) << arguments;
    EXPECT_EQ(run.errors.substr(run.errors.find('\n') + 1), usage) << arguments;
    return run.errors.substr(0, run.errors.find('\n'));
  };
  EXPECT_EQ(error_of(""), "rsdview: the first word is vram, model or anim");
  EXPECT_EQ(error_of("vram m.rsd"), "rsdview: no -o OUT.png given");
  EXPECT_EQ(error_of("model -o m.png"), "rsdview: no RSD file given");
  EXPECT_EQ(error_of("vram m.rsd -o v.png --zoom 5"), "rsdview: --zoom needs a zoom 1..4, not '5'");
  EXPECT_EQ(error_of("vram m.rsd -o v.png --display 2000x100"),
            "rsdview: --display needs WIDTHxHEIGHT within 1024x512, not '2000x100'");
  EXPECT_EQ(error_of("model m.rsd -o v.png --views front,back"),
            "rsdview: --views needs views from front, side, top, three-quarter, separated by "
            "commas, not 'front,back'");
  EXPECT_EQ(error_of("model m.rsd -o v.png --size"), "rsdview: --size needs a panel size 16..4096");
  EXPECT_EQ(error_of("vram m.rsd -o v.png --cull"), "rsdview: unknown option --cull for vram");
  EXPECT_EQ(error_of("vram a.rsd b.rsd -o v.png"), "rsdview: one RSD file only, not also b.rsd");
  EXPECT_EQ(error_of("model m.rsd --tim t.tim -o m.png"),
            "rsdview: --tim is for a TMD model; an RSD file names its own TIM files");
  EXPECT_EQ(error_of("vram m.tmd --tim t.tim -o m.png"), "rsdview: unknown option --tim for vram");
  EXPECT_EQ(error_of("anim M.PCK -o a.png"), "rsdview: anim needs --tmd BASE.tmd");
  EXPECT_EQ(error_of("anim --tmd b.tmd -o a.png"), "rsdview: no pack given");
  EXPECT_EQ(error_of("anim M.PCK --tmd b.tmd -o a.png --view back"),
            "rsdview: --view needs a view: front, side, top or three-quarter, not 'back'");
  EXPECT_EQ(error_of("anim M.PCK --tmd b.tmd -o a.png --views top"),
            "rsdview: unknown option --views for anim");
  EXPECT_EQ(error_of("model m.tmd n.tmd -o m.png"), "rsdview: one model file only, not also n.tmd");
  EXPECT_EQ(error_of("model m.tmd -o m.png --camera front"),
            "rsdview: --camera needs console (the console program's camera), not 'front'");
  EXPECT_EQ(error_of("vram m.rsd -o v.png --camera console"),
            "rsdview: unknown option --camera for vram");
}

// Frame `i` of a hopping square: one unlit textured quad and one lit flat
// triangle, moved 10 units right a frame.
rsd2tmd::TmdModel Hop(int i) {
  rsd2tmd::TmdModel tmd;
  const auto at = [i](int x, int y) {
    return morphon::SVector{static_cast<std::int16_t>(x + 10 * i), static_cast<std::int16_t>(y), 0,
                            0};
  };
  tmd.vertices = {at(0, 0), at(10, 0), at(0, 10), at(10, 10), at(5, -6)};
  tmd.normals = {{0, 0, -4096, 0}};
  rsd2tmd::TmdPolygon quad;
  quad.corners = 4;
  quad.lit = false;
  quad.textured = true;
  quad.colours[0] = {128, 128, 128};
  quad.uv = {{{0, 0}, {15, 0}, {0, 15}, {15, 15}}};
  quad.cba = static_cast<std::uint16_t>(256 * 64 + 640 / 16);
  quad.tsb = static_cast<std::uint16_t>(10);  // page at column 640, 4-bit
  quad.vertices = {0, 1, 2, 3};
  rsd2tmd::TmdPolygon roof;
  roof.colours[0] = {200, 40, 40};
  roof.vertices = {0, 1, 4, 0};
  tmd.polygons = {quad, roof};
  return tmd;
}

void WriteTmd(const fs::path& path, const rsd2tmd::TmdModel& tmd) {
  const std::vector<std::uint8_t> bytes = rsd2tmd::EncodeTmdFile(tmd);
  WriteBytes(path, std::string(bytes.begin(), bytes.end()));
}

TEST_F(RsdviewProgram, AnimDrawsEveryFrameOfAPackThatMorphonMade) {
  const fs::path frames = folder_ / "frames";
  fs::create_directory(frames);
  for (int i = 0; i < 3; ++i) {
    WriteTmd(frames / ("hop" + std::to_string(i) + ".tmd"), Hop(i));
  }
  const Outcome packed = Shell("cd \"" + frames.string() + "\" && " + MORPHON_PROGRAM + " -T2");
  ASSERT_EQ(packed.exit_code, 0) << packed.output << packed.errors;
  WriteBytes(folder_ / "t0.tim", Tim(4, 16, 16, 640, 0, 640, 256));

  const Outcome run = Rsdview(
      "anim frames/MORPHON.PCK --tmd frames/hop0.tmd --tim t0.tim -o a.png --size 48 --view "
      "front --gif");
  ASSERT_EQ(run.exit_code, 0) << run.errors;
  EXPECT_EQ(run.output, "4 frames of 5 vertices\nwrote a.png (192 x 48)\nwrote a.gif (4 frames)\n");
  EXPECT_EQ(Identified(folder_ / "a.png"), "PNG 192x48");
  EXPECT_EQ(Shell("identify -format '%m %wx%h;' \"" + (folder_ / "a.gif").string() + "\"").output,
            "GIF 48x48;GIF 48x48;GIF 48x48;GIF 48x48;");

  // Two tweens a segment: frames at 0, 5, 10 and 15 units to the right,
  // drawn on the base model's polygons, all framed alike.
  std::vector<Model> models;
  const Texture texture{0, "t0.tim", rsdformat::ReadTim(folder_ / "t0.tim")};
  for (const int shift : {0, 5, 10, 15}) {
    rsd2tmd::TmdModel tmd = Hop(0);
    for (morphon::SVector& v : tmd.vertices) {
      v.vx = static_cast<std::int16_t>(v.vx + shift);
    }
    models.push_back(ModelFromTmd(tmd, {texture}));
  }
  const Canvas expected = ContactSheet(RenderFrames(models, View::kFront, {48, false}));
  EXPECT_EQ(Decoded(folder_ / "a.png"), Bytes(expected));
}

TEST_F(RsdviewProgram, AnimRefusesAPackThatIsNotTheBaseModels) {
  WriteTmd(folder_ / "hop0.tmd", Hop(0));
  WriteTmd(folder_ / "hop1.tmd", Hop(1));
  ASSERT_EQ(Shell("cd \"" + folder_.string() + "\" && " + MORPHON_PROGRAM + " -NN").exit_code, 0);
  rsd2tmd::TmdModel fewer = Hop(0);
  fewer.vertices.pop_back();
  fewer.polygons.pop_back();
  WriteTmd(folder_ / "fewer.tmd", fewer);
  const auto failure = [&](const std::string& command) {
    const Outcome run = Rsdview(command);
    EXPECT_EQ(run.exit_code, 2) << command;
    EXPECT_EQ(run.output, "") << command;
    return run.errors;
  };
  EXPECT_EQ(failure("anim MORPHON.PCK --tmd fewer.tmd -o a.png"),
            "rsdview: MORPHON.PCK: its frames hold 5 vertices and 0 normals, the base model 4 "
            "and 1\n");
  WriteBytes(folder_ / "bad.tmd", "not a TMD at all");
  EXPECT_EQ(failure("anim MORPHON.PCK --tmd bad.tmd -o a.png"),
            "rsdview: bad.tmd: not a TMD file: its id is 0x20746f6e, not 0x00000041\n");
  EXPECT_EQ(failure("model bad.tmd -o a.png"),
            "rsdview: bad.tmd: not a TMD file: its id is 0x20746f6e, not 0x00000041\n");
  EXPECT_EQ(failure("anim MORPHON.PCK --tmd hop0.tmd -o a.png --size 4096 --gif"),
            "rsdview: MORPHON.PCK: 2 frames of 4096 x 4096 pixels are more than one sheet holds "
            "(16777216 pixels); give a smaller --size\n");
  WriteBytes(folder_ / "EMPTY.PCK", std::string(32, '\0'));
  EXPECT_EQ(failure("anim EMPTY.PCK --tmd hop0.tmd -o a.png"),
            "rsdview: EMPTY.PCK: holds no frames\n");
  EXPECT_EQ(failure("anim NONE.PCK --tmd hop0.tmd -o a.png"),
            "rsdview: NONE.PCK: cannot read (No such file or directory)\n");
  EXPECT_FALSE(fs::exists(folder_ / "a.png"));
}

// The review's lost data: "-o" onto the RSD file, a TIM or the pack
// replaced it with a PNG, and "-o x.gif --gif" wrote the sheet and then the
// GIF over it.
TEST_F(RsdviewProgram, NeverWritesOverWhatItDraws) {
  WriteRsd(folder_, 1);
  WriteModel(folder_);
  WriteBytes(folder_ / "t0.tim", Tim(4, 16, 16, 640, 0, 640, 256));
  WriteTmd(folder_ / "hop0.tmd", Hop(0));
  WriteTmd(folder_ / "hop1.tmd", Hop(1));
  ASSERT_EQ(Shell("cd \"" + folder_.string() + "\" && " + MORPHON_PROGRAM + " go").exit_code, 0);
  const std::string pack = ReadBytes(folder_ / "MORPHON.PCK");
  ASSERT_FALSE(pack.empty());
  const std::pair<std::string, std::string> cases[] = {
      {"vram m.rsd -o ./m.rsd", "rsdview: refusing to write ./m.rsd: it is the input m.rsd\n"},
      {"vram m.rsd -o m.mat", "rsdview: refusing to write m.mat: it is the input m.mat\n"},
      {"model m.rsd -o t0.tim", "rsdview: refusing to write t0.tim: it is the input t0.tim\n"},
      {"model hop0.tmd --tim t0.tim -o hop0.tmd",
       "rsdview: refusing to write hop0.tmd: it is the input hop0.tmd\n"},
      {"anim MORPHON.PCK --tmd hop0.tmd -o MORPHON.PCK",
       "rsdview: refusing to write MORPHON.PCK: it is the input MORPHON.PCK\n"},
      {"anim MORPHON.PCK --tmd hop0.tmd -o hop1.png --gif --tim hop1.gif",
       "rsdview: refusing to write hop1.gif: it is the input hop1.gif\n"},
      {"anim MORPHON.PCK --tmd hop0.tmd -o x.gif --gif",
       "rsdview: the sheet and the GIF would both be x.gif: give the sheet another extension "
       "than .gif\n"},
      {"vram m.rsd -o /dev/full",
       "rsdview: refusing to write /dev/full: it is a device, not a regular file\n"}};
  WriteBytes(folder_ / "hop1.gif", "a GIF of the user's");
  for (const auto& [arguments, refusal] : cases) {
    const Outcome run = Rsdview(arguments);
    EXPECT_EQ(run.exit_code, 2) << arguments;
    EXPECT_EQ(run.errors, refusal);
    EXPECT_EQ(run.output.find("wrote"), std::string::npos) << run.output;
  }
  EXPECT_EQ(ReadBytes(folder_ / "MORPHON.PCK"), pack);
  EXPECT_EQ(ReadBytes(folder_ / "hop1.gif"), "a GIF of the user's");
  EXPECT_TRUE(rsdformat::ReadTim(folder_ / "t0.tim").clut);
  EXPECT_FALSE(fs::exists(folder_ / "x.gif"));
  EXPECT_FALSE(fs::exists(folder_ / "hop1.png"));
}

// The review's full disk: "wrote m.png" and status 0 over a cut PNG.
TEST_F(RsdviewProgram, AFullDiskLeavesNoPictureAndSaysWhy) {
  WriteRsd(folder_, 1);
  WriteModel(folder_);
  WriteBytes(folder_ / "t0.tim", Tim(4, 16, 16, 640, 0, 640, 256));
  const Outcome run = Shell("cd \"" + folder_.string() + "\" && trap '' XFSZ && ulimit -f 1 && " +
                            RSDVIEW_PROGRAM + " model m.rsd -o m.png");
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_TRUE(run.output.ends_with("5 vertices, 2 polygons, 1 textures\n")) << run.output;
  EXPECT_EQ(run.errors, "rsdview: cannot write m.png: File too large\n");
  for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) {
    EXPECT_NE(entry.path().extension(), ".png") << entry.path();
    EXPECT_NE(entry.path().extension(), ".part") << entry.path();
  }
}

// A named pipe as the PLY once made rsdview wait for ever.
TEST_F(RsdviewProgram, RefusesAPipeForAFile) {
  WriteRsd(folder_, 0);
  ASSERT_EQ(Shell("mkfifo \"" + (folder_ / "m.ply").string() + "\"").exit_code, 0);
  const Outcome run = Shell("cd \"" + folder_.string() + "\" && timeout 60 " + RSDVIEW_PROGRAM +
                            " model m.rsd -o m.png");
  EXPECT_EQ(run.exit_code, 2);
  EXPECT_EQ(run.errors, "rsdview: m.ply: cannot read (a named pipe, not a regular file)\n");
}

}  // namespace
}  // namespace rsdview
