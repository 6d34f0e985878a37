#include "packer/folder_scan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace morphon {
namespace {

TEST(FolderScanTest, TakesNamesHoldingTheExtensionInOneCaseAnywhere) {
  EXPECT_TRUE(IsTmdName("walk.tmd"));
  EXPECT_TRUE(IsTmdName("WALK.TMD"));
  EXPECT_TRUE(IsTmdName("walk.tmd.bak"));
  EXPECT_TRUE(IsTmdName(".tmd"));
  EXPECT_FALSE(IsTmdName("walk.Tmd"));
  EXPECT_FALSE(IsTmdName("walktmd"));
  EXPECT_FALSE(IsTmdName("MORPHON.PCK"));
}

TEST(FolderScanTest, OrdersLikeAnNtfsListing) {
  std::vector<std::string> names = {"b.tmd",       "A.tmd",      "a_1.tmd",   "a1.tmd",
                                    "B.tmd",       "..",         ".",         "a.tmd",
                                    "frame10.tmd", "frame9.tmd", "Frame2.tmd"};
  std::sort(names.begin(), names.end(), ComesBefore);
  // Letters fold to upper case, so '_' (after 'Z') follows the letters and
  // digits; equal folded names fall back to their bytes.
  const std::vector<std::string> expected = {".",           "..",         "A.tmd",     "a.tmd",
                                             "a1.tmd",      "a_1.tmd",    "B.tmd",     "b.tmd",
                                             "frame10.tmd", "Frame2.tmd", "frame9.tmd"};
  EXPECT_EQ(names, expected);
}

TEST(FolderScanTest, OrderIsStrict) {
  EXPECT_FALSE(ComesBefore("a.tmd", "a.tmd"));
  EXPECT_TRUE(ComesBefore("A.tmd", "a.tmd"));
  EXPECT_FALSE(ComesBefore("a.tmd", "A.tmd"));
  EXPECT_TRUE(ComesBefore("a", "a.tmd"));
  EXPECT_TRUE(ComesBefore("z.tmd", "\xE9.tmd"));
}

}  // namespace
}  // namespace morphon
