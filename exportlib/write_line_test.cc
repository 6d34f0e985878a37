#include "exportlib/write_line.h"

#include <gtest/gtest.h>

#include "testing/temp_folder.h"

namespace exportlib {
namespace {

TEST(WriteLineTest, EndsEveryLineWithCrLf) {
  const gannet_testing::TempFolder folder("write_line_test");
  const std::string path = folder.windows("lines.txt");
  {
    auto file = platform::OutputFile::Create(path);
    ASSERT_TRUE(file);
    EXPECT_TRUE(WriteLine(*file, ""));
    EXPECT_TRUE(WriteLine(*file, "@PLY940102"));
    EXPECT_TRUE(file->Close());
  }
  EXPECT_EQ(platform::ReadFile(path), std::string("\r\n@PLY940102\r\n"));
}

}  // namespace
}  // namespace exportlib
