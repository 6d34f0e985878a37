#include "packer/min_max.h"

#include <gtest/gtest.h>

#include <vector>

namespace morphon {
namespace {

std::vector<std::uint8_t> Block(const std::vector<SVector>& entries) {
  std::vector<std::uint8_t> bytes(entries.size() * kSvectorSize);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    StoreSVector(bytes.data() + i * kSvectorSize, entries[i]);
  }
  return bytes;
}

TEST(MinMaxBoxTest, BoxAlwaysHoldsTheOrigin) {
  const std::vector<std::uint8_t> block = Block({{10, 20, 30, 0}, {50, 25, 35, 0}});
  const MinMaxBox box = ComputeMinMaxBox(block.data(), 2);
  EXPECT_EQ(box.min.vx, 0);
  EXPECT_EQ(box.min.vy, 0);
  EXPECT_EQ(box.min.vz, 0);
  EXPECT_EQ(box.max.vx, 50);
  EXPECT_EQ(box.max.vy, 25);
  EXPECT_EQ(box.max.vz, 35);
}

TEST(MinMaxBoxTest, LooksOnlyAtTheCountedEntriesAndIgnoresPads) {
  const std::vector<std::uint8_t> block =
      Block({{-5, 7, 300, 9999}, {12, -9, 40, -9999}, {-32768, 32767, -32768, 0}});
  const MinMaxBox box = ComputeMinMaxBox(block.data(), 2);
  const std::vector<std::uint8_t> expected = Block({{-5, -9, 0, 0}, {12, 7, 300, 0}});
  const auto bytes = EncodeMinMaxBox(box);
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), expected);
}

TEST(MinMaxBoxTest, NoVerticesGiveTheZeroBox) {
  const auto bytes = EncodeMinMaxBox(ComputeMinMaxBox(nullptr, 0));
  EXPECT_EQ(std::vector<std::uint8_t>(bytes.begin(), bytes.end()),
            std::vector<std::uint8_t>(16, 0));
}

}  // namespace
}  // namespace morphon
