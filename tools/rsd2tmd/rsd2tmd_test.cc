// The rsd2tmd and tmdinfo programs on model files written here: the TMD
// written (checked through tmdinfo's text), the MAT grammar, every refusal
// and warning with its exit status, a pair of frames that morphon packs, and
// the bundled example exported by the plug-in and converted by rsdn.bat.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "testing/file_bytes.h"
#include "testing/program_run.h"
#include "testing/temp_folder.h"

namespace fs = std::filesystem;

namespace {

using Ran = gannet_testing::ProgramRun;
using gannet_testing::RunShell;

std::string Quoted(const fs::path& path) {
  return "'" + path.string() + "'";
}

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
  const std::string bytes = gannet_testing::ReadBytes(path);
  return {bytes.begin(), bytes.end()};
}

// TIM, 4-bit, 16 x 16 texels at column 776, row 0; palette at 640, 481.
std::string TimBytes() {
  std::string tim;
  auto u16 = [&tim](unsigned v) {
    tim += static_cast<char>(v & 0xFF);
    tim += static_cast<char>(v >> 8);
  };
  u16(0x10), u16(0), u16(0x08), u16(0);
  u16(12 + 32), u16(0), u16(640), u16(481), u16(16), u16(1);
  for (int i = 0; i < 16; ++i) {
    u16(i == 0 ? 0 : 0x7FFF);
  }
  u16(12 + 128), u16(0), u16(776), u16(0), u16(4), u16(16);
  tim.append(128, '\x11');
  return tim;
}

constexpr char kRsd[] = "@RSD940102\r\nPLY=m.ply\r\nMAT=m.mat\r\nNTEX=1\r\nTEX[0]=m0.tim\r\n";
// Lines: 1 id, 2 counts, 3-7 vertices, 8-9 normals, 10-11 polygons.
constexpr char kPly[] =
    "@PLY940102\r\n5 2 2\r\n0 0 0\r\n10.5 0 0\r\n0 -10 0\r\n10 -10 0\r\n0 0 10.25\r\n"
    "0 0 -1\r\n0.5 0.5 0\r\n1 0 1 3 2 0 0 0 0\r\n0 2 3 4 0 1 1 1 0\r\n";
constexpr char kMat[] = "@MAT940801\r\n2\r\n0 0 F T 0 0 0 15 0 0 15 15 15\r\n1 1 G C 255 128 0\r\n";

class Rsd2TmdTest : public ::testing::Test {
 protected:
  Rsd2TmdTest() {
    Write("m.rsd", kRsd);
    Write("m.ply", kPly);
    Write("m.mat", kMat);
    Write("m0.tim", TimBytes());
  }
  void Write(const std::string& name, const std::string& text) {
    gannet_testing::WriteBytes(folder_ / name, text);
  }

  Ran Convert(const std::string& args) {
    return RunShell("cd " + Quoted(folder_) + " && " + RSD2TMD_PATH + " " + args);
  }

  Ran Info(const std::string& name) {
    return RunShell(std::string(TMDINFO_PATH) + " " + Quoted(folder_ / name));
  }

  // A refusal: exit 2, the message, and neither the TMD nor a partial file.
  void ExpectRefused(const std::string& args, const std::string& message) {
    const Ran ran = Convert(args);
    EXPECT_EQ(ran.exit_code, 2) << ran.output;
    EXPECT_EQ(ran.output, "rsd2tmd: " + message + "\n");
    EXPECT_EQ(Written(), std::vector<std::string>{});
  }

  // The names in the folder that are not the model's four files.
  std::vector<std::string> Written() const {
    std::vector<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder_)) {
      const std::string name = entry.path().filename().string();
      if (name != "m.rsd" && name != "m.ply" && name != "m.mat" && name != "m0.tim") {
        names.push_back(name);
      }
    }
    return names;
  }

  const gannet_testing::TempFolder scratch_{"rsd2tmd"};
  const fs::path& folder_ = scratch_.path();
};

