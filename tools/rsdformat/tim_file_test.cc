#include "tools/rsdformat/tim_file.h"

#include <gtest/gtest.h>

#include "tools/rsdformat/read_error.h"
#include "tools/rsdformat/testing/tim_maker.h"

namespace rsdformat {
namespace {

const std::vector<img2tim::Rgb> kColors = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};

// A TIM made by the project's own img2tim, so that reader and writer agree.
std::string Encoded(int width, int height, const std::vector<std::uint8_t>& indices, int depth,
                    int x, int y) {
  return test_files::MakeTim(
      width, height, kColors,
      [&](int u, int v) { return indices[static_cast<std::size_t>(v * width + u)]; },
      {depth, x, y, 640, 300});
}

std::string ErrorOf(std::string_view bytes) {
  try {
    ParseTim(bytes, "t.tim");
  } catch (const ReadError& error) {
    return error.what();
  }
  return "no error";
}

void PutU16(std::string& bytes, std::size_t at, std::uint16_t value) {
  bytes[at] = static_cast<char>(value & 0xFF);
  bytes[at + 1] = static_cast<char>(value >> 8);
}

TEST(TimFile, FourBitTexelsThroughThePalette) {
  // 5 x 2: two columns per row, the second padded.
  const std::vector<std::uint8_t> indices = {1, 2, 0, 3, 1, 3, 3, 2, 2, 0};
  const TimFile tim = ParseTim(Encoded(5, 2, indices, 4, 704, 256), "a.tim");
  EXPECT_EQ(tim.depth, 4);
  EXPECT_EQ(tim.x, 704);
  EXPECT_EQ(tim.y, 256);
  EXPECT_EQ(tim.columns, 2);
  EXPECT_EQ(tim.rows, 2);
  EXPECT_EQ(tim.texel_width(), 8);
  ASSERT_TRUE(tim.clut);
  EXPECT_EQ(tim.clut->x, 640);
  EXPECT_EQ(tim.clut->y, 300);
  EXPECT_EQ(tim.clut->colors_per_row, 16);
  EXPECT_EQ(tim.clut->rows, 1);
  for (int v = 0; v < 2; ++v) {
    for (int u = 0; u < 5; ++u) {
      EXPECT_EQ(tim.Texel(u, v), indices[static_cast<std::size_t>(v * 5 + u)]) << u << "," << v;
    }
  }
  EXPECT_EQ(tim.Color(0, 0), 0x001F);
  EXPECT_EQ(tim.Color(1, 0), 0x03E0);
  EXPECT_EQ(tim.Color(2, 0), kTransparentColor);
  EXPECT_EQ(tim.Color(3, 0), 0x7C00);
  EXPECT_EQ(tim.Texel(7, 1), 0);  // padding
  EXPECT_EQ(tim.Texel(8, 0), 0);
  EXPECT_EQ(tim.Color(8, 0), std::nullopt);
  EXPECT_EQ(tim.Color(0, 2), std::nullopt);
  EXPECT_EQ(tim.Color(-1, 0), std::nullopt);
  EXPECT_EQ(tim.Color(0, 0, 1), std::nullopt);
}

TEST(TimFile, EightAndSixteenBitTexels) {
  const std::vector<std::uint8_t> indices = {3, 2, 1};
  const TimFile eight = ParseTim(Encoded(3, 1, indices, 8, 0, 0), "b.tim");
  EXPECT_EQ(eight.depth, 8);
  EXPECT_EQ(eight.columns, 2);
  EXPECT_EQ(eight.texel_width(), 4);
  EXPECT_EQ(eight.clut->colors_per_row, 256);
  EXPECT_EQ(eight.Texel(0, 0), 3);
  EXPECT_EQ(eight.Texel(2, 0), 1);
  EXPECT_EQ(eight.Color(1, 0), 0x03E0);
  const TimFile sixteen = ParseTim(Encoded(3, 1, indices, 16, 8, 9), "c.tim");
  EXPECT_EQ(sixteen.depth, 16);
  EXPECT_FALSE(sixteen.clut);
  EXPECT_EQ(sixteen.texel_width(), 3);
  EXPECT_EQ(sixteen.Color(0, 0), 0x7C00);
  EXPECT_EQ(sixteen.Color(2, 0), 0x001F);
}

TEST(TimFile, AnIndexBeyondAShortPaletteHasNoColour) {
  std::string bytes = Encoded(4, 1, {0, 1, 2, 3}, 4, 0, 0);
  // Shrink the CLUT to 2 colours: block length 12 + 4; keep the image block.
  const std::string image = bytes.substr(8 + 12 + 32);
  bytes = bytes.substr(0, 8 + 12 + 4);
  PutU16(bytes, 8, 16);
  PutU16(bytes, 16, 2);
  bytes += image;
  const TimFile tim = ParseTim(bytes, "short.tim");
  EXPECT_EQ(tim.Color(1, 0), 0x001F);
  EXPECT_EQ(tim.Color(2, 0), std::nullopt);
}

TEST(TimFile, EveryTruncationIsAnErrorWithItsOffset) {
  const std::string bytes = Encoded(4, 2, {0, 1, 2, 3, 3, 2, 1, 0}, 4, 0, 0);
  for (std::size_t size = 0; size < bytes.size(); ++size) {
    EXPECT_THROW(ParseTim(std::string_view(bytes.data(), size), "t.tim"), ReadError) << size;
  }
  EXPECT_EQ(ErrorOf(bytes.substr(0, 6)),
            "t.tim: byte 4: the file ends where the flag word was expected (6 bytes)");
  EXPECT_EQ(ErrorOf(bytes.substr(0, 60)),
            "t.tim: byte 60: the file ends where image columns was expected (60 bytes)");
  EXPECT_EQ(ErrorOf(bytes.substr(0, 66)),
            "t.tim: byte 64: image data needs 4 bytes, the file has 2 left");
  EXPECT_EQ(ErrorOf(bytes + "trailing"), "no error");
}

TEST(TimFile, HeaderErrorsNameTheValue) {
  const std::string bytes = Encoded(4, 1, {0, 1, 2, 3}, 4, 0, 0);
  std::string bad = bytes;
  bad[0] = 0x11;
  EXPECT_EQ(ErrorOf(bad), "t.tim: byte 0: id 0x11 is not a TIM file's 0x10");
  bad = bytes;
  bad[4] = 0x0B;
  EXPECT_EQ(ErrorOf(bad),
            "t.tim: byte 4: flags 0xB are not 4-, 8- or 16-bit (0, 1 or 2, plus 8 with a CLUT)");
  bad = bytes;
  bad[5] = 0x01;
  EXPECT_THROW(ParseTim(bad, "t.tim"), ReadError);
  bad = bytes;
  PutU16(bad, 8, 46);
  EXPECT_EQ(ErrorOf(bad),
            "t.tim: byte 8: CLUT block length 46 does not match 16 x 1 (expected 44)");
  bad = bytes;
  PutU16(bad, 8 + 44 + 8, 0);
  EXPECT_EQ(ErrorOf(bad), "t.tim: byte 60: image of 0 x 1 is empty");
}

TEST(TimFile, ColoursWidenToEightBits) {
  EXPECT_EQ(ColorToRgb(0x7FFF), (Rgb{255, 255, 255}));
  EXPECT_EQ(ColorToRgb(0x8000), (Rgb{0, 0, 0}));
  EXPECT_EQ(ColorToRgb(0x001F | (16 << 5) | (1 << 10)), (Rgb{255, 132, 8}));
  EXPECT_TRUE(SemiTransparentBit(0x8000));
  EXPECT_FALSE(SemiTransparentBit(0x7FFF));
}

// The review's TIM at row 600 converted to a palette word wrapped to row 88.
TEST(TimFile, OutsideVideoMemoryNamesWhatRunsPastIt) {
  TimFile tim;
  tim.depth = 4;
  tim.x = 960;
  tim.y = 448;
  tim.columns = 64;
  tim.rows = 64;
  tim.clut = TimClut{1008, 511, 16, 1, {}};
  EXPECT_EQ(OutsideVideoMemory(tim), std::nullopt);
  tim.clut->y = 600;
  EXPECT_EQ(OutsideVideoMemory(tim),
            "palette at 1008,600 runs past video memory (columns 1008-1023, row 600; it has "
            "columns 0-1023, rows 0-511)");
  tim.x = 961;
  EXPECT_EQ(OutsideVideoMemory(tim),
            "image at 961,448 runs past video memory (columns 961-1024, rows 448-511; it has "
            "columns 0-1023, rows 0-511)");
}

}  // namespace
}  // namespace rsdformat
