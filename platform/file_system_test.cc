#include "platform/file_system.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "testing/temp_folder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

class FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root_ / "Models");
    std::ofstream(root_ / "Models" / "Ship.rsd", std::ios::binary) << std::string("a\0b\r\n", 5);
    setenv("GANNET_DRIVE_C", root_.path().c_str(), 1);
  }
  void TearDown() override { unsetenv("GANNET_DRIVE_C"); }
  const gannet_testing::TempFolder root_{"file_system_test"};
};

TEST_F(FileSystemTest, ExistenceTellsFilesFromFolders) {
  EXPECT_TRUE(FileExists("C:\\models\\SHIP.RSD"));
  EXPECT_FALSE(FileExists("C:\\models"));
  EXPECT_FALSE(FileExists("C:\\models\\boat.rsd"));
  EXPECT_TRUE(FolderExists("C:\\MODELS"));
  EXPECT_FALSE(FolderExists("C:\\models\\ship.rsd"));
  EXPECT_FALSE(FileExists("Q:\\models\\ship.rsd"));
}

TEST_F(FileSystemTest, CreateFolderMakesOneLevel) {
  EXPECT_TRUE(CreateFolder("C:\\out"));
  EXPECT_TRUE(fs::is_directory(root_ / "out"));
  EXPECT_TRUE(CreateFolder("C:\\OUT"));  // already there, in another case
  EXPECT_FALSE(CreateFolder("C:\\a\\b"));
  EXPECT_FALSE(CreateFolder("C:\\models\\ship.rsd"));
}

TEST_F(FileSystemTest, ReadFileKeepsEveryByte) {
  EXPECT_EQ(ReadFile("C:\\Models\\Ship.rsd"), std::string("a\0b\r\n", 5));
  EXPECT_EQ(ReadFile("C:\\Models"), std::nullopt);
  EXPECT_EQ(ReadFile("C:\\missing.txt"), std::nullopt);
}

TEST_F(FileSystemTest, OutputFileTruncatesAndWritesBytes) {
  {
    auto file = OutputFile::Create("C:\\models\\ship.rsd");
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->Write("xy"));
    OutputFile moved = std::move(*file);
    EXPECT_FALSE(file->ok());
    EXPECT_TRUE(moved.Write("z"));
    EXPECT_TRUE(moved.ok());
  }  // the destructor closes
  EXPECT_EQ(ReadFile("C:\\Models\\Ship.rsd"), "xyz");
  EXPECT_FALSE(OutputFile::Create("C:\\no such folder\\x.txt"));
  EXPECT_FALSE(OutputFile::Create("C:\\models"));
}

TEST_F(FileSystemTest, FailedWritesAreRemembered) {
  auto file = OutputFile::Create("Z:\\dev\\full");
  if (!file) {
    GTEST_SKIP() << "/dev/full is not available";
  }
  file->Write(std::string(1 << 16, 'x'));
  EXPECT_FALSE(file->Close());
  EXPECT_FALSE(file->ok());
}

}  // namespace
}  // namespace platform
