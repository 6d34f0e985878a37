#include "batchtool/export_arguments.h"

#include <gtest/gtest.h>

namespace batchtool {
namespace {

TEST(CutExportArgumentsTest, ObjExportCutsNameFileAndScale) {
  const auto texts = CutExportArguments("!objexport cube cube.obj 1.5", false);
  EXPECT_EQ(texts.name, "cube");
  EXPECT_EQ(texts.file_name, "cube.obj");
  EXPECT_EQ(texts.scale, "1.5");
  EXPECT_EQ(texts.launch_mode, "");
}

TEST(CutExportArgumentsTest, RsdExportCutsScaleAndLaunchMode) {
  const auto texts = CutExportArguments("!rsdexport ship ship.rsd 10 0", true);
  EXPECT_EQ(texts.name, "ship");
  EXPECT_EQ(texts.file_name, "ship.rsd");
  EXPECT_EQ(texts.scale, "10");
  EXPECT_EQ(texts.launch_mode, "0");
}

TEST(CutExportArgumentsTest, MissingArgumentsComeOutEmptyOrAsPartsOfNeighbours) {
  // No scale: the file name has no space after it, so it is empty, and the
  // number text starts at the file name.
  const auto no_scale = CutExportArguments("!objexport cube cube.obj", false);
  EXPECT_EQ(no_scale.name, "cube");
  EXPECT_EQ(no_scale.file_name, "");
  EXPECT_EQ(no_scale.scale, "cube.obj");

  const auto no_launch_mode = CutExportArguments("!rsdexport ship ship.rsd 10", true);
  EXPECT_EQ(no_launch_mode.scale, "");

  const auto keyword_only = CutExportArguments("!objexport", false);
  EXPECT_EQ(keyword_only.name, "");
  EXPECT_EQ(keyword_only.file_name, "");
}

TEST(CutExportArgumentsTest, FourthArgumentJoinsTheScale) {
  EXPECT_EQ(CutExportArguments("!objexport cube cube.obj 1.5 2", false).scale, "1.5 2");
}

TEST(CutExportArgumentsTest, DoubleSpacesShiftThePositions) {
  const auto texts = CutExportArguments("!rsdexport ship  ship.rsd 10 0", true);
  EXPECT_EQ(texts.name, "ship");
  EXPECT_EQ(texts.file_name, "ship.rsd");
  // One position early: the number text still starts with the file name's
  // last character.
  EXPECT_EQ(texts.scale, "d");
  EXPECT_EQ(texts.launch_mode, "10 0");
}

}  // namespace
}  // namespace batchtool
