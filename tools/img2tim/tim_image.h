// Building a TIM image, the console's texture file, from a decoded image.
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
// A colour is 5 bits each of red (bits 0-4), green (5-9) and blue (10-14),
// each channel rounded to the nearest step, plus the semi-transparency bit
// 15 (STP). The console skips the all-zero colour 0x0000, so:
// - a pixel is written 0x0000, transparent, when an option names it (its
//   colour is the -tcol colour, its palette entry the -tindex one, or with
//   -usealpha its alpha is below the threshold), and when it is pure black
//   (#000000) and -b was not given: the console's own convention for black;
// - any other colour that would round to 0x0000 (pure black with -b, and
//   near black such as #030303) is written 0x8000, drawn as opaque black;
// - STP is set on every colour that is not transparent when -t is given,
//   and with -usealpha on a partly transparent one (alpha at or above the
//   threshold but below 255), so that it blends where the polygon does.
#ifndef GANNET_TOOLS_IMG2TIM_TIM_IMAGE_H_
#define GANNET_TOOLS_IMG2TIM_TIM_IMAGE_H_

#include <cstdint>
#include <optional>
#include <string>

#include "tools/img2tim/image.h"

namespace img2tim {

/// Video-memory size in 16-bit units.
inline constexpr int kVramWidth = 1024;
inline constexpr int kVramHeight = 512;
/// A palette starts on a multiple of 16 columns: the console addresses it so.
inline constexpr int kPaletteColumnStep = 16;

struct TimSettings {
  std::optional<int> bits_per_pixel;     // 4, 8 or 16; see TimDepth when not given
  std::optional<Rgb> transparent;        // -tcol
  std::optional<int> transparent_index;  // -tindex: a palette entry, 0 to 255
  bool semi_transparent = false;         // -t
  bool opaque_black = false;             // -b
  bool use_alpha = false;                // -usealpha
  int alpha_threshold = 128;             // -alpt: alpha below it is transparent
  // Past the 640 columns a 640-wide frame buffer takes, and the palette in
  // the last row.
  int image_x = 640, image_y = 0;
  int palette_x = 0, palette_y = 480;
};

/// The depth of the TIM written: the one asked for, else the source's own:
/// 4 for up to 16 colours (1, 2 or 4 bits), 8 for 8 bits (palette or grey
/// levels), 16 for true colour.
int TimDepth(const Image& image, const TimSettings& settings);

/// The 16-bit colour of a pixel of `color` and `alpha`, by the rules above
/// (all but -tindex, which names a palette entry, not a colour).
std::uint16_t TimColor(const Rgb& color, std::uint8_t alpha, const TimSettings& settings);

/// The TIM file for `image`; nullopt with `error` set when the image does not
/// fit the settings (too many colours for the depth, a palette entry past
/// it, or a place outside video memory or off the palette grid).
std::optional<std::string> EncodeTim(const Image& image, const TimSettings& settings,
                                     std::string& error);

}  // namespace img2tim

#endif  // GANNET_TOOLS_IMG2TIM_TIM_IMAGE_H_
