#include "tools/rsdview/canvas.h"

#include <algorithm>
#include <string>

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wshadow"
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#include <stb/stb_easy_font.h>
#pragma GCC diagnostic pop

namespace rsdview {

Canvas::Canvas(int width, int height, Rgb background)
    : width_(std::max(width, 0)), height_(std::max(height, 0)) {
  bytes_.resize(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_) * 3);
  Fill(0, 0, width_, height_, background);
}

void Canvas::Set(int x, int y, Rgb color) {
  if (!Contains(x, y)) {
    return;
  }
  const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                          static_cast<std::size_t>(x)) *
                         3;
  bytes_[at] = color.red;
  bytes_[at + 1] = color.green;
  bytes_[at + 2] = color.blue;
}

Rgb Canvas::At(int x, int y) const {
  if (!Contains(x, y)) {
    return {};
  }
  const std::size_t at = (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
                          static_cast<std::size_t>(x)) *
                         3;
  return {bytes_[at], bytes_[at + 1], bytes_[at + 2]};
}

void Canvas::Fill(int x, int y, int width, int height, Rgb color) {
  const int left = std::max(x, 0);
  const int top = std::max(y, 0);
  const int right = std::min<long long>(static_cast<long long>(x) + width, width_);
  const int bottom = std::min<long long>(static_cast<long long>(y) + height, height_);
  for (int row = top; row < bottom; ++row) {
    for (int column = left; column < right; ++column) {
      Set(column, row, color);
    }
  }
}

void Canvas::Outline(int x, int y, int width, int height, Rgb color) {
  if (width <= 0 || height <= 0) {
    return;
  }
  Fill(x, y, width, 1, color);
  Fill(x, y + height - 1, width, 1, color);
  Fill(x, y, 1, height, color);
  Fill(x + width - 1, y, 1, height, color);
}

void Canvas::Text(int x, int y, std::string_view text, Rgb color, int scale) {
  // The font's quads are axis-aligned rectangles of whole pixels.
  struct Vertex {
    float x, y, z;
    unsigned char color[4];
  };
  std::string copy(text);
  std::vector<Vertex> quads(copy.size() * 70 + 4);
  unsigned char ink[4] = {255, 255, 255, 255};
  const int count = stb_easy_font_print(0, 0, copy.data(), ink, quads.data(),
                                        static_cast<int>(quads.size() * sizeof(Vertex)));
  for (int q = 0; q < count; ++q) {
    const Vertex& a = quads[static_cast<std::size_t>(q) * 4];
    const Vertex& c = quads[static_cast<std::size_t>(q) * 4 + 2];
    const int left = static_cast<int>(a.x), top = static_cast<int>(a.y);
    const int right = static_cast<int>(c.x), bottom = static_cast<int>(c.y);
    Fill(x + left * scale, y + top * scale, (right - left) * scale, (bottom - top) * scale, color);
  }
}

void Canvas::Paste(const Canvas& other, int x, int y) {
  for (int row = 0; row < other.height(); ++row) {
    for (int column = 0; column < other.width(); ++column) {
      Set(x + column, y + row, other.At(column, row));
    }
  }
}

int TextWidth(std::string_view text) {
  std::string copy(text);
  return stb_easy_font_width(copy.data());
}

}  // namespace rsdview
