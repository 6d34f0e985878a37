// rsdview as a process: on the exported example ship, on hand-made faulty
// exports, and on bad input. Whole pictures are decoded by ImageMagick and
// compared with what the library draws.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/rsdformat/testing/tim_maker.h"
#include "tools/rsdview/export_files.h"
#include "tools/rsdview/model_render.h"
#include "tools/rsdview/vram_map.h"

namespace rsdview {
namespace {

namespace fs = std::filesystem;

struct Outcome {
  int status = -1;
  std::string out, err;
};

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

class RsdviewProgram : public ::testing::Test {
 protected:
  RsdviewProgram() {
    std::string pattern = (fs::temp_directory_path() / "rsdview-XXXXXX").string();
    folder_ = mkdtemp(pattern.data());
  }
  ~RsdviewProgram() override { fs::remove_all(folder_); }

  Outcome Shell(const std::string& command) {
    const fs::path err = folder_ / "stderr.txt";
    Outcome run;
    FILE* pipe = popen((command + " 2>\"" + err.string() + "\"").c_str(), "r");
    if (pipe == nullptr) {
      return run;
    }
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
      run.out.append(buffer, n);
    }
    const int status = pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadFile(err);
    return run;
  }

  Outcome Rsdview(const std::string& arguments) {
    return Shell("cd \"" + folder_.string() + "\" && " + RSDVIEW_PROGRAM + " " + arguments);
  }

  // The PNG's pixels as ImageMagick decodes them, R G B bytes.
  std::string Decoded(const fs::path& png) {
    const fs::path rgb = folder_ / "decoded.rgb";
    Shell("convert \"" + png.string() + "\" -depth 8 \"rgb:" + rgb.string() + "\"");
    return ReadFile(rgb);
  }

  std::string Identified(const fs::path& png) {
    return Shell("identify -format '%m %wx%h' \"" + png.string() + "\"").out;
  }

