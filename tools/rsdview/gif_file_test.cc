// Animated GIFs read back with the library's decoder: size, frames, delays,
// the looping extension, and every pixel's colour.
#include "tools/rsdview/gif_file.h"

#include <gif_lib.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "testing/file_bytes.h"
#include "testing/temp_folder.h"

namespace rsdview {
namespace {

namespace fs = std::filesystem;

struct GifCloser {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};

class GifFile : public ::testing::Test {
 protected:
  const gannet_testing::TempFolder scratch_{"gif"};
  const fs::path& folder_ = scratch_.path();
};

TEST(GifPalette, KeepsCubeColoursAndGreysAndTakesTheNearestOtherwise) {
  for (const Rgb exact : {Rgb{0, 0, 0}, Rgb{255, 255, 255}, Rgb{51, 204, 102}, Rgb{255, 0, 153}}) {
    EXPECT_EQ(GifPaletteColor(GifColorIndex(exact)), exact);
  }
  // A grey between cube levels goes to a grey entry.
  EXPECT_EQ(GifPaletteColor(GifColorIndex({40, 44, 52})), (Rgb{45, 45, 45}));
  const Rgb near = GifPaletteColor(GifColorIndex({250, 10, 100}));
  EXPECT_EQ(near, (Rgb{255, 0, 102}));
}

TEST_F(GifFile, HoldsEveryFrameLoopingWithItsDelay) {
  Canvas first(3, 2, {0, 0, 0}), second(3, 2, {255, 255, 255});
  first.Set(2, 1, {255, 0, 0});
  second.Set(0, 0, {51, 102, 153});
  const fs::path path = folder_ / "a.gif";
  const std::optional<std::string> bytes = GifBytes({first, second}, 30);
  ASSERT_TRUE(bytes);
  gannet_testing::WriteBytes(path, *bytes);

  int error = 0;
  std::unique_ptr<GifFileType, GifCloser> gif(DGifOpenFileName(path.c_str(), &error));
  ASSERT_TRUE(gif);
  ASSERT_EQ(DGifSlurp(gif.get()), GIF_OK);
  EXPECT_EQ(gif->SWidth, 3);
  EXPECT_EQ(gif->SHeight, 2);
  ASSERT_EQ(gif->ImageCount, 2);
  ASSERT_NE(gif->SColorMap, nullptr);
  const auto color_at = [&](int image, int x, int y) {
    const SavedImage& saved = gif->SavedImages[image];
    const GifColorType c = gif->SColorMap->Colors[saved.RasterBits[y * 3 + x]];
    return Rgb{c.Red, c.Green, c.Blue};
  };
  EXPECT_EQ(color_at(0, 0, 0), (Rgb{0, 0, 0}));
  EXPECT_EQ(color_at(0, 2, 1), (Rgb{255, 0, 0}));
  EXPECT_EQ(color_at(1, 0, 0), (Rgb{51, 102, 153}));
  EXPECT_EQ(color_at(1, 1, 1), (Rgb{255, 255, 255}));

  GraphicsControlBlock control;
  ASSERT_EQ(DGifSavedExtensionToGCB(gif.get(), 1, &control), GIF_OK);
  EXPECT_EQ(control.DelayTime, 3);
  bool loops = false;
  const SavedImage& image = gif->SavedImages[0];
  for (int i = 0; i + 1 < image.ExtensionBlockCount; ++i) {
    const ExtensionBlock& block = image.ExtensionBlocks[i];
    if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
        std::string(reinterpret_cast<const char*>(block.Bytes), 11) == "NETSCAPE2.0") {
      const ExtensionBlock& data = image.ExtensionBlocks[i + 1];
      loops = data.ByteCount == 3 && data.Bytes[0] == 1 && data.Bytes[1] == 0 && data.Bytes[2] == 0;
    }
  }
  EXPECT_TRUE(loops);
}

TEST(GifBytes, NoFramesNoFile) {
  EXPECT_EQ(GifBytes({}, 30), std::nullopt);
}

}  // namespace
}  // namespace rsdview
