#include "tools/rsdformat/texture_page.h"

#include <gtest/gtest.h>

namespace rsdformat {
namespace {

TEST(TexturePage, PaletteAndPageWords) {
  EXPECT_EQ(PaletteWord(640, 481), 0x7868);
  EXPECT_EQ(PageWord(448, 0, 0, 8), 0x0087);
  EXPECT_EQ(PageWord(640, 256, 3, 4), 0x0A | 0x10 | 0x60);
  EXPECT_EQ(PageWord(0, 0, 0, 16), 0x0100);
}

TEST(TexturePage, OffsetsAndAddressableTexels) {
  EXPECT_EQ(PageOffsetU(640, 8), 0);
  EXPECT_EQ(PageOffsetU(704 + 16, 4), 64);
  EXPECT_EQ(PageOffsetU(704 + 16, 8), 32);
  EXPECT_EQ(PageOffsetV(300), 44);
  // An 8-bit image 256 texels wide at column 640 fills its page exactly.
  EXPECT_TRUE(Addressable(640, 0, 8, 255, 255));
  EXPECT_FALSE(Addressable(640, 0, 8, 256, 0));
  // Starting 32 columns into a page, 8-bit, only 192 texels remain.
  EXPECT_TRUE(Addressable(672, 0, 8, 191, 0));
  EXPECT_FALSE(Addressable(672, 0, 8, 192, 0));
  EXPECT_FALSE(Addressable(640, 200, 16, 0, 56));
  EXPECT_FALSE(Addressable(640, 0, 16, -1, 0));
}

}  // namespace
}  // namespace rsdformat
