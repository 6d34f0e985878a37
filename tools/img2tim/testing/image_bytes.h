// Small image files written byte by byte, for the tests of the decoders and
// of the program: every field is the test's choice, damaged ones included.
#ifndef GANNET_TOOLS_IMG2TIM_TESTING_IMAGE_BYTES_H_
#define GANNET_TOOLS_IMG2TIM_TESTING_IMAGE_BYTES_H_

#include <string>
#include <vector>

#include "tools/img2tim/image.h"

namespace img2tim::test_files {

/// Appends `value` as two (U16) or four (U32) little-endian bytes.
void U16(std::string& out, unsigned value);
void U32(std::string& out, unsigned value);

/// `bytes` as lower-case hexadecimal, two digits a byte, so that a failed
/// comparison of file bytes shows where they differ.
std::string Hex(const std::string& bytes);

/// A BMP with a 40-byte header: `palette` entries as RGB, `masks` (bit
/// fields) after the header, `pixels` as stored; a negative height is stored
/// as given (top-down rows).
std::string Bmp(int width, int height, int bits, unsigned compression,
                const std::vector<Rgb>& palette, const std::string& pixels,
                const std::vector<unsigned>& masks = {});

/// A PNG of the given colour type and bit depth whose rows (without their
/// filter byte) are `rows`, stored uncompressed; PLTE and tRNS chunks when
/// `palette` and `transparency` are not empty.
std::string Png(int width, int height, int bit_depth, int colour_type,
                const std::vector<std::string>& rows, const std::vector<Rgb>& palette = {},
                const std::string& transparency = {});

/// A TGA file: the 18-byte header, then `colour_map` (entries as stored) and
/// `pixels` (as stored). `descriptor` 0x20 stores the top row first.
std::string Tga(int image_type, int width, int height, int bits, const std::string& colour_map,
                int map_entries, int entry_bits, const std::string& pixels, int descriptor = 0x20);

}  // namespace img2tim::test_files

#endif  // GANNET_TOOLS_IMG2TIM_TESTING_IMAGE_BYTES_H_
