#include "exportlib/scan_formatted.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "exportlib/conversion_error.h"
#include "exportlib/number_format.h"

namespace exportlib {
namespace {

TEST(ScanFormattedTest, ReadsTheSizeSuffixPatterns) {
  std::int32_t w = 0, h = 0, depth = 0, extra = 99;
  const ScanTarget three[] = {&w, &h, &depth};
  EXPECT_EQ(ScanFormatted("64x32x8", "%dx%dx%d", three), 3);
  EXPECT_EQ(w, 64);
  EXPECT_EQ(h, 32);
  EXPECT_EQ(depth, 8);

  const ScanTarget four[] = {&w, &h, &depth, &extra};
  EXPECT_EQ(ScanFormatted("256x128x4x2", "%dx%dx%dx%d", four), 4);
  EXPECT_EQ(extra, 2);
}

TEST(ScanFormattedTest, StopsAtTheFirstMismatchLeavingLaterTargets) {
  std::int32_t w = 0, h = 77;
  const ScanTarget targets[] = {&w, &h};
  EXPECT_EQ(ScanFormatted("64 by 32", "%dx%d", targets), 1);
  EXPECT_EQ(w, 64);
  EXPECT_EQ(h, 77);
  EXPECT_EQ(ScanFormatted("abc", "%d", targets), 0);
  EXPECT_EQ(ScanFormatted("", "%d", targets), 0);
  EXPECT_EQ(ScanFormatted("5", "", targets), 0);
}

TEST(ScanFormattedTest, SkipsLeadingSpacesAndKeepsTheSign) {
  std::int32_t value = 0;
  const ScanTarget targets[] = {&value};
  EXPECT_EQ(ScanFormatted("  -5", "%d", targets), 1);
  EXPECT_EQ(value, -5);
  EXPECT_EQ(ScanFormatted("size: 12 px", " size:%d", targets), 1);
  EXPECT_EQ(value, 12);
}

TEST(ScanFormattedTest, LiteralsSkipAheadToTheirNextOccurrence) {
  std::int32_t a = 0, b = 0;
  const ScanTarget targets[] = {&a, &b};
  EXPECT_EQ(ScanFormatted("10 and then x 20", "%dx%d", targets), 2);
  EXPECT_EQ(a, 10);
  EXPECT_EQ(b, 20);
  // A literal found only at the very last character leaves nothing to read.
  EXPECT_EQ(ScanFormatted("10x", "%dx%d", targets), 1);
}

TEST(ScanFormattedTest, MalformedNumbersAreConversionFailures) {
  std::int32_t value = 3;
  const ScanTarget targets[] = {&value};
  EXPECT_THROW(ScanFormatted("1-2x", "%dx", targets), ConversionError);
  EXPECT_THROW(ScanFormatted("-", "%d", targets), ConversionError);
  EXPECT_THROW(ScanFormatted("99999999999", "%d", targets), ConversionError);
  EXPECT_EQ(value, 3);
  try {
    ScanFormatted("4+", "%d", targets);
    FAIL();
  } catch (const ConversionError& error) {
    EXPECT_STREQ(error.what(), "'4+' is not a valid integer value");
  }
}

TEST(ScanFormattedTest, RealsAndWords) {
  long double real = 0;
  std::string word;
  const ScanTarget targets[] = {&real, &word};
  EXPECT_EQ(ScanFormatted(" 2.5e1 meters", "%f%s", targets), 2);
  EXPECT_EQ(real, 25.0L);
  EXPECT_EQ(word, "meters");
  EXPECT_THROW(ScanFormatted("1.2.3", "%f", targets), ConversionError);
}

TEST(ScanFormattedTest, RealsFollowTheUserSeparator) {
  SetDecimalSeparator(',');
  long double real = 0;
  const ScanTarget targets[] = {&real};
  // The run stops at the comma; "1" alone is a valid real.
  EXPECT_EQ(ScanFormatted("1,5", "%f", targets), 1);
  EXPECT_EQ(real, 1.0L);
  EXPECT_THROW(ScanFormatted("1.5", "%f", targets), ConversionError);
  SetDecimalSeparator('.');
}

TEST(ScanFormattedTest, TargetOfTheWrongKindStopsTheScan) {
  long double real = 0;
  const ScanTarget targets[] = {&real};
  EXPECT_EQ(ScanFormatted("5", "%d", targets), 0);
  EXPECT_EQ(real, 0.0L);
}

}  // namespace
}  // namespace exportlib
