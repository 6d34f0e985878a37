// The two variants of the help text, as the built morphon prints them.
#include "packer/help.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "packer/testing/morphon_process.h"

namespace morphon {
namespace {

using testing::RunResult;
using testing::ScratchFolder;

const std::string kIntroduction =
    "Morphon version: v1 SEPT 2023 \n\n"
    "Morphon help:\n"
    "Morphon packages a list of TMD vertices (and optionally normal data)\n in a MORPHON.PCK "
    "file.\n"
    "It must be run in a folder where all the current frames (TMD files)\n are ordered from "
    "first to last. \n";

const std::string kUsage =
    "\n"
    "Morphon usage: \n"
    "Options are not case sensitive, example: \n morphon -T2 -L -MM -V  \n"
    "\n"
    "-T# Number of interpolated tweens (in between) frames. \n"
    "-L  Loops back, animation repeats.\n"
    "-NN No Normals - no normal data is stored (recommended). \n"
    "-MM Min Max - 2 3D points (SVECTOR) for each frame, in text & binary files. \n"
    "-V  Verbose, help, debugging mode.\n\n\n"
    "\nOutput is a MORPHON.PCK file, optional MinMax .mm & .txt files\n";

const std::string kTips =
    "\n"
    "Tips:\n"
    "Create a new folder for each animation pck.\n"
    "Put all TMD frames there, in alpha-num order.\n"
    "Rename output files and move to project, delete anim folder... repeat\n"
    "The animation files only contain verts (and sometimes normals - very big data!)\n"
    "Animation on the PSX requires a single original TMD file for all anim pcks.\n"
    "The single TMD is used to reference face and/or normal data.\n";

const std::string kClosing =
    "\n"
    "For more info see the verbose, code and the DE zoduzo.\n"
    "Or ask at https://chat.example.org/psx-hobby-dev \n";

const std::string kPause = "\nHit enter...\n";

TEST(HelpTest, NoArgumentsShowTheHelpWithThreePausesAndTouchNothing) {
  ScratchFolder folder;
  folder.Write("MORPHON.PCK", std::vector<std::uint8_t>{1, 2, 3});
  folder.Write("a.tmd", std::vector<std::uint8_t>(3, 0));
  const RunResult run = folder.Run("", "\n\n\n");
  EXPECT_EQ(run.output, kIntroduction + kPause + kUsage + kPause + kTips + kPause + kClosing);
  EXPECT_EQ(run.status, 0);
  EXPECT_EQ(folder.Read("MORPHON.PCK"), (std::vector<std::uint8_t>{1, 2, 3}));
}

TEST(HelpTest, FolderWithoutFramesShowsTheHelpAndTheErrorButKeepsTheOldOutput) {
  ScratchFolder folder;
  folder.Write("MORPHON.PCK", std::vector<std::uint8_t>{1, 2, 3});
  folder.Write("walk.Tmd", std::vector<std::uint8_t>(3, 0));
  const RunResult run = folder.Run("-T2");
  EXPECT_EQ(run.output,
            kIntroduction + kUsage + kTips + kClosing + "\nERROR: \nNo TMD files found!\n");
  EXPECT_EQ(run.status, 1);
  EXPECT_TRUE(folder.Exists("MORPHON.PCK"));
}

}  // namespace
}  // namespace morphon
