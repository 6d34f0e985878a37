#include <gtest/gtest.h>
#include <stdlib.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>

#include "exportlib/run_shell_command.h"
#include "testing/file_bytes.h"
#include "testing/temp_folder.h"

namespace exportlib {
namespace {

namespace fs = std::filesystem;

// A scratch drive C: with a folder "Out" holding CAR0.bmp.
class RunShellCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root_ / "Out");
    std::ofstream(root_ / "Out" / "CAR0.bmp") << "BM";
    setenv("GANNET_DRIVE_C", root_.path().c_str(), 1);
  }
  void TearDown() override { unsetenv("GANNET_DRIVE_C"); }
  const gannet_testing::TempFolder root_{"run_shell_command_test"};
};

TEST_F(RunShellCommandTest, SilentCommandGivesEmptyText) {
  EXPECT_EQ(RunShellCommand("true", "C:\\"), "");
  EXPECT_EQ(RunShellCommand("   ", "C:\\"), "");
}

TEST_F(RunShellCommandTest, LongOutputArrivesWhole) {
  const std::string output = RunShellCommand("printf %01000d 7", "C:\\");
  EXPECT_EQ(output.size(), 1000u);
  EXPECT_EQ(output.substr(990), "0000000007");
}

TEST_F(RunShellCommandTest, StandardErrorIsMergedInArrivalOrder) {
  EXPECT_EQ(RunShellCommand("echo one & echo two >&2 & echo three", "C:\\"), "one\ntwo\nthree\n");
}

TEST_F(RunShellCommandTest, ZeroByteCutsOffTheRestOfItsChunk) {
  EXPECT_EQ(RunShellCommand("printf ab\\000cd & sleep 0.3 & printf ef", "C:\\"), "abef");
}

TEST_F(RunShellCommandTest, RunsInTheMappedWorkingFolder) {
  EXPECT_EQ(RunShellCommand("pwd", "c:\\OUT"), (root_ / "Out").string() + "\n");
}

TEST_F(RunShellCommandTest, MissingWorkingFolderStartsNothing) {
  const fs::path marker = root_ / "ran";
  const std::string command = "touch \"" + marker.string() + "\" & echo ran";
  EXPECT_EQ(RunShellCommand(command, "C:\\no such folder"), "");
  EXPECT_EQ(RunShellCommand(command, "Q:\\"), "");
  EXPECT_EQ(RunShellCommand(command, "C:\\Out\\CAR0.bmp"), "");
  EXPECT_FALSE(fs::exists(marker));
}

TEST_F(RunShellCommandTest, WaitsForEveryProcessHoldingTheOutput) {
  const auto start = std::chrono::steady_clock::now();
  const std::string output =
      RunShellCommand("sh -c \"(sleep 1; echo late) &\" & echo early", "C:\\");
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(output, "early\nlate\n");
  EXPECT_GE(elapsed, std::chrono::milliseconds(900));
}

TEST_F(RunShellCommandTest, QuotedDrivePathsAreMapped) {
  std::ofstream(root_ / "Out" / "note.txt") << "hello";
  EXPECT_EQ(RunShellCommand("cat \"C:\\OUT\\Note.TXT\"", "C:\\"), "hello");
  // Not a drive path, or not quoted: left as written.
  EXPECT_EQ(RunShellCommand("printf [%s] \"a\\\\b\" C:\\OUT\\Note.TXT", "C:\\"),
            "[a\\\\b][C:\\OUT\\Note.TXT]");
  // Shell characters in a mapped path stay literal.
  fs::create_directories(root_ / "a$HOME`x'");
  std::ofstream(root_ / "a$HOME`x'" / "f.txt") << "odd";
  EXPECT_EQ(RunShellCommand("cat \"C:\\a$HOME`x'\\f.txt\"", "C:\\"), "odd");
}

