#include "exporter/texture_pass.h"

#include <gtest/gtest.h>

#include "clayhost/served_scene.h"
#include "clayhost/testing/test_scene.h"
#include "exporter/export_stop.h"
#include "exporter/testing/export_sandbox.h"

namespace exporter {
namespace {

using clayhost::ServedScene;
using clayhost::testing::NamedTexture;
using clayhost::testing::TextureParam;
using testing::ExportSandbox;

clayhost::Material Textured(const std::string& name, int texture) {
  return {name, {TextureParam("DiffuseMap", texture)}};
}

constexpr const char* kConvertShip0 =
    "# convert -verbose    -auto-level -resize 256!x128! -type palette -depth 8 -colors 256 "
    "\"C:\\out\\ship0.bmp\" \"C:\\out\\ship0-resized.bmp\"";

// The host saves every texture as a small BMP file, so the identify
// stand-in finds it.
class TexturePassTest : public ::testing::Test {
 protected:
  TexturePassTest() { std::filesystem::create_directories(sandbox_.OnDrive("out")); }

  // Runs the pass; the MAT comment lines, or the stop's message after "STOP: ".
  std::string Run(RsdExportOptions options = RsdExportOptions::ForExporter()) {
    ServedScene host(scene_, [this](const clayhost::SaveCall& call) { saves_.push_back(call); });
    std::string stop;
    const std::string mat = testing::CaptureFile([&](platform::OutputFile& file) {
      try {
        RunTexturePass(host.api(), {ServedScene::handle(), "C:\\out\\ship", options}, file,
                       textures_, exportlib::PlatformUserChannel());
      } catch (const ExportStop& error) {
        stop = error.message();
      }
    });
    EXPECT_EQ(host.diagnostics(), "");
    return stop.empty() ? mat : mat + "STOP: " + stop;
  }

