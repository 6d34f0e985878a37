// Texel positions as exporters write them. A texture mapped whole onto a
// polygon reaches its far edge (256 on a 256-wide image), and texture
// coordinates at seams stray a little below 0 or above 1: positions just
// outside the image that no U or V byte may hold, or that would read a
// neighbour's texels. Moving them onto the image's edge is what the user
// meant.
#ifndef GANNET_TOOLS_RSDFORMAT_TEXEL_CLAMP_H_
#define GANNET_TOOLS_RSDFORMAT_TEXEL_CLAMP_H_

#include <string>
#include <vector>

#include "tools/rsdformat/mat_file.h"
#include "tools/rsdformat/tim_file.h"

namespace rsdformat {

/// Moves every texel position of each textured line of `mat` that lies
/// outside the part of its texture page that its image covers onto the
/// nearest texel inside it: U to 0 .. min(image width, 256 - the image's
/// offset in its page) - 1, V likewise. `images` are the TIM files in
/// texture-number order; a line whose number has no image is left as it is.
/// Returns the file's one warning, "Warning: FILE:LINE: N texel positions
/// lie outside their images and are moved onto the image's edge, the first
/// on polygon P" (the line and polygon of the first moved position), or an
/// empty text when none moved.
std::string ClampTexelPositions(MatFile& mat, const std::vector<const TimFile*>& images);

}  // namespace rsdformat

#endif  // GANNET_TOOLS_RSDFORMAT_TEXEL_CLAMP_H_
