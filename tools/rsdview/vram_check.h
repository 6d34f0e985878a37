// The video-memory check: one report line per texture, and the faults of a
// model's TIM placement: images, palettes or both overlapping, anything that
// runs past video memory or lies in the display area, and images that one
// texture page cannot address.
#ifndef GANNET_TOOLS_RSDVIEW_VRAM_CHECK_H_
#define GANNET_TOOLS_RSDVIEW_VRAM_CHECK_H_

#include <optional>
#include <string>
#include <vector>

#include "tools/rsdformat/tim_file.h"

namespace rsdview {

/// One TIM of the RSD file's texture list.
struct Texture {
  int number = 0;
  std::string name;  // as the RSD file gives it
  rsdformat::TimFile tim;
};

/// A rectangle of video memory in columns and rows; may lie partly outside.
struct Area {
  int x = 0, y = 0, width = 0, height = 0;
  bool empty() const { return width <= 0 || height <= 0; }
};

Area ImageArea(const rsdformat::TimFile& tim);
/// Empty without a CLUT.
Area PaletteArea(const rsdformat::TimFile& tim);
/// The part both share; empty when they do not meet.
Area Intersection(const Area& a, const Area& b);

enum class FaultKind {
  kOverlap,        // two images, two palettes, or an image and a palette
  kBeyondMemory,   // past column 1023 or row 511
  kUnaddressable,  // an image wider or taller than what is left of its page
  kInDisplayArea,  // where the display is drawn
};

struct VramFault {
  FaultKind kind = FaultKind::kOverlap;
  Area area;         // what to mark: the shared part, or the whole image
  std::string text;  // the report line
};

/// "texture 0 ship0.tim: image 640,0, 16 columns x 64 rows, 4-bit, palette 640,256 (16 colours)"
std::string TextureLine(const Texture& texture);

/// Every fault, in a fixed order: per texture its own faults, then the
/// overlaps of every pair. `display` is the display area.
std::vector<VramFault> FindFaults(const std::vector<Texture>& textures, const Area& display);

}  // namespace rsdview

#endif  // GANNET_TOOLS_RSDVIEW_VRAM_CHECK_H_
