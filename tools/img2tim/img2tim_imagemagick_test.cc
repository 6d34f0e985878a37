// The converter against the real tools: ImageMagick writes the BMP files the
// exporter hands over, and ImageMagick's own TIM reader checks the result.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "tools/img2tim/bmp_image.h"

namespace img2tim {
namespace {

std::string Shell(const std::string& command) {
  std::string output;
  FILE* pipe = popen((command + " 2>&1").c_str(), "r");
  if (pipe == nullptr) {
    return output;
  }
  char buffer[4096];
  for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
    output.append(buffer, n);
  }
  pclose(pipe);
  return output;
}

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

std::uint8_t FiveBitsSeenByReader(std::uint8_t channel) {
  const int five = (channel * 31 + 127) / 255;
  return static_cast<std::uint8_t>((five << 3) | (five >> 2));
}

class Img2timWithImageMagick : public ::testing::TestWithParam<int> {
 protected:
  Img2timWithImageMagick() {
    std::string pattern = (std::filesystem::temp_directory_path() / "img2tim-XXXXXX").string();
    folder_ = mkdtemp(pattern.data());
  }
  ~Img2timWithImageMagick() override { std::filesystem::remove_all(folder_); }
  std::filesystem::path folder_;
};

TEST_P(Img2timWithImageMagick, PixelsSurviveTheRoundTrip) {
  const int depth = GetParam();
  const std::string source = (folder_ / "src.bmp").string();
  const std::string resized = (folder_ / "src-resized.bmp").string();
  const std::string tim = (folder_ / "src.tim").string();
  Shell("convert -size 40x24 gradient:red-blue -swirl 120 \"" + source + "\"");
  ASSERT_TRUE(std::filesystem::exists(source));
  // The exporter's convert command for this depth.
  Shell("convert -verbose    -auto-level -resize 40!x24! -type palette -depth " +
        std::to_string(depth) + " -colors " + std::to_string(1 << depth) + " \"" + source +
        "\" \"" + resized + "\"");
  const std::string printed =
      Shell(std::string(IMG2TIM_PATH) + "  -bpp " + std::to_string(depth) +
            " -tcol 0 0 0 -org 640  0  -plt 640 256  -o \"" + tim + "\"   \"" + resized + "\"");
  EXPECT_EQ(printed.find("ERROR"), std::string::npos) << printed;
  EXPECT_EQ(printed.find("Invalid"), std::string::npos) << printed;

  const std::string identified = Shell("identify \"" + tim + "\"");
  EXPECT_NE(identified.find(" TIM 40x24 "), std::string::npos) << identified;

  std::string error;
  const auto bmp = DecodeBmp(ReadFile(resized), error);
  ASSERT_TRUE(bmp) << error;
  const std::string raw = (folder_ / "back.rgb").string();
  Shell("convert \"tim:" + tim + "\" -depth 8 \"rgb:" + raw + "\"");
  const std::string back = ReadFile(raw);
  ASSERT_EQ(back.size(), 40u * 24u * 3u);
  int mismatches = 0;
  for (std::size_t i = 0; i < bmp->pixels.size(); ++i) {
    const Rgb& p = bmp->pixels[i];
    const bool transparent = p == Rgb{0, 0, 0};
    const std::uint8_t want[3] = {transparent ? std::uint8_t{0} : FiveBitsSeenByReader(p.red),
                                  transparent ? std::uint8_t{0} : FiveBitsSeenByReader(p.green),
                                  transparent ? std::uint8_t{0} : FiveBitsSeenByReader(p.blue)};
    for (int c = 0; c < 3; ++c) {
      mismatches += static_cast<std::uint8_t>(back[i * 3 + c]) != want[c] ? 1 : 0;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(Depths, Img2timWithImageMagick, ::testing::Values(4, 8, 16));

TEST(Img2timProgram, ReportsProblemsWithTheExportersWords) {
  const std::string missing = Shell(std::string(IMG2TIM_PATH) +
                                    " -bpp 4 -o /nonexistent/x.tim "
                                    "/nonexistent/in.bmp");
  EXPECT_EQ(missing.rfind("ERROR: cannot read /nonexistent/in.bmp", 0), 0u) << missing;
  const std::string bad = Shell(std::string(IMG2TIM_PATH) + " -bpp 12 in.bmp");
  EXPECT_EQ(bad.rfind("Invalid bit depth 12", 0), 0u) << bad;
}

}  // namespace
}  // namespace img2tim
