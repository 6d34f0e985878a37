// Turning a read RSD model (its PLY geometry, MAT materials and TIM places)
// into one TMD object: the checks that refuse a model, the warnings that do
// not, and the mapping of every material onto a packet kind.
//
// Mapping: MAT flag bit 0 clear = lit (shading F: the first corner's normal,
// G: one per corner), set = fixed colour (no normals stored); bit 1 double
// sided; bit 2 semi-transparent, with the rate of bits 3-4 in the page word
// (bit 5 set is a reserved rate, bits 6 and up reserved: both warned about
// and ignored). Type C one colour, G one per corner, T texture, D texture
// and colour, H texture and a colour per corner; a lit polygon stores no
// colour with its texture, so D and H lit warn and drop theirs. An unlit T
// polygon stores the neutral colour 128,128,128.
#ifndef GANNET_TOOLS_RSD2TMD_CONVERT_H_
#define GANNET_TOOLS_RSD2TMD_CONVERT_H_

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "tools/rsd2tmd/texture_words.h"
#include "tools/rsd2tmd/tmd_file.h"

namespace rsd2tmd {

/// A vertex or normal of the PLY file and the line it is on.
struct SourceVector {
  double x = 0, y = 0, z = 0;
  int line = 0;
};

/// A polygon of the PLY file: corners in stored order, and its line.
struct SourcePolygon {
  int corners = 3;
  std::array<long, 4> vertices{};
  std::array<long, 4> normals{};
  int line = 0;
};

/// One MAT line: the polygons it names and what it gives them.
struct SourceMaterial {
  int line = 0;
  std::vector<long> polygons;
  unsigned long flag = 0;
  bool smooth = false;  ///< shading G
  char type = 'C';      ///< C, G, T, D or H
  long texture = 0;     ///< T, D, H
  std::array<std::array<long, 2>, 4> uv{};
  std::array<std::array<long, 3>, 4> colours{};  ///< C, D: [0]; G, H: one per corner
};

/// Everything the converter needs, read from the files named.
struct SourceModel {
  std::string rsd_name, ply_name, mat_name;  ///< as the messages name them
  std::vector<SourceVector> vertices;
  std::vector<SourceVector> normals;
  std::vector<SourcePolygon> polygons;
  std::vector<SourceMaterial> materials;
  std::vector<std::optional<TexturePlace>> textures;  ///< by texture number; nullopt: no TIM
  std::vector<std::string> texture_names;             ///< the TIM file of each number
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
/// Refuses a value beyond 16 bits, an index beyond the vertex or normal count
/// (only indices the packet stores), a polygon without a MAT line or with
/// two, a MAT line naming a polygon that does not exist, a texture number
/// without a TIM, a palette off its 16-column grid, a colour beyond 255 and a
/// texel position below 0 or above 255 in its page.
Conversion Convert(const SourceModel& source, double factor);

}  // namespace rsd2tmd

#endif  // GANNET_TOOLS_RSD2TMD_CONVERT_H_
