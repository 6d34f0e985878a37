#include <windows.h>

#include <string>

#include <gtest/gtest.h>

#include "platform/file_system.h"
#include "testing/temp_folder.h"

namespace platform {
namespace {

using gannet_testing::TempFolder;

TEST(FileSystemWin32, TellsFilesFromFolders) {
  TempFolder folder;
  const std::string file = folder.windows("ship.rsd");
  ASSERT_TRUE(OutputFile::Create(file).has_value());

  EXPECT_TRUE(FileExists(file));
  EXPECT_FALSE(FolderExists(file));
  EXPECT_TRUE(FolderExists(folder.windows()));
  EXPECT_FALSE(FileExists(folder.windows()));
  EXPECT_FALSE(FileExists(folder.windows("absent.rsd")));
  EXPECT_FALSE(FolderExists(folder.windows("absent")));
}

TEST(FileSystemWin32, NamesIgnoreLetterCase) {
  TempFolder folder;
  ASSERT_TRUE(OutputFile::Create(folder.windows("SkerryScript.txt")).has_value());
  EXPECT_TRUE(FileExists(folder.windows("SKERRYSCRIPT.TXT")));
}

TEST(FileSystemWin32, CreatesOneFolderLevel) {
  TempFolder folder;
  const std::string level = folder.windows("assets");
  EXPECT_TRUE(CreateFolder(level));
  EXPECT_TRUE(FolderExists(level));
  EXPECT_TRUE(CreateFolder(level)) << "an existing folder counts as created";
  EXPECT_FALSE(CreateFolder(folder.windows("missing\\deeper")));
}

TEST(FileSystemWin32, CreateFolderFailsWhereAFileIs) {
  TempFolder folder;
  const std::string file = folder.windows("taken");
  ASSERT_TRUE(OutputFile::Create(file).has_value());
  EXPECT_FALSE(CreateFolder(file));
}

TEST(FileSystemWin32, OutputFileWritesBytesAsGivenAndTruncates) {
  TempFolder folder;
  const std::string path = folder.windows("ship.ply");
  {
    auto file = OutputFile::Create(path);
    ASSERT_TRUE(file.has_value());
    ASSERT_TRUE(file->Write("an older and longer content\r\n"));
  }
  auto file = OutputFile::Create(path);
  ASSERT_TRUE(file.has_value());
  const std::string bytes("@PLY940102\r\n\n\0\xff", 15);
  EXPECT_TRUE(file->Write(bytes));
  EXPECT_TRUE(file->Close());
  EXPECT_EQ(ReadFile(path), bytes);
}

TEST(FileSystemWin32, OutputFileCannotBeCreatedInAMissingFolder) {
  TempFolder folder;
  EXPECT_FALSE(OutputFile::Create(folder.windows("missing\\ship.rsd")).has_value());
}

TEST(FileSystemWin32, ReadFileReturnsLargeFilesWhole) {
  TempFolder folder;
  std::string bytes;
  for (int i = 0; i < 300000; ++i) {
    bytes.push_back(static_cast<char>(i * 7));
  }
  const std::string path = folder.windows("big.bin");
  auto file = OutputFile::Create(path);
  ASSERT_TRUE(file.has_value());
  ASSERT_TRUE(file->Write(bytes));
  ASSERT_TRUE(file->Close());
  EXPECT_EQ(ReadFile(path), bytes);
}

TEST(FileSystemWin32, ReadFileRefusesFoldersAndMissingFiles) {
  TempFolder folder;
  EXPECT_EQ(ReadFile(folder.windows()), std::nullopt);
  EXPECT_EQ(ReadFile(folder.windows("absent.txt")), std::nullopt);
  ASSERT_TRUE(OutputFile::Create(folder.windows("empty.txt")).has_value());
  EXPECT_EQ(ReadFile(folder.windows("empty.txt")), "");
}

}  // namespace
}  // namespace platform
