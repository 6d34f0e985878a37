#include "batchtool/script_lines.h"

#include <gtest/gtest.h>

#include <string>

namespace batchtool {
namespace {

using Lines = std::vector<std::string_view>;

TEST(SplitScriptLinesTest, EndsLinesAtLineFeedWithOrWithoutCarriageReturn) {
  EXPECT_EQ(SplitScriptLines("a\r\nb\nc"), (Lines{"a", "b", "c"}));
  EXPECT_EQ(SplitScriptLines("a\r\n\r\n\nb\r\n"), (Lines{"a", "", "", "b"}));
}

TEST(SplitScriptLinesTest, CutsTheLineAtItsFirstCarriageReturn) {
  EXPECT_EQ(SplitScriptLines("echo one\rtwo\nthree"), (Lines{"echo one", "three"}));
}

TEST(SplitScriptLinesTest, ControlZEndsTheFile) {
  EXPECT_EQ(SplitScriptLines("a\nb\x1A\nc\n"), (Lines{"a", "b"}));
  EXPECT_EQ(SplitScriptLines("\x1A!quit\n"), Lines{});
}

TEST(SplitScriptLinesTest, EmptyFileHasNoLines) {
  EXPECT_TRUE(SplitScriptLines("").empty());
}

TEST(SplitScriptLinesTest, KeepsLinesOfAnyLength) {
  const std::string long_line(100000, 'x');
  const Lines lines = SplitScriptLines(long_line + "\r\nend");
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_EQ(lines[0].size(), long_line.size());
}

}  // namespace
}  // namespace batchtool
