// The converter against the real tools: ImageMagick writes the BMP files the
// exporter hands over, and ImageMagick's own TIM reader checks the result.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "testing/file_bytes.h"
#include "testing/program_run.h"
#include "testing/temp_folder.h"
#include "tools/img2tim/bmp_image.h"

namespace img2tim {
namespace {

// What `command` printed, standard error after standard output.
std::string Shell(const std::string& command) {
  return gannet_testing::RunShell(command).output;
}

std::uint8_t FiveBitsSeenByReader(std::uint8_t channel) {
  const int five = (channel * 31 + 127) / 255;
  return static_cast<std::uint8_t>((five << 3) | (five >> 2));
}

class Img2timWithImageMagick : public ::testing::TestWithParam<int> {
 protected:
  const gannet_testing::TempFolder scratch_{"img2tim"};
  const std::filesystem::path& folder_ = scratch_.path();
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
  const auto bmp = DecodeBmp(gannet_testing::ReadBytes(resized), error);
  ASSERT_TRUE(bmp) << error;
  const std::string raw = (folder_ / "back.rgb").string();
  Shell("convert \"tim:" + tim + "\" -depth 8 \"rgb:" + raw + "\"");
  const std::string back = gannet_testing::ReadBytes(raw);
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
