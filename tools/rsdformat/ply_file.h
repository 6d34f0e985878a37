// The PLY file: a model's vertices, normals and polygons.
//
//   @PLY940102
//   V N P                   counts of vertices, normals and polygons
//   x y z                   V vertex lines, then N normal lines (reals)
//   type v0 v1 v2 v3 n0 n1 n2 n3    P polygon lines
//
// type 0 is a triangle (v3 and n3 are written 0 and not used), 1 a quad.
// A quad's corners are in "Z" order: it is drawn as the triangles
// (v0, v1, v2) and (v1, v2, v3).
#ifndef GANNET_TOOLS_RSDFORMAT_PLY_FILE_H_
#define GANNET_TOOLS_RSDFORMAT_PLY_FILE_H_

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace rsdformat {

struct Vector3 {
  double x = 0, y = 0, z = 0;
};

/// One polygon line. Every used vertex and normal index is within the
/// file's counts.
struct PlyPolygon {
  bool quad = false;
  std::array<std::int32_t, 4> vertex = {};
  std::array<std::int32_t, 4> normal = {};
  int line = 0;  // where it stands in the file, for later messages

  int corners() const { return quad ? 4 : 3; }
};

struct PlyFile {
  std::string file;  // as named to the reader, for messages
  std::vector<Vector3> vertices;
  std::vector<Vector3> normals;
  std::vector<PlyPolygon> polygons;
  std::vector<int> vertex_lines;  // where each vertex stands, for later messages
  std::vector<int> normal_lines;  // where each normal stands
};

/// Parses a PLY text; `file` names it in messages. Throws ReadError for a
/// line that does not parse, a count the lines do not match and an index
/// out of range.
PlyFile ParsePly(std::string_view text, const std::string& file);

/// Reads and parses `path`. Throws ReadError.
PlyFile ReadPly(const std::filesystem::path& path);

}  // namespace rsdformat

#endif  // GANNET_TOOLS_RSDFORMAT_PLY_FILE_H_
