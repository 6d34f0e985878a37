// Rendering a model as the console would draw it, one panel per view.
//
// Coordinates are the console's: x right, y down, z away from a viewer in
// front. The front view is the console's camera without rotation, from -z
// looking along +z; the others turn it. Every view is an orthographic
// projection framed to the model's projected extent. Polygons:
// - C and G: their colour (G: per corner, blended across);
// - T, D and H: each pixel takes the nearest texel at its interpolated texel
//   position, read from video memory as the TIM files load it (so an image
//   overwritten by a later one, or a texel position past its page, shows
//   what the console would show); colour 0 is not drawn; the colour of D and
//   H does not tint the texel: an unlit packet carries the raw-texture bit;
// - lit polygons (flag bit 0 clear) are shaded by one fixed light from the
//   upper front left, through their normal as the PLY file gives it (F: the
//   first corner's, G: each corner's); unlit ones are drawn as they are;
// - semi-transparent polygons (flag bit 2) blend with what is behind at
//   their rate (textured ones only where the texel has bit 15 set);
// - both sides are drawn unless culling is asked for, which skips the back
//   of polygons that are not double-sided (flag bit 1). The front is the
//   side from which corners 0, 1, 2 run clockwise on screen, as the
//   console's back-face test has it.
//
// With the console's camera (console/camera.h) a view is instead the
// perspective picture the console program shows: 320 x 240, the model's
// bounding sphere framed and projected as the console does it, in whole
// pixels, and the console's back-face test on every polygon that is not
// double-sided (whether culling is asked for or not).
#ifndef GANNET_TOOLS_RSDVIEW_MODEL_RENDER_H_
#define GANNET_TOOLS_RSDVIEW_MODEL_RENDER_H_

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/rsdview/canvas.h"
#include "tools/rsdview/export_files.h"
#include "tools/rsdview/video_memory.h"

namespace rsdview {

enum class View { kFront, kSide, kTop, kThreeQuarter };

/// "front", "side", "top", "three-quarter".
const char* ViewName(View view);
std::optional<View> ViewNamed(std::string_view name);

inline constexpr Rgb kRenderBackground = {40, 44, 52};

struct RenderOptions {
  int size = 512;  // panel width and height in pixels
  bool cull = false;
  bool console_camera = false;  // the console program's picture; the size is its screen's
};

/// A panel's size in pixels: the screen's with the console's camera.
int PanelWidth(const RenderOptions& options);
int PanelHeight(const RenderOptions& options);

/// The model from `view`, framed to fill the panel but a margin of size/16.
Canvas RenderView(const Model& model, const VideoMemory& memory, View view,
                  const RenderOptions& options);

/// One picture per frame from `view`, every frame framed alike (their
/// extent together fills the panel but a margin), so that motion shows. The
/// first frame's textures fill video memory.
std::vector<Canvas> RenderFrames(const std::vector<Model>& frames, View view,
                                 const RenderOptions& options);

/// One panel per view, left to right, each labelled with its view's name
/// (unless it is the console's picture, which has no label).
Canvas RenderPanels(const Model& model, const std::vector<View>& views,
                    const RenderOptions& options);

/// Video memory with the model's TIM files loaded in TEX order.
VideoMemory LoadVideoMemory(const std::vector<Texture>& textures);

}  // namespace rsdview

#endif  // GANNET_TOOLS_RSDVIEW_MODEL_RENDER_H_
