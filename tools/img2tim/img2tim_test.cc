// The built program as scripts run it: its command line, the files it
// writes and the lines it prints.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "testing/file_bytes.h"
#include "testing/program_run.h"
#include "testing/temp_folder.h"
#include "tools/img2tim/command_line.h"
#include "tools/img2tim/testing/image_bytes.h"

namespace img2tim {
namespace {

using gannet_testing::ProgramRun;
using gannet_testing::ReadBytes;
using gannet_testing::RunProgram;

using test_files::Hex;

class Img2timProgram : public ::testing::Test {
 protected:
  ProgramRun Run(std::vector<std::string> args) {
    args.insert(args.begin(), IMG2TIM_PATH);
    gannet_testing::RunOptions options;
    options.folder = folder_.path();
    return RunProgram(args, options);
  }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  void Write(const std::string& name, const std::string& bytes) const {
    gannet_testing::WriteBytes(folder_ / name, bytes);
  }

  const gannet_testing::TempFolder folder_{"img2tim"};
  // Black, red and blue; 4 bits a pixel.
  const std::string png_ = test_files::Png(3, 1, 4, 3, {std::string("\x01\x20", 2)},
                                           {{0, 0, 0}, {255, 0, 0}, {0, 0, 255}});
};

TEST_F(Img2timProgram, WithoutArgumentsPrintsTheUsage) {
  const ProgramRun run = Run({});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.output, Usage());
}

TEST_F(Img2timProgram, AScriptForTheOtherConverterRunsUnchanged) {
  Write("pic.png", png_);
  // Upper-case names, the defaults of place, palette and depth, and the
  // output named after the input.
  const ProgramRun run = Run({"-B", "-T", "pic.png"});
  EXPECT_EQ(run.exit_code, 0);
  EXPECT_EQ(run.output,
            "img2tim: pic.png -> pic.tim (3x1, 4-bit, image at 640,0, palette at 0,480)\n");
  EXPECT_EQ(Hex(ReadBytes(Path("pic.tim"))),
            "10000000"
            "08000000"
            "2c000000"
            "0000"
            "e001"
            "1000"
            "0100"  // palette at 0,480
            "0080"
            "1f80"
            "00fc" +
                std::string(13 * 4, '0') +
                "0e000000"
                "8002"
                "0000"
                "0100"
                "0100"  // image at 640,0
                "1002");
}

TEST_F(Img2timProgram, AlphaAndPaletteEntryOptions) {
  // Entry 0 at alpha 0x40, entry 2 at 0x90: below and above -alpt 0x50.
  Write("a.png",
        test_files::Png(3, 1, 4, 3, {std::string("\x01\x20", 2)},
                        {{10, 10, 10}, {255, 0, 0}, {0, 0, 255}}, std::string("\x40\xFF\x90", 3)));
  const ProgramRun run = Run({"-usealpha", "-alpt", "80", "-tindex", "1", "-bpp", "16", "-org", "0",
                              "2", "-o", "b.tim", "a.png"});
  EXPECT_EQ(run.exit_code, 0) << run.output;
  EXPECT_EQ(run.output, "img2tim: a.png -> b.tim (3x1, 16-bit, image at 0,2)\n");
  EXPECT_EQ(Hex(ReadBytes(Path("b.tim"))),
            "10000000"
            "02000000"
            "12000000"
            "0000"
            "0200"
            "0300"
            "0100"
            "0000"    // alpha below the threshold
            "0000"    // entry 1, named
            "00fc");  // partly transparent blue
}

TEST_F(Img2timProgram, RefusalsNameTheFileAndTheLimit) {
  Write("pic.png", png_);
  const ProgramRun grid = Run({"-plt", "5", "0", "pic.png"});
  EXPECT_EQ(grid.exit_code, 1);
  EXPECT_EQ(
      grid.output,
      "ERROR: pic.png: palette at 5,0 is off the 16-column grid: x must be a multiple of 16\n");
  // The exporter's fourth 256-wide texture: named, with its cause, and no usage.
  const ProgramRun place = Run({"-bpp", "8", "-org", "1024", "0", "pic.png"});
  EXPECT_EQ(place.exit_code, 1);
  EXPECT_EQ(place.output,
            "ERROR: pic.png: image at 1024,0 does not fit video memory: 2 columns x 1 row end at "
            "1026,1, beyond its 1024 x 512\n");
  const ProgramRun colours = Run({"-bpp", "4", "-o", "x.tim", "pic.png"});
  EXPECT_EQ(colours.exit_code, 0) << colours.output;
  EXPECT_FALSE(std::filesystem::exists(Path("pic.tim")));

  const ProgramRun missing = Run({"-bpp", "4", "nothing.bmp"});
  EXPECT_EQ(missing.exit_code, 1);
  EXPECT_EQ(missing.output, "ERROR: nothing.bmp: cannot read (No such file or directory)\n");
  // A named pipe as the image once made img2tim wait for ever.
  ASSERT_EQ(mkfifo(Path("pipe.png").c_str(), 0600), 0);
  EXPECT_EQ(Run({"pipe.png"}).output,
            "ERROR: pipe.png: cannot read (a named pipe, not a regular file)\n");
  Write("notes.txt", "hello");
  EXPECT_EQ(Run({"notes.txt"}).output, "ERROR: notes.txt: not a BMP, PNG, TGA or JPEG file\n");
}

TEST_F(Img2timProgram, CommandLineMistakesSayInvalid) {
  const ProgramRun value = Run({"-org", "-1", "0", "pic.png"});
  EXPECT_EQ(value.exit_code, 1);
  EXPECT_EQ(value.output, "Invalid value for -org: -1 is not a whole number from 0 to 65535\n");
  const ProgramRun option = Run({"-x", "pic.png"});
  EXPECT_EQ(option.exit_code, 1);
  EXPECT_EQ(option.output, "Invalid option -x\n" + Usage());
}

// The review's case: "-o tex.bmp tex.bmp" replaced the source image.
TEST_F(Img2timProgram, NeverWritesOverItsImage) {
  Write("pic.png", png_);
  const ProgramRun run = Run({"-bpp", "4", "-o", "./pic.png", "pic.png"});
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.output, "ERROR: refusing to write ./pic.png: it is the input pic.png\n");
  EXPECT_EQ(ReadBytes(folder_ / "pic.png"), png_);
}

// The review's full disk: "cannot write" over a TIM of 0 bytes.
TEST_F(Img2timProgram, AFullDiskLeavesNoTim) {
  Write("pic.png", png_);
  gannet_testing::RunOptions options;
  options.folder = folder_.path();
  const ProgramRun run =
      gannet_testing::RunShell(std::string("trap '' XFSZ && ulimit -f 0 && exec ") + IMG2TIM_PATH +
                                   " -bpp 4 -o t.tim pic.png",
                               options);
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.output, "ERROR: cannot write t.tim: File too large\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_.path()),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace
}  // namespace img2tim
