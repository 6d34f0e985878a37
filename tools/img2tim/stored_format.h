// What a PNG or TGA file says about its pixels that a decoder's RGBA output
// no longer shows: how many bits each pixel was stored with, and the
// palette of a palettized file (which the decoder expands into colours).
#ifndef GANNET_TOOLS_IMG2TIM_STORED_FORMAT_H_
#define GANNET_TOOLS_IMG2TIM_STORED_FORMAT_H_

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "tools/img2tim/image.h"

namespace img2tim {

struct StoredFormat {
  int bits_per_pixel = 0;                   // as Image::bits_per_pixel
  std::vector<Rgb> palette;                 // empty when the file keeps none
  std::vector<std::uint8_t> palette_alpha;  // one per entry when the file gives alpha
};

/// Whether `bytes` start with the PNG signature.
bool LooksLikePng(std::string_view bytes);

/// The format of a PNG file from its header chunks (IHDR, PLTE, tRNS);
/// nullopt when they cannot be read, which the decoder then reports.
std::optional<StoredFormat> ReadPngFormat(std::string_view bytes);

/// The format of a TGA file from its 18-byte header and its colour map,
/// whose entries are expanded to 8 bits a channel as stb's decoder does;
/// nullopt when the header is not a TGA header the decoder takes.
std::optional<StoredFormat> ReadTgaFormat(std::string_view bytes);

}  // namespace img2tim

#endif  // GANNET_TOOLS_IMG2TIM_STORED_FORMAT_H_
