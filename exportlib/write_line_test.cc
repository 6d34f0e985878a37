#include "exportlib/write_line.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

#ifndef _WIN32
#include "platform/windows_path.h"
#endif

namespace exportlib {
namespace {

// The plug-ins' spelling of a native path.
std::string PluginPath(const std::filesystem::path& path) {
#ifdef _WIN32
  return path.string();
#else
  return platform::ToWindowsPath(path.string());
#endif
}

TEST(WriteLineTest, EndsEveryLineWithCrLf) {
  const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
  const std::filesystem::path dir =
      std::filesystem::temp_directory_path() / ("write_line_test_" + std::to_string(stamp));
  std::filesystem::create_directories(dir);
  const std::string path = PluginPath(dir / "lines.txt");
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