  fs::path folder_;
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
  WriteFile(folder / "m.rsd", rsd);
}

// One textured quad and one flat triangle.
void WriteModel(const fs::path& folder) {
  WriteFile(folder / "m.ply",
            "@PLY940102\n5 2 2\n0 0 0\n10 0 0\n0 10 0\n10 10 0\n5 -5 -3\n0 0 -1\n0 -1 0\n"
            "1 0 1 2 3 0 0 0 0\n0 0 1 4 0 1 1 1 0\n");
  WriteFile(folder / "m.mat", "@MAT940801\n2\n0 1 F T 0 0 0 16 0 0 16 16 16\n1 0 F C 200 40 40\n");
}

TEST_F(RsdviewProgram, TheExampleExportHasNoFaultAndRenders) {
  const fs::path out = folder_ / "export";
  const Outcome exported = Shell(std::string("\"") + EXAMPLE_EXPORT + "\" \"" + BUILD_DIR +
                                 "\" \"" + out.string() + "\"");
  ASSERT_EQ(exported.status, 0) << exported.out << exported.err;
  const Outcome vram = Rsdview("vram export/ship.rsd -o vram.png");
  EXPECT_EQ(vram.status, 0) << vram.err;
  EXPECT_EQ(vram.out,
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
  EXPECT_EQ(model.status, 0) << model.err;
  EXPECT_EQ(model.out, "8 vertices, 6 polygons, 2 textures\nwrote model.png (512 x 128)\n");
  const Canvas expected = RenderPanels(ReadModel(out / "ship.rsd"),
                                       {View::kFront, View::kSide, View::kTop, View::kThreeQuarter},
                                       RenderOptions{128, false});
  EXPECT_EQ(Decoded(folder_ / "model.png"), Bytes(expected));
}

TEST_F(RsdviewProgram, TwoTimsSharingColumnsAreAFault) {
  WriteRsd(folder_, 2);
  WriteFile(folder_ / "t0.tim", Tim(8, 64, 32, 640, 0, 640, 256));
  WriteFile(folder_ / "t1.tim", Tim(4, 64, 16, 660, 8, 640, 257));
  const Outcome run = Rsdview("vram m.rsd -o v.png --zoom 2 --display 320x240");
  EXPECT_EQ(run.status, 1) << run.err;
  EXPECT_EQ(run.out,
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
  WriteFile(folder_ / "t0.tim", Tim(4, 240, 8, 700, 0, 640, 256));
  const Outcome run = Rsdview("vram m.rsd -o v.png");
  EXPECT_EQ(run.status, 1);
  EXPECT_NE(run.out.find("fault: image of texture 0 (t0.tim) cannot be addressed from one texture "
                         "page (columns 700-759, rows 0-7, 240 x 8 texels; its page has 16 x 256 "
                         "left)\n"),
            std::string::npos)
      << run.out;
}

TEST_F(RsdviewProgram, AHandMadeModelRendersWhatTheLibraryDraws) {
  WriteRsd(folder_, 1);
  WriteModel(folder_);
  WriteFile(folder_ / "t0.tim", Tim(4, 16, 16, 640, 0, 640, 256));
  const Outcome run = Rsdview("model m.rsd -o m.png --size 64 --views top,front --cull");
  EXPECT_EQ(run.status, 0) << run.err;
  EXPECT_EQ(run.out, "5 vertices, 2 polygons, 1 textures\nwrote m.png (128 x 64)\n");
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
    EXPECT_EQ(run.status, 2) << command;
    EXPECT_TRUE(run.out.empty() || run.out.find("wrote") == std::string::npos) << run.out;
    return run.err;
  };
  EXPECT_EQ(failure("model m.rsd -o m.png"),
            "rsdview: t0.tim: cannot read (No such file or directory)\n");
  WriteFile(folder_ / "t0.tim", tim.substr(0, 70));
  EXPECT_EQ(failure("vram m.rsd -o v.png"),
            "rsdview: t0.tim: byte 64: image data needs 128 bytes, the file has 6 left\n");
  WriteFile(folder_ / "t0.tim", tim);
  WriteFile(folder_ / "m.mat", "@MAT940801\n2\n0 1 F T 0 0 0 16 0 0 16 16 16\n1 0 F C 200 40\n");
  EXPECT_EQ(failure("model m.rsd -o m.png"),
            "rsdview: m.mat:4: expected 7 fields (polygons flag shading C R G B), found 6: '1 0 F "
            "C 200 40'\n");
  WriteFile(folder_ / "m.mat", "@MAT940801\n2\n0 1 F T 1 0 0 16 0 0 16 16 16\n1 0 F C 2 4 4\n");
  EXPECT_EQ(failure("model m.rsd -o m.png"),
            "rsdview: m.mat:3: texture number 1 has no TIM (NTEX=1)\n");
  WriteModel(folder_);
  WriteFile(folder_ / "m.ply",
            "@PLY940102\n3 1 1\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n0 0 1 3 0 0 0 0 0\n");
  EXPECT_EQ(failure("model m.rsd -o m.png"),
            "rsdview: m.ply:7: vertex index v2 3 is out of range 0..2\n");
  WriteFile(folder_ / "m.ply",
            "@PLY940102\n3 1 1\n0 0 0\n1 0 0\n0 1 0\n0 0 1\n0 0 1 2 0 zero 0 0 0\n");
  EXPECT_EQ(failure("model m.rsd -o m.png"),
            "rsdview: m.ply:7: normal index n0 is not a whole number: 'zero'\n");
  EXPECT_EQ(failure("model missing.rsd -o m.png"),
            "rsdview: missing.rsd: cannot read (No such file or directory)\n");
  WriteFile(folder_ / "m.PSX", "[Graphics Mode]\r\nWidth=wide\r\nHeight=240\r\n");
  EXPECT_EQ(failure("vram m.rsd -o v.png"),
            "rsdview: m.PSX:2: Width is not a size 1..1024: 'wide'\n");
  EXPECT_EQ(failure("vram m.rsd -o /nonexistent/v.png --display 640x480"),
            "rsdview: cannot write /nonexistent/v.png\n");
}

TEST_F(RsdviewProgram, ACommandLineErrorShowsTheUsage) {
  const std::string usage =
      "usage: rsdview vram MODEL.rsd -o OUT.png [--zoom N] [--display WxH]\n"
      "       rsdview model MODEL.rsd -o OUT.png [--size N] [--views "
      "front,side,top,three-quarter] [--cull]\n";
  const auto error_of = [&](const std::string& arguments) {
    const Outcome run = Rsdview(arguments);
    EXPECT_EQ(run.status, 2) << arguments;
    EXPECT_EQ(run.err.substr(run.err.find('\n') + 1), usage) << arguments;
    return run.err.substr(0, run.err.find('\n'));
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
}

}  // namespace
}  // namespace rsdview
