#include "packer/tweens.h"

#include <gtest/gtest.h>

#include <vector>

#include "packer/svector.h"
#include "packer/tween_parameter.h"

namespace morphon {
namespace {

std::vector<std::uint8_t> Block(const std::vector<SVector>& entries) {
  std::vector<std::uint8_t> bytes(entries.size() * kSvectorSize);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    StoreSVector(bytes.data() + i * kSvectorSize, entries[i]);
  }
  return bytes;
}

SVector Moved(SVector from, SVector to, std::uint32_t tweens, std::uint32_t k) {
  const std::vector<std::uint8_t> start = Block({from});
  const std::vector<std::uint8_t> end = Block({to});
  std::vector<std::uint8_t> out = Block({SVector{}});
  InterpolateEntries(start.data(), end.data(), out.data(), 1, ComputeTweenParameter(tweens, k).t);
  return LoadSVector(out.data());
}

TEST(InterpolateEntriesTest, RoundsTheProductToSinglePrecisionBeforeTruncating) {
  // t = 0.699999988: 10 * t rounds to 7.0, so the move is 7, not 6.
  EXPECT_EQ(Moved({0, 0, 0}, {10, -10, 20}, 10, 7).vx, 7);
  EXPECT_EQ(Moved({0, 0, 0}, {10, -10, 20}, 10, 7).vy, -7);
  EXPECT_EQ(Moved({0, 0, 0}, {10, -10, 20}, 10, 7).vz, 14);
  EXPECT_EQ(Moved({100, 0, 0}, {0, 0, 0}, 3, 1).vx, 67);
  EXPECT_EQ(Moved({0, 0, 0}, {100, 0, 0}, 3, 1).vx, 33);
}

TEST(InterpolateEntriesTest, TwoFrameSegmentsUseTheShiftedParameters) {
  // 1000 * 0.113f = 112.999998 and 1000 * 0.61299998f = 612.99998 both
  // round up in single precision.
  EXPECT_EQ(Moved({0, 0, 0}, {1000, 0, 0}, 2, 0).vx, 113);
  EXPECT_EQ(Moved({0, 0, 0}, {1000, 0, 0}, 2, 1).vx, 613);
  EXPECT_EQ(Moved({0, 0, 0}, {100, 0, 0}, 2, 0).vx, 11);
  EXPECT_EQ(Moved({0, 0, 0}, {100, 0, 0}, 2, 1).vx, 61);
}

TEST(InterpolateEntriesTest, FormsEveryDifferenceAtFullWidth) {
  // 30000 - (-30000) does not fit 16 bits; a wrapped difference would move
  // the wrong way. 60000 * 0.61299998 rounds to 36780.0 in single precision.
  const SVector moved = Moved({-30000, -30000, 30000}, {30000, 30000, -30000}, 2, 1);
  EXPECT_EQ(moved.vx, 6780);
  EXPECT_EQ(moved.vy, 6780);
  EXPECT_EQ(moved.vz, -6780);
}

TEST(InterpolateEntriesTest, LeavesPadsAndTrailingBytesAlone) {
  const std::vector<std::uint8_t> start = Block({{0, 0, 0, 1}, {0, 0, 0, 2}, {9, 9, 9, 3}});
  const std::vector<std::uint8_t> end = Block({{8, 8, 8, 4}, {8, 8, 8, 5}, {9, 9, 9, 6}});
  std::vector<std::uint8_t> out = Block({{0, 0, 0, 7}, {0, 0, 0, 8}, {1, 2, 3, 9}});
  InterpolateEntries(start.data(), end.data(), out.data(), 2, 0.5f);
  EXPECT_EQ(out, Block({{4, 4, 4, 7}, {4, 4, 4, 8}, {1, 2, 3, 9}}));
}

TEST(InterpolateEntriesTest, WholeBlocksAgreeWithEntryByEntry) {
  // Blocks are computed in wide steps with a one-entry tail; both must agree.
  std::vector<std::uint8_t> start(7 * kSvectorSize), end(7 * kSvectorSize);
  std::uint32_t state = 99;
  for (std::size_t i = 0; i < start.size(); ++i) {
    state = state * 1664525u + 1013904223u;
    start[i] = static_cast<std::uint8_t>(state >> 24);
    end[i] = static_cast<std::uint8_t>(state >> 16);
  }
  for (const std::uint32_t tweens : {2u, 3u, 10u, 7919u}) {
    for (std::uint32_t k = 0; k < tweens; k += 1 + tweens / 5) {
      const float t = ComputeTweenParameter(tweens, k).t;
      std::vector<std::uint8_t> whole = start;
      std::vector<std::uint8_t> single = start;
      InterpolateEntries(start.data(), end.data(), whole.data(), 7, t);
      for (std::size_t j = 0; j < 7; ++j) {
        const std::size_t at = j * kSvectorSize;
        InterpolateEntries(start.data() + at, end.data() + at, single.data() + at, 1, t);
      }
      EXPECT_EQ(whole, single) << tweens << " " << k;
    }
  }
}

}  // namespace
}  // namespace morphon