TEST_F(Rsd2TmdTest, WritesTheModelAsOneTmdObject) {
  const Ran ran = Convert("m.rsd -s 2");
  ASSERT_EQ(ran.exit_code, 0) << ran.output;
  EXPECT_EQ(ran.output, "rsd2tmd: wrote m.tmd: 2 polygons, 5 vertices, 2 normals, 144 bytes\n");
  const Ran info = Info("m.tmd");
  EXPECT_EQ(info.exit_code, 0) << info.output;
  EXPECT_EQ(info.output,
            "TMD id 0x00000041, flags 0x00000000, 1 object\n"
            "object 0: 2 primitives at 40, 5 vertices at 88, 2 normals at 128, scale 0\n"
            "primitive 0 at 40: mode 0x2c flag 0x00 ilen 7 olen 9, lit flat textured quad\n"
            "  cba 0x7868 (palette 640,481) tsb 0x000c (page 768,0, 4-bit, rate 0)\n"
            "  uv 32,0 47,0 32,15 47,15\n"
            "  normals 0\n"
            "  vertices 0 1 3 2\n"
            "primitive 1 at 72: mode 0x21 flag 0x01 ilen 3 olen 4, unlit triangle\n"
            "  colour 255,128,0\n"
            "  vertices 2 3 4\n"
            "vertex 0: 0 0 0\n"
            "vertex 1: 21 0 0\n"
            "vertex 2: 0 -20 0\n"
            "vertex 3: 20 -20 0\n"
            "vertex 4: 0 0 21\n"
            "normal 0: 0 0 -4096\n"
            "normal 1: 2048 2048 0\n");
  const Ran named = Convert("-o other.tmd m.rsd");
  EXPECT_EQ(named.exit_code, 0) << named.output;
  EXPECT_EQ(ReadBytes(folder_ / "other.tmd").size(), 144u);
}

TEST_F(Rsd2TmdTest, ReadsTheWholeMatGrammar) {
  Write("m.ply",
        "@PLY940102\n6 1 6\n0 0 0\n1 0 0\n0 1 0\n1 1 0\n2 2 0\n3 3 0\n0 0 1\n"
        "0 0 1 2 0 0 0 0 0\n0 1 2 3 0 0 0 0 0\n0 2 3 4 0 0 0 0 0\n0 3 4 5 0 0 0 0 0\n"
        "1 0 1 2 3 0 0 0 0\n0 5 4 3 0 0 0 0 0\n");
  Write("m.mat",
        "@MAT940801\n# a comment line\n4\n0-1 1 F C 10 20 30\n2,5 0 G G 1 2 3 4 5 6 7 8 9 0 0 0\n"
        "3 1d F D 0 0 0 1 0 0 1 0 0 40 50 60\n4 3 F H 0 0 0 1 0 0 1 1 1 1 2 3 4 5 6 7 8 9 10 11 "
        "12\n");
  const Ran ran = Convert("m.rsd");
  ASSERT_EQ(ran.exit_code, 0) << ran.output;
  const std::string text = Info("m.tmd").output;
  for (const char* kind :
       {"primitive 0 at 40: mode 0x21 flag 0x01", "primitive 1 at 56: mode 0x21 flag 0x01",
        "primitive 2 at 72: mode 0x30 flag 0x04", "primitive 3 at 100: mode 0x27 flag 0x01",
        "primitive 4 at 128: mode 0x3d flag 0x03", "primitive 5 at 172: mode 0x30 flag 0x04",
        "  colours 1,2,3 4,5,6 7,8,9\n", "  colour 40,50,60\n",
        "tsb 0x006c (page 768,0, 4-bit, rate 3)", "  colours 1,2,3 4,5,6 7,8,9 10,11,12\n"}) {
    EXPECT_NE(text.find(kind), std::string::npos) << kind << "\n" << text;
  }
}