  ExportSandbox sandbox_;
  clayhost::Scene scene_;
  std::vector<clayhost::SaveCall> saves_;
  TextureList textures_;
};

TEST_F(TexturePassTest, WorkedExampleWithSixteenBitColumnPlacement) {
  scene_.textures = {NamedTexture("hull.bmp"), NamedTexture("deck.bmp")};
  scene_.materials = {Textured("hull~256x128x8", 0), clayhost::Material{"bare", {}},
                      Textured("deck~64x64x4", 1)};
  EXPECT_EQ(Run(), std::string(kConvertShip0) +
                       "\r\n"
                       "# img2tim  -bpp 8 -tcol 0 0 0 -org 640  0  -plt 640 256  -o "
                       "\"C:\\out\\ship0.tim\"   \"C:\\out\\ship0-resized.bmp\"\r\n"
                       "# convert -verbose    -auto-level -resize 64!x64! -type palette -depth 4 "
                       "-colors 16 \"C:\\out\\ship1.bmp\" \"C:\\out\\ship1-resized.bmp\"\r\n"
                       // 256 pixels of 8 bits fill 128 columns: 640 + 127 + 1.
                       "# img2tim  -bpp 4 -tcol 0 0 0 -org 768  0  -plt 640 257  -o "
                       "\"C:\\out\\ship1.tim\"   \"C:\\out\\ship1-resized.bmp\"\r\n");
  EXPECT_EQ(sandbox_.ToolCalls(),
            (std::vector<std::string>{
                "/\tidentify [<C>/out/ship0.bmp]",
                "/\tconvert [-verbose] [-auto-level] [-resize] [256!x128!] [-type] [palette] "
                "[-depth] [8] [-colors] [256] [<C>/out/ship0.bmp] [<C>/out/ship0-resized.bmp]",
                "/\timg2tim [-bpp] [8] [-tcol] [0] [0] [0] [-org] [640] [0] [-plt] [640] [256] "
                "[-o] [<C>/out/ship0.tim] [<C>/out/ship0-resized.bmp]",
                "/\tidentify [<C>/out/ship1.bmp]",
                "/\tconvert [-verbose] [-auto-level] [-resize] [64!x64!] [-type] [palette] "
                "[-depth] [4] [-colors] [16] [<C>/out/ship1.bmp] [<C>/out/ship1-resized.bmp]",
                "/\timg2tim [-bpp] [4] [-tcol] [0] [0] [0] [-org] [768] [0] [-plt] [640] [257] "
                "[-o] [<C>/out/ship1.tim] [<C>/out/ship1-resized.bmp]",
            }));
  ASSERT_EQ(saves_.size(), 2u);
  EXPECT_EQ(saves_[0].path, "C:\\out\\ship0.bmp");
  EXPECT_EQ(saves_[0].format, 4);
  EXPECT_EQ(saves_[1].texture, 1);
  EXPECT_EQ(textures_.count(), 2);
  EXPECT_EQ(textures_.Size(1)->width, 64);
  EXPECT_TRUE(sandbox_.boxes().empty());
}

TEST_F(TexturePassTest, SharedTextureIsConvertedOnceWithTheFirstSuffix) {
  scene_.textures = {NamedTexture("Hull.bmp"), NamedTexture("HULL.BMP")};
  scene_.materials = {Textured("a~256x128x8", 0), Textured("b~64x64x4", 0),
                      Textured("c~64x64x4", 1)};
  EXPECT_EQ(Run().rfind(kConvertShip0, 0), 0u);
  EXPECT_EQ(textures_.count(), 1);
  EXPECT_EQ(sandbox_.ToolCalls().size(), 3u);
}

TEST_F(TexturePassTest, NameWithoutTildeKeepsItsNumber) {
  scene_.textures = {NamedTexture("a.bmp"), NamedTexture("b.bmp")};
  scene_.materials = {Textured("plain", 0), Textured("box~64x64x4", 1)};
  const std::string mat = Run();
  EXPECT_EQ(sandbox_.BoxTexts(),
            (std::vector<std::string>{"Warning: 1 No TIM created because material name "
                                      "(plain)does not end with ~256x256x8 "
                                      "(~widthxhieghtxbitwidth)"}));
  // The texture without a TIM takes no video memory.
  EXPECT_NE(mat.find("-org 640  0  -plt 640 257  -o \"C:\\out\\ship1.tim\""), std::string::npos)
      << mat;
  EXPECT_EQ(saves_.size(), 2u);
  EXPECT_FALSE(textures_.Size(0).has_value());
}

TEST_F(TexturePassTest, GreyAndOriginBlock) {
  scene_.textures = {NamedTexture("a.bmp")};
  scene_.materials = {Textured("sky~g128x64x16~768x0x640x480", 0)};
  const std::string mat = Run();
  EXPECT_NE(mat.find("# convert -verbose  -colorspace gray   -auto-level -resize 128!x64! -type "
                     "palette -depth 16 -colors 65536 "),
            std::string::npos)
      << mat;
  EXPECT_NE(mat.find("img2tim  -bpp 16 -tcol 0 0 0 -org 768  0  -plt 640 480  -o"),
            std::string::npos)
      << mat;
}

TEST_F(TexturePassTest, SizeWarningsGoOn) {
  scene_.textures = {NamedTexture("a"), NamedTexture("b"), NamedTexture("c"), NamedTexture("d"),
                     NamedTexture("e")};
  scene_.materials = {Textured("a~512x257x4", 0), Textured("b~513x8x4", 1),
                      Textured("c~256x8x8", 2), Textured("d~257x8x8", 3),
                      Textured("e~129x8x16", 4)};
  Run();
  EXPECT_EQ(sandbox_.BoxTexts(),
            (std::vector<std::string>{
                "Warning: Material texture (a~512x257x4) has hieght greater then 256!",
                "Warning: Material texture (b~513x8x4) has width greater then 512 4bit!",
                "Warning: Material texture (d~257x8x8) has width greater then 258 8bit!",
                "Warning: Material texture (e~129x8x16) has width greater then 128 16bit!"}));
  EXPECT_EQ(textures_.count(), 5);
  EXPECT_EQ(sandbox_.ToolCalls().size(), 15u);
}

TEST_F(TexturePassTest, StopsOnBadFormatOrDepth) {
  scene_.textures = {NamedTexture("a")};
  scene_.materials = {Textured("hull~256X128X8", 0)};
  EXPECT_EQ(Run(),
            "STOP: ERROR: Image format must be: ~256x256x8 (~widthxhieghtxbitwidth) on Material "
            "name: 256X128X8");
  EXPECT_EQ(saves_.size(), 1u);
  EXPECT_TRUE(sandbox_.ToolCalls().empty());
}

TEST_F(TexturePassTest, MissingHeightSeparatorWarnsThenDepthStops) {
  scene_.textures = {NamedTexture("a")};
  scene_.materials = {Textured("hull~64x64", 0)};
  EXPECT_EQ(Run(),
            "STOP: ERROR: Material texture (hull~64x64) has an incorrect bit depth, only 4,8,16 "
            "should be used!");
  EXPECT_EQ(sandbox_.BoxTexts(),
            (std::vector<std::string>{"Warning: Image format must be: ~256x256x8 "
                                      "(~widthxhieghtxbitwidth) Error: 64x64"}));
}

TEST_F(TexturePassTest, MissingBitmapStops) {
  scene_.textures = {NamedTexture("a")};
  scene_.textures[0].saves = false;
  scene_.materials = {Textured("hull~64x64x4", 0)};
  EXPECT_EQ(Run(),
            "STOP: Error: BMP not found, Texture needs manual exporting first, click material "
            "(hull~64x64x4) > DiffuseMap > Import > right click > last option.");
  EXPECT_EQ(sandbox_.ToolCalls().size(), 1u);
}

TEST_F(TexturePassTest, IdentifyWordsCountFromTheSecondCharacter) {
  scene_.textures = {NamedTexture("a")};
  scene_.materials = {Textured("hull~64x64x4", 0)};
  sandbox_.SetToolOutput("identify", "BMP only at the start");
  EXPECT_NE(Run().find("STOP: Error: BMP not found"), std::string::npos);
}

TEST_F(TexturePassTest, Img2timComplaintsStop) {
  scene_.textures = {NamedTexture("a")};
  scene_.materials = {Textured("hull~64x64x4", 0)};
  sandbox_.SetToolOutput("img2tim", "img2tim: ERROR: cannot read\n");
  const std::string first = Run();
  EXPECT_EQ(first.substr(first.find("STOP: ")), "STOP: img2tim: ERROR: cannot read\n -ERROR-");

  textures_ = {};
  sandbox_.SetToolOutput("img2tim", " Invalid depth");
  EXPECT_NE(Run().find("STOP:  Invalid depth -ERROR-"), std::string::npos);

  // img2tim itself prints its complaints at the very start.
  for (const char* output : {"ERROR: a.bmp: image at 1024,0 does not fit video memory\n",
                             "Invalid bit depth 12, only 4, 8 or 16\n"}) {
    textures_ = {};
    sandbox_.SetToolOutput("img2tim", output);
    const std::string run = Run();
    EXPECT_EQ(run.substr(run.find("STOP: ")), std::string("STOP: ") + output + " -ERROR-");
    EXPECT_FALSE(textures_.Size(0).has_value());
  }
}

TEST_F(TexturePassTest, DefaultPlacementLeavesNoColumnShared) {
  scene_.textures = {NamedTexture("a"), NamedTexture("b"), NamedTexture("c"), NamedTexture("d")};
  scene_.materials = {Textured("a~100x64x8", 0), Textured("b~64x64x4", 1),
                      Textured("c~200x32x8", 2), Textured("d~48x16x16", 3)};
  const std::string mat = Run();
  // 100 texels at 8 bits: 50 columns (640..689). 64 at 4 bits from 690 would
  // need texels 200..263 of the page at 640, so they start the page at 704
  // (16 columns). 200 at 8 bits: 32 + 200 texels fit (720..819). 48 at 16
  // bits: 52 + 48 fit (820..867).
  for (const char* origin : {"-org 640  0  -plt 640 256 ", "-org 704  0  -plt 640 257 ",
                             "-org 720  0  -plt 640 258 ", "-org 820  0  -plt 640 259 "}) {
    EXPECT_NE(mat.find(origin), std::string::npos) << origin << "\n" << mat;
  }
}

TEST_F(TexturePassTest, ImageThatWouldLeaveItsPageStartsOnTheNext) {
  scene_.textures = {NamedTexture("a"), NamedTexture("b"), NamedTexture("c")};
  scene_.materials = {Textured("a~64x64x16", 0), Textured("b~256x64x4", 1),
                      Textured("c~32x32x8", 2)};
  const std::string mat = Run();
  // 64 columns at 16 bits fill the page at 640; the 4-bit one fills the page
  // at 704; the third starts on the page at 768.
  for (const char* origin : {"-org 640  0 ", "-org 704  0 ", "-org 768  0 "}) {
    EXPECT_NE(mat.find(origin), std::string::npos) << origin << "\n" << mat;
  }
  textures_ = {};
  scene_.materials = {Textured("a~40x64x16", 0), Textured("b~256x64x4", 1),
                      Textured("c~32x32x8", 2)};
  // 40 columns in, 160 texels at 4 bits: 256 more would not fit, so the
  // 4-bit one moves to 704; the 8-bit one from 768 on.
  const std::string moved = Run();
  for (const char* origin : {"-org 640  0 ", "-org 704  0 ", "-org 768  0 "}) {
    EXPECT_NE(moved.find(origin), std::string::npos) << origin << "\n" << moved;
  }
}

TEST_F(TexturePassTest, SizeTextsAreJudgedBeforeAnythingIsConverted) {
  scene_.textures = {NamedTexture("a")};
  scene_.materials = {Textured("hull~ 64x 32 x8", 0)};
  const std::string mat = Run();
  EXPECT_EQ(mat.find("STOP"), std::string::npos) << mat;
  EXPECT_NE(mat.find("-resize 64!x32! "), std::string::npos) << mat;
  ASSERT_TRUE(textures_.Size(0).has_value());
  EXPECT_EQ(textures_.Size(0)->width, 64);
  EXPECT_EQ(textures_.Size(0)->height, 32);

  textures_ = {};
  scene_.materials = {Textured("hull~2 56x128x8", 0)};
  EXPECT_EQ(Run(),
            "STOP: Error: Image size '2 56' is not a whole number on Material name: "
            "hull~2 56x128x8");
  EXPECT_EQ(sandbox_.ToolCalls().size(), 3u);  // the first run's only
}

TEST_F(TexturePassTest, MalformedNumberNamesTheMaterial) {
  scene_.textures = {NamedTexture("a")};
  for (const char* name : {"hull~1-2x64x8", "hull~64x64x8~7-68x0x640x480"}) {
    textures_ = {};
    scene_.materials = {Textured(name, 0)};
    const std::string bad = std::string(name).find("1-2") != std::string::npos ? "1-2" : "7-68";
    EXPECT_EQ(Run(), "STOP: Error: '" + bad + "' is not a valid integer value on Material name: " +
                         name + ", the export has stopped.");
  }
  EXPECT_TRUE(sandbox_.ToolCalls().empty());
}

TEST_F(TexturePassTest, UnnamedTexturesAreSkippedAndUnreadableNamesStop) {
  scene_.textures = {NamedTexture("a", clayhost::TextureNaming::kNameless),
                     NamedTexture("b", clayhost::TextureNaming::kUnreadable)};
  scene_.materials = {Textured("one~64x64x4", 0), Textured("two~64x64x4", 1)};
  EXPECT_EQ(Run(), "STOP: Error: bad material name?? (two~64x64x4)");
  EXPECT_EQ(textures_.count(), 0);
  EXPECT_TRUE(saves_.empty());
}

TEST_F(TexturePassTest, BatchVariantSkipsConvertLineAndMarksTransparency) {
  scene_.textures = {NamedTexture("a"), NamedTexture("b")};
  clayhost::Param transparency = clayhost::testing::ColorParam("Transparency", 0, 0, 0);
  transparency.color[3] = 0;
  scene_.materials = {
      {"a~64x64x4", {TextureParam("DiffuseMap", 0), transparency}},
      {"b~64x64x4",
       {TextureParam("DiffuseMap", 1), clayhost::testing::FloatParam("Transparency", 0)}}};
  EXPECT_EQ(Run(RsdExportOptions::ForBatchTool()),
            "# img2tim  -t  -bpp 4 -tcol 0 0 0 -org 640  0  -plt 640 256  -o "
            "\"C:\\out\\ship0.tim\"   \"C:\\out\\ship0-resized.bmp\"\r\n"
            "# img2tim  -bpp 4 -tcol 0 0 0 -org 656  0  -plt 640 257  -o "
            "\"C:\\out\\ship1.tim\"   \"C:\\out\\ship1-resized.bmp\"\r\n");
  EXPECT_EQ(sandbox_.ToolCalls().size(), 6u);
  EXPECT_NE(sandbox_.ToolCalls()[2].find("img2tim [-t] [-bpp]"), std::string::npos);
}

}  // namespace
}  // namespace exporter
