#include "toolfiles/input_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include "testing/file_bytes.h"
#include "testing/temp_folder.h"

namespace toolfiles {
namespace {

class ReadInputFileTest : public ::testing::Test {
 protected:
  std::optional<std::string> Read(const std::filesystem::path& path, std::uint64_t limit = 100) {
    problem_.clear();
    return ReadInputFile(path, limit, &problem_);
  }

  const gannet_testing::TempFolder folder_{"toolfiles-input"};
  std::string problem_;
};

TEST_F(ReadInputFileTest, ReadsARegularFileUpToItsLimit) {
  gannet_testing::WriteBytes(folder_ / "a.txt", std::string("a\0b", 3));
  EXPECT_EQ(Read(folder_ / "a.txt", 3), std::string("a\0b", 3));
  EXPECT_EQ(Read(folder_ / "a.txt", 2), std::nullopt);
  EXPECT_EQ(problem_, "cannot read (3 bytes, beyond the limit of 2 bytes)");
  gannet_testing::WriteBytes(folder_ / "empty", "");
  EXPECT_EQ(Read(folder_ / "empty", 0), "");
}

// The review's cases: each once hung or ran out of memory.
TEST_F(ReadInputFileTest, RefusesWhatIsNoRegularFileWithoutWaiting) {
  ASSERT_EQ(mkfifo((folder_ / "pipe.ply").c_str(), 0600), 0);
  EXPECT_EQ(Read(folder_ / "pipe.ply"), std::nullopt);
  EXPECT_EQ(problem_, "cannot read (a named pipe, not a regular file)");
  EXPECT_EQ(Read("/dev/zero"), std::nullopt);
  EXPECT_EQ(problem_, "cannot read (a device, not a regular file)");
  EXPECT_EQ(Read(folder_.path()), std::nullopt);
  EXPECT_EQ(problem_, "cannot read (a folder, not a regular file)");
  EXPECT_EQ(Read(folder_ / "none"), std::nullopt);
  EXPECT_EQ(problem_, "cannot read (No such file or directory)");
}

TEST_F(ReadInputFileTest, RegularFileProblemLooksWithoutReading) {
  gannet_testing::WriteBytes(folder_ / "a.png", "x");
  std::filesystem::create_symlink("/dev/zero", folder_ / "zero.png");
  EXPECT_EQ(RegularFileProblem(folder_ / "a.png"), std::nullopt);
  EXPECT_EQ(RegularFileProblem(folder_ / "zero.png"), "cannot read (a device, not a regular file)");
  EXPECT_EQ(RegularFileProblem(folder_ / "none.png"), "cannot read (No such file or directory)");
}

}  // namespace
}  // namespace toolfiles
