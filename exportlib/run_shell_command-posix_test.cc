#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>

#include "exportlib/run_shell_command.h"

namespace exportlib {
namespace {

namespace fs = std::filesystem;

// A scratch drive C: with a folder "Out" holding CAR0.bmp.
class RunShellCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() / ("run_shell_command_test_" + std::to_string(getpid()));
    fs::create_directories(root_ / "Out");
    std::ofstream(root_ / "Out" / "CAR0.bmp") << "BM";
    setenv("GANNET_DRIVE_C", root_.c_str(), 1);
  }
  void TearDown() override {
    unsetenv("GANNET_DRIVE_C");
    fs::remove_all(root_);
  }
  fs::path root_;
};

TEST_F(RunShellCommandTest, SilentCommandGivesEmptyText) {
  EXPECT_EQ(RunShellCommand("true", "C:\\"), "");
}

TEST_F(RunShellCommandTest, LongOutputArrivesWhole) {
  const std::string output = RunShellCommand(
      "i=0; while [ $i -lt 100 ]; do printf '0123456789'; "
      "i=$((i+1)); done",
      "C:\\");
  EXPECT_EQ(output.size(), 1000u);
  EXPECT_EQ(output.substr(990), "0123456789");
}

TEST_F(RunShellCommandTest, StandardErrorIsMergedInArrivalOrder) {
  EXPECT_EQ(RunShellCommand("echo one; echo two >&2; echo three", "C:\\"), "one\ntwo\nthree\n");
}

TEST_F(RunShellCommandTest, ZeroByteCutsOffTheRestOfItsChunk) {
  EXPECT_EQ(RunShellCommand("printf 'ab\\000cd'; sleep 0.3; printf 'ef'", "C:\\"), "abef");
}

TEST_F(RunShellCommandTest, RunsInTheMappedWorkingFolder) {
  EXPECT_EQ(RunShellCommand("pwd", "c:\\OUT"), (root_ / "Out").string() + "\n");
}

TEST_F(RunShellCommandTest, MissingWorkingFolderStartsNothing) {
  const fs::path marker = root_ / "ran";
  const std::string command = "touch \"" + marker.string() + "\"; echo ran";
  EXPECT_EQ(RunShellCommand(command, "C:\\no such folder"), "");
  EXPECT_EQ(RunShellCommand(command, "Q:\\"), "");
  EXPECT_EQ(RunShellCommand(command, "C:\\Out\\CAR0.bmp"), "");
  EXPECT_FALSE(fs::exists(marker));
}

TEST_F(RunShellCommandTest, WaitsForEveryProcessHoldingTheOutput) {
  const auto start = std::chrono::steady_clock::now();
  const std::string output = RunShellCommand("(sleep 1; echo late) & echo early", "C:\\");
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(output, "early\nlate\n");
  EXPECT_GE(elapsed, std::chrono::milliseconds(900));
}

TEST_F(RunShellCommandTest, QuotedDrivePathsAreMapped) {
  std::ofstream(root_ / "Out" / "note.txt") << "hello";
  EXPECT_EQ(RunShellCommand("cat \"C:\\OUT\\Note.TXT\"", "C:\\"), "hello");
  // Not a drive path: left as written.
  EXPECT_EQ(RunShellCommand("printf %s \"a\\\\b\"", "C:\\"), "a\\b");
  // Shell characters in a mapped path stay literal.
  fs::create_directories(root_ / "a$HOME`x");
  std::ofstream(root_ / "a$HOME`x" / "f.txt") << "odd";
  EXPECT_EQ(RunShellCommand("cat \"C:\\a$HOME`x\\f.txt\"", "C:\\"), "odd");
}

TEST_F(RunShellCommandTest, DirListsAnExistingFileUnderItsStoredName) {
  const std::string output = RunShellCommand(" dir \"C:\\out\\car0.bmp\"", "C:\\");
  EXPECT_NE(output.find("CAR0.bmp"), std::string::npos) << output;
  EXPECT_GE(output.find("CAR0.bmp"), 1u);
  EXPECT_EQ(output.find("File Not Found"), std::string::npos);
}

TEST_F(RunShellCommandTest, DirNeverEchoesAMissingFileName) {
  const std::string output = RunShellCommand(" dir \"C:\\out\\car1.bmp\"", "C:\\");
  EXPECT_EQ(output.find("car1.bmp"), std::string::npos) << output;
  EXPECT_NE(output.find("File Not Found"), std::string::npos);
}

TEST_F(RunShellCommandTest, DirOfAFolderListsItsEntries) {
  const std::string output = RunShellCommand("dir", "C:\\Out");
  EXPECT_NE(output.find("CAR0.bmp"), std::string::npos) << output;
}

}  // namespace
}  // namespace exportlib
