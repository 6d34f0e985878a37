#include "exportlib/path_parts.h"

#include <gtest/gtest.h>

namespace exportlib {
namespace {

TEST(PathParts, BasePathDropsTheLastFourCharactersWhateverTheyAre) {
  EXPECT_EQ(BasePath("C:\\models\\ship.rsd"), "C:\\models\\ship");
  EXPECT_EQ(BasePath("C:\\models\\abcdefgh"), "C:\\models\\abcd");
  EXPECT_EQ(BasePath("x.rs"), "");
  EXPECT_EQ(BasePath(".obj"), "");
  EXPECT_EQ(BasePath(""), "");
}

TEST(PathParts, OnlyBackslashAndColonEndAComponent) {
  EXPECT_EQ(LastComponent("C:\\models\\ship"), "ship");
  EXPECT_EQ(LastComponent("D:ship"), "ship");
  EXPECT_EQ(LastComponent("C:\\a:b\\c/d"), "c/d");
  EXPECT_EQ(LastComponent("ship"), "ship");
  EXPECT_EQ(LastComponent("C:\\models\\"), "");
  EXPECT_EQ(LastComponentStart("C:\\models\\ship"), 10u);
  EXPECT_EQ(LastComponentStart("ship"), 0u);
}

}  // namespace
}  // namespace exportlib
