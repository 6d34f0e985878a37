#include "tools/rsdview/vram_map.h"

#include <algorithm>
#include <string>

#include "tools/rsdformat/texture_page.h"

namespace rsdview {
namespace {

using rsdformat::kVramColumns;
using rsdformat::kVramRows;

constexpr int kGap = 8;
constexpr int kLabelHeight = 12;

Rgb TexelRgb(const rsdformat::TimFile& tim, int u, int v) {
  return rsdformat::ColorToRgb(tim.Color(u, v).value_or(rsdformat::kTransparentColor));
}

// The mean colour of the texels one column holds.
Rgb ColumnRgb(const rsdformat::TimFile& tim, int column, int row) {
  const int per_column = rsdformat::TexelsPerColumn(tim.depth);
  int red = 0, green = 0, blue = 0;
  for (int k = 0; k < per_column; ++k) {
    const Rgb texel = TexelRgb(tim, column * per_column + k, row);
    red += texel.red;
    green += texel.green;
    blue += texel.blue;
  }
  return {static_cast<std::uint8_t>(red / per_column),
          static_cast<std::uint8_t>(green / per_column),
          static_cast<std::uint8_t>(blue / per_column)};
}

void Label(Canvas& canvas, int x, int y, const std::string& text) {
  canvas.Text(x + 1, y + 1, text, marks::kLabelShadow);
  canvas.Text(x, y, text, marks::kLabel);
}

void DrawImage(Canvas& canvas, const rsdformat::TimFile& tim, int zoom) {
  for (int row = 0; row < tim.rows; ++row) {
    for (int column = 0; column < tim.columns; ++column) {
      canvas.Fill((tim.x + column) * zoom, (tim.y + row) * zoom, zoom, zoom,
                  ColumnRgb(tim, column, row));
    }
  }
}

void DrawPalette(Canvas& canvas, const rsdformat::TimFile& tim, int zoom) {
  if (!tim.clut) {
    return;
  }
  const rsdformat::TimClut& clut = *tim.clut;
  for (int row = 0; row < clut.rows; ++row) {
    for (int k = 0; k < clut.colors_per_row; ++k) {
      const std::uint16_t color = clut.colors[static_cast<std::size_t>(row) * clut.colors_per_row +
                                              static_cast<std::size_t>(k)];
      canvas.Fill((clut.x + k) * zoom, (clut.y + row) * zoom, zoom, zoom,
                  rsdformat::ColorToRgb(color));
    }
  }
}

void DrawPageGrid(Canvas& canvas, int zoom) {
  for (int column = rsdformat::kPageColumns; column < kVramColumns;
       column += rsdformat::kPageColumns) {
    canvas.Fill(column * zoom, 0, 1, kVramRows * zoom, marks::kPageGrid);
  }
  canvas.Fill(0, rsdformat::kPageRows * zoom, kVramColumns * zoom, 1, marks::kPageGrid);
}

void OutlineArea(Canvas& canvas, const Area& area, int zoom, Rgb color) {
  // Clipped to the map, so that the part inside memory is still outlined.
  const int right = std::min(area.x + area.width, kVramColumns);
  const int bottom = std::min(area.y + area.height, kVramRows);
  canvas.Outline(area.x * zoom, area.y * zoom, (right - area.x) * zoom, (bottom - area.y) * zoom,
                 color);
}

// Every 4- and 8-bit texture at one pixel per texel (times the zoom), side by
// side, each with its number and size above it.
Canvas DrawTexelPanel(const std::vector<Texture>& textures, int zoom, int least_width) {
  int width = kGap, height = 0;
  for (const Texture& texture : textures) {
    if (texture.tim.depth < 16) {
      width += texture.tim.texel_width() * zoom + kGap;
      height = std::max(height, texture.tim.rows * zoom);
    }
  }
  Canvas panel(std::max(width, least_width), height == 0 ? 0 : height + kLabelHeight + 2 * kGap,
               marks::kUnused);
  int x = kGap;
  for (const Texture& texture : textures) {
    const rsdformat::TimFile& tim = texture.tim;
    if (tim.depth == 16) {
      continue;
    }
    Label(panel, x, kGap,
          std::to_string(texture.number) + ": " + std::to_string(tim.texel_width()) + "x" +
              std::to_string(tim.rows));
    const int top = kGap + kLabelHeight;
    for (int v = 0; v < tim.rows; ++v) {
      for (int u = 0; u < tim.texel_width(); ++u) {
        panel.Fill(x + u * zoom, top + v * zoom, zoom, zoom, TexelRgb(tim, u, v));
      }
    }
    x += tim.texel_width() * zoom + kGap;
  }
  return panel;
}

}  // namespace

Canvas DrawVramMap(const std::vector<Texture>& textures, const std::vector<VramFault>& faults,
                   const Area& display, int zoom) {
  Canvas map(kVramColumns * zoom, kVramRows * zoom, marks::kUnused);
  for (const Texture& texture : textures) {
    DrawImage(map, texture.tim, zoom);
    DrawPalette(map, texture.tim, zoom);
  }
  DrawPageGrid(map, zoom);
  OutlineArea(map, display, zoom, marks::kDisplay);
  for (const Texture& texture : textures) {
    OutlineArea(map, ImageArea(texture.tim), zoom, marks::kImageOutline);
  }
  for (const VramFault& fault : faults) {
    if (fault.kind == FaultKind::kOverlap || fault.kind == FaultKind::kInDisplayArea) {
      map.Fill(fault.area.x * zoom, fault.area.y * zoom, fault.area.width * zoom,
               fault.area.height * zoom, marks::kOverlap);
    } else {
      OutlineArea(map, fault.area, zoom, marks::kFaultOutline);
    }
  }
  for (const Texture& texture : textures) {
    Label(map, texture.tim.x * zoom + 2, texture.tim.y * zoom + 2, std::to_string(texture.number));
  }
  const Canvas panel = DrawTexelPanel(textures, zoom, map.width());
  Canvas picture(std::max(map.width(), panel.width()), map.height() + panel.height(),
                 marks::kUnused);
  picture.Paste(map, 0, 0);
  picture.Paste(panel, 0, map.height());
  return picture;
}

}  // namespace rsdview
