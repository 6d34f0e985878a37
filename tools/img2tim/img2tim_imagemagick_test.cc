// The converter against the real tools: ImageMagick writes the images, in
// every format and depth it has, and ImageMagick's own TIM reader checks the
// result.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

#include "testing/file_bytes.h"
#include "testing/program_run.h"
#include "testing/temp_folder.h"

namespace img2tim {
namespace {

// What `command` printed, standard error after standard output.
std::string Shell(const std::string& command) {
  return gannet_testing::RunShell(command).output;
}

std::string Quoted(const std::filesystem::path& path) {
  return gannet_testing::ShellQuoted(path.string());
}

int Five(std::uint8_t channel) {
  return (channel * 31 + 127) / 255;
}

// A channel of a TIM colour as ImageMagick's TIM reader shows it: the five
// bits are its top ones.
std::uint8_t SeenByReader(int five) {
  return static_cast<std::uint8_t>((five << 3) | (five >> 2));
}

std::uint16_t U16(const std::string& bytes, std::size_t at) {
  return static_cast<std::uint16_t>(static_cast<std::uint8_t>(bytes[at]) |
                                    (static_cast<std::uint8_t>(bytes[at + 1]) << 8));
}

// The colour map ImageMagick reads from `file`, in the file's order.
std::vector<std::vector<int>> Colormap(const std::filesystem::path& file) {
  std::istringstream lines(Shell("identify -verbose " + Quoted(file)));
  const std::regex entry(R"(^\s+\d+: \(\s*(\d+),\s*(\d+),\s*(\d+))");
  std::vector<std::vector<int>> colours;
  bool inside = false;
  for (std::string line; std::getline(lines, line);) {
    std::smatch match;
    if (line.find("Colormap:") != std::string::npos) {
      inside = true;
    } else if (inside && std::regex_search(line, match, entry)) {
      colours.push_back({std::stoi(match[1]), std::stoi(match[2]), std::stoi(match[3])});
    } else if (inside) {
      break;
    }
  }
  return colours;
}

class Img2timWithImageMagick : public ::testing::Test {
 protected:
  std::filesystem::path Path(const std::string& name) const { return scratch_ / name; }

  // A 40 x 24 image of 960 colours, black in its top left corner.
  void MakeSource() const {
    Shell(
        "convert -size 40x24 xc: -channel R -fx i/39 -channel G -fx j/23 -channel B "
        "-fx '(i*j)%7/6' +channel " +
        Quoted(Path("source.png")));
    ASSERT_TRUE(std::filesystem::exists(Path("source.png")));
  }

  // ImageMagick's reading of a TIM, 8 bits a channel.
  std::string ReadBack(const std::filesystem::path& tim) const {
    const std::filesystem::path raw = Path("back.rgb");
    Shell("convert " + Quoted("tim:" + tim.string()) + " -depth 8 " +
          Quoted("rgb:" + raw.string()));
    return gannet_testing::ReadBytes(raw);
  }