TEST_F(Rsd2TmdTest, RefusesWithFileLineAndValue) {
  ExpectRefused("m.rsd -s 4000",
                "m.ply:4: vertex 1 value 10.5 times 4000 is 42000, beyond the 16 bits of a TMD "
                "entry (-32768 to 32767)");
  Write("m.ply", std::string(kPly).replace(std::string(kPly).find("0 2 3 4"), 7, "0 2 7 4"));
  ExpectRefused("m.rsd", "m.ply:11: vertex index v1 7 is out of range 0..4");
  Write("m.ply", kPly);
  Write("m.mat", "@MAT940801\r\n1\r\n0 1 F C 1 2 3\r\n");
  ExpectRefused("m.rsd", "m.mat: polygon 1 has no material line");
  Write("m.mat", "@MAT940801\r\n3\r\n0 1 F C 1 2 3\r\n1 1 F C 1 2 3\r\n0-1 1 F C 1 2 3\r\n");
  ExpectRefused("m.rsd", "m.mat:5: polygon 0 already has a material (line 3)");
  Write("m.mat", "@MAT940801\r\n2\r\n0 0 F T 1 0 0 15 0 0 15 15 15\r\n1 1 G C 255 128 0\r\n");
  ExpectRefused("m.rsd", "m.mat:3: texture number 1 has no TIM (NTEX=1)");
  Write("m.mat", kMat);
  fs::remove(folder_ / "m0.tim");
  ExpectRefused("m.rsd", "m0.tim: cannot read (No such file or directory)");
}

TEST_F(Rsd2TmdTest, RefusesMalformedFilesAndCommandLines) {
  Write("m.mat", "@MAT940801\r\n2\r\n0 0 F T 0 0 0 15 0 0 15 15 15\r\n1 1 G X 255 128 0\r\n");
  const Ran malformed = Convert("m.rsd");
  EXPECT_EQ(malformed.exit_code, 2);
  EXPECT_EQ(malformed.output.rfind("rsd2tmd: m.mat:4: ", 0), 0u) << malformed.output;
  EXPECT_FALSE(fs::exists(folder_ / "m.tmd"));
  const Ran missing = Convert("gone.rsd");
  EXPECT_EQ(missing.exit_code, 2);
  EXPECT_NE(missing.output.find("gone.rsd"), std::string::npos) << missing.output;
  for (const char* args : {"", "m.rsd -s 0", "m.rsd -s x", "m.rsd -o", "m.rsd -q", "a.rsd b.rsd"}) {
    const Ran usage = Convert(args);
    EXPECT_EQ(usage.exit_code, 2) << args;
    EXPECT_NE(usage.output.find("usage: rsd2tmd MODEL.rsd [-o MODEL.tmd] [-s FACTOR]"),
              std::string::npos)
        << args;
  }
}

// The review's lost-data case: "-o" onto one of the model's files, under
// any spelling, replaced it with the TMD and said "wrote".
TEST_F(Rsd2TmdTest, NeverWritesOverTheModelsFiles) {
  fs::create_directory(folder_ / "sub");
  fs::create_hard_link(folder_ / "m.ply", folder_ / "linked.tmd");
  const std::pair<std::string, std::string> cases[] = {{"m.rsd", "m.rsd"},
                                                       {"sub/../m.ply", "m.ply"},
                                                       {"./m.mat", "m.mat"},
                                                       {"m0.tim", "m0.tim"},
                                                       {"linked.tmd", "m.ply"}};
  for (const auto& [output, input] : cases) {
    const Ran ran = Convert("m.rsd -o " + output);
    EXPECT_EQ(ran.exit_code, 1) << output;
    EXPECT_EQ(ran.output,
              "rsd2tmd: refusing to write " + output + ": it is the input " + input + "\n");
  }
  EXPECT_EQ(gannet_testing::ReadBytes(folder_ / "m.rsd"), kRsd);
  EXPECT_EQ(gannet_testing::ReadBytes(folder_ / "m.ply"), kPly);
  EXPECT_EQ(gannet_testing::ReadBytes(folder_ / "m.mat"), kMat);
  EXPECT_EQ(gannet_testing::ReadBytes(folder_ / "m0.tim"), TimBytes());
}

