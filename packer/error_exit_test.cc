// Every way a run of the built morphon can fail: the message, the File line,
// the status, and that no MORPHON.PCK is left behind.
#include "packer/error_exit.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "packer/testing/morphon_process.h"

namespace morphon {
namespace {

using testing::NumberedTmd;
using testing::RunResult;
using testing::ScratchFolder;

// Writes past 512 bytes per file fail as on a full disk.
constexpr char kFileLimit[] = "trap \"\" XFSZ; ulimit -f 1;";

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define MORPHON_UNDER_ADDRESS_SANITIZER 1
#endif
#endif
#if defined(__SANITIZE_ADDRESS__)
#define MORPHON_UNDER_ADDRESS_SANITIZER 1
#endif

// Allocations past 1 GB fail. AddressSanitizer reserves far more address
// space than that for its shadow memory, so under it the allocator's own
// limit stands in for ulimit -v (and warns on standard error when it refuses).
#if MORPHON_UNDER_ADDRESS_SANITIZER
constexpr char kMemoryLimit[] =
    "export ASAN_OPTIONS=\"$ASAN_OPTIONS:allocator_may_return_null=1:"
    "max_allocation_size_mb=1000\";";
#else
constexpr char kMemoryLimit[] = "ulimit -v 1000000;";
#endif

std::string Failure(const std::string& message, const std::string& file) {
  std::string text = "Error: " + message + " \n";
  if (!file.empty()) {
    text += "File: " + file + " \n";
  }
  return text;
}

// A folder holding a leftover MORPHON.PCK that a failed run must remove.
class ErrorExitTest : public ::testing::Test {
 protected:
  void SetUp() override { folder_.Write("MORPHON.PCK", std::vector<std::uint8_t>(7, 1)); }

  void ExpectFailure(const RunResult& run, const std::string& message, const std::string& file) {
    EXPECT_EQ(run.output, Failure(message, file));
    EXPECT_EQ(run.status, 1);
    EXPECT_FALSE(folder_.Exists("MORPHON.PCK"));
  }

  void WriteBytes(const std::string& name, std::vector<std::uint8_t> bytes, std::size_t offset,
                  std::uint32_t value) {
    StoreU32(bytes.data() + offset, value);
    folder_.Write(name, bytes);
  }