  const gannet_testing::TempFolder scratch_{"img2tim"};
};

// One kind of file ImageMagick writes, and the TIM depth img2tim gives it by default.
struct SourceKind {
  const char* name;
  const char* file;  // with ImageMagick's format prefix where the name does not say it
  const char* options;
  int depth;
  bool keeps_palette = false;  // the file stores a palette, which the TIM keeps
  bool use_alpha = false;
  bool lossy = false;  // JPEG: two decoders may differ by a step
};

constexpr const char* kAlphaRamp = "-alpha set -channel A -fx i/39 +channel";

class EveryFormat : public Img2timWithImageMagick,
                    public ::testing::WithParamInterface<SourceKind> {};

TEST_P(EveryFormat, DefaultDepthKeepsPixelsAndPalette) {
  const SourceKind& kind = GetParam();
  MakeSource();
  std::string file = kind.file;
  const std::string name = file.substr(file.find(':') + 1);
  file = file.substr(0, file.find(':') + 1) + Path(name).string();
  Shell("convert " + Quoted(Path("source.png")) + " " + kind.options + " " + Quoted(file));
  ASSERT_TRUE(std::filesystem::exists(Path(name))) << file;

  const gannet_testing::ProgramRun run = gannet_testing::RunProgram(
      kind.use_alpha ? std::vector<std::string>{IMG2TIM_PATH, "-usealpha", Path(name).string()}
                     : std::vector<std::string>{IMG2TIM_PATH, Path(name).string()});
  ASSERT_EQ(run.exit_code, 0) << run.output;
  const std::filesystem::path tim = Path(name).replace_extension(".tim");
  EXPECT_NE(run.output.find(", " + std::to_string(kind.depth) + "-bit, image at 640,0"),
            std::string::npos)
      << run.output;

  // Rows in the order the file's origin flag gives them, as img2tim reads
  // them (ImageMagick keeps a TGA's stored order unless asked).
  Shell("convert " + Quoted(Path(name)) + " -auto-orient -depth 8 " +
        Quoted("rgba:" + Path("src.rgba").string()));
  const std::string source = gannet_testing::ReadBytes(Path("src.rgba"));
  const std::string back = ReadBack(tim);
  ASSERT_EQ(source.size(), 40u * 24u * 4u);
  ASSERT_EQ(back.size(), 40u * 24u * 3u);
  int mismatches = 0;
  for (std::size_t p = 0; p < 40 * 24; ++p) {
    const auto channel = [&](int c) { return static_cast<std::uint8_t>(source[p * 4 + c]); };
    const bool black = channel(0) == 0 && channel(1) == 0 && channel(2) == 0;
    const bool transparent = black || (kind.use_alpha && channel(3) < 128);
    for (int c = 0; c < 3; ++c) {
      const int want = transparent ? 0 : Five(channel(c));
      const int got = static_cast<std::uint8_t>(back[p * 3 + c]) >> 3;
      mismatches += std::abs(want - got) > (kind.lossy ? 1 : 0) ? 1 : 0;
    }
  }
  EXPECT_EQ(mismatches, 0);

  // A palettized source keeps its palette, in its order.
  if (!kind.keeps_palette) {
    return;
  }
  const std::vector<std::vector<int>> colormap = Colormap(Path(name));
  const std::string bytes = gannet_testing::ReadBytes(tim);
  ASSERT_FALSE(colormap.empty());
  ASSERT_LE(colormap.size(), std::size_t{1} << kind.depth);
  for (std::size_t i = 0; i < colormap.size(); ++i) {
    const std::vector<int>& c = colormap[i];
    const int value = Five(static_cast<std::uint8_t>(c[0])) |
                      (Five(static_cast<std::uint8_t>(c[1])) << 5) |
                      (Five(static_cast<std::uint8_t>(c[2])) << 10);
    const bool black = c[0] == 0 && c[1] == 0 && c[2] == 0;
    EXPECT_EQ(U16(bytes, 20 + 2 * i), black ? 0 : value == 0 ? 0x8000 : value) << "entry " << i;
  }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, EveryFormat,
    ::testing::Values(
        SourceKind{"png_palette_4_bits", "p.png", "-type palette -colors 4", 4, true},
        SourceKind{"png_palette_8_bits", "p.png", "-type palette -colors 100", 8, true},
        SourceKind{"png_grey", "g.png", "-colorspace gray -depth 8", 8},
        SourceKind{"png_rgb", "PNG24:t.png", "", 16},
        SourceKind{"png_rgba", "PNG32:t.png", kAlphaRamp, 16, false, true},
        SourceKind{"tga_colour_mapped", "m.tga", "-type palette -colors 100", 8, true},
        SourceKind{"tga_rgb", "t.tga", "-type truecolor", 16},
        SourceKind{"tga_rgba", "t.tga", kAlphaRamp, 16, false, true},
        SourceKind{"jpeg", "c.jpg", "-quality 95", 16, false, false, true},
        SourceKind{"jpeg_grey", "g.jpg", "-colorspace gray -quality 95", 8, false, false, true},
        SourceKind{"bmp_1_bit", "b.bmp", "-type bilevel", 4, true},
        SourceKind{"bmp_4_bits", "b.bmp", "-type palette -colors 16 -compress none", 4, true},
        SourceKind{"bmp_8_bits", "b.bmp", "-type palette -colors 100 -compress none", 8, true},
        SourceKind{"bmp_8_bits_rle", "b.bmp", "-type palette -colors 100 -compress rle", 8, true},
        SourceKind{"bmp_os2", "BMP2:b.bmp", "-type palette -colors 100", 8, true},
        SourceKind{"bmp_16_bits", "b.bmp", "-define bmp:subtype=RGB565", 16},
        SourceKind{"bmp_16_bits_alpha", "b.bmp",
                   "-alpha set -channel A -fx 'i<20?0:1' +channel -define bmp:subtype=ARGB1555", 16,
                   false, true},
        SourceKind{"bmp_24_bits", "b.bmp", "-type truecolor", 16},
        SourceKind{"bmp_32_bits_alpha", "b.bmp", kAlphaRamp, 16, false, true}),
    [](const ::testing::TestParamInfo<SourceKind>& kind) { return std::string(kind.param.name); });

// The exporter's convert and img2tim commands at each depth.
class ExportersCommands : public Img2timWithImageMagick,
                          public ::testing::WithParamInterface<int> {};

TEST_P(ExportersCommands, PixelsSurviveTheRoundTrip) {
  const int depth = GetParam();
  const std::filesystem::path source = Path("src.bmp");
  const std::filesystem::path resized = Path("src-resized.bmp");
  const std::filesystem::path tim = Path("src.tim");
  Shell("convert -size 40x24 gradient:red-blue -swirl 120 " + Quoted(source));
  ASSERT_TRUE(std::filesystem::exists(source));
  Shell("convert -verbose    -auto-level -resize 40!x24! -type palette -depth " +
        std::to_string(depth) + " -colors " + std::to_string(1 << depth) + " " + Quoted(source) +
        " " + Quoted(resized));
  const std::string printed =
      Shell(std::string(IMG2TIM_PATH) + "  -bpp " + std::to_string(depth) +
            " -tcol 0 0 0 -org 640  0  -plt 640 256  -o " + Quoted(tim) + "   " + Quoted(resized));
  EXPECT_EQ(printed.find("ERROR"), std::string::npos) << printed;
  EXPECT_EQ(printed.find("Invalid"), std::string::npos) << printed;

  const std::string identified = Shell("identify " + Quoted(tim));
  EXPECT_NE(identified.find(" TIM 40x24 "), std::string::npos) << identified;

  Shell("convert " + Quoted(resized) + " -depth 8 " + Quoted("rgb:" + Path("src.rgb").string()));
  const std::string pixels = gannet_testing::ReadBytes(Path("src.rgb"));
  const std::string back = ReadBack(tim);
  ASSERT_EQ(pixels.size(), 40u * 24u * 3u);
  ASSERT_EQ(back.size(), pixels.size());
  int mismatches = 0;
  for (std::size_t p = 0; p < 40 * 24; ++p) {
    const bool black = pixels[p * 3] == 0 && pixels[p * 3 + 1] == 0 && pixels[p * 3 + 2] == 0;
    for (int c = 0; c < 3; ++c) {
      const std::uint8_t want =
          black ? 0 : SeenByReader(Five(static_cast<std::uint8_t>(pixels[p * 3 + c])));
      mismatches += static_cast<std::uint8_t>(back[p * 3 + c]) != want ? 1 : 0;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(Depths, ExportersCommands, ::testing::Values(4, 8, 16));

}  // namespace
}  // namespace img2tim
