// End-to-end runs of the built morphon in scratch folders: what lands in
// MORPHON.PCK and the box files, and what is printed.
#include "packer/run_packer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "packer/testing/morphon_process.h"
#include "testing/file_bytes.h"

namespace morphon {
namespace {

using gannet_testing::ReadGolden;
using testing::NumberedTmd;
using testing::RunResult;
using testing::ScratchFolder;
using testing::Slice;
using testing::U32At;

constexpr char kStored3[] = "\n Frames stored: 3\n";
// The verbose transcripts, too long to read inline.
const std::string kTestData = MORPHON_TESTDATA;

std::vector<std::uint8_t> Frame(const std::vector<std::uint8_t>& pck, std::size_t size,
                                std::size_t index) {
  return Slice(pck, 32 + index * size, size);
}

SVector EntryOf(const std::vector<std::uint8_t>& frame, std::size_t entry) {
  return entry * 8 + 8 <= frame.size() ? LoadSVector(frame.data() + entry * 8) : SVector{};
}

// The bytes of a source file from its vertex block on, as a frame holds them.
std::vector<std::uint8_t> BlockOf(const SyntheticTmd& tmd, std::size_t size) {
  return Slice(EncodeTmd(tmd), 40 + tmd.primitives.size(), size);
}

SyntheticTmd Moving(std::vector<SVector> vertices, std::vector<SVector> normals = {}) {
  SyntheticTmd tmd;
  tmd.primitives.assign(16, 0xAB);
  tmd.n_primitive = 1;
  tmd.vertices = std::move(vertices);
  tmd.normals = std::move(normals);
  return tmd;
}

TEST(RunPackerTest, StoresEverySourceBlockBehindTheHeader) {
  ScratchFolder folder;
  std::vector<SyntheticTmd> sources;
  for (std::int16_t base : {0, 1000, 2000}) {
    sources.push_back(NumberedTmd(4, 3, base));
    sources.back().trailing = {1, 2, 3, 4, static_cast<std::uint8_t>(base)};
  }
  // A later file with a longer primitive block puts its vertices elsewhere,
  // and one with another normal count and more trailing bytes still fits.
  sources[1] = NumberedTmd(4, 3, 1000, 48);
  sources[1].trailing = {5, 6, 7, 8, 9};
  sources[2].normals.push_back(SVector{9, 9, 9, 9});
  for (std::size_t i = 0; i < sources.size(); ++i) {
    folder.Write("walk" + std::to_string(i) + ".tmd", sources[i]);
  }
  const RunResult run = folder.Run("go");
  EXPECT_EQ(run.output, kStored3);
  EXPECT_EQ(run.status, 0);

  const std::vector<std::uint8_t> pck = folder.Read("MORPHON.PCK");
  const std::size_t size = 4 * 8 + 3 * 8 + 5;
  ASSERT_EQ(pck.size(), 32 + 3 * size);
  EXPECT_EQ(U32At(pck, 0), 3u);
  EXPECT_EQ(U32At(pck, 4), size);
  EXPECT_EQ(U32At(pck, 8), 32u);
  EXPECT_EQ(U32At(pck, 12), 24u);
  EXPECT_EQ(Slice(pck, 16, 16), std::vector<std::uint8_t>(16, 0));
  for (std::size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(Frame(pck, size, i), BlockOf(sources[i], size)) << "frame " << i;
  }
}

TEST(RunPackerTest, WithoutNormalsAFrameIsTheVertexBlock) {
  ScratchFolder folder;
  const SyntheticTmd first = NumberedTmd(4, 3, 0);
  const SyntheticTmd second = NumberedTmd(4, 0, 500);
  folder.Write("a.tmd", first);
  folder.Write("b.tmd", second);
  EXPECT_EQ(folder.Run("-NN").output, "\n Frames stored: 2\n");
  const std::vector<std::uint8_t> pck = folder.Read("MORPHON.PCK");
  ASSERT_EQ(pck.size(), 32u + 2 * 32);
  EXPECT_EQ(U32At(pck, 4), 32u);
  EXPECT_EQ(U32At(pck, 8), 32u);
  EXPECT_EQ(U32At(pck, 12), 0u);
  EXPECT_EQ(Frame(pck, 32, 0), BlockOf(first, 32));
  EXPECT_EQ(Frame(pck, 32, 1), BlockOf(second, 32));
}

TEST(RunPackerTest, FramesFollowTheFoldedNameOrder) {
  ScratchFolder folder;
  folder.Write("b.tmd", NumberedTmd(1, 1, 300));
  folder.Write("a.tmd", NumberedTmd(1, 1, 200));
  folder.Write("A.tmd", NumberedTmd(1, 1, 100));
  folder.Write("_.tmd", NumberedTmd(1, 1, 400));
  folder.Write("notes.txt", std::vector<std::uint8_t>{1, 2, 3});
  EXPECT_EQ(folder.Run("go").output, "\n Frames stored: 4\n");
  const std::vector<std::uint8_t> pck = folder.Read("MORPHON.PCK");
  std::vector<int> order;
  for (std::size_t i = 0; i < 4; ++i) {
    order.push_back(EntryOf(Frame(pck, 16, i), 0).vx);
  }
  EXPECT_EQ(order, (std::vector<int>{100, 200, 300, 400}));
}

TEST(RunPackerTest, TakesMoreThan256Files) {
  ScratchFolder folder;
  for (int i = 0; i < 300; ++i) {
    char name[16];
    std::snprintf(name, sizeof name, "f%03d.tmd", i);
    folder.Write(name, NumberedTmd(1, 1, static_cast<std::int16_t>(i)));
  }
  EXPECT_EQ(folder.Run("go").output, "\n Frames stored: 300\n");
  const std::vector<std::uint8_t> pck = folder.Read("MORPHON.PCK");
  ASSERT_EQ(pck.size(), 32u + 300 * 16);
  EXPECT_EQ(EntryOf(Frame(pck, 16, 299), 0).vx, 299);
}

TEST(RunPackerTest, TweensMoveFromEachFrameTowardsTheNext) {
  ScratchFolder folder;
  folder.Write("a.tmd", Moving({{0, 0, 0, 11}, {100, 100, 100, 12}}, {{0, 0, 4096, 13}}));
  folder.Write("b.tmd", Moving({{300, -300, 30, 21}, {0, 0, 0, 22}}, {{4096, 0, 0, 23}}));
  EXPECT_EQ(folder.Run("-T3").output, "\n Frames stored: 3\n");
  const std::vector<std::uint8_t> pck = folder.Read("MORPHON.PCK");
  ASSERT_EQ(pck.size(), 32u + 3 * 24);
  EXPECT_EQ(U32At(pck, 0), 3u);
  EXPECT_EQ(pck[28], 0);
  const int expected[3][9] = {{0, 0, 0, 100, 100, 100, 0, 0, 4096},
                              {100, -100, 10, 67, 67, 67, 1365, 0, 2731},
                              {200, -200, 20, 34, 34, 34, 2730, 0, 1366}};
  for (std::size_t k = 0; k < 3; ++k) {
    const std::vector<std::uint8_t> frame = Frame(pck, 24, k);
    for (std::size_t j = 0; j < 3; ++j) {
      const SVector v = EntryOf(frame, j);
      EXPECT_EQ(v.vx, expected[k][3 * j]) << k << " " << j;
      EXPECT_EQ(v.vy, expected[k][3 * j + 1]) << k << " " << j;
      EXPECT_EQ(v.vz, expected[k][3 * j + 2]) << k << " " << j;
      EXPECT_EQ(v.pad, static_cast<int>(11 + j)) << "pads stay those of the first frame";
    }
  }
}

TEST(RunPackerTest, TwoTweensSitAtTheShiftedParameters) {
  ScratchFolder folder;
  folder.Write("a.tmd", Moving({{0, 0, 0, 0}}, {{0, 0, 0, 0}}));
  folder.Write("b.tmd", Moving({{1000, -1000, 10, 0}}, {{0, 0, 0, 0}}));
  EXPECT_EQ(folder.Run("-T2").output, "\n Frames stored: 2\n");
  const std::vector<std::uint8_t> pck = folder.Read("MORPHON.PCK");
  // 1000 * 0.113f is 112.999998, which single precision rounds to 113.
  EXPECT_EQ(EntryOf(Frame(pck, 16, 0), 0).vx, 113);
  EXPECT_EQ(EntryOf(Frame(pck, 16, 0), 0).vy, -113);
  EXPECT_EQ(EntryOf(Frame(pck, 16, 0), 0).vz, 1);
  EXPECT_EQ(EntryOf(Frame(pck, 16, 1), 0).vx, 613);
  EXPECT_EQ(EntryOf(Frame(pck, 16, 1), 0).vz, 6);
}

TEST(RunPackerTest, TenTweensRoundTheProductBeforeTruncating) {
  ScratchFolder folder;
  folder.Write("a.tmd", Moving({{0, 0, 0, 0}}, {{0, 0, 0, 0}}));
  folder.Write("b.tmd", Moving({{10, -10, 0, 0}}, {{0, 0, 0, 0}}));
  EXPECT_EQ(folder.Run("-T10").output, "\n Frames stored: 10\n");
  const std::vector<std::uint8_t> pck = folder.Read("MORPHON.PCK");
  for (int k = 0; k < 10; ++k) {
    EXPECT_EQ(EntryOf(Frame(pck, 16, k), 0).vx, k);
    EXPECT_EQ(EntryOf(Frame(pck, 16, k), 0).vy, -k);
  }
}

TEST(RunPackerTest, SegmentsInOrderThenTheLoopBack) {
  ScratchFolder folder;
  std::vector<std::uint8_t> padding = {0xEE, 0xDD, 0xCC};
  SyntheticTmd first = Moving({{0, 0, 0, 5}}, {{0, 0, 0, 6}});
  first.trailing = padding;
  folder.Write("f0.tmd", first);
  SyntheticTmd second = Moving({{400, 0, 0, 7}}, {{0, 400, 0, 8}});
  second.trailing = {1, 1, 1};
  folder.Write("f1.tmd", second);
  SyntheticTmd third = Moving({{400, 800, 0, 9}}, {{0, 0, 400, 10}});
  third.trailing = {2, 2, 2};
  folder.Write("f2.tmd", third);

  EXPECT_EQ(folder.Run("-T4 -L").output, "\n Frames stored: 12\n");
  const std::vector<std::uint8_t> looped = folder.Read("MORPHON.PCK");
  ASSERT_EQ(looped.size(), 32u + 12 * 19);
  EXPECT_EQ(U32At(looped, 0), 12u);
  EXPECT_EQ(looped[28], 1);
  const int vx[12] = {0, 100, 200, 300, 400, 400, 400, 400, 400, 300, 200, 100};
  const int vy[12] = {0, 0, 0, 0, 0, 200, 400, 600, 800, 600, 400, 200};
  for (std::size_t k = 0; k < 12; ++k) {
    const std::vector<std::uint8_t> frame = Frame(looped, 19, k);
    EXPECT_EQ(EntryOf(frame, 0).vx, vx[k]) << k;
    EXPECT_EQ(EntryOf(frame, 0).vy, vy[k]) << k;
    EXPECT_EQ(EntryOf(frame, 0).pad, 5) << k;
    EXPECT_EQ(EntryOf(frame, 1).pad, 6) << k;
    EXPECT_EQ(Slice(frame, 16, 3), padding) << k;
  }

  EXPECT_EQ(folder.Run("-T4").output, "\n Frames stored: 8\n");
  const std::vector<std::uint8_t> open_ended = folder.Read("MORPHON.PCK");
  EXPECT_EQ(U32At(open_ended, 0), 8u);
  EXPECT_EQ(open_ended[28], 0);
  std::vector<std::uint8_t> expected = Slice(looped, 0, 32 + 8 * 19);
  expected[0] = 8;
  expected[28] = 0;
  EXPECT_EQ(open_ended, expected);
}

TEST(RunPackerTest, OneSourceFile) {
  ScratchFolder folder;
  const SyntheticTmd only = NumberedTmd(2, 2, 40);
  folder.Write("only.tmd", only);

  EXPECT_EQ(folder.Run("-T4").output, "\n Frames stored: 0\n");
  const std::vector<std::uint8_t> empty = folder.Read("MORPHON.PCK");
  ASSERT_EQ(empty.size(), 32u);
  EXPECT_EQ(U32At(empty, 0), 0u);

  EXPECT_EQ(folder.Run("-T4 -L").output, "\n Frames stored: 4\n");
  const std::vector<std::uint8_t> looped = folder.Read("MORPHON.PCK");
  ASSERT_EQ(looped.size(), 32u + 4 * 32);
  for (std::size_t k = 0; k < 4; ++k) {
    EXPECT_EQ(Frame(looped, 32, k), BlockOf(only, 32)) << k;
  }

  EXPECT_EQ(folder.Run("go").output, "\n Frames stored: 1\n");
  EXPECT_EQ(folder.Read("MORPHON.PCK").size(), 32u + 32);
}

TEST(RunPackerTest, OptionsThatChangeNothing) {
  ScratchFolder folder;
  folder.Write("a.tmd", NumberedTmd(3, 1, 0));
  folder.Write("b.tmd", NumberedTmd(3, 1, 77));
  ASSERT_EQ(folder.Run("go").status, 0);
  const std::vector<std::uint8_t> plain = folder.Read("MORPHON.PCK");
  for (const char* arguments :
       {"-T1", "-L", "-T1 -L", "-T3 -T1", "-Nn -mM -vV", "a b c d e -V", "a b c d e -NN"}) {
    const RunResult run = folder.Run(arguments);
    EXPECT_EQ(run.output, "\n Frames stored: 2\n") << arguments;
    EXPECT_EQ(folder.Read("MORPHON.PCK"), plain) << arguments;
  }
  EXPECT_FALSE(folder.Exists("f0.mm"));
  EXPECT_EQ(folder.Run("-T3 -T5").output, "\n Frames stored: 5\n");
  EXPECT_EQ(folder.Run("-t2").output, "\n Frames stored: 2\n");
  EXPECT_EQ(folder.Run("x-t5").output, "\n Frames stored: 2\n");
}

TEST(RunPackerTest, BoxFilesBelongToTheSourceFrames) {
  ScratchFolder folder;
  folder.Write("a.tmd", Moving({{10, 20, 30, 0}, {50, 25, 35, 0}}, {{-999, -999, -999, 0}}));
  folder.Write("b.tmd", Moving({{1, 1, 1, 0}, {1, 1, 1, 0}}, {{0, 0, 0, 0}}));
  folder.Write("c.tmd", Moving({{-5, 7, 300, 0}, {12, -9, 40, 0}}, {{0, 0, 0, 0}}));
  folder.Write("f2.mm", std::vector<std::uint8_t>(40, 0xFF));
  folder.Write("frame2_minmax.txt", std::vector<std::uint8_t>(400, 'x'));
  EXPECT_EQ(folder.Run("-T5 -MM").output, "\n Frames stored: 10\n");

  EXPECT_EQ(folder.Read("f0.mm"),
            (std::vector<std::uint8_t>{0, 0, 0, 0, 0, 0, 0, 0, 50, 0, 25, 0, 35, 0, 0, 0}));
  EXPECT_EQ(folder.Read("f2.mm"), (std::vector<std::uint8_t>{0xFB, 0xFF, 0xF7, 0xFF, 0, 0, 0, 0, 12,
                                                             0, 7, 0, 0x2C, 1, 0, 0}));
  EXPECT_EQ(folder.ReadText("frame2_minmax.txt"),
            "\n min_max data for frame 2  \n\n "
            "\n min.vx = -5  \n min.vy = -9  \n min.vz = 0\n  "
            "\n max.vx = 12  \n max.vy = 7  \n max.vz = 300\n  ");
  EXPECT_TRUE(folder.Exists("f1.mm"));
  EXPECT_TRUE(folder.Exists("frame1_minmax.txt"));
  EXPECT_FALSE(folder.Exists("f3.mm"));
}

// Two frames as the verbose transcripts below were checked with.
void WriteTranscriptFrames(const ScratchFolder& folder) {
  SyntheticTmd a = Moving({{0, 0, 0, 1}, {100, -50, 8, 2}}, {{0, 0, 4096, 3}});
  for (std::size_t i = 0; i < a.primitives.size(); ++i) {
    a.primitives[i] = static_cast<std::uint8_t>(i);
  }
  folder.Write("a.tmd", a);
  SyntheticTmd b = Moving({{300, -300, 30, 4}, {0, 0, 0, 5}}, {{4096, 0, 0, 6}});
  b.primitives.assign(32, 9);
  b.n_primitive = 2;
  folder.Write("b.tmd", b);
}

TEST(RunPackerTest, VerboseTranscriptOfStoredFrames) {
  ScratchFolder folder;
  WriteTranscriptFrames(folder);
  const RunResult run = folder.Run("-V");
  EXPECT_EQ(run.output, ReadGolden(kTestData + "/verbose.txt"));
  EXPECT_EQ(run.status, 0);
}

TEST(RunPackerTest, VerboseTranscriptOfTweensLoopBackAndBoxes) {
  ScratchFolder folder;
  WriteTranscriptFrames(folder);
  const RunResult run = folder.Run("-T2 -L -MM -V");
  EXPECT_EQ(run.output, ReadGolden(kTestData + "/verbose_tween_loop_boxes.txt"));
  EXPECT_EQ(run.status, 0);
}

}  // namespace
}  // namespace morphon
