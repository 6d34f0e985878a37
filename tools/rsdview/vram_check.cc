#include "tools/rsdview/vram_check.h"

#include <algorithm>

#include "tools/rsdformat/texture_page.h"

namespace rsdview {
namespace {

using rsdformat::kVramColumns;
using rsdformat::kVramRows;

std::string Span(const char* plural, const char* singular, int first, int count) {
  if (count == 1) {
    return std::string(singular) + " " + std::to_string(first);
  }
  return std::string(plural) + " " + std::to_string(first) + "-" +
         std::to_string(first + count - 1);
}

std::string Where(const Area& area) {
  return Span("columns", "column", area.x, area.width) + ", " +
         Span("rows", "row", area.y, area.height);
}

std::string Named(const Texture& texture) {
  return "texture " + std::to_string(texture.number) + " (" + texture.name + ")";
}

bool BeyondMemory(const Area& area) {
  return area.x + area.width > kVramColumns || area.y + area.height > kVramRows;
}

void OwnFaults(const Texture& texture, const Area& display, std::vector<VramFault>& faults) {
  const rsdformat::TimFile& tim = texture.tim;
  const Area image = ImageArea(tim);
  const Area palette = PaletteArea(tim);
  const std::string name = Named(texture);
  if (BeyondMemory(image)) {
    faults.push_back({FaultKind::kBeyondMemory, image,
                      "image of " + name + " runs past video memory (" + Where(image) + ")"});
  }
  if (!palette.empty() && BeyondMemory(palette)) {
    faults.push_back({FaultKind::kBeyondMemory, palette,
                      "palette of " + name + " runs past video memory (" + Where(palette) + ")"});
  }
  const int texels_left = rsdformat::kPageTexels - rsdformat::PageOffsetU(tim.x, tim.depth);
  const int rows_left = rsdformat::kPageRows - rsdformat::PageOffsetV(tim.y);
  if (tim.texel_width() > texels_left || tim.rows > rows_left) {
    faults.push_back({FaultKind::kUnaddressable, image,
                      "image of " + name + " cannot be addressed from one texture page (" +
                          Where(image) + ", " + std::to_string(tim.texel_width()) + " x " +
                          std::to_string(tim.rows) + " texels; its page has " +
                          std::to_string(texels_left) + " x " + std::to_string(rows_left) +
                          " left)"});
  }
  if (const Area shown = Intersection(image, display); !shown.empty()) {
    faults.push_back({FaultKind::kInDisplayArea, shown,
                      "image of " + name + " lies in the display area (" + Where(shown) + ")"});
  }
  if (const Area shown = Intersection(palette, display); !shown.empty()) {
    faults.push_back({FaultKind::kInDisplayArea, shown,
                      "palette of " + name + " lies in the display area (" + Where(shown) + ")"});
  }
  if (const Area shared = Intersection(image, palette); !shared.empty()) {
    faults.push_back({FaultKind::kOverlap, shared,
                      "image and palette of " + name + " overlap (" + Where(shared) + ")"});
  }
}

void PairFaults(const Texture& a, const Texture& b, std::vector<VramFault>& faults) {
  const struct {
    Area first, second;
    const char* what_first;
    const char* what_second;
  } pairs[] = {
      {ImageArea(a.tim), ImageArea(b.tim), "image", "image"},
      {PaletteArea(a.tim), PaletteArea(b.tim), "palette", "palette"},
      {ImageArea(a.tim), PaletteArea(b.tim), "image", "palette"},
      {PaletteArea(a.tim), ImageArea(b.tim), "palette", "image"},
  };
  for (const auto& pair : pairs) {
    if (const Area shared = Intersection(pair.first, pair.second); !shared.empty()) {
      faults.push_back({FaultKind::kOverlap, shared,
                        std::string(pair.what_first) + " of " + Named(a) + " and " +
                            pair.what_second + " of " + Named(b) + " overlap (" + Where(shared) +
                            ")"});
    }
  }
}

}  // namespace

Area ImageArea(const rsdformat::TimFile& tim) {
  return {tim.x, tim.y, tim.columns, tim.rows};
}

Area PaletteArea(const rsdformat::TimFile& tim) {
  if (!tim.clut) {
    return {};
  }
  return {tim.clut->x, tim.clut->y, tim.clut->colors_per_row, tim.clut->rows};
}

Area Intersection(const Area& a, const Area& b) {
  if (a.empty() || b.empty()) {
    return {};
  }
  const int left = std::max(a.x, b.x);
  const int top = std::max(a.y, b.y);
  const int right = std::min(a.x + a.width, b.x + b.width);
  const int bottom = std::min(a.y + a.height, b.y + b.height);
  if (right <= left || bottom <= top) {
    return {};
  }
  return {left, top, right - left, bottom - top};
}

std::string TextureLine(const Texture& texture) {
  const rsdformat::TimFile& tim = texture.tim;
  std::string line = "texture " + std::to_string(texture.number) + " " + texture.name + ": image " +
                     std::to_string(tim.x) + "," + std::to_string(tim.y) + ", " +
                     std::to_string(tim.columns) + " columns x " + std::to_string(tim.rows) +
                     " rows, " + std::to_string(tim.depth) + "-bit, ";
  if (!tim.clut) {
    return line + "no palette";
  }
  line += "palette " + std::to_string(tim.clut->x) + "," + std::to_string(tim.clut->y) + " (" +
          std::to_string(tim.clut->colors_per_row) + " colours";
  if (tim.clut->rows != 1) {
    line += " x " + std::to_string(tim.clut->rows) + " rows";
  }
  return line + ")";
}

std::vector<VramFault> FindFaults(const std::vector<Texture>& textures, const Area& display) {
  std::vector<VramFault> faults;
  for (const Texture& texture : textures) {
    OwnFaults(texture, display, faults);
  }
  for (std::size_t i = 0; i < textures.size(); ++i) {
    for (std::size_t j = i + 1; j < textures.size(); ++j) {
      PairFaults(textures[i], textures[j], faults);
    }
  }
  return faults;
}

}  // namespace rsdview
