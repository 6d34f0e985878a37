// Filling triangles with a depth buffer. A pixel belongs to a triangle when
// its centre lies inside, or on a top or left edge (so that triangles that
// share an edge never both draw a pixel of it). Attributes are interpolated
// linearly in screen space, as the console's own drawing does.
#ifndef GANNET_TOOLS_RSDVIEW_RASTERIZER_H_
#define GANNET_TOOLS_RSDVIEW_RASTERIZER_H_

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "tools/rsdview/canvas.h"

namespace rsdview {

/// A triangle corner on screen: pixel position (y down), depth (smaller is
/// nearer) and what is interpolated: a texel position and a colour.
struct Corner {
  float x = 0, y = 0, depth = 0;
  float u = 0, v = 0;
  float red = 0, green = 0, blue = 0;
};

/// The canvas and its depth buffer.
class RenderTarget {
 public:
  RenderTarget(int width, int height, Rgb background)
      : canvas_(width, height, background),
        depth_(static_cast<std::size_t>(canvas_.width()) * canvas_.height(),
               std::numeric_limits<float>::infinity()) {}

  Canvas& canvas() { return canvas_; }
  const Canvas& canvas() const { return canvas_; }

  /// Whether depth `depth` is nearer than what (x, y) holds.
  bool Nearer(int x, int y, float depth) const { return depth < depth_[Index(x, y)]; }
  void Write(int x, int y, float depth, Rgb color) {
    depth_[Index(x, y)] = depth;
    canvas_.Set(x, y, color);
  }

 private:
  std::size_t Index(int x, int y) const {
    return static_cast<std::size_t>(y) * static_cast<std::size_t>(canvas_.width()) +
           static_cast<std::size_t>(x);
  }
  Canvas canvas_;
  std::vector<float> depth_;
};

/// Twice the signed area of (a, b, c) on screen: negative when the corners
/// run counter-clockwise as seen (y down).
inline float SignedArea(const Corner& a, const Corner& b, const Corner& c) {
  return (b.x - a.x) * (c.y - a.y) - (b.y - a.y) * (c.x - a.x);
}

/// Calls shade(x, y, interpolated corner) for every pixel of the triangle
/// that is nearer than the depth buffer; shade draws or skips the pixel.
template <typename Shade>
void FillTriangle(RenderTarget& target, Corner a, Corner b, Corner c, Shade&& shade) {
  float area = SignedArea(a, b, c);
  if (!(std::fabs(area) > 0.0f)) {
    return;  // no area, or a coordinate that is not a number
  }
  if (area < 0) {
    std::swap(b, c);
    area = -area;
  }
  const int width = target.canvas().width();
  const int height = target.canvas().height();
  const float left = std::max(0.0f, std::floor(std::min({a.x, b.x, c.x})));
  const float top = std::max(0.0f, std::floor(std::min({a.y, b.y, c.y})));
  const float right = std::min(static_cast<float>(width - 1), std::ceil(std::max({a.x, b.x, c.x})));
  const float bottom =
      std::min(static_cast<float>(height - 1), std::ceil(std::max({a.y, b.y, c.y})));
  if (left > right || top > bottom) {
    return;
  }
  // With this orientation an edge going right along the top, or going up,
  // is a top or left edge and keeps the pixels whose centres lie on it.
  const auto edge = [](const Corner& from, const Corner& to, float px, float py) {
    return (to.x - from.x) * (py - from.y) - (to.y - from.y) * (px - from.x);
  };
  const auto keeps_ties = [](const Corner& from, const Corner& to) {
    const float dy = to.y - from.y;
    return dy < 0 || (dy == 0 && to.x > from.x);
  };
  const bool tie_ab = keeps_ties(a, b), tie_bc = keeps_ties(b, c), tie_ca = keeps_ties(c, a);
  const auto inside = [](float w, bool tie) { return w > 0 || (w == 0 && tie); };
  for (int y = static_cast<int>(top); y <= static_cast<int>(bottom); ++y) {
    const float py = static_cast<float>(y) + 0.5f;
    for (int x = static_cast<int>(left); x <= static_cast<int>(right); ++x) {
      const float px = static_cast<float>(x) + 0.5f;
      const float wa = edge(b, c, px, py);
      const float wb = edge(c, a, px, py);
      const float wc = edge(a, b, px, py);
      if (!inside(wa, tie_bc) || !inside(wb, tie_ca) || !inside(wc, tie_ab)) {
        continue;
      }
      const float la = wa / area, lb = wb / area, lc = wc / area;
      Corner at;
      at.depth = la * a.depth + lb * b.depth + lc * c.depth;
      if (!target.Nearer(x, y, at.depth)) {
        continue;
      }
      at.x = px;
      at.y = py;
      at.u = la * a.u + lb * b.u + lc * c.u;
      at.v = la * a.v + lb * b.v + lc * c.v;
      at.red = la * a.red + lb * b.red + lc * c.red;
      at.green = la * a.green + lb * b.green + lc * c.green;
      at.blue = la * a.blue + lb * b.blue + lc * c.blue;
      shade(x, y, at);
    }
  }
}

}  // namespace rsdview

#endif  // GANNET_TOOLS_RSDVIEW_RASTERIZER_H_
