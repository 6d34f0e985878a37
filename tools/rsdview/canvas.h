// An RGB picture in memory with the few drawing operations the pictures
// need: points, rectangles, outlines, straight lines and small text. Every
// operation clips to the picture.
#ifndef GANNET_TOOLS_RSDVIEW_CANVAS_H_
#define GANNET_TOOLS_RSDVIEW_CANVAS_H_

#include <cstdint>
#include <string_view>
#include <vector>

#include "tools/rsdformat/mat_file.h"

namespace rsdview {

using rsdformat::Rgb;

class Canvas {
 public:
  Canvas(int width, int height, Rgb background);

  int width() const { return width_; }
  int height() const { return height_; }
  /// Row-major R, G, B bytes, top row first.
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

  bool Contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
  void Set(int x, int y, Rgb color);
  /// The colour at (x, y); black outside.
  Rgb At(int x, int y) const;

  void Fill(int x, int y, int width, int height, Rgb color);
  /// The one-pixel border of the rectangle.
  void Outline(int x, int y, int width, int height, Rgb color);
  /// Text in a 6-pixel-wide, 7-pixel-high font, top-left at (x, y), scaled
  /// by `scale`.
  void Text(int x, int y, std::string_view text, Rgb color, int scale = 1);

  /// Copies `other` with its top-left corner at (x, y).
  void Paste(const Canvas& other, int x, int y);

 private:
  int width_;
  int height_;
  std::vector<std::uint8_t> bytes_;
};

/// The width in pixels of `text` as Text draws it at scale 1.
int TextWidth(std::string_view text);

}  // namespace rsdview

#endif  // GANNET_TOOLS_RSDVIEW_CANVAS_H_
