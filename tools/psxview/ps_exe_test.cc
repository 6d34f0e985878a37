// The PS-EXE header byte by byte, and the padding to whole sectors that a
// loader reads (a header one byte short runs garbage).
#include "tools/psxview/ps_exe.h"

#include <gtest/gtest.h>

namespace psxview {
namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
  return static_cast<std::uint32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                    bytes[at + 3] << 24);
}

TEST(PsExeTest, HeaderAndImageInWholeSectors) {
  std::vector<std::uint8_t> image(2049);
  for (std::size_t i = 0; i < image.size(); ++i) {
    image[i] = static_cast<std::uint8_t>(i * 7 + 1);
  }
  const std::vector<std::uint8_t> file = PsExe(image, 0x80010000, 0x801FFF00);
  ASSERT_EQ(file.size(), 3u * kSectorSize);
  EXPECT_EQ(std::string(file.begin(), file.begin() + 8), "PS-X EXE");
  EXPECT_EQ(U32(file, 0x10), 0x80010000u);  // pc
  EXPECT_EQ(U32(file, 0x14), 0u);           // gp
  EXPECT_EQ(U32(file, 0x18), 0x80010000u);  // load address
  EXPECT_EQ(U32(file, 0x1C), 4096u);        // loaded size
  EXPECT_EQ(U32(file, 0x28), 0u);           // no bss to clear
  EXPECT_EQ(U32(file, 0x2C), 0u);
  EXPECT_EQ(U32(file, 0x30), 0x801FFF00u);  // stack
  for (std::size_t at = 8; at < kSectorSize; ++at) {
    if (at < 0x10 || at >= 0x34 || (at >= 0x14 && at < 0x18) || (at >= 0x20 && at < 0x30)) {
      ASSERT_EQ(file[at], 0) << "header byte " << at;
    }
  }
  EXPECT_TRUE(std::equal(image.begin(), image.end(), file.begin() + kSectorSize));
  for (std::size_t at = kSectorSize + image.size(); at < file.size(); ++at) {
    ASSERT_EQ(file[at], 0) << "padding byte " << at;
  }
}

TEST(PsExeTest, ImageOfWholeSectorsGetsNoExtraSector) {
  EXPECT_EQ(PsExe(std::vector<std::uint8_t>(kSectorSize, 1), 0x80010000, 0).size(),
            2 * kSectorSize);
}

}  // namespace
}  // namespace psxview
