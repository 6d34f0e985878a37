// The chain of examples/animation/run-animation.sh from start to end: the
// script's exports, one TMD a frame converted by rsdn.bat, the pack morphon
// makes of them, and rsdview's sheet and GIF of the pack.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "testing/file_bytes.h"
#include "testing/program_run.h"
#include "testing/temp_folder.h"

#include "tools/rsd2tmd/tmd_file.h"
#include "tools/rsdview/anim_sheet.h"
#include "tools/rsdview/command_line.h"
#include "tools/rsdformat/pck_file.h"
#include "tools/rsdview/tmd_model.h"

namespace rsdview {
namespace {

namespace fs = std::filesystem;

// What `command` printed (standard error after standard output); its exit
// status in `status`.
std::string Shell(const std::string& command, int& status) {
  const gannet_testing::ProgramRun run = gannet_testing::RunShell(command);
  status = run.exit_code;
  return run.output;
}

class RunAnimation : public ::testing::Test {
 protected:
  const gannet_testing::TempFolder scratch_{"hop"};
  const fs::path& folder_ = scratch_.path();
};

TEST_F(RunAnimation, ExportsConvertsPacksAndPreviewsEveryFrame) {
  int status = 0;
  const std::string log = Shell(
      std::string("\"") + RUN_ANIMATION + "\" \"" + BUILD_DIR + "\" \"" + folder_.string() + "\"",
      status);
  ASSERT_EQ(status, 0) << log;
  const fs::path hop = folder_ / "drive-c" / "hop";

  // Every frame was exported, and converted by rsdn.bat.
  std::vector<rsd2tmd::TmdModel> frames;
  for (int i = 0; i < 6; ++i) {
    const std::string base = "hop" + std::to_string(i);
    for (const char* extension : {".rsd", ".ply", ".mat"}) {
      EXPECT_TRUE(fs::exists(hop / (base + extension))) << base << extension;
    }
    frames.push_back(ReadTmdModel(hop / (base + ".tmd")));
    EXPECT_EQ(frames.back().vertices.size(), 8u);
    EXPECT_EQ(frames.back().polygons.size(), 6u);
  }
  // The box moves: the first and last frames are not where the middle is.
  EXPECT_LT(frames[0].vertices[0].vx, frames[5].vertices[0].vx);
  EXPECT_LT(frames[2].vertices[0].vy, frames[0].vertices[0].vy);  // up is -y

  // morphon -T4 -L: 4 frames for each of the 6 segments, the loop included;
  // frame 0 of each segment is its source frame.
  const PackFile pack = ReadPack(hop / "MORPHON.PCK");
  EXPECT_TRUE(pack.loops);
  ASSERT_EQ(pack.frames.size(), 24u);
  for (int i = 0; i < 6; ++i) {
    const PackFrame& stored = pack.frames[static_cast<std::size_t>(4 * i)];
    ASSERT_EQ(stored.vertices.size(), 8u);
    for (std::size_t v = 0; v < 8; ++v) {
      EXPECT_EQ(stored.vertices[v].vx, frames[static_cast<std::size_t>(i)].vertices[v].vx);
      EXPECT_EQ(stored.vertices[v].vy, frames[static_cast<std::size_t>(i)].vertices[v].vy);
    }
  }

  // rsdview anim: three rows of 8 frames, and the GIF of them.
  EXPECT_NE(log.find("24 frames of 8 vertices, looping\nwrote " + (hop / "hop.png").string() +
                     " (1024 x 384)\nwrote " + (hop / "hop.gif").string() + " (24 frames)\n"),
            std::string::npos)
      << log;
  const std::string decoded = (folder_ / "sheet.rgb").string();
  ASSERT_EQ(Shell("convert \"" + (hop / "hop.png").string() + "\" -depth 8 \"rgb:" + decoded + "\"",
                  status),
            "");
  const Model base = ModelFromTmd(frames[0], {});
  const Canvas expected = ContactSheet(RenderFrames(FramesOnModel(pack, base, "MORPHON.PCK"),
                                                    View::kThreeQuarter, {kAnimFrameSize, false}));
  EXPECT_EQ(gannet_testing::ReadBytes(decoded),
            std::string(expected.bytes().begin(), expected.bytes().end()));
  std::string gif_frames;
  for (int i = 0; i < 24; ++i) {
    gif_frames += "GIF 128x128;";
  }
  EXPECT_EQ(Shell("identify -format '%m %wx%h;' \"" + (hop / "hop.gif").string() + "\"", status),
            gif_frames);
}

}  // namespace
}  // namespace rsdview
