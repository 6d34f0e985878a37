// img2tim's TIM file as it reaches the disk: never over the BMP it reads,
// and whole or not at all.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "testing/file_bytes.h"
#include "testing/program_run.h"
#include "testing/temp_folder.h"

namespace img2tim {
namespace {

class Img2timOutput : public ::testing::Test {
 protected:
  Img2timOutput() {
    gannet_testing::RunShell("convert -size 4x4 xc:red BMP3:" + Path("tex.bmp"));
    bmp_ = gannet_testing::ReadBytes(folder_ / "tex.bmp");
  }

  std::string Path(const std::string& name) const {
    return gannet_testing::ShellQuoted((folder_ / name).string());
  }

  // img2tim with `limits` (shell commands) run before it in the folder.
  gannet_testing::ProgramRun Convert(const std::string& limits, const std::string& arguments) {
    gannet_testing::RunOptions options;
    options.folder = folder_;
    return gannet_testing::RunShell(limits + std::string(IMG2TIM_PATH) + " " + arguments, options);
  }

  const gannet_testing::TempFolder scratch_{"img2tim-output"};
  const std::filesystem::path& folder_ = scratch_.path();
  std::string bmp_;
};

// The review's case: "-o tex.bmp tex.bmp" replaced the source image.
TEST_F(Img2timOutput, NeverWritesOverItsBmp) {
  ASSERT_FALSE(bmp_.empty());
  const gannet_testing::ProgramRun run = Convert("", "-bpp 16 -org 640 0 -o ./tex.bmp tex.bmp");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.output, "ERROR: refusing to write ./tex.bmp: it is the input tex.bmp\n");
  EXPECT_EQ(gannet_testing::ReadBytes(folder_ / "tex.bmp"), bmp_);
}

// The review's full disk: "cannot write" over a TIM of 0 bytes.
TEST_F(Img2timOutput, AFullDiskLeavesNoTim) {
  const gannet_testing::ProgramRun run =
      Convert("trap '' XFSZ && ulimit -f 0 && ", "-bpp 16 -org 640 0 -o t.tim tex.bmp");
  EXPECT_EQ(run.exit_code, 1);
  EXPECT_EQ(run.output, "ERROR: cannot write t.tim: File too large\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder_),
                          std::filesystem::directory_iterator()),
            1);
}

}  // namespace
}  // namespace img2tim