  ScratchFolder folder_;
};

TEST_F(ErrorExitTest, HeaderThatCannotBeWritten) {
  folder_.Write("a.tmd", NumberedTmd(2, 2, 0));
  ExpectFailure(folder_.Run("go", "", "trap \"\" XFSZ; ulimit -f 0;"),
                "failed to write the header of MORPHON.PCK.", "MORPHON.PCK");
}

TEST_F(ErrorExitTest, FirstFileCannotBeOpened) {
  std::filesystem::create_directory(folder_.path() / "a.tmd");
  folder_.Write("b.tmd", NumberedTmd(2, 2, 0));
  ExpectFailure(folder_.Run("go"), "\n Error failed to open", "a.tmd");
}

TEST_F(ErrorExitTest, LaterFileCannotBeOpened) {
  folder_.Write("a.tmd", NumberedTmd(2, 2, 0));
  std::filesystem::create_directory(folder_.path() / "b.tmd");
  ExpectFailure(folder_.Run("go"), " failed to open file.", "b.tmd");
  std::filesystem::remove(folder_.path() / "b.tmd");
  std::filesystem::create_symlink("nowhere", folder_.path() / "b.tmd");
  ExpectFailure(folder_.Run("go"), " failed to open file.", "b.tmd");
}

// A named pipe named like a frame once made morphon wait for ever; a pipe or
// a device is no frame, as a folder is not (ctest's time limit catches a
// wait).
TEST_F(ErrorExitTest, APipeOrADeviceIsNoFrame) {
  ASSERT_EQ(mkfifo((folder_.path() / "a.tmd").c_str(), 0600), 0);
  folder_.Write("b.tmd", NumberedTmd(2, 2, 0));
  ExpectFailure(folder_.Run("go"), "\n Error failed to open", "a.tmd");
  std::filesystem::remove(folder_.path() / "a.tmd");
  folder_.Write("a.tmd", NumberedTmd(2, 2, 0));
  std::filesystem::remove(folder_.path() / "b.tmd");
  ASSERT_EQ(mkfifo((folder_.path() / "b.tmd").c_str(), 0600), 0);
  ExpectFailure(folder_.Run("go"), " failed to open file.", "b.tmd");
  std::filesystem::remove(folder_.path() / "b.tmd");
  std::filesystem::create_symlink("/dev/zero", folder_.path() / "b.tmd");
  ExpectFailure(folder_.Run("go"), " failed to open file.", "b.tmd");
}

TEST_F(ErrorExitTest, NormalsWantedButAbsent) {
  folder_.Write("a.tmd", NumberedTmd(2, 0, 0));
  ExpectFailure(folder_.Run("go"),
                "No normal data in TMD! re-export TMD with normals (Specular in MarbleCLay) or "
                "use morphon -NN ",
                "a.tmd");
  EXPECT_EQ(folder_.Run("-NN").status, 0);
}

TEST_F(ErrorExitTest, OutputCannotBeCreated) {
  folder_.Write("a.tmd", NumberedTmd(2, 2, 0));
  std::filesystem::remove(folder_.path() / "MORPHON.PCK");
  std::filesystem::create_directories(folder_.path() / "MORPHON.PCK" / "inside");
  const RunResult run = folder_.Run("go");
  EXPECT_EQ(run.output, Failure("\n Error failed to open", "MORPHON.PCK"));
  EXPECT_EQ(run.status, 1);
}

TEST_F(ErrorExitTest, FirstBlockShorterThanItsVertexBlock) {
  // Without normals a frame is the vertex block, which here runs past the end.
  const std::string message =
      " Failed to read 1st %s TMD doesn't have the same amount of verts/normals as the first TMD.";
  WriteBytes("a.tmd", EncodeTmd(NumberedTmd(2, 2, 0)), kNormalTopOffset, 4000);
  ExpectFailure(folder_.Run("-NN"), message, "a.tmd");
  // A file of a few bytes that claims a 4 GB vertex block is refused before
  // a frame buffer of that size is asked for.
  WriteBytes("a.tmd", EncodeTmd(NumberedTmd(2, 2, 0)), kNormalTopOffset, 0xFFFFFFF0);
  ExpectFailure(folder_.Run("-NN", "", kMemoryLimit), message, "a.tmd");
}

TEST_F(ErrorExitTest, LaterFileWithAnotherVertexCountOrNoObject) {
  folder_.Write("a.tmd", NumberedTmd(2, 2, 0));
  folder_.Write("b.tmd", NumberedTmd(3, 2, 0));
  const std::string message = "TMD doesn't have the same amount of verts/normals as the first TMD!";
  ExpectFailure(folder_.Run("go"), message, "b.tmd");
  folder_.Write("b.tmd", std::vector<std::uint8_t>(39, 0));
  ExpectFailure(folder_.Run("go"), message, "b.tmd");
}

TEST_F(ErrorExitTest, LaterFileShorterThanAFrame) {
  folder_.Write("a.tmd", NumberedTmd(2, 2, 0));
  folder_.Write("b.tmd", NumberedTmd(2, 1, 0));
  ExpectFailure(folder_.Run("go"), "  failed to read TMD", "b.tmd");
  // A vertex block that starts beyond the end reads nothing.
  WriteBytes("b.tmd", EncodeTmd(NumberedTmd(2, 2, 0)), kVertTopOffset, 0xFFFFFFF8);
  ExpectFailure(folder_.Run("go"), "  failed to read TMD", "b.tmd");
}

TEST_F(ErrorExitTest, FirstFileThatCannotHoldItsFrame) {
  folder_.Write("a.tmd", std::vector<std::uint8_t>(39, 0));
  ExpectFailure(folder_.Run("go"), "TMD file is shorter than its 40-byte header and object entry.",
                "a.tmd");

  const std::vector<std::uint8_t> good = EncodeTmd(NumberedTmd(2, 2, 0));
  WriteBytes("a.tmd", good, kVertTopOffset, static_cast<std::uint32_t>(good.size()));
  ExpectFailure(folder_.Run("go"), "TMD vertex block starts beyond the end of the file.", "a.tmd");

  WriteBytes("a.tmd", good, kNormalTopOffset, 0);
  ExpectFailure(folder_.Run("-NN"), "TMD normal block starts before its vertex block.", "a.tmd");

  WriteBytes("a.tmd", good, kNNormalOffset, 3);
  ExpectFailure(folder_.Run("go"), "TMD frame is smaller than its verts/normals.", "a.tmd");
  WriteBytes("a.tmd", good, kNVertOffset, 0x40000000);
  ExpectFailure(folder_.Run("-NN"), "TMD frame is smaller than its verts/normals.", "a.tmd");
  // 2^29 normals are 2^32 bytes, not zero bytes.
  WriteBytes("a.tmd", good, kNNormalOffset, 0x20000000);
  ExpectFailure(folder_.Run("go"), "TMD frame is smaller than its verts/normals.", "a.tmd");
}

TEST_F(ErrorExitTest, TweenCountsThatDoNotFit) {
  folder_.Write("a.tmd", NumberedTmd(2, 2, 0));
  folder_.Write("b.tmd", NumberedTmd(2, 2, 0));
  folder_.Write("c.tmd", NumberedTmd(2, 2, 0));
  ExpectFailure(folder_.Run("-T-2"), "The -T tween count must not be negative.", "");
  ExpectFailure(folder_.Run("-T9999999999"), "The -T tween count does not fit in 32 bits.", "");
  const std::string too_many =
      "Too many frames: the frame count or the size of MORPHON.PCK does not fit in 32 bits.";
  ExpectFailure(folder_.Run("-T4000000000 -L"), too_many, "");
  ExpectFailure(folder_.Run("-T100000000"), too_many, "");
}

TEST_F(ErrorExitTest, WritesThatComeUpShort) {
  folder_.Write("a.tmd", NumberedTmd(30, 30, 0));  // frames of 480 bytes
  ExpectFailure(folder_.Run("-T2 -L", "", kFileLimit), " failed to write real frame data from TMD!",
                "");
  folder_.Write("b.tmd", NumberedTmd(30, 30, 100));
  ExpectFailure(folder_.Run("go", "", kFileLimit), " failed to write frame data from TMD!",
                "b.tmd");
  ExpectFailure(folder_.Run("-T2", "", kFileLimit), " failed to write tween data from TMD!",
                "b.tmd");
  folder_.Write("a.tmd", NumberedTmd(40, 40, 0));  // a first frame of 640 bytes
  ExpectFailure(folder_.Run("go", "", kFileLimit), " failed to write TMD.", "a.tmd");
}

TEST_F(ErrorExitTest, FrameBuffersThatCannotBeAllocated) {
#if MORPHON_UNDER_ADDRESS_SANITIZER
  GTEST_SKIP() << "the sanitizer's warning about the refused allocation joins the output";
#endif
  // A sparse first file of 3.5 GB asks for a frame buffer that a 1 GB
  // address space cannot give.
  std::vector<std::uint8_t> head = EncodeTmd(NumberedTmd(2, 2, 0));
  folder_.Write("a.tmd", head);
  std::filesystem::resize_file(folder_.path() / "a.tmd", 3500000000u);
  ExpectFailure(folder_.Run("go", "", kMemoryLimit), "not enough memory for the frame buffers",
                "a.tmd");
}

TEST_F(ErrorExitTest, BoxFilesThatCannotBeCreated) {
  folder_.Write("a.tmd", NumberedTmd(2, 2, 0));
  folder_.Write("b.tmd", NumberedTmd(2, 2, 5));
  std::filesystem::create_directories(folder_.path() / "f1.mm" / "inside");
  ExpectFailure(folder_.Run("-MM"), " failed to open min max file ", "f1.mm");
  EXPECT_TRUE(folder_.Exists("f0.mm"));
  EXPECT_TRUE(folder_.Exists("frame0_minmax.txt"));
  std::filesystem::remove_all(folder_.path() / "f1.mm");
  std::filesystem::remove(folder_.path() / "frame0_minmax.txt");
  std::filesystem::create_directories(folder_.path() / "frame0_minmax.txt" / "inside");
  ExpectFailure(folder_.Run("-MM"), " failed to open min max file ", "frame0_minmax.txt");
}

TEST_F(ErrorExitTest, VerboseShortFirstWriteNamesTheFrame) {
  folder_.Write("a.tmd", NumberedTmd(40, 40, 0));
  const RunResult run = folder_.Run("-V", "", kFileLimit);
  EXPECT_NE(run.output.find("save first frame write:480 size:640 \n"
                            "\n Error failed to write 0 TMD a.tmd\n"
                            "Error:  failed to write TMD. \nFile: a.tmd \n"),
            std::string::npos)
      << run.output;
}

// Bent headers and cut files, under every kind of run: the packer either
// packs a file whose size agrees with its header or fails cleanly.
TEST_F(ErrorExitTest, BentAndCutFilesNeverCrashThePacker) {
  const std::vector<std::uint8_t> good = EncodeTmd(NumberedTmd(3, 2, 0));
  const std::uint32_t values[] = {0,          1,          7,          40,         56,
                                  0x7FFFFFFF, 0x80000000, 0xFFFFFFFF, 0xFFFFFFF4, 0x20000000};
  const char* runs[] = {"go", "-NN", "-T3 -L", "-T2 -MM", "-NN -T4 -L -MM"};
  std::uint32_t state = 2024;
  const auto next = [&state]() { return (state = state * 1103515245u + 12345u) >> 8; };
  for (int round = 0; round < 120; ++round) {
    std::vector<std::uint8_t> bent = good;
    StoreU32(bent.data() + 12 + 4 * (next() % 7), values[next() % 10]);
    if (next() % 3 == 0) {
      bent.resize(next() % bent.size());
    }
    const bool first_is_bent = next() % 2 == 0;
    folder_.Write("a.tmd", first_is_bent ? bent : good);
    folder_.Write("b.tmd", first_is_bent ? good : bent);
    const char* arguments = runs[next() % 5];
    const RunResult run = folder_.Run(arguments);
    SCOPED_TRACE(std::string(arguments) + " round " + std::to_string(round));
    ASSERT_TRUE(run.status == 0 || run.status == 1) << run.output;
    if (run.status == 1) {
      EXPECT_NE(run.output.find("Error: "), std::string::npos) << run.output;
      EXPECT_FALSE(folder_.Exists("MORPHON.PCK"));
      continue;
    }
    const std::vector<std::uint8_t> pck = folder_.Read("MORPHON.PCK");
    ASSERT_GE(pck.size(), 32u);
    EXPECT_EQ(pck.size(), 32 + std::uint64_t{testing::U32At(pck, 0)} * testing::U32At(pck, 4));
  }
}

}  // namespace
}  // namespace morphon
