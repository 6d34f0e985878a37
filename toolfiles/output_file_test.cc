#include "toolfiles/output_file.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <set>

#include "testing/file_bytes.h"
#include "testing/temp_folder.h"

namespace toolfiles {
namespace {

namespace fs = std::filesystem;
using gannet_testing::ReadBytes;
using gannet_testing::WriteBytes;

// Every name in `folder`, to show that no partial file stays behind.
std::set<std::string> Names(const fs::path& folder) {
  std::set<std::string> names;
  for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
    names.insert(entry.path().filename().string());
  }
  return names;
}

// A disk that takes `bytes` per file and no more, for the span of a test:
// writes beyond it fail with EFBIG instead of ending the process.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    old_handler_ = signal(SIGXFSZ, SIG_IGN);
    const rlimit limit{bytes, old_.rlim_max};
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    signal(SIGXFSZ, old_handler_);
  }

 private:
  rlimit old_{};
  void (*old_handler_)(int) = nullptr;
};

class OutputFileTest : public ::testing::Test {
 protected:
  const gannet_testing::TempFolder scratch_{"toolfiles-output"};
  const fs::path& folder_ = scratch_.path();
};

TEST_F(OutputFileTest, WritesANewFileOrReplacesAnOldOneWhole) {
  const mode_t mask = umask(022);
  EXPECT_EQ(WriteOutputFile(folder_ / "a.tmd", "first"), std::nullopt);
  umask(mask);
  EXPECT_EQ(ReadBytes(folder_ / "a.tmd"), "first");
  EXPECT_EQ(fs::status(folder_ / "a.tmd").permissions(),
            fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                fs::perms::others_read);
  chmod((folder_ / "a.tmd").c_str(), 0750);
  EXPECT_EQ(WriteOutputFile(folder_ / "a.tmd", "second"), std::nullopt);
  EXPECT_EQ(ReadBytes(folder_ / "a.tmd"), "second");
  EXPECT_EQ(fs::status(folder_ / "a.tmd").permissions() & fs::perms::all,
            fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
  EXPECT_EQ(Names(folder_), std::set<std::string>{"a.tmd"});
}

TEST_F(OutputFileTest, ALinkStaysALinkToTheReplacedFile) {
  WriteBytes(folder_ / "real.png", "old");
  fs::create_symlink("real.png", folder_ / "link.png");
  EXPECT_EQ(WriteOutputFile(folder_ / "link.png", "new"), std::nullopt);
  EXPECT_TRUE(fs::is_symlink(folder_ / "link.png"));
  EXPECT_EQ(ReadBytes(folder_ / "real.png"), "new");
}

// The review's first case: "-o ship.rsd" under any spelling replaced the input.
TEST_F(OutputFileTest, RefusesAnInputUnderAnySpelling) {
  WriteBytes(folder_ / "ship.rsd", "model");
  fs::create_directory(folder_ / "sub");
  fs::create_hard_link(folder_ / "ship.rsd", folder_ / "hard.rsd");
  fs::create_symlink(folder_ / "ship.rsd", folder_ / "soft.rsd");
  const std::vector<fs::path> inputs = {folder_ / "other.ply", folder_ / "ship.rsd"};
  for (const fs::path& output : {folder_ / "sub" / ".." / "ship.rsd", folder_ / "hard.rsd",
                                 folder_ / "soft.rsd", folder_ / "ship.rsd"}) {
    EXPECT_EQ(WriteOutputFile(output, "tmd", inputs), "refusing to write " + output.string() +
                                                          ": it is the input " +
                                                          (folder_ / "ship.rsd").string());
  }
  EXPECT_EQ(ReadBytes(folder_ / "ship.rsd"), "model");
  EXPECT_EQ(InputNamedBy(folder_ / "new.tmd", inputs), std::nullopt);
}

TEST_F(OutputFileTest, RefusesWhatIsNoRegularFile) {
  EXPECT_EQ(WriteOutputFile("/dev/full", "x"),
            "refusing to write /dev/full: it is a device, not a regular file");
  EXPECT_EQ(WriteOutputFile(folder_, "x"),
            "refusing to write " + folder_.string() + ": it is a folder, not a regular file");
  EXPECT_EQ(WriteOutputFile(folder_ / "none" / "a.png", "x"),
            "cannot write " + (folder_ / "none" / "a.png").string() + ": cannot make a file in " +
                (folder_ / "none").string() + " (No such file or directory)");
}

// The review's sixth case: a full disk left a truncated file and "wrote".
TEST_F(OutputFileTest, AFullDiskLeavesTheOldFileAndNoPartialOne) {
  WriteBytes(folder_ / "m.png", "old picture");
  std::optional<std::string> problem;
  {
    const FileSizeLimit disk(64);
    problem = WriteOutputFile(folder_ / "m.png", std::string(1000, 'p'));
  }
  EXPECT_EQ(problem, "cannot write " + (folder_ / "m.png").string() + ": File too large");
  EXPECT_EQ(ReadBytes(folder_ / "m.png"), "old picture");
  EXPECT_EQ(Names(folder_), std::set<std::string>{"m.png"});
}

TEST_F(OutputFileTest, APendingFileNeverCommittedLeavesNothing) {
  std::string problem;
  {
    std::optional<PendingFile> file = PendingFile::Start(folder_ / "log.jsonl", &problem);
    ASSERT_TRUE(file) << problem;
    EXPECT_TRUE(file->Write("line\n"));
    EXPECT_EQ(Names(folder_).size(), 1u);
  }
  EXPECT_TRUE(Names(folder_).empty());
  std::optional<PendingFile> file = PendingFile::Start(folder_ / "log.jsonl", &problem);
  ASSERT_TRUE(file);
  file->Write("one\n");
  file->Write("two\n");
  EXPECT_EQ(file->Commit(), std::nullopt);
  EXPECT_EQ(ReadBytes(folder_ / "log.jsonl"), "one\ntwo\n");
  EXPECT_EQ(Names(folder_), std::set<std::string>{"log.jsonl"});
}

}  // namespace
}  // namespace toolfiles