// The review's full disk: a TMD cut short, or none, and no word of it.
TEST_F(Rsd2TmdTest, AFullDiskLeavesTheOldTmdAndSaysWhy) {
  Write("m.tmd", "the TMD of yesterday");
  const Ran ran = RunShell("cd " + Quoted(folder_) + " && trap '' XFSZ && ulimit -f 0 && " +
                           RSD2TMD_PATH + " m.rsd");
  EXPECT_EQ(ran.exit_code, 1);
  EXPECT_EQ(ran.output, "rsd2tmd: cannot write m.tmd: File too large\n");
  EXPECT_EQ(gannet_testing::ReadBytes(folder_ / "m.tmd"), "the TMD of yesterday");
  EXPECT_EQ(Written(), std::vector<std::string>{"m.tmd"});
}

// A palette below row 511 once became a palette word for row 88.
TEST_F(Rsd2TmdTest, RefusesATimOutsideVideoMemory) {
  std::string tim = TimBytes();
  tim[14] = static_cast<char>(600 & 0xFF);  // the palette's row
  tim[15] = static_cast<char>(600 >> 8);
  Write("m0.tim", tim);
  ExpectRefused("m.rsd",
                "m0.tim: palette at 640,600 runs past video memory (columns 640-655, row 600; it "
                "has columns 0-1023, rows 0-511)");
}

// A device or a named pipe as a model's file once ran out of memory or
// waited for ever.
TEST_F(Rsd2TmdTest, RefusesWhatIsNoRegularFile) {
  fs::remove(folder_ / "m.ply");
  fs::create_symlink("/dev/zero", folder_ / "m.ply");
  ExpectRefused("m.rsd", "m.ply: cannot read (a device, not a regular file)");
  fs::remove(folder_ / "m.ply");
  Write("m.ply", kPly);
  fs::remove(folder_ / "m.mat");
  ASSERT_EQ(RunShell("mkfifo " + Quoted(folder_ / "m.mat")).exit_code, 0);
  const Ran ran = RunShell("cd " + Quoted(folder_) + " && timeout 60 " + RSD2TMD_PATH + " m.rsd");
  EXPECT_EQ(ran.exit_code, 2);
  EXPECT_EQ(ran.output, "rsd2tmd: m.mat: cannot read (a named pipe, not a regular file)\n");
}

// rsdn.bat passes the base name after "--", so that "-rf" is a model.
TEST_F(Rsd2TmdTest, ConvertsAModelNamedLikeAnOption) {
  Write("-rf.rsd", kRsd);
  const Ran ran = Convert("-o -rf.tmd -- -rf.rsd");
  EXPECT_EQ(ran.exit_code, 0) << ran.output;
  EXPECT_EQ(ran.output, "rsd2tmd: wrote -rf.tmd: 2 polygons, 5 vertices, 2 normals, 144 bytes\n");
  EXPECT_EQ(Convert("-- a.rsd b.rsd").exit_code, 2);
}

TEST_F(Rsd2TmdTest, WarnsAndStillWrites) {
  Write("m.mat",
        "@MAT940801\r\n2\r\n0 0 F D 0 0 0 15 0 0 15 15 15 9 9 9\r\n1 e5 G C 255 128 0\r\n");
  const Ran ran = Convert("m.rsd");
  EXPECT_EQ(ran.exit_code, 0) << ran.output;
  EXPECT_EQ(ran.output,
            "Warning: m.mat:3: D material with light calculation (flag bit 0 clear): light "
            "calculation is kept, its RGB colour is ignored\n"
            "Warning: m.mat:4: flag e5 sets the reserved rate 4 (bits 3-5), rate 0 used\n"
            "Warning: m.mat:4: flag e5 sets reserved bits (c0), ignored\n"
            "rsd2tmd: wrote m.tmd: 2 polygons, 5 vertices, 2 normals, 144 bytes\n");
  EXPECT_EQ(Info("m.tmd").exit_code, 0);
}

TEST_F(Rsd2TmdTest, TmdinfoRejectsABrokenFile) {
  ASSERT_EQ(Convert("m.rsd").exit_code, 0);
  std::vector<std::uint8_t> bytes = ReadBytes(folder_ / "m.tmd");
  bytes[68] = 9;  // the quad's last vertex index
  Write("bad.tmd", std::string(bytes.begin(), bytes.end()));
  const Ran bad = Info("bad.tmd");
  EXPECT_EQ(bad.exit_code, 1);
  EXPECT_NE(bad.output.find("tmdinfo: " + (folder_ / "bad.tmd").string() +
                            ": object 0: primitive 0 at 40: vertex index 9 beyond the object's 5 "
                            "vertex entries\n"),
            std::string::npos)
      << bad.output;
  EXPECT_EQ(Info("none.tmd").exit_code, 2);
}

