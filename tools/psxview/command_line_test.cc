// psxview's command line: what a full line sets, what is assumed, and each
// way a line is refused.
#include "tools/psxview/command_line.h"

#include <gtest/gtest.h>

namespace psxview {
namespace {

std::optional<Arguments> Parse(const std::vector<std::string>& args, std::string& error) {
  return ParseArguments(args, error);
}

TEST(CommandLineTest, FullLine) {
  std::string error;
  const std::optional<Arguments> args =
      Parse({"hop0.tmd", "a.tim", "--pack", "MORPHON.PCK", "b.tim", "--view", "side", "--spin",
             "--frame", "12", "-o", "VIEW.EXE"},
            error);
  ASSERT_TRUE(args) << error;
  EXPECT_EQ(args->tmd, "hop0.tmd");
  EXPECT_EQ(args->tims, (std::vector<std::string>{"a.tim", "b.tim"}));
  EXPECT_EQ(args->pack, "MORPHON.PCK");
  EXPECT_EQ(args->view, camera::View::kSide);
  EXPECT_TRUE(args->spin);
  EXPECT_EQ(args->frame, 12);
  EXPECT_EQ(args->output, "VIEW.EXE");
}

TEST(CommandLineTest, DefaultsToAStillThreeQuarterViewOfAModelAlone) {
  std::string error;
  const std::optional<Arguments> args = Parse({"ship.tmd", "-o", "v.exe"}, error);
  ASSERT_TRUE(args) << error;
  EXPECT_TRUE(args->tims.empty());
  EXPECT_TRUE(args->pack.empty());
  EXPECT_EQ(args->view, camera::View::kThreeQuarter);
  EXPECT_FALSE(args->spin);
  EXPECT_FALSE(args->frame);
}

TEST(CommandLineTest, EveryViewHasItsName) {
  for (int i = 0; i < camera::kViewCount; ++i) {
    const auto view = static_cast<camera::View>(i);
    EXPECT_EQ(ViewNamed(ViewName(view)), view);
  }
}

TEST(CommandLineTest, Refusals) {
  const std::vector<std::pair<std::vector<std::string>, std::string>> cases = {
      {{"-o", "v.exe"}, "psxview: no TMD file"},
      {{"m.tmd"}, "psxview: no output file (-o VIEW.EXE)"},
      {{"m.tmd", "-o"}, "psxview: -o needs a value"},
      {{"m.tmd", "--view", "back", "-o", "v.exe"},
       "psxview: unknown view 'back' (front, side, top or three-quarter)"},
      {{"m.tmd", "--pack", "p", "--frame", "-1", "-o", "v.exe"},
       "psxview: --frame takes a frame number from 0, not '-1'"},
      {{"m.tmd", "--pack", "p", "--frame", "2x", "-o", "v.exe"},
       "psxview: --frame takes a frame number from 0, not '2x'"},
      {{"m.tmd", "--frame", "2", "-o", "v.exe"},
       "psxview: --frame chooses a frame of a pack, and there is no --pack"},
      {{"m.tmd", "--cull", "-o", "v.exe"}, "psxview: unknown option --cull"},
  };
  for (const auto& [args, message] : cases) {
    std::string error;
    EXPECT_FALSE(Parse(args, error));
    EXPECT_EQ(error, message);
  }
}

}  // namespace
}  // namespace psxview
