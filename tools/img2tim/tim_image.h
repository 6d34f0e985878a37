// Building a TIM image, the console's texture file, from a decoded bitmap.
//
// Layout written (all numbers little-endian):
//   u32 0x00000010                         file id
//   u32 flags                              0x08 | 0 (4-bit), 0x08 | 1 (8-bit), 2 (16-bit)
//   CLUT block, 4- and 8-bit only:
//     u32 12 + 2 * colours                 block length, this field included
//     u16 palette x, u16 palette y         position in video memory
//     u16 colours (16 or 256), u16 1       one palette row
//     u16 colour[colours]
//   image block:
//     u32 12 + 2 * words * height          block length, this field included
//     u16 image x, u16 image y             position in video memory
//     u16 words, u16 height                width in 16-bit words (pixels / 4,
//                                          pixels / 2, pixels), rows padded
//                                          with index or colour 0
//     u16 data[words * height]             4-bit: first pixel in the low nibble
//
// A colour is 5 bits each of red (bits 0-4), green (5-9) and blue (10-14)
// plus the semi-transparency bit 15. The hardware skips the all-zero colour,
// so exactly the colour named as transparent becomes 0x0000; any other colour
// that would round to 0x0000 (near black) is written 0x8000, drawn as opaque
// black. With semi-transparency on, bit 15 is set on every colour but the
// transparent one.
#ifndef GANNET_TOOLS_IMG2TIM_TIM_IMAGE_H_
#define GANNET_TOOLS_IMG2TIM_TIM_IMAGE_H_

#include <optional>
#include <string>

#include "tools/img2tim/image.h"

namespace img2tim {

/// Video-memory size in 16-bit units.
inline constexpr int kVramWidth = 1024;
inline constexpr int kVramHeight = 512;

struct TimSettings {
  int bits_per_pixel = 16;  // 4, 8 or 16
  std::optional<Rgb> transparent;
  bool semi_transparent = false;
  int image_x = 0, image_y = 0;
  int palette_x = 0, palette_y = 480;
};

/// The 15-bit colour with the rules above.
std::uint16_t TimColor(const Rgb& color, const TimSettings& settings);

/// The TIM file for `image`; nullopt with `error` set when the image does not
/// fit the settings (too many colours for the depth, or outside video memory).
std::optional<std::string> EncodeTim(const Image& image, const TimSettings& settings,
                                     std::string& error);

}  // namespace img2tim

#endif  // GANNET_TOOLS_IMG2TIM_TIM_IMAGE_H_
