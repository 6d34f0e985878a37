// Runs the real cmd.exe (under wine on the build machines).
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "exportlib/run_shell_command.h"
#include "platform/file_system.h"
#include "testing/temp_folder.h"

namespace exportlib {
namespace {

using gannet_testing::TempFolder;

void WriteBytes(const std::string& path, const std::string& bytes) {
  auto file = platform::OutputFile::Create(path);
  ASSERT_TRUE(file.has_value());
  ASSERT_TRUE(file->Write(bytes));
  ASSERT_TRUE(file->Close());
}

TEST(RunShellCommandWin32, CommandWithoutOutputYieldsEmptyText) {
  EXPECT_EQ(RunShellCommand("rem nothing to say", "C:\\"), "");
}

TEST(RunShellCommandWin32, StandardErrorArrivesInterleavedWithStandardOutput) {
  EXPECT_EQ(RunShellCommand("echo one& echo two 1>&2& echo three", "C:\\"),
            "one\r\ntwo \r\nthree\r\n");
}

TEST(RunShellCommandWin32, OutputLongerThanOneReadArrivesWhole) {
  TempFolder folder;
  std::string content;
  for (int line = 0; content.size() < 1000; ++line) {
    content += "line " + std::to_string(line) + " of a listing longer than one read\r\n";
  }
  WriteBytes(folder.windows("long.txt"), content);
  EXPECT_EQ(RunShellCommand("type long.txt", folder.windows()), content);
}

TEST(RunShellCommandWin32, OutputBeyondThePipeBufferDoesNotDeadlock) {
  TempFolder folder;
  const std::string content(200 * 1024, 'x');
  WriteBytes(folder.windows("big.txt"), content);
  EXPECT_EQ(RunShellCommand("type big.txt", folder.windows()).size(), content.size());
}

TEST(RunShellCommandWin32, ZeroByteCutsOffTheRestOfItsChunk) {
  TempFolder folder;
  WriteBytes(folder.windows("zero.bin"), std::string("ab\0cd\r\nef", 9));
  EXPECT_EQ(RunShellCommand("type zero.bin", folder.windows()), "ab");
}

TEST(RunShellCommandWin32, RunsInTheWorkingFolder) {
  TempFolder folder;
  EXPECT_EQ(RunShellCommand("cd", folder.windows()), folder.windows() + "\r\n");
}

TEST(RunShellCommandWin32, EmptyWorkingFolderMeansTheCurrentFolder) {
  TempFolder folder;
  ASSERT_TRUE(SetCurrentDirectoryA(folder.windows().c_str()));
  const std::string listing = RunShellCommand("cd", "");
  SetCurrentDirectoryA("C:\\");
  EXPECT_EQ(listing, folder.windows() + "\r\n");
}

TEST(RunShellCommandWin32, QuotedPathsReachTheCommandUnchanged) {
  TempFolder folder;
  WriteBytes(folder.windows("with space.txt"), "spaced\r\n");
  EXPECT_EQ(RunShellCommand("type \"" + folder.windows("with space.txt") + "\"", "C:\\"),
            "spaced\r\n");
  EXPECT_EQ(RunShellCommand("dir /b \"" + folder.windows("with space.txt") + "\"", "C:\\"),
            "with space.txt\r\n");
}

TEST(RunShellCommandWin32, MissingWorkingFolderStartsNothing) {
  TempFolder folder;
  const std::string marker = folder.windows("ran.txt");
  EXPECT_EQ(RunShellCommand("echo ran> \"" + marker + "\"", folder.windows("missing")), "");
  EXPECT_FALSE(platform::FileExists(marker));
}

TEST(RunShellCommandWin32, LeavesNoHandleOpen) {
  DWORD before = 0;
  DWORD after = 0;
  ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));
  for (int run = 0; run < 5; ++run) {
    RunShellCommand("echo x", "C:\\");
    RunShellCommand("echo x", "C:\\no such folder");
  }
  ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
  EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace exportlib
