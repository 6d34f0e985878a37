#include "exportlib/write_line.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include <unistd.h>

#include "platform/windows_path.h"

namespace exportlib {
namespace {

TEST(WriteLineTest, EndsEveryLineWithCrLf) {
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("write_line_test_" + std::to_string(getpid()));
  std::filesystem::create_directories(dir);
  const std::string path = platform::ToWindowsPath((dir / "lines.txt").string());
  {
    auto file = platform::OutputFile::Create(path);
    ASSERT_TRUE(file);
    EXPECT_TRUE(WriteLine(*file, ""));
    EXPECT_TRUE(WriteLine(*file, "@PLY940102"));
    EXPECT_TRUE(file->Close());
  }
  EXPECT_EQ(platform::ReadFile(path), std::string("\r\n@PLY940102\r\n"));
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace exportlib
