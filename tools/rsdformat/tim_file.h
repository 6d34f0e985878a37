// The TIM file, an image as the console loads it into video memory, and
// decoding its texels through its palette (CLUT).
//
// Layout (little-endian):
//   u32 0x00000010                   id
//   u32 flags                        bits 0-2: 0 4-bit, 1 8-bit, 2 16-bit
//                                    (3 24-bit and 4 mixed are not read);
//                                    bit 3: a CLUT block follows
//   CLUT block (when bit 3 is set):
//     u32 length                     12 + 2 * colours * rows
//     u16 x, u16 y                   position in video memory
//     u16 colours, u16 rows          colours per palette row, palette rows
//     u16 colour[colours * rows]
//   image block:
//     u32 length                     12 + 2 * columns * rows
//     u16 x, u16 y                   position in video memory
//     u16 columns, u16 rows          width in 16-bit columns, height
//     u16 data[columns * rows]       rows top first; 4-bit: first texel in
//                                    the low nibble; 8-bit: in the low byte
//
// A colour: red bits 0-4, green 5-9, blue 10-14, semi-transparency bit 15;
// 0x0000 is transparent. Bytes after the image block are ignored.
#ifndef GANNET_TOOLS_RSDFORMAT_TIM_FILE_H_
#define GANNET_TOOLS_RSDFORMAT_TIM_FILE_H_

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/rsdformat/mat_file.h"

namespace rsdformat {

/// A CLUT block: `rows` palettes of `colors_per_row` colours each.
struct TimClut {
  int x = 0, y = 0;
  int colors_per_row = 0;
  int rows = 0;
  std::vector<std::uint16_t> colors;  // colors_per_row * rows, row by row
};

struct TimFile {
  std::string file;  // as named to the reader, for messages
  int depth = 16;    // bits per texel: 4, 8 or 16
  std::optional<TimClut> clut;
  int x = 0, y = 0;                 // image origin in video memory (16-bit columns, rows)
  int columns = 0;                  // width in 16-bit columns, at least 1
  int rows = 0;                     // height, at least 1
  std::vector<std::uint16_t> data;  // columns * rows

  /// Width in texels: columns * 16 / depth.
  int texel_width() const { return columns * (16 / depth); }

  /// The stored value of texel (u, v): a palette index at 4 and 8 bits, a
  /// colour at 16. 0 for a position outside the image.
  std::uint16_t Texel(int u, int v) const;

  /// The colour of texel (u, v): at 16 bits the texel itself; at 4 and 8
  /// bits its palette entry in CLUT row `palette_row`. nullopt outside the
  /// image, without a CLUT, or when the row or the index lies beyond it.
  std::optional<std::uint16_t> Color(int u, int v, int palette_row = 0) const;
};

/// The largest TIM file the reader takes: an image and a palette each four
/// times the size of video memory (1 MiB), which no sound TIM comes near.
inline constexpr std::uint64_t kTimFileLimit = std::uint64_t{8} << 20;

/// Parses a TIM file's bytes; `file` names it in messages. Throws ReadError
/// naming the byte offset of the field at fault and its value.
TimFile ParseTim(std::string_view bytes, const std::string& file);

/// Reads and parses `path`. Throws ReadError.
TimFile ReadTim(const std::filesystem::path& path);

/// nullopt when the image and the palette lie inside video memory (1024
/// columns, 512 rows); otherwise what runs past it: "palette at 640,600 runs
/// past video memory (columns 640-655, row 600; it has columns 0-1023, rows
/// 0-511)".
std::optional<std::string> OutsideVideoMemory(const TimFile& tim);

/// A 15-bit colour widened to 8 bits a channel (v * 255 / 31, rounded).
Rgb ColorToRgb(std::uint16_t color);

/// The colour that is not drawn.
inline constexpr std::uint16_t kTransparentColor = 0x0000;

/// Bit 15: semi-transparent where the polygon asks for it.
inline bool SemiTransparentBit(std::uint16_t color) {
  return (color & 0x8000) != 0;
}

}  // namespace rsdformat

#endif  // GANNET_TOOLS_RSDFORMAT_TIM_FILE_H_
