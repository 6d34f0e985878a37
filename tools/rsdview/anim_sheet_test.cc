// The frames of a pack on their base model: every frame at one scale and
// place, the sheet's layout, and frames that do not fit the model.
#include "tools/rsdview/anim_sheet.h"

#include <gtest/gtest.h>

#include "tools/rsdformat/read_error.h"
#include "tools/rsdview/tmd_model.h"

namespace rsdview {
namespace {

// One unlit red square, 10 units wide.
Model Square() {
  rsd2tmd::TmdModel tmd;
  tmd.vertices = {{0, 0, 0, 0}, {10, 0, 0, 0}, {0, 10, 0, 0}, {10, 10, 0, 0}};
  rsd2tmd::TmdPolygon square;
  square.corners = 4;
  square.lit = false;
  square.colours[0] = {255, 0, 0};
  square.vertices = {0, 1, 2, 3};
  tmd.polygons = {square};
  return ModelFromTmd(tmd, {});
}

// The square moved `dx` units to the right.
PackFrame Moved(std::int16_t dx) {
  return {{{dx, 0, 0, 0},
           {static_cast<std::int16_t>(dx + 10), 0, 0, 0},
           {dx, 10, 0, 0},
           {static_cast<std::int16_t>(dx + 10), 10, 0, 0}},
          {}};
}

// Columns of `canvas` in row `y` that are not background.
std::pair<int, int> Span(const Canvas& canvas, int y) {
  int left = -1, right = -1;
  for (int x = 0; x < canvas.width(); ++x) {
    if (!(canvas.At(x, y) == kRenderBackground)) {
      left = left < 0 ? x : left;
      right = x;
    }
  }
  return {left, right};
}

TEST(AnimationFrames, AreFramedAlikeSoTheMotionShows) {
  PackFile pack;
  pack.frames = {Moved(0), Moved(10), Moved(20)};
  const std::vector<Canvas> frames =
      RenderFrames(FramesOnModel(pack, Square(), "M.PCK"), View::kFront, {64, false});
  ASSERT_EQ(frames.size(), 3u);
  // 30 units fill 64 - 2 * 4 pixels: the square is a third of that, and it
  // moves by a third each frame.
  EXPECT_EQ(Span(frames[0], 32), (std::pair{4, 22}));
  EXPECT_EQ(Span(frames[1], 32), (std::pair{23, 40}));
  EXPECT_EQ(Span(frames[2], 32), (std::pair{41, 59}));
  EXPECT_EQ(frames[1].At(30, 32), (Rgb{255, 0, 0}));
}

TEST(AnimationFrames, ThatDoNotFitTheBaseModelAreRefused) {
  PackFile pack;
  pack.frames = {Moved(0), {{{0, 0, 0, 0}}, {}}};
  try {
    FramesOnModel(pack, Square(), "M.PCK");
    FAIL() << "no refusal";
  } catch (const rsdformat::ReadError& error) {
    EXPECT_STREQ(error.what(),
                 "M.PCK: its frames hold 1 vertices and 0 normals, the base model 4 and 0");
  }
  pack.frames = {{Moved(0).vertices, {{0, 0, 4096, 0}}}};
  EXPECT_THROW(FramesOnModel(pack, Square(), "M.PCK"), rsdformat::ReadError);
}

TEST(ContactSheet, PutsEightFramesToARowAndNumbersThem) {
  std::vector<Canvas> frames;
  for (int i = 0; i < 10; ++i) {
    frames.emplace_back(20, 16, Rgb{static_cast<std::uint8_t>(i * 20), 0, 0});
  }
  const Canvas sheet = ContactSheet(frames);
  EXPECT_EQ(sheet.width(), 8 * 20);
  EXPECT_EQ(sheet.height(), 2 * 16);
  EXPECT_EQ(sheet.At(7 * 20 + 15, 12), (Rgb{140, 0, 0}));
  EXPECT_EQ(sheet.At(1 * 20 + 15, 16 + 12), (Rgb{180, 0, 0}));
  EXPECT_EQ(sheet.At(5 * 20 + 15, 16 + 12), kRenderBackground);  // no eleventh frame
  EXPECT_EQ(sheet.At(20, 12), (Rgb{90, 90, 90}));                // the line between frames
  // The label of frame 9 is drawn in its corner.
  bool labelled = false;
  for (int y = 16 + 3; y < 16 + 10; ++y) {
    for (int x = 20 + 3; x < 20 + 9; ++x) {
      labelled = labelled || sheet.At(x, y) == Rgb{220, 220, 220};
    }
  }
  EXPECT_TRUE(labelled);
  EXPECT_EQ(ContactSheet({frames[0]}).width(), 20);
}

}  // namespace
}  // namespace rsdview
