#include "tools/img2tim/tim_image.h"

#include <gtest/gtest.h>

#include "tools/img2tim/command_line.h"

namespace img2tim {
namespace {

Image Palettized(int width, int height, std::vector<Rgb> palette,
                 std::vector<std::uint8_t> indices) {
  Image image;
  image.width = width;
  image.height = height;
  image.bits_per_pixel = 8;
  for (std::uint8_t index : indices) {
    image.pixels.push_back(palette[index]);
  }
  image.palette = std::move(palette);
  image.indices = std::move(indices);
  return image;
}

std::string Hex(const std::string& bytes) {
  static const char* digits = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

TEST(TimImage, ColourRules) {
  TimSettings settings;
  EXPECT_EQ(TimColor({255, 0, 0}, settings), 0x001F);
  EXPECT_EQ(TimColor({0, 255, 0}, settings), 0x03E0);
  EXPECT_EQ(TimColor({0, 0, 255}, settings), 0x7C00);
  // Near black that is not the transparent colour stays visible.
  EXPECT_EQ(TimColor({0, 0, 0}, settings), 0x8000);
  EXPECT_EQ(TimColor({4, 4, 4}, settings), 0x8000);
  settings.transparent = Rgb{0, 0, 0};
  EXPECT_EQ(TimColor({0, 0, 0}, settings), 0x0000);
  EXPECT_EQ(TimColor({4, 4, 4}, settings), 0x8000);
  settings.semi_transparent = true;
  EXPECT_EQ(TimColor({255, 0, 0}, settings), 0x801F);
  EXPECT_EQ(TimColor({0, 0, 0}, settings), 0x0000);
}

TEST(TimImage, FourBitFileIsExact) {
  TimSettings settings;
  settings.bits_per_pixel = 4;
  settings.transparent = Rgb{0, 0, 0};
  settings.image_x = 640;
  settings.palette_x = 640;
  settings.palette_y = 256;
  // 5 x 1: one word and a padded one.
  const Image image = Palettized(5, 1, {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}}, {1, 2, 0, 1, 2});
  std::string error;
  const auto tim = EncodeTim(image, settings, error);
  ASSERT_TRUE(tim) << error;
  EXPECT_EQ(Hex(*tim),
            "10000000"  // id
            "08000000"  // 4-bit with palette
            "2c000000"
            "8002"
            "0001"
            "1000"
            "0100"  // 12 + 32 bytes at 640,256, 16 x 1
            "0000"
            "1f00"
            "e003" +
                std::string(13 * 4, '0') +
                "10000000"
                "8002"
                "0000"
                "0200"
                "0100"  // 12 + 4 bytes at 640,0, 2 words x 1 row
                "2110"
                "0200");
}

TEST(TimImage, SixteenBitAndEightBit) {
  const Image image = Palettized(2, 1, {{255, 0, 0}, {0, 0, 255}}, {1, 0});
  TimSettings settings;
  std::string error;
  const auto direct = EncodeTim(image, settings, error);
  ASSERT_TRUE(direct) << error;
  EXPECT_EQ(Hex(*direct),
            "10000000"
            "02000000"
            "10000000"
            "0000"
            "0000"
            "0200"
            "0100"
            "007c"
            "1f00");
  settings.bits_per_pixel = 8;
  const auto eight = EncodeTim(image, settings, error);
  ASSERT_TRUE(eight) << error;
  ASSERT_EQ(eight->size(), 8u + 12 + 512 + 12 + 2);
  EXPECT_EQ(Hex(eight->substr(4, 4)), "09000000");
  EXPECT_EQ(Hex(eight->substr(eight->size() - 2)), "0100");
}

TEST(TimImage, RebuildsPaletteOrRefuses) {
  // Index 20 does not fit 4 bits, but only two colours are used.
  std::vector<Rgb> palette(21, Rgb{1, 2, 3});
  palette[20] = {255, 255, 255};
  const Image image = Palettized(2, 1, palette, {20, 0});
  TimSettings settings;
  settings.bits_per_pixel = 4;
  std::string error;
  const auto tim = EncodeTim(image, settings, error);
  ASSERT_TRUE(tim) << error;
  EXPECT_EQ(Hex(tim->substr(20, 4)),
            "ff7f"
            "0080");  // white first, then (1,2,3), near black but visible
  Image many;
  many.width = 17;
  many.height = 1;
  for (int i = 0; i < 17; ++i) {
    many.pixels.push_back({static_cast<std::uint8_t>(i * 8), 0, 0});
  }
  EXPECT_FALSE(EncodeTim(many, settings, error));
  EXPECT_EQ(error, "the image has more than 16 colours");
}

TEST(TimImage, RefusesPlacesOutsideVideoMemory) {
  const Image image = Palettized(64, 1, {{1, 1, 1}}, std::vector<std::uint8_t>(64, 0));
  TimSettings settings;
  settings.image_x = 1000;
  std::string error;
  EXPECT_FALSE(EncodeTim(image, settings, error));
  EXPECT_EQ(error, "image at 1000,0 does not fit video memory");
  settings.image_x = 0;
  settings.bits_per_pixel = 8;
  settings.palette_x = 800;
  EXPECT_FALSE(EncodeTim(image, settings, error));
  EXPECT_EQ(error, "palette at 800,480 does not fit video memory");
}

TEST(CommandLine, TheExportersLine) {
  std::string error;
  const auto args =
      ParseArguments({"-t", "-bpp", "8", "-tcol", "0", "0", "0", "-org", "640", "0", "-plt", "640",
                      "256", "-o", "/x/ship0.tim", "/x/ship0-resized.bmp"},
                     error);
  ASSERT_TRUE(args) << error;
  EXPECT_EQ(args->settings.bits_per_pixel, 8);
  EXPECT_TRUE(args->settings.semi_transparent);
  EXPECT_EQ(args->settings.transparent, (Rgb{0, 0, 0}));
  EXPECT_EQ(args->settings.image_x, 640);
  EXPECT_EQ(args->settings.palette_y, 256);
  EXPECT_EQ(args->output, "/x/ship0.tim");
  EXPECT_EQ(args->input, "/x/ship0-resized.bmp");
  EXPECT_EQ(ParseArguments({"a.b/pic.bmp"}, error)->output, "a.b/pic.tim");
}

TEST(CommandLine, MistakesSayInvalid) {
  std::string error;
  for (const std::vector<std::string>& args :
       std::vector<std::vector<std::string>>{{"-bpp", "24", "a.bmp"},
                                             {"-bpp"},
                                             {"-tcol", "0", "0", "a.bmp"},
                                             {"-org", "-1", "0", "a.bmp"},
                                             {"-x", "a.bmp"},
                                             {"a.bmp", "b.bmp"},
                                             {},
                                             {"-o"}}) {
    EXPECT_FALSE(ParseArguments(args, error));
    EXPECT_EQ(error.rfind("Invalid", 0), 0u) << error;
  }
}

}  // namespace
}  // namespace img2tim
