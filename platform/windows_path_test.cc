#include "platform/windows_path.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>

#include "testing/temp_folder.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

// A scratch folder served as drive C: for the duration of one test.
class WindowsPathTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root_ / "Program Files" / "MarbleCLAY" / "Plugin");
    std::ofstream(root_ / "Program Files" / "MarbleCLAY" / "Plugin" / "rsdn.bat") << "x";
    setenv("GANNET_DRIVE_C", root_.path().c_str(), 1);
  }
  void TearDown() override {
    unsetenv("GANNET_DRIVE_C");
    unsetenv("GANNET_DRIVE_Q");
  }
  const gannet_testing::TempFolder root_{"windows_path_test"};
};

TEST_F(WindowsPathTest, MapsTheDriveAndTurnsBackslashes) {
  EXPECT_EQ(ToPosixPath("C:\\Program Files\\MarbleCLAY\\Plugin\\rsdn.bat"),
            (root_ / "Program Files/MarbleCLAY/Plugin/rsdn.bat").string());
  EXPECT_EQ(ToPosixPath("C:\\"), root_.path().string());
  // Doubled separators read as one, as Windows reads them.
  EXPECT_EQ(ToPosixPath("C:\\\\Program Files\\\\MarbleCLAY"),
            (root_ / "Program Files/MarbleCLAY").string());
  EXPECT_EQ(ToPosixPath("Z:\\tmp\\x"), "/tmp/x");
  EXPECT_EQ(ToPosixPath("z:\\"), "/");
}

TEST_F(WindowsPathTest, LooksUpExistingComponentsWithoutRegardToCase) {
  EXPECT_EQ(ToPosixPath("c:\\PROGRAM FILES\\marbleclay\\plugin\\RSDN.BAT"),
            (root_ / "Program Files/MarbleCLAY/Plugin/rsdn.bat").string());
  // Components that do not exist yet keep their spelling.
  EXPECT_EQ(ToPosixPath("C:\\marbleclay\\New\\File.TXT"),
            (root_ / "marbleclay/New/File.TXT").string());
}

TEST_F(WindowsPathTest, ExactSpellingWinsOverAnotherCase) {
  fs::create_directories(root_ / "out");
  fs::create_directories(root_ / "OUT");
  EXPECT_EQ(ToPosixPath("C:\\OUT"), (root_ / "OUT").string());
  EXPECT_EQ(ToPosixPath("C:\\out"), (root_ / "out").string());
}

TEST_F(WindowsPathTest, DotsAreResolvedInTheText) {
  EXPECT_EQ(ToPosixPath("C:\\missing\\..\\program files\\.\\x"),
            (root_ / "Program Files/x").string());
  EXPECT_EQ(ToPosixPath("C:\\..\\..\\etc"), (root_ / "etc").string());
  EXPECT_EQ(ToPosixPath("..\\a\\..\\b"), "../b");
}

TEST_F(WindowsPathTest, UnmappedDrivesHaveNoPath) {
  EXPECT_EQ(ToPosixPath("Q:\\x"), std::nullopt);
  setenv("GANNET_DRIVE_Q", "/srv", 1);
  EXPECT_EQ(ToPosixPath("q:\\x"), "/srv/x");
}

TEST_F(WindowsPathTest, DefaultDriveCIsUnderHome) {
  unsetenv("GANNET_DRIVE_C");
  const std::string home = getenv("HOME");
  EXPECT_EQ(ToPosixPath("C:\\nowhere-xyz"), home + "/.marbleclay/c/nowhere-xyz");
}

TEST_F(WindowsPathTest, PathsWithoutDriveStayRelative) {
  EXPECT_EQ(ToPosixPath("sub\\file.txt"), "sub/file.txt");
  EXPECT_EQ(ToPosixPath(""), ".");
  EXPECT_EQ(ToPosixPath("\\tmp"), "/tmp");
}

TEST(ToWindowsPathTest, SpellsPosixPathsThroughDriveZ) {
  EXPECT_EQ(ToWindowsPath("/tmp/out/ship.rsd"), "Z:\\tmp\\out\\ship.rsd");
  EXPECT_EQ(ToWindowsPath("/"), "Z:\\");
  EXPECT_EQ(ToPosixPath(ToWindowsPath("/tmp")), "/tmp");
}

}  // namespace
}  // namespace platform