// Two frames of one model, the second twice as large, packed as morphon
// packs any animation: each stored frame is the vertex block and the normal
// block after it.
TEST_F(Rsd2TmdTest, MorphonPacksConvertedFrames) {
  fs::create_directory(folder_ / "anim");
  ASSERT_EQ(Convert("m.rsd -o anim/f0.tmd").exit_code, 0);
  ASSERT_EQ(Convert("m.rsd -o anim/f1.tmd -s 2").exit_code, 0);
  const Ran packed = RunShell("cd " + Quoted(folder_ / "anim") + " && " + MORPHON_PATH + " go");
  ASSERT_EQ(packed.exit_code, 0) << packed.output;
  const std::vector<std::uint8_t> pck = ReadBytes(folder_ / "anim" / "MORPHON.PCK");
  ASSERT_EQ(pck.size(), 32u + 2 * 56);
  EXPECT_EQ(std::vector<std::uint8_t>(pck.begin(), pck.begin() + 16),
            (std::vector<std::uint8_t>{2, 0, 0, 0, 56, 0, 0, 0, 40, 0, 0, 0, 16, 0, 0, 0}));
  for (int frame = 0; frame < 2; ++frame) {
    const std::vector<std::uint8_t> tmd =
        ReadBytes(folder_ / "anim" / ("f" + std::to_string(frame) + ".tmd"));
    EXPECT_EQ(std::vector<std::uint8_t>(pck.begin() + 32 + 56 * frame,
                                        pck.begin() + 32 + 56 * (frame + 1)),
              std::vector<std::uint8_t>(tmd.end() - 56, tmd.end()))
        << frame;
  }
}

// The plug-in exports the bundled ship and runs rsdn.bat, which converts it.
TEST(Rsd2TmdExampleTest, TheBundledShipIsExportedAndConverted) {
  const gannet_testing::TempFolder scratch("rsd2tmd-ship");
  const fs::path& out = scratch.path();
  const Ran ran = RunShell(std::string(EXAMPLE_SCRIPT) + " " + BUILD_DIR + " " + Quoted(out));
  EXPECT_EQ(ran.exit_code, 0) << ran.output;
  EXPECT_NE(ran.output.find("rsdn: converted ship.rsd (ship.ply, ship.mat, 2 TIM files) to "
                            "ship.tmd at scale 1.0\nrsdn: TMD only, the emulator is not started\n"),
            std::string::npos)
      << ran.output;
  const Ran info = RunShell(std::string(TMDINFO_PATH) + " " + Quoted(out / "ship.tmd"));
  EXPECT_EQ(info.exit_code, 0) << info.output;
  // Faces 0 and 1 use the 8-bit deck at 656,0 (palette 640,257), lit; the
  // others the 4-bit hull at 640,0 (palette 640,256), unlit. The textures
  // are mapped whole: their far edges (32 and 64) end on the images' last
  // texels. The bottom deck (y down: +5) faces down, out of the ship.
  for (const char* line :
       {"object 0: 6 primitives at 40, 8 vertices at ", "mode 0x2c flag 0x00 ilen 7 olen 9",
        "  cba 0x4068 (palette 640,257) tsb 0x008a (page 640,0, 8-bit, rate 0)\n"
        "  uv 63,31 63,0 32,31 32,0\n",
        "mode 0x2d flag 0x01 ilen 7 olen 9, unlit textured quad\n"
        "  cba 0x4028 (palette 640,256) tsb 0x000a (page 640,0, 4-bit, rate 0)\n"
        "  uv 63,63 63,0 0,63 0,0\n  colour 128,128,128\n",
        "vertex 0: -20 5 -10\n", "normal 0: 0 4096 0\n"}) {
    EXPECT_NE(info.output.find(line), std::string::npos) << line << "\n" << info.output;
  }
}

}  // namespace
