#include "clayhost/ansi_text.h"

#include <gtest/gtest.h>

namespace clayhost {
namespace {

TEST(AnsiTextTest, Latin1RoundTripsEveryByte) {
  std::string all;
  for (int byte = 1; byte < 256; ++byte) {
    all += static_cast<char>(byte);
  }
  const std::string utf8 = Latin1ToUtf8(all);
  EXPECT_EQ(utf8.size(), 127u + 2 * 128u);
  EXPECT_EQ(Utf8ToLatin1(utf8), all);
}

TEST(AnsiTextTest, RefusesWhatEightBitsCannotHold) {
  EXPECT_EQ(Utf8ToLatin1("\xC4\x80"), std::nullopt);      // U+0100
  EXPECT_EQ(Utf8ToLatin1("\xE2\x82\xAC"), std::nullopt);  // the euro sign
  EXPECT_EQ(Utf8ToLatin1("\xC3"), std::nullopt);          // cut short
  EXPECT_EQ(Utf8ToLatin1("\xC3("), std::nullopt);
}

TEST(AnsiTextTest, QuoteBytesShowsEveryByte) {
  EXPECT_EQ(QuoteBytes("a\"b\\c\r\n\t\x01\x7F\xE9"), "\"a\\\"b\\\\c\\r\\n\\t\\x01\\x7F\\xE9\"");
}

}  // namespace
}  // namespace clayhost
