// Small image files written byte by byte, for the tests of the decoders and
// of the program: every field is the test's choice, damaged ones included.
#ifndef GANNET_TOOLS_IMG2TIM_TESTING_IMAGE_BYTES_H_
#define GANNET_TOOLS_IMG2TIM_TESTING_IMAGE_BYTES_H_

#include <string>
#include <vector>

#include "tools/img2tim/image.h"

namespace img2tim::test_files {

/// A BMP with a 40-byte header: `palette` entries as RGB, `masks` (bit
/// fields) after the header, `pixels` as stored; a negative height is stored
/// as given (top-down rows).
std::string Bmp(int width, int height, int bits, unsigned compression,
                const std::vector<Rgb>& palette, const std::string& pixels,
                const std::vector<unsigned>& masks = {});

}  // namespace img2tim::test_files

#endif  // GANNET_TOOLS_IMG2TIM_TESTING_IMAGE_BYTES_H_
