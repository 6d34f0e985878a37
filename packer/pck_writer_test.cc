#include "packer/pck_writer.h"

#include <gtest/gtest.h>

#include <vector>

#include "packer/run_settings.h"

namespace morphon {
namespace {

TEST(PckHeaderTest, FieldsAreLittleEndianAndReservedBytesZero) {
  PckHeader header;
  header.total_frames = 0x01020304;
  header.n_vertandnorm_size = 1000;
  header.vert_size = 0xA0B0C0D0;
  header.norm_size = 8;
  header.include_loopback = 1;
  const auto bytes = EncodePckHeader(header);
  const std::vector<std::uint8_t> expected = {
      4, 3, 2, 1, 0xE8, 3, 0, 0, 0xD0, 0xC0, 0xB0, 0xA0, 8, 0, 0, 0,  //
      0, 0, 0, 0, 0,    0, 0, 0, 0,    0,    0,    0,    1, 0, 0, 0};
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), expected);
}

#if !defined(_WIN32)
TEST(PckWriterTest, FullDiskIsAShortWriteAndCountsNoFrame) {
  PckWriter writer;
  ASSERT_TRUE(writer.Open("/dev/full"));
  const std::vector<std::uint8_t> frame(64, 7);
  g_frames_stored = 0;
  EXPECT_LT(WriteFrame(writer, frame.data(), frame.size()), frame.size());
  EXPECT_EQ(g_frames_stored, 0);
  EXPECT_EQ(writer.position(), 0u);
}

TEST(PckWriterTest, CountsWrittenFramesAndBytes) {
  PckWriter writer;
  ASSERT_TRUE(writer.Open("/dev/null"));
  const std::vector<std::uint8_t> frame(64, 7);
  g_frames_stored = 0;
  EXPECT_EQ(WriteFrame(writer, frame.data(), frame.size()), frame.size());
  EXPECT_EQ(WriteFrame(writer, frame.data(), 0), 0u);
  EXPECT_EQ(g_frames_stored, 2);
  EXPECT_EQ(writer.position(), 64u);
  EXPECT_TRUE(writer.Close());
}
#endif

}  // namespace
}  // namespace morphon
