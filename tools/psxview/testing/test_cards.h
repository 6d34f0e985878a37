// Test cards for the console program: one TMD of flat cards facing the eye
// from the front view, each drawn to a known rectangle of the screen, the
// TIM files they show, and the points of the screen whose colours follow
// from the TIMs' own colours and the blend rules:
// - 4-, 8- and 15-bit images at several places in video memory (page
//   offsets in U and V included) and palettes at several rows; each image
//   of 4 x 4 blocks of distinct colours, so that a mirrored, turned or
//   shifted texture fails;
// - a 15-bit texture with its semi-transparency bits set at each blend
//   rate, and an untextured semi-transparent card, over an opaque card;
// - a card turned away from the eye, drawn only when it is double-sided;
// - negative controls: a card whose palette word names the row below its
//   palette, and one whose page word names the next page to the right; their
//   points must not all match.
#ifndef GANNET_TOOLS_PSXVIEW_TESTING_TEST_CARDS_H_
#define GANNET_TOOLS_PSXVIEW_TESTING_TEST_CARDS_H_

#include <cstdint>
#include <string>
#include <vector>

#include "tools/psxview/testing/screen_picture.h"

namespace psxview::test_support {

struct SamplePoint {
  std::string card;
  int x = 0, y = 0;
  Colour expected;
};

struct NamedFile {
  std::string name;
  std::vector<std::uint8_t> bytes;
};

struct CardSheet {
  NamedFile tmd;
  std::vector<NamedFile> tims;      ///< in load order
  std::vector<SamplePoint> points;  ///< every one must match
  /// Per negative control, its points: they must not all match.
  std::vector<std::vector<SamplePoint>> wrong_cards;
};

CardSheet MakeCardSheet();

/// The points of `points` whose colour in `picture` is not the expected
/// one, each as "CARD at (X, Y): R G B, expected R G B".
std::vector<std::string> Mismatches(const Picture& picture, const std::vector<SamplePoint>& points);

}  // namespace psxview::test_support

#endif  // GANNET_TOOLS_PSXVIEW_TESTING_TEST_CARDS_H_
