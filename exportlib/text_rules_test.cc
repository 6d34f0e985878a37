#include "exportlib/text_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace exportlib {
namespace {

TEST(TextRules, TrimControlDropsEveryCodeUpToSpaceAtBothEndsOnly) {
  EXPECT_EQ(TrimControl(std::string("\t\r\n \x01 a b \x1f\x20", 11)), "a b");
  EXPECT_EQ(TrimControl(" \t "), "");
  EXPECT_EQ(TrimControl(""), "");
  // Bytes above 127 are no blanks, whatever they look like in a code page.
  EXPECT_EQ(TrimControl("\xa0x\xa0"), "\xa0x\xa0");
  EXPECT_EQ(TrimControl("\x7f"), "\x7f");
}

TEST(TextRules, CaseRulesTouchOnlyAsciiLetters) {
  EXPECT_EQ(LowerAscii("Ship@[Z]`{\xc4}"), "ship@[z]`{\xc4}");
  EXPECT_TRUE(EqualsIgnoringAsciiCase("Hull.BMP", "hull.bmp"));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("hull", "hull "));
  EXPECT_FALSE(EqualsIgnoringAsciiCase("\xc4", "\xe4"));
  // '@' and '`' sit just before 'A' and 'a': they are no letters.
  EXPECT_FALSE(EqualsIgnoringAsciiCase("@", "`"));
  EXPECT_TRUE(EqualsIgnoringAsciiCase("", ""));
}

TEST(TextRules, FromPositionCountsFromOne) {
  EXPECT_EQ(FromPosition("abc", 1), "abc");
  EXPECT_EQ(FromPosition("abc", 3), "c");
  EXPECT_EQ(FromPosition("abc", 4), "");
  EXPECT_EQ(FromPosition("abc", 1LL << 40), "");
  EXPECT_EQ(FromPosition("abc", 0), "abc");
  EXPECT_EQ(FromPosition("abc", -7), "abc");
}

}  // namespace
}  // namespace exportlib
