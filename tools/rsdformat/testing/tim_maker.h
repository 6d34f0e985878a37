// TIM files for tests and benchmarks, written by the project's img2tim so
// that what the readers are tested on is what the tool chain makes.
#ifndef GANNET_TOOLS_RSDFORMAT_TESTING_TIM_MAKER_H_
#define GANNET_TOOLS_RSDFORMAT_TESTING_TIM_MAKER_H_

#include <functional>
#include <string>
#include <vector>

#include "tools/img2tim/image.h"

namespace rsdformat::test_files {

/// Where the TIM goes and at what depth.
struct TimPlace {
  int depth = 4;  // 4, 8 or 16
  int x = 640, y = 0;
  int palette_x = 640, palette_y = 256;
};

/// The TIM of a `width` x `height` image whose texel (u, v) is
/// palette[index(u, v)]; black is the transparent colour. Fails the test
/// (an empty string) when img2tim refuses the place.
std::string MakeTim(int width, int height, const std::vector<img2tim::Rgb>& palette,
                    const std::function<int(int u, int v)>& index, const TimPlace& place);

}  // namespace rsdformat::test_files

#endif  // GANNET_TOOLS_RSDFORMAT_TESTING_TIM_MAKER_H_
