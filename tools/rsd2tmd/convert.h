// Turning a read RSD model (its PLY geometry, MAT materials and TIM images)
// into one TMD object: the checks that refuse a model, the warnings that do
// not, and the mapping of every material onto a packet kind.
//
// Mapping: MAT flag bit 0 clear = lit (shading F: the first corner's normal,
// G: one per corner), set = fixed colour (no normals stored); bit 1 double
// sided; bit 2 semi-transparent; the rate of bits 3-4 goes into the page
// word (bit 5, a reserved rate, and bits 6-7 are warned about and ignored).
// Type C one colour, G one per corner, T texture, D texture and colour, H
// texture and a colour per corner; a lit textured packet has no colour, so
// D and H lit warn and drop theirs. An unlit T polygon stores the neutral
// colour 128,128,128.
#ifndef GANNET_TOOLS_RSD2TMD_CONVERT_H_
#define GANNET_TOOLS_RSD2TMD_CONVERT_H_

#include <optional>
#include <string>
#include <vector>

#include "tools/rsd2tmd/tmd_file.h"
#include "tools/rsdformat/mat_file.h"
#include "tools/rsdformat/ply_file.h"
#include "tools/rsdformat/rsd_file.h"
#include "tools/rsdformat/tim_file.h"

namespace rsd2tmd {

/// A model as its files were read.
struct SourceModel {
  rsdformat::RsdFile rsd;
  rsdformat::PlyFile ply;
  rsdformat::MatFile mat;
  std::vector<rsdformat::TimFile> tims;  ///< TEX[0] .. TEX[NTEX-1]
};

/// The outcome: the TMD object, or the refusal ("FILE:LINE: what and the
/// value"); warnings ("Warning: FILE:LINE: ...") either way.
struct Conversion {
  std::optional<TmdModel> model;
  std::string refusal;
  std::vector<std::string> warnings;
};

/// Converts `source` with vertices scaled by `factor`: vertex = round(value
/// x factor), normal = round(value x 4096), halves away from zero; every
/// vertex and normal kept in order, polygon order and indices unchanged.
/// Refuses a value beyond 16 bits, an index beyond 16 bits, a polygon
/// without a MAT line or with two, a MAT line naming a polygon that does not
/// exist, a texture number without a TIM and a palette off its 16-column
/// grid. A texel position outside its image's part of the page is moved
/// onto the image's edge, with one warning for the file.
Conversion Convert(const SourceModel& source, double factor);

}  // namespace rsd2tmd

#endif  // GANNET_TOOLS_RSD2TMD_CONVERT_H_
