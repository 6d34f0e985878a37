#include "clayhost/texture_bmp.h"

#include <gtest/gtest.h>
#include <stb/stb_image_write.h>

#include "testing/file_bytes.h"
#include "testing/temp_folder.h"

namespace clayhost {
namespace {

using gannet_testing::ReadBytes;

class TextureBmpTest : public ::testing::Test {
 protected:
  std::string Path(const char* name) const { return (folder_ / name).string(); }

  const gannet_testing::TempFolder folder_{"clayhost_texture_bmp_test"};
};

// The BMP files the host wrote before it had a writer of its own came from
// stb; every row padding and every row order must stay as they were.
TEST_F(TextureBmpTest, FilesAreByteForByteThoseOfStb) {
  for (int width = 1; width <= 5; ++width) {
    for (int height = 1; height <= 3; ++height) {
      RgbPicture picture{width, height, {}};
      for (int i = 0; i < width * height * 3; ++i) {
        picture.rgb.push_back(static_cast<std::uint8_t>(i * 37 + width));
      }
      ASSERT_EQ(WriteBmpFile(Path("ours.bmp"), picture), std::nullopt);
      ASSERT_NE(stbi_write_bmp(Path("stb.bmp").c_str(), width, height, 3, picture.rgb.data()), 0);
      EXPECT_EQ(ReadBytes(Path("ours.bmp")), ReadBytes(Path("stb.bmp"))) << width << "x" << height;
    }
  }
  EXPECT_NE(WriteBmpFile(Path("no folder/x.bmp"), RgbPicture{1, 1, {1, 2, 3}}), std::nullopt);
}

TEST_F(TextureBmpTest, TexturesArePlainColoursOrWhatTheReaderGives) {
  Texture plain;
  plain.width = 2;
  plain.height = 1;
  plain.rgb[0] = 9;
  ASSERT_EQ(WriteTextureBmp(plain, Path("plain.bmp"), nullptr), std::nullopt);
  EXPECT_EQ(ReadBytes(Path("plain.bmp")).substr(54),
            std::string("\x80\x80\x09\x80\x80\x09\0\0", 8));

  Texture from_file;
  from_file.file = "/pictures/wood.png";
  EXPECT_EQ(WriteTextureBmp(from_file, Path("wood.bmp"), nullptr),
            "cannot read the image /pictures/wood.png: this host reads no image files");
  const ImageFileReader reader = [](const std::string& path, RgbPicture* picture) {
    *picture = {1, 1, {1, 2, 3}};
    return path == "/pictures/wood.png" ? std::nullopt
                                        : std::optional<std::string>("cannot decode " + path);
  };
  ASSERT_EQ(WriteTextureBmp(from_file, Path("wood.bmp"), reader), std::nullopt);
  EXPECT_EQ(ReadBytes(Path("wood.bmp")).substr(54), std::string("\x03\x02\x01\0", 4));
  from_file.file = "/pictures/bad.png";
  EXPECT_EQ(WriteTextureBmp(from_file, Path("bad.bmp"), reader), "cannot decode /pictures/bad.png");
  EXPECT_FALSE(std::filesystem::exists(Path("bad.bmp")));
  EXPECT_EQ(WriteTextureBmp(plain, Path("no folder/x.bmp"), nullptr),
            "cannot write " + Path("no folder/x.bmp") + ": cannot make a file in " +
                Path("no folder") + " (No such file or directory)");
}

}  // namespace
}  // namespace clayhost
