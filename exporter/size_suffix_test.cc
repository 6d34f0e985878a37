#include "exporter/size_suffix.h"

#include <gtest/gtest.h>

#include "exporter/texture_pass.h"
#include "exportlib/conversion_error.h"

namespace exporter {
namespace {

TEST(SizeSuffix, PlainSizes) {
  SizeSuffix suffix;
  ASSERT_EQ(ParseSizeSuffix("hull~256x128x8", suffix), SuffixStatus::kParsed);
  EXPECT_EQ(suffix.text, "256x128x8");
  EXPECT_EQ(suffix.grey_option, " ");
  EXPECT_EQ(suffix.width, 256);
  EXPECT_EQ(suffix.height, 128);
  EXPECT_EQ(suffix.depth, 8);
  EXPECT_EQ(suffix.width_text, "256");
  EXPECT_EQ(suffix.height_text, "128");
  EXPECT_TRUE(suffix.has_height_separator);
  EXPECT_FALSE(ReadVramOrigin(suffix).has_value());
}

TEST(SizeSuffix, GreyLetterEitherCaseOnlyRightAfterTheTilde) {
  SizeSuffix suffix;
  ASSERT_EQ(ParseSizeSuffix("sky~g64x32x4", suffix), SuffixStatus::kParsed);
  EXPECT_EQ(suffix.grey_option, " -colorspace gray ");
  EXPECT_EQ(suffix.text, "64x32x4");
  EXPECT_EQ(suffix.width, 64);
  ASSERT_EQ(ParseSizeSuffix("Sky~G64x32x4", suffix), SuffixStatus::kParsed);
  EXPECT_EQ(suffix.grey_option, " -colorspace gray ");
  EXPECT_EQ(suffix.text, "64x32x4");
}

TEST(SizeSuffix, OriginBlockAfterSecondTilde) {
  SizeSuffix suffix;
  ASSERT_EQ(ParseSizeSuffix("logo~128x64x16~ 768x0x640x480 ", suffix), SuffixStatus::kParsed);
  EXPECT_EQ(suffix.depth, 16);
  const std::optional<VramOrigin> origin = ReadVramOrigin(suffix);
  ASSERT_TRUE(origin.has_value());
  EXPECT_EQ(origin->image_x, 768);
  EXPECT_EQ(origin->image_y, 0);
  EXPECT_EQ(origin->palette_x, 640);
  EXPECT_EQ(origin->palette_y, 480);
  // Numbers the scan does not reach stay 0.
  ASSERT_EQ(ParseSizeSuffix("a~8x8x4~900", suffix), SuffixStatus::kParsed);
  const std::optional<VramOrigin> partial = ReadVramOrigin(suffix);
  ASSERT_TRUE(partial.has_value());
  EXPECT_EQ(partial->image_x, 900);
  EXPECT_EQ(partial->palette_y, 0);
}

TEST(SizeSuffix, MissingPieces) {
  SizeSuffix suffix;
  EXPECT_EQ(ParseSizeSuffix("plain", suffix), SuffixStatus::kNoTilde);
  // Upper-case X is not a separator.
  EXPECT_EQ(ParseSizeSuffix("hull~256X128X8", suffix), SuffixStatus::kNoWidthSeparator);
  EXPECT_EQ(suffix.text, "256X128X8");
  EXPECT_EQ(ParseSizeSuffix("hull~x128x8", suffix), SuffixStatus::kNoWidthSeparator);
  EXPECT_EQ(ParseSizeSuffix("hull~", suffix), SuffixStatus::kNoWidthSeparator);
  ASSERT_EQ(ParseSizeSuffix("hull~64x64", suffix), SuffixStatus::kParsed);
  EXPECT_FALSE(suffix.has_height_separator);
  EXPECT_EQ(suffix.height_text, "");
  EXPECT_EQ(suffix.width, 64);
  EXPECT_EQ(suffix.height, 64);
  EXPECT_EQ(suffix.depth, 0);
  ASSERT_EQ(ParseSizeSuffix("hull~64xx8", suffix), SuffixStatus::kParsed);
  EXPECT_FALSE(suffix.has_height_separator);
}

TEST(SizeSuffix, MalformedNumberIsAConversionError) {
  SizeSuffix suffix;
  EXPECT_THROW(ParseSizeSuffix("hull~6-4x64x8", suffix), exportlib::ConversionError);
}

TEST(SizeSuffix, SizeNumbersIgnoreBlanksAroundThemOnly) {
  EXPECT_EQ(SizeNumber("64"), 64);
  EXPECT_EQ(SizeNumber(" 64"), 64);
  EXPECT_EQ(SizeNumber("\t64 "), 64);
  EXPECT_EQ(SizeNumber("+8"), 8);
  EXPECT_FALSE(SizeNumber("2 56").has_value());
  EXPECT_FALSE(SizeNumber("64a").has_value());
  EXPECT_FALSE(SizeNumber("").has_value());
  EXPECT_FALSE(SizeNumber(" ").has_value());
  EXPECT_FALSE(SizeNumber("2147483648").has_value());
}

TEST(VramColumns, RoundsUpToWholeSixteenBitColumns) {
  EXPECT_EQ(VramColumns(256, 4), 64);
  EXPECT_EQ(VramColumns(256, 8), 128);
  EXPECT_EQ(VramColumns(128, 16), 128);
  EXPECT_EQ(VramColumns(65, 4), 17);
  EXPECT_EQ(VramColumns(1, 8), 1);
  EXPECT_EQ(VramColumns(0, 8), 0);
  EXPECT_EQ(VramColumns(-64, 8), 0);
}

TEST(VramCursor, PacksImagesSideBySide) {
  VramCursor cursor;
  EXPECT_EQ(cursor.Place(256, 8), 640);
  EXPECT_EQ(cursor.Place(256, 8), 768);  // 640 + 128 columns, a page start
  EXPECT_EQ(cursor.Place(64, 4), 896);
  EXPECT_EQ(cursor.Place(100, 16), 912);  // 16 columns in: 16 + 100 texels fit
}

TEST(VramCursor, MovesToTheNextPageWhenTheImageWouldLeaveItsPage) {
  VramCursor cursor;
  EXPECT_EQ(cursor.Place(32, 8), 640);  // 16 columns
  // 16 columns into the page are 32 texels at 8 bits: 32 + 224 = 256 fits.
  EXPECT_EQ(cursor.Place(224, 8), 656);
  VramCursor tight;
  tight.Place(32, 8);
  // 32 + 225 texels would reach past the page: the next page starts at 704.
  EXPECT_EQ(tight.Place(225, 8), 704);
  // 817 lies 49 columns into the page at 768: 196 texels at 4 bits, + 16 fit.
  EXPECT_EQ(tight.Place(16, 4), 704 + 113);
  VramCursor four_bit;
  four_bit.Place(8, 16);                   // 8 columns
  EXPECT_EQ(four_bit.Place(220, 4), 648);  // 32 + 220 texels fit; 55 columns
  EXPECT_EQ(four_bit.Place(8, 4), 704);    // 63 columns in: 252 + 8 texels do not
}

}  // namespace
}  // namespace exporter
