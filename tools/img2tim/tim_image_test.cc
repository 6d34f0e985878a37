#include "tools/img2tim/tim_image.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/img2tim/testing/image_bytes.h"

namespace img2tim {
namespace {

const Rgb kBlack{0, 0, 0}, kRed{255, 0, 0}, kGreen{0, 255, 0}, kBlue{0, 0, 255},
    kWhite{255, 255, 255};

Image Palettized(int width, int height, int bits, std::vector<Rgb> palette,
                 std::vector<std::uint8_t> indices) {
  Image image;
  image.width = width;
  image.height = height;
  image.bits_per_pixel = bits;
  for (std::uint8_t index : indices) {
    image.pixels.push_back(palette[index]);
  }
  image.palette = std::move(palette);
  image.indices = std::move(indices);
  return image;
}

Image TrueColour(int width, int height, std::vector<Rgb> pixels,
                 std::vector<std::uint8_t> alpha = {}) {
  Image image;
  image.width = width;
  image.height = height;
  image.bits_per_pixel = alpha.empty() ? 24 : 32;
  image.pixels = std::move(pixels);
  image.alpha = std::move(alpha);
  return image;
}

using test_files::Hex;

std::string Encoded(const Image& image, const TimSettings& settings) {
  std::string error;
  const std::optional<std::string> tim = EncodeTim(image, settings, error);
  EXPECT_TRUE(tim) << error;
  return tim ? Hex(*tim) : "";
}

std::string Refusal(const Image& image, const TimSettings& settings) {
  std::string error;
  EXPECT_FALSE(EncodeTim(image, settings, error));
  return error;
}

TEST(TimImage, TransparencyAndTheSemiTransparencyBit) {
  TimSettings plain;
  EXPECT_EQ(TimColor(kRed, kOpaque, plain), 0x001F);
  EXPECT_EQ(TimColor(kGreen, kOpaque, plain), 0x03E0);
  EXPECT_EQ(TimColor(kBlue, kOpaque, plain), 0x7C00);
  // Rounded, not truncated: #070707 stays a colour, and what still rounds
  // to zero is drawn black, never left out.
  EXPECT_EQ(TimColor({7, 7, 7}, kOpaque, plain), 0x0421);
  EXPECT_EQ(TimColor({3, 3, 3}, kOpaque, plain), 0x8000);
  // Pure black is the console's transparent colour unless -b.
  EXPECT_EQ(TimColor(kBlack, kOpaque, plain), 0x0000);
  TimSettings black = plain;
  black.opaque_black = true;
  EXPECT_EQ(TimColor(kBlack, kOpaque, black), 0x8000);
  // -tcol wins over -b: a named colour is always transparent.
  black.transparent = kBlack;
  EXPECT_EQ(TimColor(kBlack, kOpaque, black), 0x0000);
  black.transparent = kWhite;
  EXPECT_EQ(TimColor(kWhite, kOpaque, black), 0x0000);
  EXPECT_EQ(TimColor(kBlack, kOpaque, black), 0x8000);

  TimSettings semi = plain;
  semi.semi_transparent = true;
  EXPECT_EQ(TimColor(kRed, kOpaque, semi), 0x801F);
  EXPECT_EQ(TimColor(kBlack, kOpaque, semi), 0x0000);

  // Alpha counts only with -usealpha: below the threshold transparent, up
  // to 254 semi-transparent, 255 opaque.
  EXPECT_EQ(TimColor(kRed, 0, plain), 0x001F);
  TimSettings alpha = plain;
  alpha.use_alpha = true;
  EXPECT_EQ(TimColor(kRed, 127, alpha), 0x0000);
  EXPECT_EQ(TimColor(kRed, 128, alpha), 0x801F);
  EXPECT_EQ(TimColor(kRed, 254, alpha), 0x801F);
  EXPECT_EQ(TimColor(kRed, 255, alpha), 0x001F);
  alpha.alpha_threshold = 0;
  EXPECT_EQ(TimColor(kRed, 0, alpha), 0x801F);
  alpha.alpha_threshold = 255;
  EXPECT_EQ(TimColor(kRed, 254, alpha), 0x0000);
}

TEST(TimImage, SixteenBitFileWithAlphaIsExact) {
  // Black, red, green at alpha 100, blue at alpha 200.
  const Image image = TrueColour(4, 1, {kBlack, kRed, kGreen, kBlue}, {255, 255, 100, 200});
  TimSettings settings;  // default place 640,0 and the source's depth: 16
  settings.use_alpha = true;
  const std::string header =
      "10000000"
      "02000000"
      "14000000"
      "8002"
      "0000"
      "0400"
      "0100";
  EXPECT_EQ(Encoded(image, settings), header +
                                          "0000"
                                          "1f00"
                                          "0000"
                                          "00fc");
  settings.opaque_black = true;
  settings.alpha_threshold = 90;
  EXPECT_EQ(Encoded(image, settings), header +
                                          "0080"
                                          "1f00"
                                          "e083"
                                          "00fc");
}

TEST(TimImage, FourBitFileKeepsThePaletteAndIsExact) {
  TimSettings settings;
  settings.bits_per_pixel = 4;
  settings.transparent = kWhite;
  settings.transparent_index = 2;
  settings.semi_transparent = true;
  settings.image_x = 320;
  settings.image_y = 8;
  settings.palette_x = 16;
  settings.palette_y = 500;
  // 5 x 1: one word and a padded one. Entry 2 (green) is named by -tindex,
  // white by -tcol; black is transparent, red takes the STP bit.
  const Image image = Palettized(5, 1, 8, {kBlack, kRed, kGreen, kWhite}, {1, 2, 0, 3, 1});
  EXPECT_EQ(Encoded(image, settings),
            "10000000"  // id
            "08000000"  // 4-bit with palette
            "2c000000"
            "1000"
            "f401"
            "1000"
            "0100"  // 12 + 32 bytes at 16,500, 16 x 1
            "0000"
            "1f80"
            "0000"
            "0000" +
                std::string(12 * 4, '0') +
                "10000000"
                "4001"
                "0800"
                "0200"
                "0100"  // 12 + 4 bytes at 320,8, 2 words x 1 row
                "2130"
                "0100");
}

TEST(TimImage, DepthFollowsTheSourceUnlessAsked) {
  TimSettings settings;
  const Image two_colours = Palettized(2, 1, 1, {kRed, kBlue}, {1, 0});
  EXPECT_EQ(TimDepth(two_colours, settings), 4);
  EXPECT_EQ(TimDepth(Palettized(2, 1, 8, {kRed, kBlue}, {1, 0}), settings), 8);
  EXPECT_EQ(TimDepth(TrueColour(1, 1, {kRed}), settings), 16);
  settings.bits_per_pixel = 16;
  EXPECT_EQ(TimDepth(two_colours, settings), 16);
  EXPECT_EQ(Encoded(two_colours, settings),
            "10000000"
            "02000000"
            "10000000"
            "8002"
            "0000"
            "0200"
            "0100"
            "007c"
            "1f00");
  // An 8-bit TIM of a 1-bit image: 256 entries, the two first in use.
  settings.bits_per_pixel = 8;
  std::string error;
  const auto eight = EncodeTim(two_colours, settings, error);
  ASSERT_TRUE(eight) << error;
  ASSERT_EQ(eight->size(), 8u + 12 + 512 + 12 + 2);
  EXPECT_EQ(Hex(eight->substr(4, 4)), "09000000");
  EXPECT_EQ(Hex(eight->substr(20, 6)), "1f00007c0000");
  EXPECT_EQ(Hex(eight->substr(eight->size() - 2)), "0100");
}

TEST(TimImage, RebuiltPaletteInOrderOfFirstUse) {
  // Index 20 does not fit 4 bits, but only two colours are used.
  std::vector<Rgb> palette(21, Rgb{9, 9, 9});
  palette[20] = kWhite;
  const Image image = Palettized(2, 1, 8, palette, {20, 0});
  TimSettings settings;
  settings.bits_per_pixel = 4;
  std::string error;
  const auto tim = EncodeTim(image, settings, error);
  ASSERT_TRUE(tim) << error;
  EXPECT_EQ(Hex(tim->substr(20, 6)),
            "ff7f"
            "2104"
            "0000");  // white first, then (9,9,9)
  EXPECT_EQ(Hex(tim->substr(tim->size() - 2)), "1000");
  // Colours that round to the same 15 bits share an entry; -tindex names an
  // entry of the palette as built.
  const Image true_colour = TrueColour(3, 1, {kRed, {254, 1, 1}, kBlue});
  settings.transparent_index = 1;
  const auto merged = EncodeTim(true_colour, settings, error);
  ASSERT_TRUE(merged) << error;
  EXPECT_EQ(Hex(merged->substr(20, 6)), "1f0000000000");
  EXPECT_EQ(Hex(merged->substr(merged->size() - 2)), "0001");
}

TEST(TimImage, RefusesWhatDoesNotFit) {
  Image many = TrueColour(17, 1, {});
  for (int i = 0; i < 17; ++i) {
    many.pixels.push_back({static_cast<std::uint8_t>(i * 8 + 8), 0, 0});
  }
  TimSettings settings;
  settings.bits_per_pixel = 4;
  EXPECT_EQ(Refusal(many, settings),
            "the image has 17 colours in 15 bits, more than the 16 of a 4-bit TIM");
  settings.transparent_index = 16;
  EXPECT_EQ(Refusal(Palettized(1, 1, 4, {kRed}, {0}), settings),
            "-tindex 16 is past the 16 palette entries of a 4-bit TIM");
  settings.bits_per_pixel = 16;
  EXPECT_EQ(Refusal(many, settings),
            "-tindex 16 names a palette entry, but the image has none and the TIM is 16-bit");
}

TEST(TimImage, SixteenBitTindexNamesTheSourcesEntry) {
  TimSettings settings;
  settings.bits_per_pixel = 16;
  settings.image_x = 0;
  settings.transparent_index = 1;
  EXPECT_EQ(Encoded(Palettized(3, 1, 4, {kRed, kGreen, kBlue}, {0, 1, 2}), settings),
            "10000000"
            "02000000"
            "12000000"
            "0000"
            "0000"
            "0300"
            "0100"
            "1f00"
            "0000"
            "007c");
}

TEST(TimImage, RefusesPlacesOutsideVideoMemoryOrOffTheGrid) {
  const Image image = Palettized(64, 2, 8, {kWhite}, std::vector<std::uint8_t>(128, 0));
  TimSettings settings;
  settings.bits_per_pixel = 16;
  settings.image_x = 1000;
  EXPECT_EQ(Refusal(image, settings),
            "image at 1000,0 does not fit video memory: 64 columns x 2 rows end at 1064,2, "
            "beyond its 1024 x 512");
  settings.image_x = 0;
  settings.image_y = 511;
  EXPECT_EQ(Refusal(image, settings),
            "image at 0,511 does not fit video memory: 64 columns x 2 rows end at 64,513, "
            "beyond its 1024 x 512");
  settings.image_y = 0;
  settings.bits_per_pixel = 8;
  settings.palette_x = 800;
  EXPECT_EQ(Refusal(image, settings),
            "palette at 800,480 does not fit video memory: 256 columns x 1 row end at "
            "1056,481, beyond its 1024 x 512");
  settings.palette_x = 5;
  settings.palette_y = 0;
  EXPECT_EQ(Refusal(image, settings),
            "palette at 5,0 is off the 16-column grid: x must be a multiple of 16");
  // A 16-bit TIM has no palette to place.
  settings.bits_per_pixel = 16;
  std::string error;
  EXPECT_TRUE(EncodeTim(image, settings, error)) << error;
}

}  // namespace
}  // namespace img2tim
