// Screenshots of the console program read back for the emulator tests: the
// colour at a point, and how far two pictures of the same view agree.
#ifndef GANNET_TOOLS_PSXVIEW_TESTING_SCREEN_PICTURE_H_
#define GANNET_TOOLS_PSXVIEW_TESTING_SCREEN_PICTURE_H_

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace psxview::test_support {

struct Colour {
  int red = 0, green = 0, blue = 0;
};

/// An RGB picture.
struct Picture {
  int width = 0, height = 0;
  std::vector<std::uint8_t> rgb;
  Colour At(int x, int y) const;
};

/// The PNG file at `path`; throws std::runtime_error when it cannot be read.
Picture ReadPicture(const std::filesystem::path& path);

/// The `width` x `height` part of `picture` whose top-left corner is (x, y).
Picture Crop(const Picture& picture, int x, int y, int width, int height);

/// Paints the `width` x `height` part of `picture` at (x, y) in `colour`.
void Fill(Picture& picture, int x, int y, int width, int height, const Colour& colour);

/// Whether each channel of `got` lies within `tolerance` of `expected`.
bool Near(const Colour& got, const Colour& expected, int tolerance);

/// The console program's background, which every covered pixel differs from.
inline constexpr Colour kBackground = {40, 44, 52};
/// What the emulators' colours may differ by: 15-bit colours widened by
/// shifting (255 shows as 248) or by scaling.
inline constexpr int kColourTolerance = 12;

/// How two pictures of the same view agree, over the rows above `rows` (the
/// console's frame report lies below). Rasterizers differ by a pixel along
/// edges and in which texel a pixel on a texel's border takes: a pixel
/// agrees when the other picture has one alike on it or next to it.
struct Agreement {
  int covered_first = 0, covered_second = 0;  ///< pixels that are not background
  int covered_both = 0;
  /// Of the pixels covered in either picture, the share that the other
  /// covers on or next to them.
  double covered_share = 0;
  /// Of the pixels covered in both, the share whose colour the other has on
  /// or next to them, within kColourTolerance * 2.
  double colour_share = 0;
};
Agreement Compare(const Picture& first, const Picture& second, int rows);

std::string Describe(const Agreement& agreement);

}  // namespace psxview::test_support

#endif  // GANNET_TOOLS_PSXVIEW_TESTING_SCREEN_PICTURE_H_
