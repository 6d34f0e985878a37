#include "tools/rsdview/model_render.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>
#include <span>

#include "console/camera.h"
#include "tools/rsdview/rasterizer.h"

namespace rsdview {
namespace {

using rsdformat::MatLine;
using rsdformat::MatType;
using rsdformat::PlyPolygon;
using rsdformat::Vector3;

constexpr float kAmbient = 0.3f;
constexpr float kNeutralTint = 128.0f;

Vector3 Cross(const Vector3& a, const Vector3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
double Dot(const Vector3& a, const Vector3& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z;
}
Vector3 Unit(const Vector3& a) {
  const double length = std::sqrt(Dot(a, a));
  return length > 0 ? Vector3{a.x / length, a.y / length, a.z / length} : Vector3{};
}

// The direction towards the light: up (y is down), to the front, to the left.
const Vector3 kTowardsLight = Unit({-0.5, -1.0, -0.75});

// Screen axes of a view: right and down across the panel, forward into it.
struct Axes {
  Vector3 right, down, forward;
};

Axes AxesOf(View view) {
  Vector3 forward{0, 0, 1}, roughly_down{0, 1, 0};
  switch (view) {
    case View::kFront:
      break;
    case View::kSide:
      forward = {-1, 0, 0};
      break;
    case View::kTop:
      forward = {0, 1, 0};
      roughly_down = {0, 0, -1};
      break;
    case View::kThreeQuarter:
      forward = Unit({-1, 0.8, 1});
      break;
  }
  const Vector3 right = Unit(Cross(roughly_down, forward));
  return {right, Cross(forward, right), forward};
}

// A vertex through the console's camera, in whole numbers as the geometry
// coprocessor computes it: rotated, translated, then divided by its depth.
// A pixel centre lies half a pixel past the whole position the GPU takes.
Corner ConsolePlace(const camera::Transform& transform, const Vector3& p) {
  const std::int64_t v[3] = {std::llround(p.x), std::llround(p.y), std::llround(p.z)};
  std::int64_t at[3];
  for (int row = 0; row < 3; ++row) {
    std::int64_t sum = std::int64_t{transform.t[row]} * camera::kOne;
    for (int column = 0; column < 3; ++column) {
      sum += transform.m[row][column] * v[column];
    }
    at[row] = sum >> 12;
  }
  const std::int64_t depth = std::max<std::int64_t>(at[2], 1);
  const std::int64_t ratio = std::min<std::int64_t>(
      (std::int64_t{camera::kProjection} * 0x20000 / depth + 1) / 2, 0x1FFFF);
  const auto screen = [&](std::int64_t value, int centre) {
    return static_cast<float>((ratio * value + (std::int64_t{centre} << 16)) >> 16) + 0.5f;
  };
  Corner corner;
  corner.x = screen(at[0], camera::kScreenWidth / 2);
  corner.y = screen(at[1], camera::kScreenHeight / 2);
  corner.depth = static_cast<float>(at[2]);
  return corner;
}

// Model to panel: the projected extent of the used vertices, centred, the
// larger side filling the panel but a margin; or the console's camera.
struct Framing {
  Axes axes;
  double scale = 1, center_x = 0, center_y = 0, half = 0;
  std::optional<camera::Transform> console;
  Corner Place(const Vector3& p) const {
    if (console) {
      return ConsolePlace(*console, p);
    }
    Corner corner;
    corner.x = static_cast<float>(half + (Dot(p, axes.right) - center_x) * scale);
    corner.y = static_cast<float>(half + (Dot(p, axes.down) - center_y) * scale);
    corner.depth = static_cast<float>(Dot(p, axes.forward));
    return corner;
  }
};

// The console's camera on the sphere around every vertex of every model.
Framing ConsoleFraming(std::span<const Model> models, View view) {
  camera::Box box{{INT32_MAX, INT32_MAX, INT32_MAX}, {INT32_MIN, INT32_MIN, INT32_MIN}};
  for (const Model& model : models) {
    for (const Vector3& p : model.ply.vertices) {
      const std::int64_t at[3] = {std::llround(p.x), std::llround(p.y), std::llround(p.z)};
      for (int axis = 0; axis < 3; ++axis) {
        box.min[axis] = static_cast<std::int32_t>(std::min<std::int64_t>(box.min[axis], at[axis]));
        box.max[axis] = static_cast<std::int32_t>(std::max<std::int64_t>(box.max[axis], at[axis]));
      }
    }
  }
  if (box.min[0] > box.max[0]) {
    box = camera::Box{};
  }
  Framing framing;
  framing.console =
      camera::CameraTransform(static_cast<camera::View>(view), camera::SphereOf(box), 0);
  return framing;
}

Framing FrameModels(std::span<const Model> models, View view, const RenderOptions& options) {
  if (options.console_camera) {
    return ConsoleFraming(models, view);
  }
  const int size = options.size;
  Framing framing;
  framing.axes = AxesOf(view);
  framing.half = size / 2.0;
  double left = INFINITY, right = -INFINITY, top = INFINITY, bottom = -INFINITY;
  for (const Model& model : models) {
    for (const PlyPolygon& polygon : model.ply.polygons) {
      for (int k = 0; k < polygon.corners(); ++k) {
        const Vector3& p = model.ply.vertices[static_cast<std::size_t>(polygon.vertex[k])];
        const double x = Dot(p, framing.axes.right), y = Dot(p, framing.axes.down);
        left = std::min(left, x);
        right = std::max(right, x);
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
  }
  if (!(left <= right)) {
    return framing;  // nothing to draw
  }
  const double extent = std::max(right - left, bottom - top);
  const double margin = size / 16.0;
  framing.scale = extent > 0 ? (size - 2 * margin) / extent : 1.0;
  framing.center_x = (left + right) / 2;
  framing.center_y = (top + bottom) / 2;
  return framing;
}

float Brightness(const Model& model, std::int32_t normal) {
  const Vector3 n = Unit(model.ply.normals[static_cast<std::size_t>(normal)]);
  return kAmbient + (1.0f - kAmbient) * static_cast<float>(std::max(0.0, Dot(n, kTowardsLight)));
}

// The colour attribute of each corner: the colour itself for untextured
// polygons, times the light. A textured polygon shows its texel as it is
// (128 = as it is), times the light: a lit packet has no colour, and an
// unlit one carries the raw-texture bit, so the console ignores the colour
// of D and H.
std::array<Rgb, 4> CornerColors(const MatLine& line) {
  const Rgb neutral{128, 128, 128};
  std::array<Rgb, 4> colors;
  for (std::size_t k = 0; k < 4; ++k) {
    switch (line.type) {
      case MatType::kColor:
        colors[k] = line.colors[0];
        break;
      case MatType::kGradation:
        colors[k] = line.colors[k];
        break;
      case MatType::kTexture:
      case MatType::kTextureColor:
      case MatType::kTextureGradation:
        colors[k] = neutral;
        break;
    }
  }
  return colors;
}

// The texel a pixel takes. Only the low 8 bits reach the page, so a position
// far outside any page (or not a number) may as well be 0.
int NearestTexel(float position) {
  return position > -1e6f && position < 1e6f ? static_cast<int>(std::floor(position)) : 0;
}

std::uint8_t Clamp(float value) {
  return static_cast<std::uint8_t>(std::clamp(value + 0.5f, 0.0f, 255.0f));
}

Rgb Blend(Rgb back, Rgb front, int rate) {
  const auto mix = [rate](int b, int f) {
    switch (rate) {
      case 0:
        return (b + f) / 2;
      case 1:
        return std::min(b + f, 255);
      case 2:
        return std::max(b - f, 0);
      default:
        return std::min(b + f / 4, 255);
    }
  };
  return {static_cast<std::uint8_t>(mix(back.red, front.red)),
          static_cast<std::uint8_t>(mix(back.green, front.green)),
          static_cast<std::uint8_t>(mix(back.blue, front.blue))};
}

struct PolygonPainter {
  const Model& model;
  const VideoMemory& memory;
  const Framing& framing;
  const RenderOptions& options;
  RenderTarget& target;

  void Paint(std::size_t index, const PlyPolygon& polygon, const MatLine& line) {
    const std::array<Rgb, 4> colors = CornerColors(line);
    std::array<Corner, 4> corners;
    for (int k = 0; k < polygon.corners(); ++k) {
      const auto slot = static_cast<std::size_t>(k);
      Corner& corner = corners[slot];
      corner = framing.Place(model.ply.vertices[static_cast<std::size_t>(polygon.vertex[k])]);
      corner.u = static_cast<float>(line.texels[slot].u);
      corner.v = static_cast<float>(line.texels[slot].v);
      const float light = line.lit() ? Brightness(model, line.shading == rsdformat::Shading::kFlat
                                                             ? polygon.normal[0]
                                                             : polygon.normal[k])
                                     : 1.0f;
      corner.red = colors[slot].red * light;
      corner.green = colors[slot].green * light;
      corner.blue = colors[slot].blue * light;
    }
    // The console tests the first three corners once for the whole polygon.
    if (framing.console && !line.double_sided() &&
        !camera::FacesViewer(
            static_cast<std::int32_t>(SignedArea(corners[0], corners[1], corners[2])))) {
      return;
    }
    // A quad is two triangles, (0, 1, 2) and (1, 3, 2) in the same turn.
    const TextureWindow window = WindowOfPolygon(index, line);
    Triangle(line, window, corners[0], corners[1], corners[2]);
    if (polygon.quad) {
      Triangle(line, window, corners[1], corners[3], corners[2]);
    }
  }

  TextureWindow WindowOfPolygon(std::size_t index, const MatLine& line) const {
    if (!model.windows.empty()) {
      return model.windows[index];
    }
    return line.textured() ? WindowOf(model.textures[static_cast<std::size_t>(line.texture)].tim)
                           : TextureWindow{};
  }

  void Triangle(const MatLine& line, const TextureWindow& window, const Corner& a, const Corner& b,
                const Corner& c) {
    // The console draws a polygon whose corners run clockwise on screen
    // (with its own camera the whole polygon was tested already).
    if (options.cull && !framing.console && !line.double_sided() && SignedArea(a, b, c) < 0) {
      return;
    }
    const int rate = line.rate() & 3;
    const bool blend = line.semi_transparent();
    if (!line.textured()) {
      FillTriangle(target, a, b, c, [&](int x, int y, const Corner& at) {
        const Rgb color{Clamp(at.red), Clamp(at.green), Clamp(at.blue)};
        target.Write(x, y, at.depth, blend ? Blend(target.canvas().At(x, y), color, rate) : color);
      });
      return;
    }
    FillTriangle(target, a, b, c, [&](int x, int y, const Corner& at) {
      const std::uint16_t texel =
          SampleTexel(memory, window, NearestTexel(at.u), NearestTexel(at.v));
      if (texel == rsdformat::kTransparentColor) {
        return;
      }
      const Rgb base = rsdformat::ColorToRgb(texel);
      const Rgb color{Clamp(base.red * at.red / kNeutralTint),
                      Clamp(base.green * at.green / kNeutralTint),
                      Clamp(base.blue * at.blue / kNeutralTint)};
      const bool blends = blend && rsdformat::SemiTransparentBit(texel);
      target.Write(x, y, at.depth, blends ? Blend(target.canvas().At(x, y), color, rate) : color);
    });
  }
};

}  // namespace

int PanelWidth(const RenderOptions& options) {
  return options.console_camera ? camera::kScreenWidth : options.size;
}

int PanelHeight(const RenderOptions& options) {
  return options.console_camera ? camera::kScreenHeight : options.size;
}

const char* ViewName(View view) {
  switch (view) {
    case View::kFront:
      return "front";
    case View::kSide:
      return "side";
    case View::kTop:
      return "top";
    case View::kThreeQuarter:
      return "three-quarter";
  }
  return "";
}

std::optional<View> ViewNamed(std::string_view name) {
  for (View view : {View::kFront, View::kSide, View::kTop, View::kThreeQuarter}) {
    if (name == ViewName(view)) {
      return view;
    }
  }
  return std::nullopt;
}

VideoMemory LoadVideoMemory(const std::vector<Texture>& textures) {
  VideoMemory memory;
  for (const Texture& texture : textures) {
    memory.Load(texture.tim);
  }
  return memory;
}

namespace {

Canvas RenderFramed(const Model& model, const VideoMemory& memory, const Framing& framing,
                    const RenderOptions& options) {
  RenderTarget target(PanelWidth(options), PanelHeight(options), kRenderBackground);
  PolygonPainter painter{model, memory, framing, options, target};
  for (std::size_t p = 0; p < model.ply.polygons.size(); ++p) {
    painter.Paint(p, model.ply.polygons[p],
                  model.mat.lines[static_cast<std::size_t>(model.material[p])]);
  }
  return target.canvas();
}

}  // namespace

Canvas RenderView(const Model& model, const VideoMemory& memory, View view,
                  const RenderOptions& options) {
  return RenderFramed(model, memory, FrameModels({&model, 1}, view, options), options);
}

std::vector<Canvas> RenderFrames(const std::vector<Model>& frames, View view,
                                 const RenderOptions& options) {
  std::vector<Canvas> pictures;
  if (frames.empty()) {
    return pictures;
  }
  const VideoMemory memory = LoadVideoMemory(frames.front().textures);
  const Framing framing = FrameModels(frames, view, options);
  for (const Model& frame : frames) {
    pictures.push_back(RenderFramed(frame, memory, framing, options));
  }
  return pictures;
}

Canvas RenderPanels(const Model& model, const std::vector<View>& views,
                    const RenderOptions& options) {
  const VideoMemory memory = LoadVideoMemory(model.textures);
  const int width = PanelWidth(options), height = PanelHeight(options);
  Canvas picture(width * static_cast<int>(views.size()), height, kRenderBackground);
  for (std::size_t i = 0; i < views.size(); ++i) {
    const int left = width * static_cast<int>(i);
    picture.Paste(RenderView(model, memory, views[i], options), left, 0);
    if (!options.console_camera) {
      picture.Text(left + 4, 4, ViewName(views[i]), {220, 220, 220});
    }
    if (i > 0) {
      picture.Fill(left, 0, 1, height, {90, 90, 90});
    }
  }
  return picture;
}

}  // namespace rsdview