// What cmd.exe passes on as it is must reach the program as it is, quoted or
// not: a model's name can hold any of it.
TEST_F(RunShellCommandTest, EveryCharacterButCmdOperatorsReachesTheProgramLiterally) {
  EXPECT_EQ(RunShellCommand("printf [%s] `id` it's (x) a* *.bmp a$HOME $(touch\tmade) ~ #c {a,b} "
                            "a;b !x \\ %PATH% 'q' \"a\"b\"c\" \"\" \"\"",
                            "C:\\Out"),
            "[`id`][it's][(x)][a*][*.bmp][a$HOME][$(touch][made)][~][#c][{a,b}][a;b][!x][\\]"
            "[%PATH%]['q'][abc][][]");
  EXPECT_EQ(RunShellCommand("printf [%s] \"`id` it's (x) $HOME & | < > ^ %PATH%\"", "C:\\"),
            "[`id` it's (x) $HOME & | < > ^ %PATH%]");
  EXPECT_FALSE(fs::exists(root_ / "Out" / "made"));
  // A quote that is never closed runs to the end of the line.
  EXPECT_EQ(RunShellCommand("printf [%s] \"a & b", "C:\\"), "[a & b]");
}

TEST_F(RunShellCommandTest, CmdOperatorsKeepTheirMeaning) {
  // & runs one command after the other; && and || look at the one before.
  EXPECT_EQ(RunShellCommand("false & echo one&echo two", "C:\\"), "one\ntwo\n");
  EXPECT_EQ(RunShellCommand("false && echo no || echo yes", "C:\\"), "yes\n");
  EXPECT_EQ(RunShellCommand("true || echo no && echo yes", "C:\\"), "yes\n");
  EXPECT_EQ(RunShellCommand("printf \"b\\na\\n\" | sort", "C:\\"), "a\nb\n");
  // Redirections take the next word, mapped when it is a quoted drive path.
  EXPECT_EQ(RunShellCommand("echo one > \"C:\\out\\log.txt\" && echo two>>log.txt && "
                            "cat < \"C:\\Out\\log.txt\"",
                            "C:\\Out"),
            "one\ntwo\n");
  EXPECT_EQ(RunShellCommand("ls \"C:\\Out\\missing\" 2> err.txt & ls err.txt", "C:\\Out"),
            "err.txt\n");
  EXPECT_NE(gannet_testing::ReadBytes(root_ / "Out" / "err.txt").find("missing"),
            std::string::npos);
  EXPECT_EQ(RunShellCommand("sh -c \"echo e >&2\" 2>&1 >nothing.txt | tr e E", "C:\\Out"), "E\n");
  // ^ escapes one character outside quotes and is itself inside them.
  EXPECT_EQ(RunShellCommand("echo a ^& echo b ^| ^> ^^ ^\" \"^&\"", "C:\\"),
            "a & echo b | > ^ \" ^&\n");
  // A digit before > is a handle only at the start of a word.
  EXPECT_EQ(RunShellCommand("echo 1>one.txt a2>two.txt 3 & cat one.txt two.txt", "C:\\Out"),
            "a2 3\n");
}

TEST_F(RunShellCommandTest, LinesThatCmdRefusesStartNothing) {
  EXPECT_EQ(RunShellCommand("& touch made", "C:\\Out"), "& was unexpected at this time.\r\n");
  EXPECT_EQ(RunShellCommand("touch made & || echo", "C:\\Out"),
            "|| was unexpected at this time.\r\n");
  for (const char* refused : {"touch made >", "touch made > & echo", "touch made &&",
                              "touch made |", "touch made 2>", "touch made >>&1"}) {
    EXPECT_EQ(RunShellCommand(refused, "C:\\Out"), "The syntax of the command is incorrect.\r\n")
        << refused;
  }
  EXPECT_FALSE(fs::exists(root_ / "Out" / "made"));
  // A trailing & ends the line.
  EXPECT_EQ(RunShellCommand("echo fine &", "C:\\"), "fine\n");
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
  // cmd's commands ignore case; as an argument the word is only a word.
  EXPECT_EQ(RunShellCommand("DIR", "C:\\Out"), output);
  EXPECT_EQ(RunShellCommand("echo dir", "C:\\Out"), "dir\n");
}

}  // namespace
}  // namespace exportlib
